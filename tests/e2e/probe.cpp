#include "probe.h"

#include <gtest/gtest.h>

#include "tests/tools/test_host.h"
#include "ui/main/frmMain.h"

namespace {

struct Search {
    DWORD pid;
    std::string className;
    std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    char cls[64] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (pid == search->pid && search->className == cls && IsWindowVisible(hwnd)) {
        search->found.push_back(hwnd);
    }
    return TRUE;
}

}  // namespace

std::string ScratchFile(const std::string& name, const std::string& bytes) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "quillet e2e";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string path = folder + "\\" + name;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return path;
}

std::string RunHostCommand(const std::string& command, DWORD timeoutMs) {
    // Host programs don't write into Windows pipes: the output goes through a file,
    // renamed when complete.
    const std::string base = "/tmp/quillet-e2e-" + std::to_string(GetCurrentProcessId());
    std::string done = "Z:" + base + ".out";
    for (char& c : done) {
        if (c == '/') {
            c = '\\';
        }
    }
    DeleteFileA(done.c_str());
    std::string line = "/bin/sh -c \"(" + command + ") > " + base + ".part 2>&1; mv " + base +
                       ".part " + base + ".out\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::vector<char> buffer(line.begin(), line.end());
    buffer.push_back('\0');
    if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi)) {
        return "<can't start the host shell>";
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    if (!WaitUntil([&] { return GetFileAttributesA(done.c_str()) != INVALID_FILE_ATTRIBUTES; },
                   timeoutMs)) {
        return "<timed out>";
    }
    std::string out = FileBytes(done);
    DeleteFileA(done.c_str());
    return out;
}

std::vector<HWND> AllMainWindows() {
    std::vector<HWND> found;
    HWND w = nullptr;
    while ((w = FindWindowExA(nullptr, w, "QuilletMain", nullptr)) != nullptr) {
        if (IsWindowVisible(w)) {
            found.push_back(w);
        }
    }
    return found;
}

HWND WaitForOtherMainWindow(const std::string& caption, HWND except, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND w : AllMainWindows()) {
                if (w != except && TextOf(w) == caption) {
                    found = w;
                }
            }
            return found != nullptr;
        },
        timeoutMs);
    return found;
}

void AnswerFileDialog(HWND dialog, const std::string& path) {
    // The name box: a combo box in the explorer-style dialog, an edit in the old one.
    constexpr int kNameCombo = 0x47C;
    constexpr int kNameEdit = 0x480;
    HWND name = GetDlgItem(dialog, kNameCombo);
    if (name == nullptr) {
        name = GetDlgItem(dialog, kNameEdit);
    }
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

std::vector<HWND> TopWindowsOf(DWORD pid, const std::string& className) {
    Search search{pid, className, {}};
    EnumWindows(&Collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string TextOf(HWND hwnd) {
    char buffer[70000] = {};
    const LRESULT n =
        SendMessageA(hwnd, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return std::string(buffer, static_cast<size_t>(n));
}

std::string MessageBoxText(HWND box) {
    return TextOf(GetDlgItem(box, 0xFFFF));
}

void ClickButton(HWND dialog, int id) {
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

QuilletProcess::QuilletProcess(const std::string& arguments) {
    std::string line = "\"" + ExeFolder() + "\\" QUILLET_EXE "\"";
    if (!arguments.empty()) {
        line += " " + arguments;
    }
    STARTUPINFOA si{};
    si.cb = sizeof si;
    std::vector<char> buffer(line.begin(), line.end());
    buffer.push_back('\0');
    if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi_)) {
        ADD_FAILURE() << "can't start " << line << ": " << GetLastError();
    }
}

QuilletProcess::QuilletProcess(const std::wstring& arguments) {
    const std::string folder = ExeFolder();
    std::wstring line(folder.size() + 1, L'\0');
    line.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, line.data(),
                                                        static_cast<int>(line.size())) -
                                    1));
    line = L"\"" + line + L"\\" QUILLET_EXE L"\" " + arguments;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    std::vector<wchar_t> buffer(line.begin(), line.end());
    buffer.push_back(L'\0');
    if (!CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi_)) {
        ADD_FAILURE() << "can't start the editor: " << GetLastError();
    }
}

QuilletProcess::~QuilletProcess() {
    if (pi_.hProcess == nullptr) {
        return;
    }
    if (!Exited()) {
        for (HWND box : TopWindowsOf(pid(), "#32770")) {
            ClickButton(box, IDNO);
            ClickButton(box, IDOK);
        }
        if (HWND main = MainWindow()) {
            PostMessageA(main, WM_CLOSE, 0, 0);
        }
        // A closing question: don't save.
        WaitUntil(
            [&] {
                for (HWND box : TopWindowsOf(pid(), "#32770")) {
                    ClickButton(box, IDNO);
                }
                return Exited();
            },
            5000);
    }
    if (!Exited()) {
        TerminateProcess(pi_.hProcess, 1);
        WaitForSingleObject(pi_.hProcess, 5000);
    }
    CloseHandle(pi_.hThread);
    CloseHandle(pi_.hProcess);
}

bool QuilletProcess::Exited(DWORD waitMs) const {
    return WaitForSingleObject(pi_.hProcess, waitMs) == WAIT_OBJECT_0;
}

HWND QuilletProcess::MainWindow() const {
    const std::vector<HWND> windows = TopWindowsOf(pid(), "QuilletMain");
    return windows.empty() ? nullptr : windows.front();
}

HWND QuilletProcess::WaitForMainWindow(DWORD timeoutMs) const {
    HWND found = nullptr;
    WaitUntil([&] { return (found = MainWindow()) != nullptr; }, timeoutMs);
    return found;
}

HWND QuilletProcess::WaitForMessageBox(DWORD timeoutMs) const {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            const std::vector<HWND> boxes = TopWindowsOf(pid(), "#32770");
            found = boxes.empty() ? nullptr : boxes.front();
            return found != nullptr;
        },
        timeoutMs);
    return found;
}

std::string QuilletProcess::Caption() const {
    return TextOf(MainWindow());
}
std::string QuilletProcess::DocText() const {
    return TextOf(GetDlgItem(MainWindow(), frmMain::kTxtDocId));
}
std::string QuilletProcess::ColRow() const {
    return TextOf(GetDlgItem(MainWindow(), frmMain::kLblColRowId));
}
std::string QuilletProcess::Selection() const {
    return TextOf(GetDlgItem(MainWindow(), frmMain::kLblSelectionId));
}

void FocusWindow(HWND hwnd) {
    SetForegroundWindow(hwnd);
    WaitUntil([&] { return GetForegroundWindow() == hwnd; }, 3000);
}

void TypeKey(WORD vk, bool ctrl, bool shift, DWORD pauseMs) {
    std::vector<INPUT> inputs;
    const auto key = [&](WORD code, bool up) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = code;
        in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(code, MAPVK_VK_TO_VSC));
        in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(in);
    };
    if (ctrl)
        key(VK_CONTROL, false);
    if (shift)
        key(VK_SHIFT, false);
    key(vk, false);
    key(vk, true);
    if (shift)
        key(VK_SHIFT, true);
    if (ctrl)
        key(VK_CONTROL, true);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Sleep(pauseMs);
}

void TypeText(const std::string& text) {
    for (char c : text) {
        const SHORT vk = VkKeyScanA(c);
        TypeKey(LOBYTE(vk), (HIBYTE(vk) & 2) != 0, (HIBYTE(vk) & 1) != 0);
    }
}
