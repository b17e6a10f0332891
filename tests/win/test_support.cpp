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
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, 0, nullptr));
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

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    UniqueFind search(FindFirstFileA((folder + "\\*").c_str(), &found));
    if (search.get() == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    } while (FindNextFileA(search.get(), &found));
    return names;
}

std::string HostPath(const std::string& path) {
    using ToUnix = char*(CDECL*)(const wchar_t*);
    const auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    const std::wstring wide = WideFromAnsi(path);
    char* unixPath = toUnix != nullptr ? toUnix(wide.c_str()) : nullptr;
    const std::string result = unixPath != nullptr ? unixPath : "";
    HeapFree(GetProcessHeap(), 0, unixPath);
    return result;
}

void StartHost(const std::string& command) {
    std::string line = "/bin/sh -c \"" + command + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &si, &pi));
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

bool RunOnHost(const std::string& command, std::string* output) {
    static int counter = 0;
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string name =
        "quillet-host-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
    const std::string out = std::string(temp) + name + ".out";
    const std::string host = HostPath(temp) + "/" + name;
    // The status is written last, once the output is complete.
    StartHost("(" + command + ") >'" + host + ".out' 2>&1; echo $? >'" + host + ".tmp'; mv '" +
              host + ".tmp' '" + host + ".done'");
    const std::string status = WaitForFile(std::string(temp) + name + ".done");
    if (output != nullptr) {
        *output = FileExists(out) ? ReadFileBytes(out) : "";
    }
    DeleteFileA(out.c_str());
    DeleteFileA((std::string(temp) + name + ".done").c_str());
    return status == "0\n";
}

std::string WaitForFile(const std::string& path) {
    for (int i = 0; i < 200 && GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) {
        Sleep(50);
    }
    Sleep(50);
    return FileExists(path) ? ReadFileBytes(path) : "<nothing>";
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
