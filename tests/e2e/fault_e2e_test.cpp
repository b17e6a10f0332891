// A save the real editor can't complete because another program holds the file.
#include <gtest/gtest.h>

#include "probe.h"

namespace {

TEST(FaultE2E, ASaveOverAFileHeldByAnotherProgramFailsAndTheEditorGoesOn) {
    const std::string path = ScratchFile("held.txt", "old bytes");
    QuilletProcess editor(path);
    HWND main = editor.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    FocusWindow(main);
    TypeText("new ");
    ASSERT_TRUE(WaitUntil([&] { return editor.Caption() == "held.txt [*] - Quillet"; }));
    {
        // This program keeps the file open without letting it be replaced.
        HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(holder, INVALID_HANDLE_VALUE);
        TypeKey('S', true);
        HWND box = editor.WaitForMessageBox();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(MessageBoxText(box).rfind("Error #", 0), 0u) << MessageBoxText(box);
        ClickButton(box, IDOK);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
        CloseHandle(holder);
    }
    EXPECT_EQ(FileBytes(path), "old bytes");
    const std::string folder = path.substr(0, path.find_last_of('\\'));
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder + "\\~q*").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "temporary file left: " << found.cFileName;
    if (search != INVALID_HANDLE_VALUE) {
        FindClose(search);
    }
    EXPECT_EQ(editor.Caption(), "held.txt [*] - Quillet");

    // Let go: the editor types and saves as before.
    FocusWindow(main);
    TypeText("x");
    TypeKey('S', true);
    EXPECT_TRUE(WaitUntil([&] { return editor.Caption() == "held.txt - Quillet"; }))
        << editor.Caption();
    EXPECT_EQ(FileBytes(path), "new xold bytes");
}

}  // namespace
