// The status labels, the Edit commands, the enabling of menu items and the shortcuts
// that follow them.
#include <gtest/gtest.h>

#include "app/mdlCode.h"
#include "test_support.h"
#include "ui/main/frmMain.h"
#include "ui/main/menu_def.h"

using namespace quillet;

namespace {

// Three lines of ten characters, CR LF between them.
const char* const kThreeLines = "0123456789\r\nabcdefghij\r\nABCDEFGHIJ";

class EditTest : public WindowTest {
protected:
    void TearDown() override {
        HoldCtrl(false);
        ProcessTest::TearDown();
    }
    void KeyUp() { SendMessageA(box(), WM_KEYUP, VK_RIGHT, 0xC0000001); }
    std::string ColRow() { return WindowText(form().lblColRow()); }
    std::string Sel() { return WindowText(form().lblSelection()); }
    void OpenMenu(int position) {
        SendMessageA(form().hWnd(), WM_INITMENUPOPUP,
                     reinterpret_cast<WPARAM>(GetSubMenu(form().menu(), position)), position);
    }
    bool Enabled(int id) {
        return (GetMenuState(form().menu(), id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
    }
    static void HoldCtrl(bool down, bool shift = false) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = down ? 0x80 : 0;
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        keys[VK_MENU] = 0;
        SetKeyboardState(keys);
    }
    bool Shortcut(WPARAM key, bool ctrl, bool shift = false) {
        HoldCtrl(ctrl, shift);
        MSG msg{box(), WM_KEYDOWN, key, 1, 0, {}};
        const bool used = form().TranslateShortcut(msg);
        HoldCtrl(false);
        return used;
    }
    void PutOnClipboard(UINT format, HANDLE data) {
        ASSERT_TRUE(OpenClipboard(form().hWnd()));
        EmptyClipboard();
        if (data != nullptr) {
            SetClipboardData(format, data);
        }
        CloseClipboard();
    }
    void PutTextOnClipboard(const std::string& text) {
        HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
        memcpy(GlobalLockGuard(mem).data(), text.c_str(), text.size() + 1);
        PutOnClipboard(CF_TEXT, mem);
    }
    std::string ClipboardText() {
        std::string text;
        if (OpenClipboard(form().hWnd())) {
            if (HANDLE data = GetClipboardData(CF_TEXT)) {
                text = static_cast<const char*>(GlobalLockGuard(data).data());
            }
            CloseClipboard();
        }
        return text;
    }
};

TEST_F(EditTest, StatusShowsLineAndColumnOfTheSelectionStart) {
    form().SetText(kThreeLines);
    Select(0, 0);
    KeyUp();
    EXPECT_EQ(ColRow(), " Ln 1, Col 1 ");
    EXPECT_EQ(Sel(), "Sel: 0");
    Select(26, 26);  // after the first two characters of the third line
    KeyUp();
    EXPECT_EQ(ColRow(), " Ln 3, Col 3 ");
    Select(10, 10);  // end of a ten-character line, before its CR LF
    KeyUp();
    EXPECT_EQ(ColRow(), " Ln 1, Col 11 ");
    Select(12, 0);  // the whole first line with its line end, caret at the start
    KeyUp();
    EXPECT_EQ(ColRow(), " Ln 1, Col 1 ");
    EXPECT_EQ(Sel(), "Sel: 12");
    Select(27, 5);  // backwards over two line ends: still the first character's place
    KeyUp();
    EXPECT_EQ(ColRow(), " Ln 1, Col 6 ");
    EXPECT_EQ(Sel(), "Sel: 22");
}

TEST_F(EditTest, StatusChangesOnlyAtKeyOrMouseRelease) {
    form().SetText(kThreeLines);
    Select(0, 0);
    KeyUp();
    Select(14, 20);
    form().mnuDelete_Click();
    EXPECT_EQ(ColRow(), " Ln 1, Col 1 ") << "a menu command leaves the labels alone";
    SendMessageA(box(), WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(ColRow(), " Ln 2, Col 3 ");
    EXPECT_EQ(Sel(), "Sel: 0");
}

TEST_F(EditTest, EmptyDocumentDisablesTextCommands) {
    OpenMenu(1);
    for (int id : {mnuFindReplace, mnuCut, mnuCopy, mnuDelete, mnuLCase, mnuUCase, mnuUnReDo}) {
        EXPECT_FALSE(Enabled(id)) << id;
    }
    OpenMenu(0);
    EXPECT_FALSE(Enabled(mnuSave));
    for (int id : {mnuNew, mnuOpen, mnuSaveAs, mnuPrint, mnuExit, mnuSelectAll, mnuDateTime}) {
        EXPECT_TRUE(Enabled(id)) << id;
    }
}

TEST_F(EditTest, MenuStateFollowsTextSelectionAndChanges) {
    form().SetText(" ");
    OpenMenu(1);
    EXPECT_TRUE(Enabled(mnuFindReplace)) << "a single blank is text";
    EXPECT_FALSE(Enabled(mnuUnReDo));
    Select(0, 1);
    OpenMenu(1);
    for (int id : {mnuCut, mnuCopy, mnuDelete, mnuLCase, mnuUCase}) {
        EXPECT_TRUE(Enabled(id)) << id;
    }
    EXPECT_FALSE(Enabled(mnuSave));
    SendMessageA(box(), WM_CHAR, 'x', 0);
    OpenMenu(0);
    EXPECT_TRUE(Enabled(mnuSave));
    EXPECT_TRUE(Enabled(mnuUnReDo));
    EXPECT_FALSE(Enabled(mnuCut)) << "typing replaced the selection";
}

TEST_F(EditTest, PasteIsOfferedOnlyForNonEmptyClipboardText) {
    const auto bytes = [](const std::string& data) {
        HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, data.size());
        if (!data.empty()) {
            memcpy(GlobalLockGuard(mem).data(), data.data(), data.size());
        }
        return mem;
    };
    const struct {
        const char* what;
        UINT format;
        HANDLE data;
        bool enabled;
    } rows[] = {
        {"text", CF_TEXT, bytes("clip"), true},
        {"one character", CF_TEXT, bytes(std::string("x\0", 2)), true},
        {"empty text", CF_TEXT, bytes(std::string(1, '\0')), false},
        {"a NUL first, then more", CF_TEXT, bytes(std::string("\0abc\0", 5)), false},
        {"no bytes at all", CF_TEXT, bytes(""), false},
        {"a megabyte of text", CF_TEXT, bytes(std::string(1 << 20, 'm') + '\0'), true},
        {"Unicode text only", CF_UNICODETEXT,
         [] {
             HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, 2 * sizeof(wchar_t));
             memcpy(GlobalLockGuard(mem).data(), L"z", 2 * sizeof(wchar_t));
             return mem;
         }(),
         true},
        {"an image", CF_BITMAP, CreateBitmap(4, 4, 1, 1, nullptr), false},
    };
    for (const auto& row : rows) {
        PutOnClipboard(row.format, row.data);
        OpenMenu(1);
        EXPECT_EQ(Enabled(mnuPaste), row.enabled) << row.what;
    }
}

TEST_F(EditTest, EditCommandsWorkThroughTheTextBox) {
    form().SetText("hello world");
    Select(0, 5);
    form().mnuCopy_Click();
    EXPECT_EQ(ClipboardText(), "hello");
    EXPECT_FALSE(mdlCode::DocumentState.DocModified) << "copy changes no text";
    Select(11, 11);
    form().mnuPaste_Click();
    EXPECT_EQ(form().Text(), "hello worldhello");
    EXPECT_EQ(WindowText(form().hWnd()), "Untitled [*] - Quillet");
    Select(0, 6);
    form().mnuCut_Click();
    EXPECT_EQ(form().Text(), "worldhello");
    EXPECT_EQ(ClipboardText(), "hello ");
    form().mnuSelectAll_Click();
    DWORD start = 0, end = 0;
    SendMessageA(box(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 10u);
}

TEST_F(EditTest, DeleteIsUndoableAndUndoUndoesItself) {
    form().SetText("keep this");
    Select(4, 9);
    form().mnuDelete_Click();
    EXPECT_EQ(form().Text(), "keep");
    EXPECT_TRUE(mdlCode::DocumentState.DocModified);
    form().mnuUnReDo_Click();
    EXPECT_EQ(form().Text(), "keep this");
    form().mnuUnReDo_Click();
    EXPECT_EQ(form().Text(), "keep");
    // With nothing selected Delete removes nothing.
    Select(2, 2);
    form().mnuDelete_Click();
    EXPECT_EQ(form().Text(), "keep");
}

TEST_F(EditTest, ShortcutsFollowTheCurrentTextNotTheLastMenuOpening) {
    WriteFileBytes(dir / "notes.txt", "find me");
    mdlCode::ResetProcessState();
    mdlCode::Main(dir / "notes.txt");
    // The load happened after the window computed its menus: Ctrl+F must still work.
    EXPECT_TRUE(Shortcut('F', true));
    EXPECT_FALSE(Shortcut('S', true)) << "nothing to save";
    EXPECT_FALSE(Shortcut('F', false)) << "a plain letter is typing";
}

TEST_F(EditTest, ShortcutsNeedExactlyTheirOwnModifiers) {
    PutTextOnClipboard("clip");
    const struct {
        WPARAM key;
        bool ctrl, shift, runs;
    } cases[] = {
        {'C', true, false, true}, {'C', true, true, false},        {'X', true, true, false},
        {'V', true, true, false}, {kVkDelete, false, true, false}, {kVkDelete, false, false, true},
        {'A', true, true, false},
    };
    for (const auto& c : cases) {
        form().SetText("abcdef");
        Select(1, 3);
        EXPECT_EQ(Shortcut(c.key, c.ctrl, c.shift), c.runs)
            << "key " << c.key << " ctrl " << c.ctrl << " shift " << c.shift;
    }
}

TEST_F(EditTest, SelectAllCoversLineBreaks) {
    form().SetText(kThreeLines);
    form().mnuSelectAll_Click();
    DWORD start = 1;
    DWORD end = 0;
    SendMessageA(box(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, static_cast<DWORD>(strlen(kThreeLines)));
}

TEST_F(EditTest, DelDeletesASelectionAndOtherwiseFallsToTheTextBox) {
    form().SetText("abcdef");
    Select(1, 3);
    EXPECT_TRUE(Shortcut(kVkDelete, false));
    EXPECT_EQ(form().Text(), "adef");
    form().mnuUnReDo_Click();
    EXPECT_EQ(form().Text(), "abcdef") << "the deletion is an undoable edit";
    Select(2, 2);
    EXPECT_FALSE(Shortcut(kVkDelete, false)) << "the text box's own forward delete runs";
}

}  // namespace
