#include "test_support.h"

#include <vector>

#include "app/mdlCode.h"
#include "platform/win32_util.h"
#include "ui/main/frmMain.h"

namespace {

void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA found{};
    UniqueFind search(FindFirstFileA((path + "\\*").c_str(), &found));
    if (search.get() != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            const std::string child = path + "\\" + name;
            SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(search.get(), &found));
    }
    RemoveDirectoryA(path.c_str());
}

}  // namespace

ScratchDir::ScratchDir() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    static int counter = 0;
    path_ = std::string(temp) + "quillet-test-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++counter);
    CreateDirectoryA(path_.c_str(), nullptr);
}

ScratchDir::~ScratchDir() {
    RemoveTree(path_);
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_NE(file.get(), INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    ASSERT_TRUE(
        WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    ASSERT_EQ(written, bytes.size());
}

std::string ReadFileBytes(const std::string& path) {
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        ADD_FAILURE() << "can't read " << path;
        return "";
    }
    std::string bytes(GetFileSize(file.get(), nullptr), '\0');
    DWORD read = 0;
    ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    bytes.resize(read);
    return bytes;
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void PumpMessages() {
    MSG msg{};
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void SetShiftState(int shift) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = (shift & 1) ? 0x80 : 0;
    keys[VK_CONTROL] = (shift & 2) ? 0x80 : 0;
    keys[VK_MENU] = (shift & 4) ? 0x80 : 0;
    SetKeyboardState(keys);
}

void ProcessTest::SetUp() {
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, current);
    savedCurrentDir_ = current;
    mdlCode::SetPlatform(ui);
    mdlCode::ResetProcessState();
}

void ProcessTest::TearDown() {
    mdlCode::ResetProcessState();
    PumpMessages();
    SetCurrentDirectoryA(savedCurrentDir_.c_str());
}

void WindowTest::SetUp() {
    ProcessTest::SetUp();
    mdlCode::Main("");
}

frmMain& WindowTest::form() {
    return mdlCode::MainForm();
}

HWND WindowTest::box() {
    return form().txtDoc();
}

void WindowTest::Select(int start, int end) {
    SendMessageA(box(), EM_SETSEL, start, end);
}

std::string HeldText(std::initializer_list<std::wstring_view> candidates) {
    for (const std::wstring_view wide : candidates) {
        const std::string ansi = AnsiFromWide(wide.data(), wide.size());
        if (WideFromAnsi(ansi) == wide) {
            return ansi;
        }
    }
    return "";
}
