// The Find/Replace dialog over the real text box: its state at load, its modes, and
// the searches and replacements it makes in the document.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "app/mdlCode.h"
#include "test_support.h"
#include "ui/find/frmFind.h"
#include "ui/main/frmMain.h"

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

// Run again at 96, 144 and 192 pixels per inch, each in a prefix of its own
// (scripts/dpi-test.sh): in each mode every control that mode offers lies inside the
// client area, and the lower part shows only when replacing.
TEST_F(FindDialogTest, ModesFitTheirControlsAtTheScreensDpi) {
    const int dpi = ScreenPixelsPerInch().y;
    if (const char* expected = std::getenv("QUILLET_EXPECT_DPI")) {
        ASSERT_EQ(dpi, std::atoi(expected)) << "the prefix's LogPixels did not take";
    }
    struct {
        int dpi, searching, replacing;
    } const outer[] = {{96, 155, 240}, {120, 194, 300}, {144, 233, 360}, {192, 310, 480}};
    form().SetText("text");
    frmFind find(form(), ui);
    find.ShowModeless();
    const HWND d = find.hWnd();
    const auto fits = [d](HWND child) {
        RECT client{}, r{};
        GetClientRect(d, &client);
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, d, reinterpret_cast<POINT*>(&r), 2);
        return r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom;
    };
    const auto lower = [](HWND child) {
        const int id = GetDlgCtrlID(child);
        return id == frmFind::kLblReplace || id == frmFind::kTxtReplace ||
               id == frmFind::kCmdReplace || id == frmFind::kCmdReplaceAll;
    };
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
        std::vector<HWND> children;
        EnumChildWindows(
            d,
            [](HWND child, LPARAM all) {
                reinterpret_cast<std::vector<HWND>*>(all)->push_back(child);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&children));
        EXPECT_EQ(children.size(), 13u);
        for (const HWND child : children) {
            if (replacing || !lower(child)) {
                EXPECT_TRUE(fits(child)) << WindowText(child) << " at " << dpi;
            }
        }
        EXPECT_EQ(fits(GetDlgItem(d, frmFind::kCmdReplaceAll)), replacing);
    }
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
