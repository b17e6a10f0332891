#include "platform/win32_platform.h"

#include <vector>

#include "platform/lazy_dll.h"
#include "platform/win32_util.h"

MsgAnswer Win32Platform::ShowMessage(HWND owner, const std::string& text, MsgIcon icon,
                                     MsgButtons buttons) {
    UINT type = buttons == MsgButtons::YesNoCancel ? MB_YESNOCANCEL : MB_OK;
    switch (icon) {
        case MsgIcon::Stop:
            type |= MB_ICONSTOP;
            break;
        case MsgIcon::Exclamation:
            type |= MB_ICONEXCLAMATION;
            break;
        case MsgIcon::Information:
            type |= MB_ICONINFORMATION;
            break;
        case MsgIcon::None:
            break;
    }
    // Without an owner the box would hide behind the main window; keep it in front.
    if (owner == nullptr) {
        type |= MB_TASKMODAL | MB_SETFOREGROUND;
    }
    switch (MessageBoxA(owner, text.c_str(), "Quillet", type)) {
        case IDYES:
            return MsgAnswer::Yes;
        case IDNO:
            return MsgAnswer::No;
        case IDCANCEL:
            return MsgAnswer::Cancel;
        default:
            return MsgAnswer::Ok;
    }
}

unsigned long Win32Platform::StartProgram(const std::string& commandLine) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION pi{};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi)) {
        return GetLastError();
    }
    // Let the new window take the foreground; nothing else is kept of it.
    AllowSetForegroundWindow(pi.dwProcessId);
    UniqueHandle process(pi.hProcess);
    UniqueHandle thread(pi.hThread);
    return 0;
}

SYSTEMTIME Win32Platform::LocalNow() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return now;
}

HKL Win32Platform::KeyboardLayout() {
    return GetKeyboardLayout(0);
}

void Win32Platform::ActivateLayout(HKL layout) {
    ActivateKeyboardLayout(layout, 0);
}

namespace {

// comdlg32 comes in with the first file dialog, not at start-up.
LazyProc<decltype(GetOpenFileNameA)> gOpenFileName("comdlg32.dll", "GetOpenFileNameA");
LazyProc<decltype(GetSaveFileNameA)> gSaveFileName("comdlg32.dll", "GetSaveFileNameA");
LazyProc<decltype(GetFileTitleA)> gFileTitle("comdlg32.dll", "GetFileTitleA");

}  // namespace

// A dialog that can't be loaded counts as cancelled.
BOOL Win32Platform::OpenFileDialog(OPENFILENAMEA* ofn) {
    auto* open = gOpenFileName.Get();
    return open != nullptr ? open(ofn) : FALSE;
}

BOOL Win32Platform::SaveFileDialog(OPENFILENAMEA* ofn) {
    auto* save = gSaveFileName.Get();
    return save != nullptr ? save(ofn) : FALSE;
}

// Without comdlg32 no title can be had: the same answer as for a refused path.
short Win32Platform::FileTitle(const char* path, char* buffer, WORD size) {
    auto* title = gFileTitle.Get();
    return title != nullptr ? title(path, buffer, size) : -1;
}
