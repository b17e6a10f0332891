#include "platform/clipboard.h"

#include "platform/win32_util.h"

bool ClipboardHasText(HWND owner) {
    ClipboardSession clipboard(owner);
    if (!clipboard.open()) {
        return false;
    }
    HANDLE data = GetClipboardData(CF_TEXT);
    if (data == nullptr || GlobalSize(data) == 0) {
        return false;
    }
    const GlobalLockGuard lock(data);
    const char* text = static_cast<const char*>(lock.data());
    return text != nullptr && text[0] != '\0';
}
