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

}  // namespace
