// The Find/Replace dialog over the real text box: its state at load, its modes, and
// the searches and replacements it makes in the document.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "app/mdlCode.h"
#include "platform/code_page.h"
#include "platform/dpi.h"
#include "test_support.h"
#include "ui/find/frmFind.h"
#include "ui/main/frmMain.h"
#include "ui/main/menu_def.h"
#include "ui/main/status_line.h"

namespace {

class FindDialogTest : public WindowTest {
protected:
    std::pair<DWORD, DWORD> Selection() {
        DWORD start = 0, end = 0;
        SendMessageA(box(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }
    static int Height(HWND dialog) {
        RECT r{};
        GetWindowRect(dialog, &r);
        return r.bottom - r.top;
    }
    static void Click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
    static bool On(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
    static bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)); }
    static std::string Text(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

    // Opens the real modal dialog from the menu command, hands it to `whileOpen` once it
    // runs its own loop, then closes it as Esc does.
    void WithModalDialog(const std::function<void(HWND)>& whileOpen) {
        static const std::function<void(HWND)>* pending = nullptr;
        pending = &whileOpen;
        SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR id, DWORD) {
            HWND dialog = nullptr;
            EnumThreadWindows(
                GetCurrentThreadId(),
                [](HWND hwnd, LPARAM found) {
                    if (WindowText(hwnd) == "Find/Replace") {
                        *reinterpret_cast<HWND*>(found) = hwnd;
                    }
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&dialog));
            if (dialog == nullptr) {
                return;  // not loaded yet
            }
            KillTimer(nullptr, id);
            (*pending)(dialog);
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        form().mnuFindReplace_Click();
    }
};

TEST_F(FindDialogTest, LoadTakesScopeAndRegionFromTheSelection) {
    form().SetText("0123456789abcdefghij");
    struct {
        int start, end;
        bool selection;
        int regionStart, regionEnd, searchPos;
    } const rows[] = {{4, 4, false, 1, 1, 1}, {0, 3, true, 0, 3, 1}, {10, 15, true, 10, 15, 11}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.start);
        Select(row.start, row.end);
        frmFind find(form(), ui);
        find.ShowModeless();
        const HWND d = find.hWnd();
        EXPECT_EQ(WindowText(d), "Find/Replace");
        EXPECT_EQ(Enabled(d, frmFind::kOptScope1), row.selection);
        EXPECT_EQ(On(d, frmFind::kOptScope1), row.selection);
        EXPECT_EQ(On(d, frmFind::kOptScope0), !row.selection);
        EXPECT_EQ(find.engine().RegionStart(), row.regionStart);
        EXPECT_EQ(find.engine().RegionEnd(), row.regionEnd);
        EXPECT_EQ(find.engine().SearchPos(), row.searchPos);
        EXPECT_EQ(find.engine().Compare(), quillet::CompareMode::IgnoreCase);
        for (int id : {frmFind::kTxtReplace, frmFind::kCmdReplace, frmFind::kCmdReplaceAll}) {
            EXPECT_FALSE(Enabled(d, id)) << id;
        }
        EXPECT_EQ(GetFocus(), GetDlgItem(d, frmFind::kTxtFind));
    }
    // Choosing a scope restarts the search at its beginning.
    frmFind find(form(), ui);
    find.ShowModeless();
    Click(find.hWnd(), frmFind::kOptScope0);
    EXPECT_EQ(find.engine().SearchPos(), 1);
    Click(find.hWnd(), frmFind::kOptScope1);
    EXPECT_EQ(find.engine().SearchPos(), 11);
}

// Whether a visible static, button or list row holds its text in the control's own font
// (WM_GETFONT): the text's extent, plus the least room the control's drawing leaves
// beside it, within the client area.
testing::AssertionResult HoldsItsText(HWND control) {
    char cls[16] = {};
    GetClassNameA(control, cls, sizeof cls);
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(control, GWL_STYLE));
    const int dpi = ScreenPixelsPerInch().x;
    RECT client{};
    GetClientRect(control, &client);
    struct ControlDc {
        HWND control;
        HDC dc = GetDC(control);
        ~ControlDc() { ReleaseDC(control, dc); }
    } own{control};
    const HDC dc = own.dc;
    const SelectGuard font(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    const auto extent = [&](const std::string& text, UINT flags) {
        RECT r{};
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r,
                  DT_CALCRECT | DT_SINGLELINE | flags);
        return r.right;
    };
    std::vector<std::pair<std::string, int>> texts;  // with the room beside each
    int height = tm.tmHeight;
    const bool list = lstrcmpiA(cls, "LISTBOX") == 0;
    if (list) {
        for (int i = 0; i < SendMessageA(control, LB_GETCOUNT, 0, 0); ++i) {
            std::string row(static_cast<size_t>(SendMessageA(control, LB_GETTEXTLEN, i, 0)), '\0');
            SendMessageA(control, LB_GETTEXT, i, reinterpret_cast<LPARAM>(row.data()));
            texts.emplace_back(row, extent(row, DT_NOPREFIX) + 1);
        }
        client.bottom = static_cast<LONG>(SendMessageA(control, LB_GETITEMHEIGHT, 0, 0));
    } else {
        const std::string text = WindowText(control);
        int margin = 0;
        const DWORD type = style & BS_TYPEMASK;
        if (lstrcmpiA(cls, "BUTTON") == 0 && type != BS_GROUPBOX) {
            const bool box = type == BS_AUTOCHECKBOX || type == BS_AUTORADIOBUTTON;
            margin = box ? MulDiv(12, dpi, 96) + 1 : 2 * GetSystemMetrics(SM_CXEDGE);
            height += box ? 0 : 2 * GetSystemMetrics(SM_CYEDGE);
        }
        texts.emplace_back(text, extent(text, 0) + margin);
    }
    for (const auto& [text, width] : texts) {
        if (width > client.right || height > client.bottom) {
            return testing::AssertionFailure()
                   << cls << " \"" << text << "\" needs " << width << " x " << height << ", has "
                   << client.right << " x " << client.bottom;
        }
    }
    return testing::AssertionSuccess();
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM all) {
            reinterpret_cast<std::vector<HWND>*>(all)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    return children;
}

