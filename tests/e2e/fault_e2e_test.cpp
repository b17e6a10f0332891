// Saves of the real editor while another program holds the file: refused while the
// holder shares only reading, written while it shares writing too.
#include <gtest/gtest.h>

#include "probe.h"

namespace {

TEST(FaultE2E, AFileHeldByAnotherProgramIsSavedWhenItSharesWriting) {
    const std::string path = ScratchFile("held.txt", "old bytes");
    QuilletProcess editor(path);
    HWND main = editor.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    FocusWindow(main);
    TypeText("new ");
    ASSERT_TRUE(WaitUntil([&] { return editor.Caption() == "held.txt [*] - Quillet"; }));
    {
        // This program keeps the file open without letting it be written.
        HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
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
    EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "copy left: " << found.cFileName;
    if (search != INVALID_HANDLE_VALUE) {
        FindClose(search);
    }
    EXPECT_EQ(editor.Caption(), "held.txt [*] - Quillet");

    // Held as viewers hold files, sharing reading and writing: the save goes through.
    HANDLE viewer = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(viewer, INVALID_HANDLE_VALUE);
    FocusWindow(main);
    TypeText("x");
    TypeKey('S', true);
    EXPECT_TRUE(WaitUntil([&] { return editor.Caption() == "held.txt - Quillet"; }))
        << editor.Caption();
    CloseHandle(viewer);
    EXPECT_EQ(FileBytes(path), "new xold bytes");
}

}  // namespace
