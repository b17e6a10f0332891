// The Edit menu: the edit control's own commands and the Find/Replace dialog.
#include "app/mdlCode.h"
#include "ui/find/frmFind.h"
#include "ui/main/frmMain.h"
#include "ui/main/menu_def.h"

using namespace quillet;

void frmMain::mnuEdit_Click() {
    UpdateMenuState();
}

void frmMain::mnuUnReDo_Click() {
    SendMessageA(txtDoc_, EM_UNDO, 0, 0);
}

void frmMain::mnuCut_Click() {
    SendMessageA(txtDoc_, WM_CUT, 0, 0);
}

void frmMain::mnuCopy_Click() {
    SendMessageA(txtDoc_, WM_COPY, 0, 0);
}

void frmMain::mnuPaste_Click() {
    SendMessageA(txtDoc_, WM_PASTE, 0, 0);
}

void frmMain::mnuDelete_Click() {
    ReplaceSelection(txtDoc_, "");
}

void frmMain::mnuSelectAll_Click() {
    SendMessageA(txtDoc_, EM_SETSEL, 0, -1);
}

// A fresh dialog at each opening: nothing of the last search carries over.
void frmMain::mnuFindReplace_Click() {
    frmFind dialog(*this, platform_);
    dialog.ShowModal();
}

Selection frmMain::SelectedBytes() const {
    return SelectionOf(txtDoc_, Text());
}

void frmMain::SelectBytesAndScroll(size_t start, size_t end) {
    SelectBytes(txtDoc_, Text(), start, end);
    SendMessageA(txtDoc_, EM_SCROLLCARET, 0, 0);
}

void frmMain::ReplaceSelectedText(const std::string& text) {
    ReplaceSelection(txtDoc_, text);
}

void frmMain::MarkChanged() {
    SendMessageA(txtDoc_, EM_SETMODIFY, TRUE, 0);
    txtDoc_Change();
}
