// System DLLs loaded at first use: a DLL or function that can't be had is no crash.
#include <gtest/gtest.h>

#include <windows.h>
#include <commdlg.h>

#include <string>

#include "platform/lazy_dll.h"
#include "test_support.h"

namespace {

TEST(LazyProc, FindsSystemFunctionsAndAnswersNullForMissingOnes) {
    LazyProc<decltype(GetOpenFileNameA)> open("comdlg32.dll", "GetOpenFileNameA");
    EXPECT_NE(open.Get(), nullptr);
    LazyProc<int()> noDll("quillet-no-such.dll", "Anything");
    EXPECT_EQ(noDll.Get(), nullptr);
    EXPECT_EQ(noDll.Get(), nullptr) << "asked again, still no crash";
    LazyProc<int()> noFunction("comdlg32.dll", "NoSuchFunction");
    EXPECT_EQ(noFunction.Get(), nullptr);
}

// A DLL in the current folder is never found by name once the search leaves that folder
// out: a file there that isn't a program at all shows whether it was looked at.
TEST(LazyProc, ADllInTheCurrentFolderIsNotFound) {
    const ScratchDir dir;
    WriteFileBytes(dir / "quillet_planted.dll", "MZ not a program");
    char saved[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, saved);
    ASSERT_TRUE(SetCurrentDirectoryA(dir.path().c_str()));
    KeepDllSearchOutOfTheCurrentFolder();
    const struct {
        std::string name;
        bool found;
    } rows[] = {{"quillet_planted.dll", false}, {dir / "quillet_planted.dll", true}};
    for (const auto& row : rows) {
        SetLastError(0);
        EXPECT_EQ(LoadLibraryA(row.name.c_str()), nullptr);
        EXPECT_EQ(GetLastError() != ERROR_MOD_NOT_FOUND, row.found)
            << row.name << " " << GetLastError();
    }
    SetCurrentDirectoryA(saved);
}

}  // namespace
