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

// Under a multi-byte code page (double-byte, or UTF-8 with characters of two and four
// bytes in front): Ctrl+A, Ctrl+U and Ctrl+S keep every character, and Find selects the
// letter after a katakana, never its trail byte, so a key typed over it replaces it
// alone.
TEST(FindE2E, DbcsCaseAndFindKeepCharactersWhole) {
    CPINFO info{};
    if (!GetCPInfo(CP_ACP, &info) || info.MaxCharSize < 2) {
        GTEST_SKIP() << "runs under a multi-byte code page";
    }
    const std::wstring front = GetACP() == CP_UTF8 ? L"\xE9\xD83D\xDE00 " : L"";
    const std::wstring frontUpper = GetACP() == CP_UTF8 ? L"\xC9\xD83D\xDE00 " : L"";
    const auto ansi = [](const std::wstring& text) {
        char bytes[64] = {};
        return std::string(
            bytes, static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, bytes,
                                                           sizeof bytes, nullptr, nullptr)) -
                       1);
    };
    const std::string path =
        ScratchFile("dbcs.txt", ansi(front + L"\xFF41\xFF42\xFF43 abc \x30A2"));
    QuilletProcess editor(path);
    HWND main = editor.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    FocusWindow(main);
    TypeKey('A', true);
    TypeKey('U', true);
    TypeKey('S', true);
    const std::string upper = ansi(frontUpper + L"\xFF21\xFF22\xFF23 ABC \x30A2");
    EXPECT_TRUE(WaitUntil([&] { return FileBytes(path) == upper; })) << FileBytes(path);

    TypeKey(VK_HOME, true);
    TypeKey('F', true);
    HWND find = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (find = DialogOf(editor.pid(), "Find/Replace")); }));
    TypeText("a");
    TypeKey(VK_RETURN);
    // "A" of "ABC" is the fifth character, the eighth byte: the box counts either way
    // (under UTF-8 it counts the emoji's two UTF-16 units).
    const size_t at = front.size() + 4;
    const std::string chars = std::to_string(at) + "-" + std::to_string(at + 1);
    const std::string bytes =
        std::to_string(upper.find(" ABC") + 1) + "-" + std::to_string(upper.find(" ABC") + 2);
    EXPECT_TRUE(WaitUntil([&] {
        const std::string sel = DocSelection(main);
        return sel == chars || (front.empty() && sel == bytes);
    })) << DocSelection(main);
    TypeKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(find); }));
    TypeText("z");
    TypeKey('S', true);
    const std::string typed = ansi(frontUpper + L"\xFF21\xFF22\xFF23 zBC \x30A2");
    EXPECT_TRUE(WaitUntil([&] { return FileBytes(path) == typed; })) << FileBytes(path);
}

}  // namespace
