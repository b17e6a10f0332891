#include "platform/win32_util.h"

#include <vector>

RunTimeError::RunTimeError(unsigned long number, const std::string& description)
    : std::runtime_error(std::to_string(number) + " :: " + description),
      number_(number),
      description_(description) {}

std::string ErrorDescription(unsigned long number) {
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, number, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string description = length != 0 && text != nullptr ? std::string(text, length) : "";
    LocalFree(text);
    while (!description.empty() && (description.back() == '\r' || description.back() == '\n' ||
                                    description.back() == ' ')) {
        description.pop_back();
    }
    if (description.empty()) {
        description = "Unknown error";
    }
    return description;
}

void RaiseLastError() {
    const DWORD number = GetLastError();
    throw RunTimeError(number, ErrorDescription(number));
}

ScreenResolution ScreenPixelsPerInch() {
    struct ScreenDc {
        HDC dc = GetDC(nullptr);
        ~ScreenDc() { ReleaseDC(nullptr, dc); }
    } screen;
    return {GetDeviceCaps(screen.dc, LOGPIXELSX), GetDeviceCaps(screen.dc, LOGPIXELSY)};
}

std::string WindowText(HWND hwnd) {
    const LRESULT length = SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0);
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    const LRESULT got =
        SendMessageA(hwnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    return std::string(buffer.data(), static_cast<size_t>(got));
}

std::string ModuleFileName(HMODULE module, DWORD initialChars) {
    std::string path(initialChars > 0 ? initialChars : 1, '\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return "";
        }
        // A full buffer means the path was cut short (the call returns its size).
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::string AnsiFromWide(const wchar_t* text, size_t length) {
    const int size = static_cast<int>(length);
    const int n =
        size > 0 ? WideCharToMultiByte(CP_ACP, 0, text, size, nullptr, 0, nullptr, nullptr) : 0;
    std::string ansi(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) {
        WideCharToMultiByte(CP_ACP, 0, text, size, ansi.data(), n, nullptr, nullptr);
    }
    return ansi;
}

std::wstring WideFromAnsi(const std::string& text) {
    const int size = static_cast<int>(text.size());
    const int n = size > 0 ? MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0) : 0;
    std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) {
        MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), n);
    }
    return wide;
}
