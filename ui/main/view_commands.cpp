// The View menu, the character map and About.
#include "core/app/about_text.h"
#include "ui/main/frmMain.h"
#include "ui/main/menu_def.h"

using namespace quillet;

namespace {

// The program's own version record, read from its resources (no version.dll needed).
FileVersion OwnVersion() {
    const HMODULE self = GetModuleHandleA(nullptr);
    const HRSRC found = FindResourceA(self, MAKEINTRESOURCEA(VS_VERSION_INFO),
                                      MAKEINTRESOURCEA(16));  // RT_VERSION
    const HGLOBAL loaded = found != nullptr ? LoadResource(self, found) : nullptr;
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    const auto version = FixedFileVersion(static_cast<const unsigned char*>(data),
                                          data != nullptr ? SizeofResource(self, found) : 0);
    return version.value_or(FileVersion{0, 0, 0, 0});
}

bool IsChecked(HMENU menu, int id) {
    return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

}  // namespace

void frmMain::mnuAscii_Click() {
    // Only the face changes: the text, its modification flag and the caption stay.
    SendMessageA(txtDoc_, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.Oem(docFont_.get())), TRUE);
    CheckMenuItem(menu_, mnuAscii, MF_BYCOMMAND | MF_CHECKED);
    CheckMenuItem(menu_, mnuAnsi, MF_BYCOMMAND | MF_UNCHECKED);
}

void frmMain::mnuAnsi_Click() {
    SendMessageA(txtDoc_, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.Ansi(docFont_.get())), TRUE);
    CheckMenuItem(menu_, mnuAscii, MF_BYCOMMAND | MF_UNCHECKED);
    CheckMenuItem(menu_, mnuAnsi, MF_BYCOMMAND | MF_CHECKED);
}

void frmMain::mnuOnTop_Click() {
    CheckMenuItem(menu_, mnuOnTop,
                  MF_BYCOMMAND | (IsChecked(menu_, mnuOnTop) ? MF_UNCHECKED : MF_CHECKED));
    const HWND after = IsChecked(menu_, mnuOnTop) ? HWND_TOPMOST : HWND_NOTOPMOST;
    SetWindowPos(hwnd_, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void frmMain::mnuWrap_Click() {
    platform_.ShowMessage(hwnd_,
                          "I do not know how to build word wrap into a text box with C++ and "
                          "the Win32 API.\r\nIf you can help, please write to the author at "
                          "quillet@example.org.",
                          MsgIcon::None, MsgButtons::Ok);
}

void frmMain::mnuCharMap_Click() {
    // By its full path in the system folder: a bare name would be looked for in the
    // program's and the current folder first, where anyone could have put a program of
    // that name.
    char line[MAX_PATH + 16] = "\"";
    const UINT length = GetSystemDirectoryA(line + 1, MAX_PATH);
    if (length == 0 || length >= MAX_PATH ||
        platform_.StartProgram(lstrcatA(line, "\\charmap.exe\"")) != 0) {
        platform_.ShowMessage(hwnd_, "CharMap application is not installed.", MsgIcon::Exclamation,
                              MsgButtons::Ok);
    }
}

void frmMain::mnuAbout_Click() {
    platform_.ShowMessage(hwnd_, AboutText(OwnVersion()), MsgIcon::Information, MsgButtons::Ok);
}
