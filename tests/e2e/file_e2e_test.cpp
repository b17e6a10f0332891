// The File and Edit commands of the real editor, driven with real keys and answered
// in its real dialogs and message boxes.
#include <gtest/gtest.h>

#include "probe.h"
#include "tests/tools/test_host.h"

namespace {

// The main window of a fresh editor with "draft" typed into it; null if that failed.
HWND DraftWindow(const QuilletProcess& editor) {
    HWND main = editor.WaitForMainWindow();
    if (main != nullptr) {
        FocusWindow(main);
        TypeText("draft");
        if (!WaitUntil([&] { return editor.Caption() == "Untitled [*] - Quillet"; })) {
            return nullptr;
        }
    }
    return main;
}

TEST(FileE2E, TypedTextIsSavedWithCtrlSThroughTheSaveDialog) {
    const std::string path = ScratchFile("typed.txt", "");
    DeleteFileA(path.c_str());
    QuilletProcess editor;
    HWND main = editor.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    FocusWindow(main);
    TypeText("hello");
    TypeKey(VK_RETURN);
    TypeText("world");
    ASSERT_TRUE(WaitUntil([&] { return editor.DocText() == "hello\r\nworld"; }))
        << editor.DocText();
    TypeKey('S', true);
    HWND dialog = editor.WaitForMessageBox();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(TextOf(dialog), "Save file as");
    AnswerFileDialog(dialog, path);
    ASSERT_TRUE(WaitUntil([&] { return editor.Caption() == "typed.txt - Quillet"; }))
        << editor.Caption();
    EXPECT_EQ(FileBytes(path), "hello\r\nworld");
}

TEST(FileE2E, SaveAsOverAnExistingFileAsksAndNoKeepsIt) {
    const std::string other = ScratchFile("precious.txt", "precious bytes");
    QuilletProcess editor;
    HWND main = DraftWindow(editor);
    ASSERT_NE(main, nullptr);
    TypeKey('S', true);
    HWND dialog = editor.WaitForMessageBox();
    ASSERT_NE(dialog, nullptr);
    AnswerFileDialog(dialog, other);
    // The system's question comes up over the still open dialog.
    HWND question = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        for (HWND w : TopWindowsOf(editor.pid(), "#32770")) {
            if (w != dialog) {
                question = w;
            }
        }
        return question != nullptr;
    }));
    ClickButton(question, IDNO);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(question); }));
    ClickButton(dialog, IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
    EXPECT_EQ(FileBytes(other), "precious bytes");
    EXPECT_EQ(editor.Caption(), "Untitled [*] - Quillet");
}

TEST(FileE2E, OpenIntoABusyWindowOpensASecondWindowWithTheFile) {
    const std::string mine = ScratchFile("mine.txt", "mine");
    const std::string other = ScratchFile("the other one.txt", "other text");
    QuilletProcess editor(mine);
    HWND main = editor.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    FocusWindow(main);
    TypeKey('O', true);
    HWND dialog = editor.WaitForMessageBox();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(TextOf(dialog), "Open file");
    AnswerFileDialog(dialog, other);

    HWND second = WaitForOtherMainWindow("the other one.txt - Quillet", main);
    ASSERT_NE(second, nullptr) << "no second window";
    EXPECT_EQ(TextOf(GetDlgItem(second, 1)), "other text");
    EXPECT_EQ(editor.Caption(), "mine.txt - Quillet");
    EXPECT_EQ(editor.DocText(), "mine");
    DWORD secondPid = 0;
    GetWindowThreadProcessId(second, &secondPid);
    EXPECT_NE(secondPid, editor.pid());
    PostMessageA(second, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(second); }));
}

TEST(FileE2E, NewOpensAnotherEmptyWindowAndKeepsThisOne) {
    const std::string path = ScratchFile("kept.txt", "kept");
    QuilletProcess editor(path);
    HWND main = editor.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    const size_t before = AllMainWindows().size();
    FocusWindow(main);
    TypeKey('N', true);
    HWND second = WaitForOtherMainWindow("Untitled - Quillet", main);
    ASSERT_NE(second, nullptr) << "no new window";
    EXPECT_EQ(AllMainWindows().size(), before + 1);
    EXPECT_EQ(editor.Caption(), "kept.txt - Quillet");
    PostMessageA(second, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(second); }));
}

TEST(FileE2E, ClosingAChangedDocumentAsksAndCancelKeepsIt) {
    QuilletProcess editor;
    HWND main = DraftWindow(editor);
    ASSERT_NE(main, nullptr);
    PostMessageA(main, WM_CLOSE, 0, 0);
    HWND box = editor.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), "Save changes to 'Untitled'?");
    ClickButton(box, IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return TopWindowsOf(editor.pid(), "#32770").empty(); }));
    EXPECT_FALSE(editor.Exited(300));
    EXPECT_EQ(editor.DocText(), "draft");

    PostMessageA(main, WM_CLOSE, 0, 0);
    box = editor.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    ClickButton(box, IDNO);
    EXPECT_TRUE(editor.Exited(5000));
}

TEST(EditE2E, CtrlCPutsTheSelectionOnTheSystemClipboard) {
    if (!UnderWine()) {
        GTEST_SKIP() << "reads the X clipboard of the machine Wine runs on";
    }
    const std::string path = ScratchFile("clip.txt", "copy me\r\nand me");
    QuilletProcess editor(path);
    HWND main = editor.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    FocusWindow(main);
    TypeKey('A', true);
    TypeKey('C', true);
    // The X side of the clipboard, as any other desktop program sees it.
    std::string pasted;
    EXPECT_TRUE(WaitUntil([&] {
        pasted = RunHostCommand("xclip -o -selection clipboard");
        return pasted == "copy me\nand me" || pasted == "copy me\r\nand me";
    })) << pasted;
}

TEST(EditE2E, DelDeletesForwardWithoutASelectionAndTheSelectionWithOne) {
    const std::string path = ScratchFile("del.txt", "abcdef");
    QuilletProcess editor(path);
    HWND main = editor.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    FocusWindow(main);
    TypeKey(VK_HOME);
    TypeKey(VK_DELETE);
    ASSERT_TRUE(WaitUntil([&] { return editor.DocText() == "bcdef"; })) << editor.DocText();
    // At the other end, so the text box's undo doesn't merge the two deletions.
    TypeKey(VK_END);
    TypeKey(VK_LEFT, false, true);
    TypeKey(VK_LEFT, false, true);
    TypeKey(VK_DELETE);
    ASSERT_TRUE(WaitUntil([&] { return editor.DocText() == "bcd"; })) << editor.DocText();
    TypeKey('Z', true);
    EXPECT_TRUE(WaitUntil([&] { return editor.DocText() == "bcdef"; }));
    EXPECT_EQ(editor.DocText(), "bcdef");
}

}  // namespace