// Run again at 96, 144 and 192 pixels per inch, under code pages 1252 and 932, each
// resolution in a prefix of its own (scripts/dpi-test.sh). In every scene each visible
// static, button and list row holds its text; the main window's labels hold five-digit
// numbers; in each mode the Find/Replace dialog's controls lie inside it, and the lower
// part shows only when replacing; the register list holds a caption of 15 wide
// characters and the ellipsis.
TEST_F(FindDialogTest, EveryCaptionFitsAtTheScreensDpi) {
    const int dpi = ScreenPixelsPerInch().y;
    if (const char* expected = std::getenv("QUILLET_EXPECT_DPI")) {
        ASSERT_EQ(dpi, std::atoi(expected)) << "the prefix's LogPixels did not take";
    }
    if (const char* expected = std::getenv("QUILLET_EXPECT_CODEPAGE")) {
        ASSERT_EQ(GetACP(), static_cast<UINT>(std::atoi(expected))) << "the locale did not take";
    }
    struct {
        int dpi, searching, replacing;
    } const outer[] = {{96, 155, 240}, {120, 194, 300}, {144, 233, 360}, {192, 310, 480}};
    const auto within = [](HWND parent, HWND child) {
        RECT client{}, r{};
        GetClientRect(parent, &client);
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
        return r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom;
    };
    const auto lower = [](HWND child) {
        const int id = GetDlgCtrlID(child);
        return id == frmFind::kLblReplace || id == frmFind::kTxtReplace ||
               id == frmFind::kCmdReplace || id == frmFind::kCmdReplaceAll;
    };
    const auto visibleHoldTheirTexts = [](HWND parent) {
        for (const HWND child : Children(parent)) {
            char cls[16] = {};
            GetClassNameA(child, cls, sizeof cls);
            if (IsWindowVisible(child) && lstrcmpiA(cls, "EDIT") != 0) {
                EXPECT_TRUE(HoldsItsText(child));
            }
        }
    };

    // The main window: the labels at their narrowest, with five-digit numbers (their
    // least width), and at line 100001, column 100001 with 100,000 characters selected.
    std::string text;
    for (int i = 0; i < 100000; ++i) {
        text += "\r\n";
    }
    form().SetText(text + std::string(200000, 'x'));
    const auto labelRect = [&](HWND label) {
        RECT r{};
        GetWindowRect(label, &r);
        MapWindowPoints(nullptr, form().hWnd(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    const struct {
        int start, end;
        const char *colRow, *selection;
    } positions[] = {{0, 0, " Ln 1, Col 1 ", "Sel: 0"},
                     {19998, 29998, " Ln 10000, Col 1 ", "Sel: 10000"},
                     {200000 + 99998, 200000 + 99998, " Ln 100001, Col 99999 ", "Sel: 0"},
                     {300000, 400000, " Ln 100001, Col 100001 ", "Sel: 100000"}};
    for (const auto& row : positions) {
        Select(row.start, row.end);
        mdlCode::UpdateStatus(form());
        ASSERT_EQ(WindowText(form().lblColRow()), row.colRow);
        ASSERT_EQ(WindowText(form().lblSelection()), row.selection);
        visibleHoldTheirTexts(form().hWnd());
        EXPECT_TRUE(within(form().hWnd(), form().lblColRow()));
        EXPECT_TRUE(within(form().hWnd(), form().lblSelection()));
        EXPECT_EQ(labelRect(form().lblSelection()).left, labelRect(form().lblColRow()).right);
    }
    {
        SCOPED_TRACE("the window at its smallest");
        RECT was{};
        GetWindowRect(form().hWnd(), &was);
        SetWindowPos(form().hWnd(), nullptr, 0, 0, 1, 1, SWP_NOMOVE | SWP_NOZORDER);
        RECT client{};
        GetClientRect(form().hWnd(), &client);
        EXPECT_TRUE(HoldsItsText(form().lblColRow()));
        EXPECT_EQ(labelRect(form().lblColRow()).left, 0);
        EXPECT_EQ(labelRect(form().lblSelection()).left, labelRect(form().lblColRow()).right);
        if (labelRect(form().lblColRow()).right <= client.right) {
            EXPECT_LE(labelRect(form().lblSelection()).right, client.right);
        } else {
            EXPECT_EQ(labelRect(form().lblSelection()).right, labelRect(form().lblColRow()).right)
                << "the line/column label comes first";
        }
        SetWindowPos(form().hWnd(), nullptr, 0, 0, was.right - was.left, was.bottom - was.top,
                     SWP_NOMOVE | SWP_NOZORDER);
    }

    // The Find/Replace dialog, searching, replacing and searching again.
    {
        frmFind find(form(), ui);
        find.ShowModeless();
        const HWND d = find.hWnd();
        for (const bool replacing : {false, true, false}) {
            SCOPED_TRACE(replacing ? "replacing" : "searching");
            if (replacing != find.ReplaceMode()) {
                Click(d, frmFind::kCmdMode);
            }
            for (const auto& row : outer) {
                if (row.dpi == dpi) {
                    EXPECT_EQ(Height(d), replacing ? row.replacing : row.searching);
                }
            }
            EXPECT_EQ(Text(d, frmFind::kCmdMode), replacing ? "Replace <<" : "Replace >>");
            for (int id : {frmFind::kTxtReplace, frmFind::kCmdReplace, frmFind::kCmdReplaceAll}) {
                EXPECT_EQ(Enabled(d, id), replacing) << id;
            }
            const std::vector<HWND> children = Children(d);
            EXPECT_EQ(children.size(), 13u);
            for (const HWND child : children) {
                if (replacing || !lower(child)) {
                    EXPECT_TRUE(within(d, child)) << WindowText(child) << " at " << dpi;
                }
            }
            EXPECT_EQ(within(d, GetDlgItem(d, frmFind::kCmdReplaceAll)), replacing);
            visibleHoldTheirTexts(d);
            if (replacing) {
                // Each label just before the box it names; the rest in tab order, which
                // Tab walks round (the chosen option only), the options one group.
                using F = frmFind;
                const std::vector<int> windowOrder = {
                    F::kLblFind,      F::kTxtFind,    F::kOptScope0,  F::kOptScope1,
                    F::kChkMatchCase, F::kLblReplace, F::kTxtReplace, F::kCmdFindNext,
                    F::kCmdMode,      F::kCmdCancel,  F::kCmdReplace, F::kCmdReplaceAll,
                    F::kFraScope};
                std::vector<int> ids, tabs;
                for (HWND c = GetWindow(d, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
                    ids.push_back(GetDlgCtrlID(c));
                }
                EXPECT_EQ(ids, windowOrder);
                HWND c = GetDlgItem(d, F::kTxtFind);
                do {
                    tabs.push_back(GetDlgCtrlID(c));
                    c = GetNextDlgTabItem(d, c, FALSE);
                } while (c != GetDlgItem(d, F::kTxtFind) && tabs.size() < 20);
                EXPECT_EQ(tabs,
                          (std::vector<int>{F::kTxtFind, F::kOptScope1, F::kChkMatchCase,
                                            F::kTxtReplace, F::kCmdFindNext, F::kCmdMode,
                                            F::kCmdCancel, F::kCmdReplace, F::kCmdReplaceAll}));
                EXPECT_EQ(GetNextDlgGroupItem(d, GetDlgItem(d, F::kOptScope1), FALSE),
                          GetDlgItem(d, F::kOptScope0));
                EXPECT_EQ(LOWORD(SendMessageA(d, DM_GETDEFID, 0, 0)), F::kCmdFindNext);
            }
            // The boxes start after the label column.
            RECT label{}, box{};
            GetWindowRect(GetDlgItem(d, frmFind::kLblReplace), &label);
            GetWindowRect(GetDlgItem(d, frmFind::kTxtReplace), &box);
            EXPECT_LT(label.right, box.left);
        }
    }

    // The register list: register 0 holds 16 wide characters, shown as 15 and "…".
    const std::string wide = AnsiIsMultiByte() ? AnsiFromWide(L"\xFF37", 1) : "W";
    std::string sixteen;
    for (int i = 0; i < 16; ++i) {
        sixteen += wide;
    }
    form().SetText(sixteen);
    Select(0, -1);
    const auto chord = [&] {
        SetShiftState(3);
        SendMessageA(box(), WM_KEYDOWN, VK_SHIFT, 1);
        for (const DWORD start = GetTickCount();
             form().tmrClipboard().Enabled() && GetTickCount() - start < 5000;) {
            PumpMessages();
            Sleep(20);
        }
        PumpMessages();
    };
    chord();
    SendMessageA(form().lstClipboard(), WM_KEYUP, 'C', 0xC0000001);  // store in row 0
    ASSERT_EQ(form().registers().Register(0), sixteen);
    chord();
    ASSERT_TRUE(IsWindowVisible(form().lstClipboard()));
    char row[64] = {};
    SendMessageA(form().lstClipboard(), LB_GETTEXT, 0, reinterpret_cast<LPARAM>(row));
    EXPECT_EQ(row, sixteen.substr(0, 15 * wide.size()) + AnsiEllipsis());
    EXPECT_TRUE(HoldsItsText(form().lstClipboard()));
    RECT list{};
    GetWindowRect(form().lstClipboard(), &list);
    EXPECT_GE(list.right - list.left, MulDiv(1692, dpi, 1440)) << "never narrower than the design";
    SetShiftState(0);
    SendMessageA(form().lstClipboard(), WM_KEYUP, VK_CONTROL, 0xC0000001);
}

// Moved to screens of 96 to 288 pixels per inch (WM_DPICHANGED as the system sends it,
// to each window on its own): each window takes the suggested place, and its fonts and
// sizes at the new resolution; the document and its state stay as they were.
TEST_F(FindDialogTest, ADpiChangeRescalesEachWindowAndKeepsTheDocument) {
    struct {
        int dpi, docFont, pixelTwips, searching, replacing;
    } const rows[] = {{144, 22, 10, 233, 360}, {96, 14, 15, 155, 240}, {120, 18, 12, 194, 300},
                      {192, 29, 8, 310, 480},  {288, 43, 5, 465, 720}, {96, 14, 15, 155, 240}};
    const auto fontOf = [](HWND control) {
        LOGFONTA lf{};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof lf,
                   &lf);
        return lf;
    };
    const auto lineHeight = [](HWND control) {
        const WindowDC dc(control);
        const SelectGuard font(dc.get(),
                               reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
        TEXTMETRICA tm{};
        GetTextMetricsA(dc.get(), &tm);
        return static_cast<int>(tm.tmHeight);
    };
    const auto moveTo = [](HWND window, int dpi, int width, int height) {
        RECT r{};
        GetWindowRect(window, &r);
        RECT suggested{r.left, r.top, r.left + MulDiv(width, dpi, 96),
                       r.top + MulDiv(height, dpi, 96)};
        SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        return suggested;
    };
    const int systemDpi = ScreenPixelsPerInch().y;
    const int guiHeight = [&] {
        LOGFONTA lf{};
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
        return static_cast<int>(lf.lfHeight);
    }();

    std::string text;
    for (int i = 1; i <= 300; ++i) {
        text += "line " + std::to_string(i) + "\r\n";
    }
    form().SetText(text);
    SendMessageA(form().hWnd(), WM_COMMAND, quillet::mnuAscii, 0);  // the face chosen stays
    const std::string face = fontOf(box()).lfFaceName;
    Select(0, 0);
    SendMessageA(box(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("typed "));
    const std::string edited = form().Text();
    Select(1000, 1010);
    SendMessageA(box(), EM_LINESCROLL, 0, 100);
    const LRESULT firstLine = SendMessageA(box(), EM_GETFIRSTVISIBLELINE, 0, 0);
    mdlCode::UpdateStatus(form());
    const std::string caption = WindowText(form().hWnd());
    ASSERT_NE(caption.find("[*]"), std::string::npos) << caption;
    // Room on the screen for the largest row.
    SetWindowPos(form().hWnd(), nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    frmFind find(form(), ui);
    find.ShowModeless();
    const HWND d = find.hWnd();
    Click(d, frmFind::kCmdMode);

    for (const auto& row : rows) {
        SCOPED_TRACE(row.dpi);
        const RECT suggested = moveTo(form().hWnd(), row.dpi, 320, 240);
        RECT now{};
        GetWindowRect(form().hWnd(), &now);
        EXPECT_TRUE(EqualRect(&now, &suggested))
            << now.left << "," << now.top << " " << now.right - now.left << "x"
            << now.bottom - now.top;
        EXPECT_EQ(fontOf(box()).lfHeight, -row.docFont);
        EXPECT_EQ(fontOf(box()).lfFaceName, face);
        for (const HWND label : {form().lblColRow(), form().lblSelection()}) {
            EXPECT_NEAR(fontOf(label).lfHeight, MulDiv(guiHeight, row.dpi, systemDpi), 1);
            EXPECT_TRUE(HoldsItsText(label));
        }
        EXPECT_EQ(SendMessageA(form().lstClipboard(), LB_GETITEMHEIGHT, 0, 0),
                  lineHeight(form().lstClipboard()));
        EXPECT_EQ(form().Text(), edited);
        EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{1000, 1010}));
        EXPECT_EQ(SendMessageA(box(), EM_GETFIRSTVISIBLELINE, 0, 0), firstLine);
        EXPECT_NE(SendMessageA(box(), EM_GETMODIFY, 0, 0), 0);
        EXPECT_EQ(WindowText(form().hWnd()), caption);

        RECT place{};
        GetWindowRect(d, &place);
        moveTo(d, row.dpi, 100, 100);
        RECT moved{};
        GetWindowRect(d, &moved);
        EXPECT_EQ(moved.left, place.left);
        EXPECT_EQ(find.PixelTwips(), row.pixelTwips);
        EXPECT_EQ(fontOf(GetDlgItem(d, frmFind::kTxtFind)).lfHeight,
                  fontOf(form().lblColRow()).lfHeight);
        for (const bool replacing : {true, false, true}) {
            if (replacing != find.ReplaceMode()) {
                Click(d, frmFind::kCmdMode);
            }
            EXPECT_EQ(Height(d), replacing ? row.replacing : row.searching);
        }
        RECT client{};
        GetClientRect(d, &client);
        for (const HWND child : Children(d)) {
            RECT r{};
            GetWindowRect(child, &r);
            MapWindowPoints(nullptr, d, reinterpret_cast<POINT*>(&r), 2);
            EXPECT_LE(r.right, client.right) << WindowText(child);
            EXPECT_LE(r.bottom, client.bottom) << WindowText(child);
            char cls[16] = {};
            GetClassNameA(child, cls, sizeof cls);
            if (lstrcmpiA(cls, "EDIT") != 0) {
                EXPECT_TRUE(HoldsItsText(child));
            }
        }
    }
    EXPECT_TRUE(SendMessageA(box(), EM_CANUNDO, 0, 0));
    SendMessageA(box(), EM_UNDO, 0, 0);
    EXPECT_EQ(form().Text(), text) << "undo outlives the new fonts";
}

TEST_F(FindDialogTest, ReopeningTheModalDialogForgetsEverything) {
    form().SetText("abc abc");
    Select(0, 3);
    WithModalDialog([&](HWND d) {
        EXPECT_FALSE(IsWindowEnabled(form().hWnd())) << "the main window takes no input";
        SetWindowTextA(GetDlgItem(d, frmFind::kTxtFind), "abc");
        Click(d, frmFind::kChkMatchCase);
        Click(d, frmFind::kCmdMode);
        Click(d, frmFind::kOptScope0);
    });
    EXPECT_TRUE(IsWindowEnabled(form().hWnd()));
    Select(4, 4);
    WithModalDialog([&](HWND d) {
        EXPECT_EQ(Text(d, frmFind::kTxtFind), "");
        EXPECT_FALSE(On(d, frmFind::kChkMatchCase));
        EXPECT_EQ(Text(d, frmFind::kCmdMode), "Replace >>");
        EXPECT_FALSE(Enabled(d, frmFind::kOptScope1));
        EXPECT_TRUE(On(d, frmFind::kOptScope0));
    });
}

TEST_F(FindDialogTest, FindNextSelectsMatchesAndReplaceAllIsAnUndoableEdit) {
    form().SetText("abc abc ABC");
    frmFind find(form(), ui);
    find.ShowModeless();
    const HWND d = find.hWnd();
    SetWindowTextA(GetDlgItem(d, frmFind::kTxtFind), "abc");
    Click(d, frmFind::kChkMatchCase);
    std::vector<std::pair<DWORD, DWORD>> seen;
    for (int i = 0; i < 3; ++i) {
        Click(d, frmFind::kCmdFindNext);
        seen.push_back(Selection());
    }
    EXPECT_EQ(seen, (std::vector<std::pair<DWORD, DWORD>>{{0, 3}, {4, 7}, {4, 7}}));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "The specified region has been searched.");
    EXPECT_EQ(ui.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(ui.messages[0].owner, d);

    Click(d, frmFind::kChkMatchCase);
    Click(d, frmFind::kCmdMode);
    SetWindowTextA(GetDlgItem(d, frmFind::kTxtReplace), "xy");
    Click(d, frmFind::kCmdReplaceAll);
    EXPECT_EQ(form().Text(), "xy xy xy");
    EXPECT_EQ(WindowText(form().hWnd()), "Untitled [*] - Quillet");
    form().mnuUnReDo_Click();
    EXPECT_EQ(form().Text(), "abc abc ABC");
}

TEST_F(FindDialogTest, Cp1251AnsiLettersMatchRegardlessOfCase) {
    // Cyrillic capitals and small letters under 1251, accented Latin ones under 1252.
    form().SetText("\xC0\xC1\xC2 \xE0\xE1\xE2");
    frmFind find(form(), ui);
    find.ShowModeless();
    SetWindowTextA(GetDlgItem(find.hWnd(), frmFind::kTxtFind), "\xE0\xE1\xE2");
    Click(find.hWnd(), frmFind::kCmdFindNext);
    EXPECT_EQ(Selection(), std::make_pair(DWORD{0}, DWORD{3}));
    Click(find.hWnd(), frmFind::kCmdFindNext);
    EXPECT_EQ(Selection(), std::make_pair(DWORD{4}, DWORD{7}));
}

TEST_F(FindDialogTest, RegionPastThe16BitRangeOfAFullDocument) {
    std::string text(65536, 'x');
    for (size_t at : {100, 40000, 60000}) {
        text.replace(at, 6, "needle");
    }
    form().SetText(text);
    Select(39990, 40020);
    frmFind find(form(), ui);
    find.ShowModeless();
    const HWND d = find.hWnd();
    SetWindowTextA(GetDlgItem(d, frmFind::kTxtFind), "needle");
    Click(d, frmFind::kCmdFindNext);
    EXPECT_EQ(Selection(), std::make_pair(DWORD{40000}, DWORD{40006}));
    Click(d, frmFind::kCmdFindNext);
    EXPECT_EQ(ui.messages.size(), 1u);
    Click(d, frmFind::kCmdMode);
    SetWindowTextA(GetDlgItem(d, frmFind::kTxtReplace), "pin");
    Click(d, frmFind::kCmdReplaceAll);
    text.replace(40000, 6, "pin");
    EXPECT_TRUE(form().Text() == text) << "only the match in the region is replaced";
}

}  // namespace
