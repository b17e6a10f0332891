// The main window as built: size, menus, controls, layout on resize, the Text property.
#include <gtest/gtest.h>

#include "app/mdlCode.h"
#include "core/layout/layout.h"
#include "test_support.h"
#include "ui/main/frmMain.h"
#include "ui/main/menu_def.h"

using namespace quillet;

namespace {

class MainWindowTest : public WindowTest {
protected:
    RECT ChildRect(HWND control) {
        RECT r{};
        GetWindowRect(control, &r);
        MapWindowPoints(HWND_DESKTOP, form().hWnd(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    RECT Client() {
        RECT r{};
        GetClientRect(form().hWnd(), &r);
        return r;
    }
    void SetOuterSize(int width, int height) {
        SetWindowPos(form().hWnd(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    }
    std::string ItemText(UINT id) {
        char text[128] = {};
        GetMenuStringA(form().menu(), id, text, sizeof text, MF_BYCOMMAND);
        return text;
    }
    UINT ItemState(UINT id) { return GetMenuState(form().menu(), id, MF_BYCOMMAND); }
};

TEST_F(MainWindowTest, OpensAtThreeQuartersOfTheScreenCentred) {
    RECT r{};
    GetWindowRect(form().hWnd(), &r);
    const int sw = GetSystemMetrics(SM_CXSCREEN);
    const int sh = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(r.right - r.left, ThreeQuartersOf(sw));
    EXPECT_EQ(r.bottom - r.top, ThreeQuartersOf(sh));
    EXPECT_NEAR(r.left, (sw - (r.right - r.left)) / 2, 1);
    EXPECT_NEAR(r.top, (sh - (r.bottom - r.top)) / 2, 1);
}

TEST_F(MainWindowTest, MenuBarHoldsTheWholeTreeWithShortcutsAndChecks) {
    const HMENU bar = form().menu();
    ASSERT_EQ(GetMenuItemCount(bar), 4);
    const char* tops[] = {"&File", "&Edit", "&View", "&About"};
    for (int i = 0; i < 4; ++i) {
        char text[64] = {};
        GetMenuStringA(bar, i, text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(text, tops[i]);
    }
    EXPECT_EQ(GetSubMenu(bar, 3), nullptr) << "About is a command on the bar itself";
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 0)), 9);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 1)), 14);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 2)), 6);
    EXPECT_EQ(ItemText(mnuOpen), "&Open\x85\tCtrl+O");
    EXPECT_EQ(ItemText(mnuSaveAs), "Save &As...\tCtrl+Q");
    EXPECT_EQ(ItemText(mnuPrint), "&Print\x85\tCtrl+P");
    EXPECT_EQ(ItemText(mnuExit), "&Exit");
    EXPECT_EQ(ItemText(mnuDelete), "&Delete\tDel");
    EXPECT_EQ(ItemText(mnuDateTime), "Insert Date/&Time\tF5");
    EXPECT_EQ(ItemText(mnuFindReplace), "&Find/Replace\x85\tCtrl+F");
    EXPECT_EQ(ItemText(mnuWrap), "Word &wrap");
    EXPECT_EQ(ItemText(mnuCharMap), "Characters &map\tCtrl+M");
    EXPECT_TRUE(ItemState(mnuAnsi) & MF_CHECKED);
    EXPECT_FALSE(ItemState(mnuAscii) & MF_CHECKED);
    EXPECT_FALSE(ItemState(mnuOnTop) & MF_CHECKED);
    EXPECT_FALSE(ItemState(mnuWrap) & MF_CHECKED);
}

