#pragma once
// The private clipboard registers of the main window: their contents, the pop-up list
// that shows them while Ctrl+Shift is held, and the timer that brings the list up.
#include <windows.h>

#include <array>
#include <cstdint>
#include <string>

#include "ui/window_timer.h"

class IPlatform;

class ClipboardRegisters {
public:
    ClipboardRegisters() = default;
    ClipboardRegisters(const ClipboardRegisters&) = delete;
    ClipboardRegisters& operator=(const ClipboardRegisters&) = delete;

    // The controls it works on, once the main window has created them.
    void Attach(HWND owner, HWND txtDoc, HWND lstClipboard);
    void Detach();

    WindowTimer& tmrClipboard() { return tmrClipboard_; }
    // The main window's resolution, which the list's size goes by.
    void SetDpi(int dpi) { dpi_ = dpi; }

    // The main window routes these events here.
    void txtDoc_KeyDown(int keyCode, int shift);
    void txtDoc_KeyUp(int keyCode, int shift);
    void txtDoc_GotFocus();
    void tmrClipboard_Timer();
    void lstClipboard_KeyUp(int keyCode, int shift);
    // The main window lost the activation: a chord can't be seen to end elsewhere, so
    // it counts as released and an open list closes.
    void Form_Deactivate();
    // Where the main window's focus belongs: the list while it is up, else the text box.
    HWND FocusTarget() const;

    // What a register holds (0 to 9).
    const std::string& Register(int index) const { return Registers[index]; }

    // The list shows registers 0 to 8; the last one is never reached.
    static constexpr int kShownRegisters = 9;

private:
    void StoreRegister(short index);
    void PasteRegister(short index);
    void CloseList();
    void FitListWidth(int widestRow);

    std::array<std::string, 10> Registers;
    std::uint8_t LastRegister = 0;  // the row selected when the list pops up
    bool ChordHeld = false;         // Ctrl+Shift went down in the text box, no key released since
    HKL SavedLayout = nullptr;      // the keyboard layout when the list came up

    HWND owner_ = nullptr;
    HWND txtDoc_ = nullptr;
    HWND lstClipboard_ = nullptr;
    WindowTimer tmrClipboard_{1, 500};
    int dpi_ = 96;
};
