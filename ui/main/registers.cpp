#include "ui/main/registers.h"

#include <algorithm>

#include "app/mdlCode.h"
#include "core/layout/layout.h"
#include "core/text/edit_text.h"
#include "platform/code_page.h"
#include "platform/dpi.h"
#include "platform/win32_util.h"
#include "ui/text_box.h"

using namespace quillet;

namespace {

constexpr int kShiftCtrl = 3;  // exactly Shift and Ctrl, Alt up

}  // namespace

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

void ClipboardRegisters::txtDoc_KeyDown(int, int shift) {
    // Auto-repeat keeps arriving while the chord is held; a running timer keeps its
    // count, so the pop-up isn't postponed.
    if (shift == kShiftCtrl) {
        ChordHeld = true;
        tmrClipboard_.SetEnabled(true);
    }
}

void ClipboardRegisters::txtDoc_KeyUp(int, int) {
    ChordHeld = false;
}

void ClipboardRegisters::txtDoc_GotFocus() {
    ShowWindow(lstClipboard_, SW_HIDE);
}

void ClipboardRegisters::tmrClipboard_Timer() {
    SendMessageA(lstClipboard_, LB_RESETCONTENT, 0, 0);
    const std::string ellipsis = AnsiEllipsis();
    int widest = 0;
    for (int index = 0; index < kShownRegisters; ++index) {
        const std::string row = RegisterCaption(Registers[index], ellipsis, AnsiCodePage());
        SendMessageA(lstClipboard_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
        widest = std::max(widest, static_cast<int>(TextSizeIn(lstClipboard_, row, false).cx));
    }
    FitListWidth(widest);
    if (ChordHeld) {
        SetWindowPos(lstClipboard_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        EnableWindow(txtDoc_, FALSE);
        ShowWindow(lstClipboard_, SW_SHOW);
        SendMessageA(lstClipboard_, LB_SETCURSEL, LastRegister, 0);
        SetFocus(lstClipboard_);
    }
    tmrClipboard_.SetEnabled(false);
    SavedLayout = mdlCode::Platform().KeyboardLayout();
}

void ClipboardRegisters::lstClipboard_KeyUp(int keyCode, int shift) {
    const LRESULT row = SendMessageA(lstClipboard_, LB_GETCURSEL, 0, 0);
    const short index = row >= 0 && row < kShownRegisters ? static_cast<short>(row) : -1;
    mdlCode::Platform().ActivateLayout(SavedLayout);
    if (keyCode == VK_CONTROL) {
        CloseList();
        return;
    }
    if (shift != kShiftCtrl || index < 0) {
        return;  // arrow keys, Shift released, other letters
    }
    const bool selection = !SelectedText(txtDoc_).empty();
    if (keyCode == 'C' && selection) {
        StoreRegister(index);
    } else if (keyCode == 'V') {
        PasteRegister(index);
    } else if (keyCode == 'X' && selection) {
        StoreRegister(index);
        ReplaceSelection(txtDoc_, "");
    }
}

void ClipboardRegisters::Form_Deactivate() {
    ChordHeld = false;
    if (IsWindowVisible(lstClipboard_)) {
        CloseList();
    }
}

HWND ClipboardRegisters::FocusTarget() const {
    return IsWindowVisible(lstClipboard_) ? lstClipboard_ : txtDoc_;
}

void ClipboardRegisters::StoreRegister(short index) {
    Registers[index] = SelectedText(txtDoc_);
    CloseList();
    LastRegister = static_cast<std::uint8_t>(index);
}

void ClipboardRegisters::PasteRegister(short index) {
    ReplaceSelection(txtDoc_, Registers[index]);
    CloseList();
    LastRegister = static_cast<std::uint8_t>(index);
}

// As wide as its widest row in its own font, with the sunken edge, a scroll bar and the
// rows' own indent; never narrower than the design.
void ClipboardRegisters::FitListWidth(int widestRow) {
    const int design = TwipsToPixels(kLstClipboardDesign.width, TwipsPerPixel(dpi_));
    const int system = ScreenPixelsPerInch().x;  // the resolution of the system metrics
    const int need =
        widestRow +
        ScaledFrom(2 * GetSystemMetrics(SM_CXEDGE) + GetSystemMetrics(SM_CXVSCROLL), system, dpi_) +
        2 * 2;
    RECT r{};
    GetWindowRect(lstClipboard_, &r);
    SetWindowPos(lstClipboard_, nullptr, 0, 0, std::max(design, need), r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The text box is enabled before the list hides, so the focus can go back to it.
void ClipboardRegisters::CloseList() {
    EnableWindow(txtDoc_, TRUE);
    ShowWindow(lstClipboard_, SW_HIDE);
}
