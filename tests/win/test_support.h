#pragma once
// Shared helpers of the Windows tests: a scratch folder and real files in it, the
// message pump, and a fixture that gives each test a fresh process state.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "fake_platform.h"

class frmMain;

// A new empty folder under the temporary folder, removed with everything in it.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

void WriteFileBytes(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);

// The names in a folder, "." and ".." left out, in the order the system lists them.
std::vector<std::string> FolderEntries(const std::string& folder);

// Under Wine: the host's own path of a Windows path, and host shell commands.
std::string HostPath(const std::string& path);
// Starts a command without waiting for it.
void StartHost(const std::string& command);
// Runs a command to its end; true when it succeeded. Its output (with its errors) goes
// to `output` when given.
bool RunOnHost(const std::string& command, std::string* output = nullptr);
// Waits up to 10 s for a file to appear; its content, or "<nothing>".
std::string WaitForFile(const std::string& path);

// The first of the texts the ANSI code page holds whole, in that code page (empty when
// it holds none of them): the multi-byte cases take their characters from the code page
// under test.
std::string HeldText(std::initializer_list<std::wstring_view> candidates);

// Handles what is waiting in this thread's queue (a WM_QUIT left by a closed main
// window included, which is dropped).
void PumpMessages();

// Sets the shift state that key events see: 1 Shift, 2 Ctrl, 4 Alt.
void SetShiftState(int shift);

// Each test starts as a fresh process: the fake platform installed, no main window,
// no dialog object, a clean document state, and the current folder put back after.
class ProcessTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    FakePlatform ui;
    ScratchDir dir;

private:
    std::string savedCurrentDir_;
};

// A fresh process whose start-up ran without a file: the empty main window, its text
// box and a way to select in it.
class WindowTest : public ProcessTest {
protected:
    void SetUp() override;
    frmMain& form();
    HWND box();
    void Select(int start, int end);
};
