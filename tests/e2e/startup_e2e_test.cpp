// The real editor started as a user starts it, seen from outside its process.
#include <gtest/gtest.h>

#include "probe.h"

namespace {

std::string ScratchFile(const std::string& name, const std::string& bytes) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "quillet e2e";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string path = folder + "\\" + name;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return path;
}

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

}  // namespace
