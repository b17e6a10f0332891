#include "platform/win32_util.h"

#include <algorithm>
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
    const WindowDC screen(nullptr);
    return {GetDeviceCaps(screen.get(), LOGPIXELSX), GetDeviceCaps(screen.get(), LOGPIXELSY)};
}

SIZE TextSizeIn(HWND window, const std::string& text, bool prefixes) {
    const WindowDC dc(window);
    const auto font = reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0));
    const SelectGuard selected(dc.get(), font != nullptr ? font : GetStockObject(SYSTEM_FONT));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc.get(), &metrics);
    RECT r{0, 0, 0, 0};
    if (!text.empty()) {
        DrawTextA(dc.get(), text.c_str(), static_cast<int>(text.size()), &r,
                  DT_CALCRECT | DT_SINGLELINE | DT_LEFT | (prefixes ? 0 : DT_NOPREFIX));
    }
    return {r.right - r.left, metrics.tmHeight};
}

SIZE CaptionNeeds(HWND control, int dpi) {
    char cls[16] = {};
    GetClassNameA(control, cls, sizeof cls);
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(control, GWL_STYLE));
    const SIZE text = TextSizeIn(control, WindowText(control));
    // The system gives its metrics at its own resolution.
    const int system = ScreenPixelsPerInch().x;
    const auto metric = [&](int index) { return MulDiv(GetSystemMetrics(index), dpi, system); };
    const int edgeX = metric(SM_CXEDGE);
    const int edgeY = metric(SM_CYEDGE);
    if (lstrcmpiA(cls, "EDIT") == 0) {
        return {0, text.cy + 2 * edgeY + 2};  // the sunken edge and a pixel either side
    }
    if (lstrcmpiA(cls, "BUTTON") != 0) {
        return text;  // a static draws its text from its very edge
    }
    const SIZE zero = TextSizeIn(control, "0");
    switch (style & BS_TYPEMASK) {
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
        case BS_3STATE:
        case BS_AUTO3STATE: {
            // The box, and half a digit between it and the text.
            const int box = std::max(metric(SM_CXMENUCHECK), MulDiv(13, dpi, 96));
            return {box + zero.cx / 2 + text.cx + 1, std::max<LONG>(box, text.cy) + 2};
        }
        case BS_GROUPBOX:
            // The caption sits in the frame's line, a digit or so in from each corner.
            return {text.cx + 4 * zero.cx, text.cy};
        default:
            // The raised edge, the focus rectangle and a pixel inside it, each side.
            return {text.cx + 2 * (edgeX + 2), text.cy + 2 * (edgeY + 2)};
    }
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

std::optional<std::string> ExactAnsiFromWide(const std::wstring& text) {
    if (text.empty()) {
        return std::string();
    }
    // UTF-8 holds every character; it takes neither flag nor the default-character
    // question, and refuses only broken UTF-16.
    const bool utf8 = GetACP() == CP_UTF8;
    const UINT codePage = utf8 ? CP_UTF8 : CP_ACP;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* used = utf8 ? nullptr : &usedDefault;
    const int size = static_cast<int>(text.size());
    const int n =
        WideCharToMultiByte(codePage, flags, text.data(), size, nullptr, 0, nullptr, used);
    if (n <= 0 || usedDefault) {
        return std::nullopt;
    }
    std::string ansi(static_cast<size_t>(n), '\0');
    if (WideCharToMultiByte(codePage, flags, text.data(), size, ansi.data(), n, nullptr, used) !=
            n ||
        usedDefault) {
        return std::nullopt;
    }
    return ansi;
}
