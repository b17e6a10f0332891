// Edit menu commands that rewrite the selection: case conversion and the time stamp.
#include "app/mdlCode.h"
#include "core/text/edit_text.h"
#include "platform/code_page.h"
#include "ui/main/frmMain.h"

using namespace quillet;

namespace {

// The system's case mapping of each character of the ANSI code page, so Cyrillic,
// accented or full-width letters convert too; every character is kept, and one whose
// other case the code page lacks stays as it is.
void ConvertSelection(HWND box, const CaseMap CodePage::*map) {
    const std::string text = SelectedText(box);
    if (text.empty()) {
        return;  // a stale shortcut with nothing selected
    }
    const CodePage& codePage = AnsiCodePage();
    ReplaceSelection(box, MapCase(text, codePage, codePage.*map));
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
    ConvertSelection(txtDoc_, &CodePage::lower);
}

void frmMain::mnuUCase_Click() {
    ConvertSelection(txtDoc_, &CodePage::upper);
}

void frmMain::mnuDateTime_Click() {
    const SYSTEMTIME now = mdlCode::Platform().LocalNow();
    ReplaceSelection(txtDoc_, DateTimeStamp(now.wHour, now.wMinute, now.wDay, now.wMonth, now.wYear,
                                            LocaleTimeSeparator()));
}
