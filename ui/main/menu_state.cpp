// The enabling of the File and Edit menus' items, refreshed whenever either opens.
#include "app/mdlCode.h"
#include "platform/clipboard.h"
#include "ui/main/frmMain.h"
#include "ui/main/menu_def.h"
#include "ui/text_box.h"

using namespace quillet;

void frmMain::EnableItem(int id, bool enabled) {
    EnableMenuItem(menu_, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void frmMain::UpdateMenuState(bool readClipboardText) {
    EnableItem(mnuFindReplace, GetWindowTextLengthA(txtDoc_) != 0);
    EnableItem(mnuSave, mdlCode::DocumentState.DocModified);
    EnableItem(mnuUnReDo, SendMessageA(txtDoc_, EM_GETMODIFY, 0, 0) != 0);
    const Selection sel = BoxSelection(txtDoc_);
    const bool selection = sel.end != sel.start;
    EnableItem(mnuPaste, IsClipboardFormatAvailable(CF_TEXT) &&
                             (!readClipboardText || ClipboardHasText(hwnd_)));
    for (int id : {mnuCut, mnuCopy, mnuDelete, mnuLCase, mnuUCase}) {
        EnableItem(id, selection);
    }
}
