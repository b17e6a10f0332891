// The real editor started as a user starts it, seen from outside its process.
#include <gtest/gtest.h>

#include "probe.h"

namespace {

TEST(StartupE2E, WithoutArgumentsAnEmptyUntitledWindowOpens) {
    QuilletProcess editor;
    ASSERT_NE(editor.WaitForMainWindow(), nullptr);
    EXPECT_EQ(editor.Caption(), "Untitled - Quillet");
    EXPECT_EQ(editor.DocText(), "");
    EXPECT_EQ(editor.ColRow(), " Ln 1, Col 1 ");
    EXPECT_EQ(editor.Selection(), "Sel: 0");
}

TEST(StartupE2E, AFileWithBlanksInItsPathOpensAndTypingMarksIt) {
    const std::string path = ScratchFile("notes.txt", "abc\r\ndef");
    // Unquoted: the whole rest of the command line is the path.
    QuilletProcess editor(path);
    HWND main = editor.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(editor.Caption(), "notes.txt - Quillet");
    EXPECT_EQ(editor.DocText(), "abc\r\ndef");

    FocusWindow(main);
    TypeKey(VK_END);
    TypeText("x");
    ASSERT_TRUE(WaitUntil([&] { return editor.Caption() == "notes.txt [*] - Quillet"; }))
        << editor.Caption();
    EXPECT_EQ(editor.DocText(), "abcx\r\ndef");
    EXPECT_TRUE(WaitUntil([&] { return editor.ColRow() == " Ln 1, Col 5 "; })) << editor.ColRow();
}

TEST(StartupE2E, AMissingFileIsReportedBeforeTheWindowOpens) {
    QuilletProcess editor("\"C:\\no such folder\\x.txt\"");
    HWND box = editor.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), "File 'C:\\no such folder\\x.txt' not found.");
    EXPECT_EQ(TextOf(box), "Quillet");
    ClickButton(box, IDOK);
    ASSERT_NE(editor.WaitForMainWindow(), nullptr);
    EXPECT_EQ(editor.Caption(), "Untitled - Quillet");
}

// Started with a name the code page can't hold beside its best-fit look-alike: the
// editor says so and opens neither.
TEST(StartupE2E, ANameOutsideTheCodePageOpensNoLookAlike) {
    const std::string lookAlike = ScratchFile("ABC.txt", "look-alike");
    const std::string folder = lookAlike.substr(0, lookAlike.find_last_of('\\'));
    std::wstring chosen(folder.begin(), folder.end());
    chosen += L"\\\u0100B\u010C.txt";
    BOOL usedDefault = FALSE;
    char ansi[MAX_PATH] = {};
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, chosen.c_str(), -1, ansi, MAX_PATH, nullptr,
                        &usedDefault);
    if (!usedDefault) {
        GTEST_SKIP() << "the code page holds the name";
    }
    HANDLE file = CreateFileW(chosen.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, "chosen", 6, &written, nullptr);
    CloseHandle(file);
    {
        QuilletProcess editor(L"\"" + chosen + L"\"");
        HWND box = editor.WaitForMessageBox();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(MessageBoxText(box),
                  "The file name on the command line has characters that the current code page "
                  "can't hold.");
        ClickButton(box, IDOK);
        ASSERT_NE(editor.WaitForMainWindow(), nullptr);
        EXPECT_EQ(editor.Caption(), "Untitled - Quillet");
        EXPECT_EQ(editor.DocText(), "");
    }
    EXPECT_EQ(FileBytes(lookAlike), "look-alike");
    EXPECT_TRUE(DeleteFileW(chosen.c_str()));
}

}  // namespace
