// The form's definition: the menu tree and the controls at their design places.
#include <algorithm>
#include <utility>

#include "app/startup_marks.h"
#include "core/layout/layout.h"
#include "platform/code_page.h"
#include "platform/dpi.h"
#include "ui/main/frmMain.h"
#include "ui/main/menu_def.h"

using namespace quillet;

void frmMain::CreateMenus() {
    UniqueMenu bar(CreateMenu());
    HMENU current = nullptr;
    const std::string ellipsis = AnsiEllipsis();
    for (const MenuItemDef& item : MainMenuDefinition()) {
        const UINT checked = item.checked ? MF_CHECKED : MF_UNCHECKED;
        if (item.parent == mnuSeparator) {
            if (item.id == mnuAbout) {
                AppendMenuA(bar.get(), MF_STRING, item.id, item.caption);
                continue;
            }
            current = CreatePopupMenu();
            AppendMenuA(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(current), item.caption);
            if (item.id == mnuFile) {
                fileMenu_ = current;
            } else if (item.id == mnuEdit) {
                editMenu_ = current;
            }
        } else if (item.id == mnuSeparator) {
            AppendMenuA(current, MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuA(current, MF_STRING | checked, item.id,
                        MenuItemText(item, ellipsis).c_str());
        }
    }
    menu_ = bar.get();
    if (SetMenu(hwnd_, menu_)) {
        bar.release();  // the window destroys its menu
    }
}

void frmMain::CreateControls() {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    const auto child = [&](const char* cls, DWORD style, DWORD exStyle, int id) {
        return CreateWindowExA(exStyle, cls, "", WS_CHILD | style, 0, 0, 0, 0, hwnd_,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                               nullptr);
    };
    // Created in tab order; the list lies over the text box when it shows, so the text
    // box must not paint over it.
    txtDoc_ = child("EDIT",
                    WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | WS_HSCROLL | WS_VSCROLL |
                        ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_NOHIDESEL,
                    WS_EX_CLIENTEDGE, kTxtDocId);
    lstClipboard_ = child("LISTBOX", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                          WS_EX_CLIENTEDGE, kLstClipboardId);
    lblColRow_ = child("STATIC", WS_VISIBLE | SS_LEFTNOWORDWRAP, 0, kLblColRowId);
    lblSelection_ = child("STATIC", WS_VISIBLE | SS_LEFTNOWORDWRAP, 0, kLblSelectionId);
    PlaceControl(txtDoc_, kTxtDocDesign.left, kTxtDocDesign.top, kTxtDocDesign.width,
                 kTxtDocDesign.height);
    PlaceControl(lstClipboard_, kLstClipboardDesign.left, kLstClipboardDesign.top,
                 kLstClipboardDesign.width, kLstClipboardDesign.height);
    QUILLET_MARK("child_windows");

    ApplyFonts();
    FitStatusLabels();
    for (const auto& [label, r] :
         {std::pair{lblColRow_, lblColRowRect_}, std::pair{lblSelection_, lblSelectionRect_}}) {
        PlaceControl(label, r.left, r.top, r.width, r.height);
    }
    QUILLET_MARK("fonts");
    // No typing limit: a document loaded at the load limit can still grow.
    SendMessageA(txtDoc_, EM_SETLIMITTEXT, 0, 0);
    registers_.Attach(hwnd_, txtDoc_, lstClipboard_);
    LearnTextBoxUnit();
    const auto subclass = reinterpret_cast<LONG_PTR>(&frmMain::ChildProc);
    txtDocProc_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(txtDoc_, GWLP_WNDPROC, subclass));
    lstClipboardProc_ =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(lstClipboard_, GWLP_WNDPROC, subclass));
}

void frmMain::PlaceControl(HWND control, double left, double top, double width, double height) {
    MoveWindow(control, TwipsToPixels(left, tppx_), TwipsToPixels(top, tppy_),
               TwipsToPixels(width, tppx_), TwipsToPixels(height, tppy_), FALSE);
}

void frmMain::ApplyFonts() {
    const auto shown = reinterpret_cast<HFONT>(SendMessageA(txtDoc_, WM_GETFONT, 0, 0));
    const bool formFace = shown == nullptr || shown == docFont_.get();
    const bool oem = fonts_.IsOem(shown);
    // The fonts in use go only once their controls hold the new ones.
    const UniqueFont oldDoc(std::move(docFont_));
    const UniqueFont oldGui(std::move(guiFont_));
    const auto oldFaces = fonts_.Release();
    const int height = -MulDiv(108, dpi_, 720);  // 10.8 points
    // Where the face is missing the font mapper picks another fixed-pitch face.
    docFont_.reset(CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DocumentCharset(),
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               FIXED_PITCH | FF_MODERN, "Fixedsys"));
    guiFont_ = GuiFontAt(dpi_);
    const HFONT box = formFace ? docFont_.get()
                      : oem    ? fonts_.Oem(docFont_.get())
                               : fonts_.Ansi(docFont_.get());
    const BOOL redraw = oldDoc != nullptr;
    SendMessageA(txtDoc_, WM_SETFONT, reinterpret_cast<WPARAM>(box), redraw);
    for (const HWND control : {lstClipboard_, lblColRow_, lblSelection_}) {
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(guiFont_.get()), redraw);
    }
}

// Never narrower than five-digit numbers need in the labels' font, so they don't move
// as one types, and wider while a text needs more; the selection label follows the
// line/column label however wide that grew.
bool frmMain::FitStatusLabels() {
    const auto fit = [this](HWND label, TwipsRect r, const std::string& reserved) {
        const SIZE room = TextSizeIn(label, reserved);
        const LONG text = TextSizeIn(label, WindowText(label)).cx;
        r.width = std::max(r.width, std::max(room.cx, text) * tppx_);
        r.height = std::max(r.height, room.cy * tppy_);
        return r;
    };
    const TwipsRect colRow = fit(lblColRow_, kLblColRowDesign, " Ln 99999, Col 99999 ");
    TwipsRect selection = fit(lblSelection_, kLblSelectionDesign, "Sel: 99999");
    selection.left = colRow.left + colRow.width;
    const bool moved =
        colRow.width != lblColRowRect_.width || colRow.height != lblColRowRect_.height ||
        selection.left != lblSelectionRect_.left || selection.width != lblSelectionRect_.width ||
        selection.height != lblSelectionRect_.height;
    lblColRowRect_ = colRow;
    lblSelectionRect_ = selection;
    return moved;
}
