// Puts real documents through the real editor: for each file of a list it starts
// quillet.exe with a copy of the file on its command line, types a character, takes it
// back with Ctrl+Z, saves with Ctrl+S, closes the window and compares the saved copy
// with the original byte for byte.
//
//   real_files.exe <list>    each line: <copy path> TAB <original path>
//
// Prints one line per file that did not come back identical, then the totals.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "../e2e/probe.h"
#include "ui/main/frmMain.h"

namespace {

constexpr DWORD kStepMs = 15000;
constexpr const char* kDiffer = "saved bytes differ";

// Each step of a file waits up to kStepMs, looking often: most files take milliseconds.
template <typename F>
bool WaitStep(F condition) {
    return WaitUntil(condition, kStepMs, 20);
}

void PutBack(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

struct Windows {
    DWORD pid;
    HWND main = nullptr;
    HWND box = nullptr;  // a message box, if one is up
};

BOOL CALLBACK Collect(HWND hwnd, LPARAM lParam) {
    auto* found = reinterpret_cast<Windows*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    char cls[64] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (pid == found->pid && IsWindowVisible(hwnd)) {
        if (std::string(cls) == "QuilletMain") {
            found->main = hwnd;
        } else if (std::string(cls) == "#32770") {
            found->box = hwnd;
        }
    }
    return TRUE;
}

Windows WindowsOf(DWORD pid) {
    Windows found{pid};
    EnumWindows(&Collect, reinterpret_cast<LPARAM>(&found));
    return found;
}

// The editor's keyboard focus, seen from outside its thread.
HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

bool Marked(HWND main) {
    return TextOf(main).find(" [*] - Quillet") != std::string::npos;
}

// One file through one editor process; an empty result means it came back identical.
std::string RoundTrip(const std::string& exe, const std::string& copy,
                      const std::string& original) {
    const std::string expected = FileBytes(original);
    std::string line = "\"" + exe + "\" \"" + copy + "\"";
    std::vector<char> buffer(line.begin(), line.end());
    buffer.push_back('\0');
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi)) {
        return "can't start the editor: error " + std::to_string(GetLastError());
    }
    std::string failure;
    const auto step = [&](bool ok, const char* what) {
        if (!ok && failure.empty()) {
            const Windows w = WindowsOf(pi.dwProcessId);
            failure = what;
            if (w.box != nullptr) {
                failure += " (message: " + TextOf(GetDlgItem(w.box, 0xFFFF)) + ")";
            }
        }
        return failure.empty();
    };
    HWND main = nullptr;
    HWND doc = nullptr;
    std::string loaded;
    if (step(WaitStep([&] { return (main = WindowsOf(pi.dwProcessId).main) != nullptr; }),
             "no window") &&
        step(TextOf(main).find(" - Quillet") != std::string::npos && !Marked(main) &&
                 WindowsOf(pi.dwProcessId).box == nullptr,
             "not loaded")) {
        doc = GetDlgItem(main, frmMain::kTxtDocId);
        loaded = TextOf(doc);
        SetForegroundWindow(main);
        step(WaitStep([&] { return FocusOf(main) == doc; }), "no focus");
    }
    if (failure.empty()) {
        TypeKey('X', false, false, 0);  // no pause: thousands of files go through
        step(WaitStep([&] { return Marked(main) && TextOf(doc) != loaded; }), "edit not seen");
    }
    if (failure.empty()) {
        TypeKey('Z', true, false, 0);
        // The length first: reading the whole text often keeps the editor busy.
        step(WaitStep([&] {
                 return SendMessageA(doc, WM_GETTEXTLENGTH, 0, 0) ==
                            static_cast<LRESULT>(loaded.size()) &&
                        TextOf(doc) == loaded;
             }),
             "undo not seen");
    }
    if (failure.empty()) {
        TypeKey('S', true, false, 0);
        step(WaitStep([&] { return !Marked(main) || WindowsOf(pi.dwProcessId).box; }) &&
                 !Marked(main),
             "save not seen");
    }
    if (main != nullptr && failure.empty()) {
        PostMessageA(main, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(pi.hProcess, failure.empty() ? 5000 : 0) != WAIT_OBJECT_0) {
        TerminateProcess(pi.hProcess, 1);
        WaitForSingleObject(pi.hProcess, 5000);
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    if (failure.empty() && FileBytes(copy) != expected) {
        failure = kDiffer;
    }
    return failure;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: real_files <list>\n");
        return 2;
    }
    char module[MAX_PATH] = {};
    const std::string self(module, GetModuleFileNameA(nullptr, module, MAX_PATH));
    const std::string exe = self.substr(0, self.find_last_of('\\')) + "\\quillet.exe";
    std::ifstream list(argv[1], std::ios::binary);
    std::string line;
    int tried = 0;
    int identical = 0;
    int again = 0;
    while (std::getline(list, line)) {
        const size_t tab = line.find('\t');
        if (tab == std::string::npos) {
            continue;
        }
        const std::string copy = line.substr(0, tab);
        const std::string original = line.substr(tab + 1);
        std::string failure = RoundTrip(exe, copy, original);
        if (!failure.empty() && failure != kDiffer) {
            // The driver's keys or the editor's start were lost (a busy machine): the
            // copy is put back and the file goes through once more.
            std::printf("again %s: %s\n", original.c_str(), failure.c_str());
            std::fflush(stdout);
            ++again;
            PutBack(copy, FileBytes(original));
            failure = RoundTrip(exe, copy, original);
        }
        ++tried;
        if (failure.empty()) {
            ++identical;
        } else {
            std::printf("NOT IDENTICAL %s: %s\n", original.c_str(), failure.c_str());
            std::fflush(stdout);
        }
    }
    std::printf("tried %d, identical %d (%d went through twice)\n", tried, identical, again);
    return tried > 0 && identical == tried ? 0 : 1;
}
