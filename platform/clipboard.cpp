#include "platform/clipboard.h"

#include <cstring>

#include "platform/win32_util.h"

std::string ClipboardText(HWND owner) {
    ClipboardSession clipboard(owner);
    if (!clipboard.open()) {
        return "";
    }
    HANDLE data = GetClipboardData(CF_TEXT);
    if (data == nullptr) {
        return "";
    }
    const GlobalLockGuard lock(data);
    const char* text = static_cast<const char*>(lock.data());
    return text == nullptr ? "" : std::string(text, strnlen(text, GlobalSize(data)));
}
