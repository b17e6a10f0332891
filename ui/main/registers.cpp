#include "ui/main/registers.h"

void WindowTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_ || owner_ == nullptr) {
        return;
    }
    enabled_ = enabled ? SetTimer(owner_, id_, interval_, nullptr) != 0 : false;
    if (!enabled) {
        KillTimer(owner_, id_);
    }
}

void ClipboardRegisters::Attach(HWND owner, HWND txtDoc, HWND lstClipboard) {
    owner_ = owner;
    txtDoc_ = txtDoc;
    lstClipboard_ = lstClipboard;
    tmrClipboard_.Attach(owner);
}

void ClipboardRegisters::Detach() {
    tmrClipboard_.SetEnabled(false);
    tmrClipboard_.Attach(nullptr);
    owner_ = txtDoc_ = lstClipboard_ = nullptr;
}

void ClipboardRegisters::txtDoc_KeyDown(int, int) {}

void ClipboardRegisters::txtDoc_KeyUp(int, int) {}

void ClipboardRegisters::txtDoc_GotFocus() {
    ShowWindow(lstClipboard_, SW_HIDE);
}

void ClipboardRegisters::tmrClipboard_Timer() {
    // Nothing shows the register list yet: the timer fires once and stops.
    tmrClipboard_.SetEnabled(false);
}

void ClipboardRegisters::lstClipboard_KeyUp(int, int) {}
