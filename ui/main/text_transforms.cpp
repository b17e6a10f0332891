// Edit menu commands that rewrite the selection: case conversion and the time stamp.
#include "app/mdlCode.h"
#include "ui/main/edit_text.h"
#include "ui/main/frmMain.h"

using namespace quillet;

namespace {

// The system's case mapping in the ANSI code page, so Cyrillic or accented letters
// convert too; the length never changes.
void ConvertSelection(HWND box, DWORD(WINAPI* convert)(LPSTR, DWORD)) {
    std::string text = SelectedText(box);
    if (text.empty()) {
        return;  // a stale shortcut with nothing selected
    }
    convert(text.data(), static_cast<DWORD>(text.size()));
    ReplaceSelection(box, text);
}

std::string LocaleTimeSeparator() {
    char separator[8] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIME, separator, sizeof separator) <= 1) {
        return ":";
    }
    return separator;
}

}  // namespace

void frmMain::mnuLCase_Click() {
    ConvertSelection(txtDoc_, &CharLowerBuffA);
}

void frmMain::mnuUCase_Click() {
    ConvertSelection(txtDoc_, &CharUpperBuffA);
}

void frmMain::mnuDateTime_Click() {
    const SYSTEMTIME now = mdlCode::Platform().LocalNow();
    ReplaceSelection(txtDoc_, DateTimeStamp(now.wHour, now.wMinute, now.wDay, now.wMonth, now.wYear,
                                            LocaleTimeSeparator()));
}
