// The Find/Replace dialog of the real editor, opened and driven with real keys.
#include <gtest/gtest.h>

#include "probe.h"

namespace {

// A dialog box of the process with the caption, or a message box with the text.
HWND DialogOf(DWORD pid, const std::string& caption, const std::string& message = "") {
    for (HWND w : TopWindowsOf(pid, "#32770")) {
        if (TextOf(w) == caption && (message.empty() || MessageBoxText(w) == message)) {
            return w;
        }
    }
    return nullptr;
}

// The selection of the document text box, as "start-end".
std::string DocSelection(HWND main) {
    const auto sel = static_cast<DWORD>(SendMessageA(GetDlgItem(main, 1), EM_GETSEL, 0, 0));
    return std::to_string(LOWORD(sel)) + "-" + std::to_string(HIWORD(sel));
}

TEST(FindE2E, CtrlFSearchesWithEnterUpToTheRegionMessage) {
    const std::string path = ScratchFile("find.txt", "one two\r\nOne");
    QuilletProcess editor(path);
    HWND main = editor.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    FocusWindow(main);
    TypeKey('F', true);
    HWND find = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (find = DialogOf(editor.pid(), "Find/Replace")); }));
    TypeText("one");
    TypeKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return DocSelection(main) == "0-3"; })) << DocSelection(main);
    TypeKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return DocSelection(main) == "9-12"; })) << DocSelection(main);
    TypeKey(VK_RETURN);
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        return (box = DialogOf(editor.pid(), "Quillet", "The specified region has been searched."));
    }));
    ClickButton(box, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
    TypeKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(find); }));
    EXPECT_EQ(editor.Caption(), "find.txt - Quillet");
}

}  // namespace
