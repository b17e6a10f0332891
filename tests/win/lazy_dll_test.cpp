// System DLLs loaded at first use: a DLL or function that can't be had is no crash.
#include <gtest/gtest.h>

#include <windows.h>
#include <commdlg.h>

#include "platform/lazy_dll.h"

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

}  // namespace
