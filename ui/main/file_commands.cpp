// The File menu: New, Open, Save, Save As, Print and Exit, and the question asked
// when a window with unsaved changes closes.
#include "app/mdlCode.h"
#include "app/text_file.h"
#include "dialogs/CComDlgEx.h"
#include "ui/main/frmMain.h"
#include "ui/text_box.h"

void frmMain::Form_QueryUnload(bool& cancel) {
    const DocumentStateT& doc = mdlCode::DocumentState;
    if (!doc.DocModified) {
        return;
    }
    switch (platform_.ShowMessage(hwnd_, "Save changes to '" + doc.DocTitle + "'?",
                                  MsgIcon::Exclamation, MsgButtons::YesNoCancel)) {
        case MsgAnswer::Yes:
            // A save that was cancelled or failed keeps the window and its text.
            cancel = !SaveDocument();
            break;
        case MsgAnswer::No:
            break;
        default:
            cancel = true;
            break;
    }
}

void frmMain::mnuFile_Click() {
    UpdateMenuState();
}

void frmMain::mnuNew_Click() {
    const unsigned long error = platform_.StartProgram(mdlCode::OwnExecutableCommand());
    if (error != 0) {
        platform_.ShowMessage(hwnd_, RunTimeError(error, ErrorDescription(error)).what(),
                              MsgIcon::Stop, MsgButtons::Ok);
    }
}

void frmMain::PrepareFileDialog(const char* caption, DWORD flags) {
    CComDlgEx& dlg = mdlCode::ComDlg();
    dlg.hwndOwner = static_cast<int32_t>(reinterpret_cast<intptr_t>(hwnd_));
    dlg.DialogCaption = caption;
    dlg.Filter = "All files (*.*)|*.*|";
    dlg.Flags = static_cast<int32_t>(flags);
}

void frmMain::mnuOpen_Click() {
    DocumentStateT& doc = mdlCode::DocumentState;
    CComDlgEx& dlg = mdlCode::ComDlg();
    try {
        PrepareFileDialog("Open file", OFN_HIDEREADONLY);
        dlg.ShowOpFileDlg();
        if (dlg.NameNotInCodePage()) {
            ShowNameNotInCodePage();
            return;
        }
        if (mdlCode::PathTooLongForAnsiCalls(dlg.FileName)) {
            platform_.ShowMessage(hwnd_,
                                  "It is impossible to open a file because its path is too long",
                                  MsgIcon::Exclamation, MsgButtons::Ok);
            return;
        }
        if (!dlg.fnExistFile(dlg.FileName)) {
            if (!dlg.FileName.empty()) {
                platform_.ShowMessage(hwnd_, "File not found", MsgIcon::Stop, MsgButtons::Ok);
            }
            return;
        }
        const std::string path = dlg.FileName;
        const std::string title = dlg.FileTitle;
        const auto refuseSize = [&] {
            platform_.ShowMessage(hwnd_, "It is impossible to open a file because of its size",
                                  MsgIcon::Exclamation, MsgButtons::Ok);
        };
        if (mdlCode::FileLength(path) > mdlCode::kMaxLoadBytes) {
            refuseSize();
            return;
        }
        if (doc.DocTitle != mdlCode::kUntitled || doc.DocModified) {
            // This window keeps its document; the file gets a window of its own.
            platform_.StartProgram(mdlCode::OwnExecutableCommand() + " " + path);
            return;
        }
        const mdlCode::LoadedText loaded = mdlCode::LoadTextFile(path);
        if (loaded.outcome == mdlCode::LoadedText::Outcome::TooLong) {
            refuseSize();  // it grew past the limit after it was measured
            return;
        }
        SetText(loaded.text);
        mdlCode::CheckLoadedText(loaded.text, hwnd_);
        if (!loaded.text.empty()) {
            doc.DocTitle = title;
            doc.DocPath = path;
            doc.DocModified = false;
            SetTitle();
        }
    } catch (const std::exception&) {
        // Open ends silently on failures other than its size refusal.
    }
}

void frmMain::ShowNameNotInCodePage() {
    platform_.ShowMessage(hwnd_,
                          "This file name has characters that the current code page can't "
                          "hold. Choose another name.",
                          MsgIcon::Exclamation, MsgButtons::Ok);
}

void frmMain::mnuSave_Click() {
    SaveDocument();
}

void frmMain::mnuSaveAs_Click() {
    mdlCode::DocumentState.ForceSaveAs = true;
    mnuSave_Click();
}

bool frmMain::SaveDocument() {
    DocumentStateT& doc = mdlCode::DocumentState;
    CComDlgEx& dlg = mdlCode::ComDlg();
    std::string title = doc.DocTitle;
    std::string path = doc.DocPath;
    if (doc.DocTitle == mdlCode::kUntitled || doc.ForceSaveAs) {
        doc.ForceSaveAs = false;
        // The dialog may come up holding another file's path (the last one chosen in
        // this process): choosing an existing file must ask before replacing it.
        PrepareFileDialog("Save file as", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT);
        try {
            // A name the code page can't hold is refused, and the dialog comes up again
            // in its folder until the user picks another name or cancels.
            while (!dlg.ShowFileSaveAsDlg() && dlg.NameNotInCodePage()) {
                ShowNameNotInCodePage();
            }
        } catch (const std::exception& e) {
            platform_.ShowMessage(hwnd_, e.what(), MsgIcon::Stop, MsgButtons::Ok);
            return false;
        }
        path = dlg.FileName;
        title = dlg.FileTitle;
    }
    if (path.empty() || !ConfirmLossySave() || !mdlCode::WriteTextFile(path, Text())) {
        return false;
    }
    doc.DocPath = path;
    doc.DocTitle = title;
    doc.DocModified = false;
    SetTitle();
    return true;
}

bool frmMain::ConfirmLossySave() {
    if (TextFitsCodePage(txtDoc_)) {
        return true;
    }
    return platform_.ShowMessage(hwnd_,
                                 "This document contains characters that the current code page "
                                 "can't hold. Saving it will change them.",
                                 MsgIcon::Exclamation, MsgButtons::OkCancel) == MsgAnswer::Ok;
}

void frmMain::mnuExit_Click() {
    SendMessageA(hwnd_, WM_CLOSE, 0, 0);
}
