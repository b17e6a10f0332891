#include "platform/win32_platform.h"

#include <vector>

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

BOOL Win32Platform::OpenFileDialog(OPENFILENAMEA* ofn) {
    return GetOpenFileNameA(ofn);
}

BOOL Win32Platform::SaveFileDialog(OPENFILENAMEA* ofn) {
    return GetSaveFileNameA(ofn);
}

short Win32Platform::FileTitle(const char* path, char* buffer, WORD size) {
    return GetFileTitleA(path, buffer, size);
}
