#pragma once
// The system clipboard, held open for as long as a ClipboardSession lives.
#include <windows.h>

#include <string>

class ClipboardSession {
public:
    explicit ClipboardSession(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    ~ClipboardSession() {
        if (open_) {
            CloseClipboard();
        }
    }
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;
    bool open() const { return open_; }

private:
    bool open_;
};

// The clipboard's CF_TEXT, whole; empty when there is none or it can't be opened.
std::string ClipboardText(HWND owner);