TEST_F(MainWindowTest, TextBoxIsAMultiLineEditWithBothScrollBarsAndNoWrap) {
    const HWND box = form().txtDoc();
    char cls[16] = {};
    GetClassNameA(box, cls, sizeof cls);
    EXPECT_STREQ(cls, "Edit");
    const LONG style = GetWindowLongA(box, GWL_STYLE);
    EXPECT_TRUE(style & ES_MULTILINE);
    EXPECT_TRUE(style & WS_HSCROLL);
    EXPECT_TRUE(style & WS_VSCROLL);
    EXPECT_TRUE(style & ES_AUTOHSCROLL) << "lines must not wrap";
    EXPECT_GE(SendMessageA(box, EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);

    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(box, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, "Fixedsys");
    EXPECT_EQ(font.lfWeight, 400);
    EXPECT_EQ(font.lfCharSet, 204);
    EXPECT_EQ(font.lfHeight, -MulDiv(108, ScreenPixelsPerInch().y, 720));
}

TEST_F(MainWindowTest, RegisterListIsHiddenAtItsDesignPlace) {
    EXPECT_FALSE(IsWindowVisible(form().lstClipboard()));
    const RECT r = ChildRect(form().lstClipboard());
    const double tppx = TwipsPerPixel(ScreenPixelsPerInch().x);
    EXPECT_EQ(r.left, TwipsToPixels(36, tppx));
    EXPECT_EQ(r.right - r.left, TwipsToPixels(1692, tppx));
    // A resize leaves it where it is.
    SetOuterSize(500, 400);
    EXPECT_EQ(ChildRect(form().lstClipboard()).left, r.left);
    EXPECT_EQ(ChildRect(form().lstClipboard()).bottom, r.bottom);
}

TEST_F(MainWindowTest, ResizeFillsTheClientAreaAboveTheStatusLabels) {
    SetOuterSize(640, 480);
    const RECT client = Client();
    const RECT box = ChildRect(form().txtDoc());
    const RECT colRow = ChildRect(form().lblColRow());
    const RECT sel = ChildRect(form().lblSelection());
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, client.right);
    EXPECT_EQ(colRow.bottom, client.bottom);
    EXPECT_EQ(colRow.top - box.bottom, 4) << "four pixels between text box and labels";
    EXPECT_EQ(sel.left, colRow.right);
    EXPECT_EQ(sel.top, colRow.top);
}

TEST_F(MainWindowTest, TooShortAWindowKeepsTheTextBoxHeightButMovesTheLabels) {
    SetOuterSize(640, 480);
    const int height = ChildRect(form().txtDoc()).bottom;
    SetOuterSize(300, GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU) + 20);
    const RECT client = Client();
    ASSERT_LT(client.bottom, 18);
    EXPECT_EQ(ChildRect(form().txtDoc()).bottom, height);
    EXPECT_EQ(ChildRect(form().txtDoc()).right, client.right);
    EXPECT_EQ(ChildRect(form().lblColRow()).bottom, client.bottom);
}

TEST_F(MainWindowTest, MinimiseAndRestoreGiveTheSameLayout) {
    SetOuterSize(640, 480);
    const RECT before = ChildRect(form().txtDoc());
    const RECT labelBefore = ChildRect(form().lblSelection());
    ShowWindow(form().hWnd(), SW_MINIMIZE);
    ShowWindow(form().hWnd(), SW_RESTORE);
    const RECT after = ChildRect(form().txtDoc());
    EXPECT_EQ(after.right, before.right);
    EXPECT_EQ(after.bottom, before.bottom);
    EXPECT_EQ(ChildRect(form().lblSelection()).top, labelBefore.top);
}

TEST_F(MainWindowTest, WritingTheTextIsALoadThatLeavesTheDocumentClean) {
    SendMessageA(form().txtDoc(), WM_CHAR, 'x', 0);
    ASSERT_TRUE(mdlCode::DocumentState.DocModified);
    form().SetText("loaded\r\ntext");
    EXPECT_EQ(form().Text(), "loaded\r\ntext");
    EXPECT_EQ(SendMessageA(form().txtDoc(), EM_GETMODIFY, 0, 0), 0);
    EXPECT_FALSE(mdlCode::DocumentState.DocModified);
    EXPECT_EQ(WindowText(form().hWnd()), "Untitled - Quillet");
    // An edit after the load sets the flag again.
    SendMessageA(form().txtDoc(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("y"));
    EXPECT_TRUE(mdlCode::DocumentState.DocModified);
    EXPECT_EQ(WindowText(form().hWnd()), "Untitled [*] - Quillet");
}

TEST_F(MainWindowTest, ClosingAnUnchangedDocumentEndsTheWindow) {
    PostMessageA(form().hWnd(), WM_CLOSE, 0, 0);
    PumpMessages();
    EXPECT_FALSE(form().IsOpen());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(MainWindowTest, ClipboardTimerStartsDisabledAtHalfASecond) {
    WindowTimer& timer = form().tmrClipboard();
    EXPECT_FALSE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 500u);
    timer.SetEnabled(true);
    EXPECT_TRUE(timer.Enabled());
    const DWORD start = GetTickCount();
    while (timer.Enabled() && GetTickCount() - start < 5000) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        PumpMessages();
    }
    EXPECT_FALSE(timer.Enabled()) << "it fires once and stops";
    EXPECT_GE(GetTickCount() - start, 400u);
}

}  // namespace
