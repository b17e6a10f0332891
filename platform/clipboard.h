#pragma once
// The system clipboard, held open for as long as a ClipboardSession lives.
#include <windows.h>

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

// Whether the clipboard's CF_TEXT holds a character: only its first is looked at, so a
// large text is never copied to answer. False when there is none or the clipboard can't
// be opened.
bool ClipboardHasText(HWND owner);
