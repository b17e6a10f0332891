#include "ui/main/frmMain.h"

#include <commctrl.h>

#include "app/caption.h"
#include "app/mdlCode.h"
#include "dialogs/CComDlgEx.h"
#include "ui/main/layout.h"
#include "ui/main/menu_def.h"

using namespace quillet;

namespace {

constexpr int kTxtDocId = 1;
constexpr int kLstClipboardId = 2;
constexpr int kLblColRowId = 3;
constexpr int kLblSelectionId = 4;
constexpr UINT_PTR kTxtDocSubclass = 1;

// A shortcut matches only with exactly its own modifiers held.
bool ShortcutMatches(const MenuItemDef& item, WPARAM key, int shift) {
    return item.key != 0 && item.key == key && shift == (item.ctrl ? 2 : 0);
}

void SetBounds(HWND control, std::optional<int> left, std::optional<int> top,
               std::optional<int> width, std::optional<int> height) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    MoveWindow(control, left.value_or(r.left), top.value_or(r.top),
               width.value_or(r.right - r.left), height.value_or(r.bottom - r.top), TRUE);
}

// The clipboard, open for as long as this object lives.
class ClipboardSession {
public:
    explicit ClipboardSession(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    ~ClipboardSession() {
        if (open_) {
            CloseClipboard();
        }
    }
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;
    bool open() const { return open_; }

private:
    bool open_;
};

std::string ClipboardText(HWND owner) {
    ClipboardSession clipboard(owner);
    if (!clipboard.open()) {
        return "";
    }
    HANDLE data = GetClipboardData(CF_TEXT);
    if (data == nullptr) {
        return "";
    }
    const GlobalLockGuard lock(data);
    const char* text = static_cast<const char*>(lock.data());
    return text == nullptr ? "" : std::string(text, strnlen(text, GlobalSize(data)));
}

}  // namespace

void WindowTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_ || owner_ == nullptr) {
        return;
    }
    enabled_ = enabled ? SetTimer(owner_, id_, interval_, nullptr) != 0 : false;
    if (!enabled) {
        KillTimer(owner_, id_);
    }
}

int CurrentShiftState() {
    return (GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
           (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

frmMain::frmMain(IPlatform& platform) : platform_(platform) {
    static const ATOM registered = [] {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &frmMain::WindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hIcon = LoadIconA(wc.hInstance, MAKEINTRESOURCEA(1));
        wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kClassName;
        return RegisterClassExA(&wc);
    }();
    (void)registered;
    const ScreenResolution screen = ScreenPixelsPerInch();
    tppx_ = TwipsPerPixel(screen.x);
    tppy_ = TwipsPerPixel(screen.y);
    // The design client area; Form_Load gives the window its real size.
    RECT r{0, 0, TwipsToPixels(7200, tppx_), TwipsToPixels(4800, tppy_)};
    AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, TRUE);
    CreateWindowExA(0, kClassName, "", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                    CW_USEDEFAULT, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                    GetModuleHandleA(nullptr), this);
}

frmMain::~frmMain() {
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_);
    }
}

LRESULT CALLBACK frmMain::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* self =
            static_cast<frmMain*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<frmMain*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    return self->OnMessage(msg, wParam, lParam);
}

LRESULT frmMain::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE:
            CreateMenus();
            CreateControls();
            Form_Load();
            return 0;
        case WM_SIZE:
            Form_Resize();
            return 0;
        case WM_TIMER:
            if (wParam == tmrClipboard_.id()) {
                tmrClipboard_Timer();
            }
            return 0;
        case WM_SETFOCUS:
            SetFocus(txtDoc_);
            return 0;
        case WM_INITMENUPOPUP:
            if (reinterpret_cast<HMENU>(wParam) == fileMenu_) {
                mnuFile_Click();
            } else if (reinterpret_cast<HMENU>(wParam) == editMenu_) {
                mnuEdit_Click();
            }
            return 0;
        case WM_COMMAND:
            if (reinterpret_cast<HWND>(lParam) == txtDoc_) {
                if (HIWORD(wParam) == EN_CHANGE && !settingText_) {
                    txtDoc_Change();
                }
            } else if (lParam == 0) {
                OnCommand(LOWORD(wParam));
            }
            return 0;
        case WM_CLOSE: {
            bool cancel = false;
            Form_QueryUnload(cancel);
            if (!cancel) {
                DestroyWindow(hwnd_);
            }
            return 0;
        }
        case WM_QUERYENDSESSION: {
            bool cancel = false;
            Form_QueryUnload(cancel);
            return cancel ? FALSE : TRUE;
        }
        case WM_NCDESTROY: {
            const HWND hwnd = hwnd_;
            tmrClipboard_.SetEnabled(false);
            tmrClipboard_.Attach(nullptr);
            hwnd_ = txtDoc_ = lstClipboard_ = lblColRow_ = lblSelection_ = nullptr;
            menu_ = fileMenu_ = editMenu_ = nullptr;
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
            // The process lives as long as its main window.
            PostQuitMessage(0);
            return DefWindowProcA(hwnd, msg, wParam, lParam);
        }
        default:
            return DefWindowProcA(hwnd_, msg, wParam, lParam);
    }
}

LRESULT CALLBACK frmMain::TxtDocProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR self) {
    return reinterpret_cast<frmMain*>(self)->OnTxtDocMessage(hwnd, msg, wParam, lParam);
}

LRESULT frmMain::OnTxtDocMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            txtDoc_KeyDown(static_cast<int>(wParam), CurrentShiftState());
            break;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            txtDoc_KeyUp(static_cast<int>(wParam), CurrentShiftState());
            break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            const LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
            txtDoc_MouseUp();
            return result;
        }
        case WM_SETFOCUS: {
            const LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
            txtDoc_GotFocus();
            return result;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, &frmMain::TxtDocProc, kTxtDocSubclass);
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

void frmMain::CreateMenus() {
    UniqueMenu bar(CreateMenu());
    HMENU current = nullptr;
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
            std::string caption = item.caption;
            const std::string shortcut = ShortcutText(item);
            if (!shortcut.empty()) {
                caption += "\t" + shortcut;
            }
            AppendMenuA(current, MF_STRING | checked, item.id, caption.c_str());
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
    // Created in tab order; the list lies over the text box when it shows.
    txtDoc_ = child("EDIT",
                    WS_VISIBLE | WS_TABSTOP | WS_HSCROLL | WS_VSCROLL | ES_MULTILINE |
                        ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_NOHIDESEL,
                    WS_EX_CLIENTEDGE, kTxtDocId);
    lstClipboard_ = child("LISTBOX", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                          WS_EX_CLIENTEDGE, kLstClipboardId);
    lblColRow_ = child("STATIC", WS_VISIBLE | SS_LEFTNOWORDWRAP, 0, kLblColRowId);
    lblSelection_ = child("STATIC", WS_VISIBLE | SS_LEFTNOWORDWRAP, 0, kLblSelectionId);
    PlaceControl(txtDoc_, kTxtDocDesign.left, kTxtDocDesign.top, kTxtDocDesign.width,
                 kTxtDocDesign.height);
    PlaceControl(lstClipboard_, kLstClipboardDesign.left, kLstClipboardDesign.top,
                 kLstClipboardDesign.width, kLstClipboardDesign.height);
    PlaceControl(lblColRow_, kLblColRowDesign.left, kLblColRowDesign.top, kLblColRowDesign.width,
                 kLblColRowDesign.height);
    PlaceControl(lblSelection_, kLblSelectionDesign.left, kLblSelectionDesign.top,
                 kLblSelectionDesign.width, kLblSelectionDesign.height);

    const int height = -MulDiv(108, ScreenPixelsPerInch().y, 720);  // 10.8 points
    // Where the face is missing the font mapper picks another fixed-pitch face.
    docFont_.reset(CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, RUSSIAN_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               FIXED_PITCH | FF_MODERN, "Fixedsys"));
    SendMessageA(txtDoc_, WM_SETFONT, reinterpret_cast<WPARAM>(docFont_.get()), FALSE);
    const auto gui = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    SendMessageA(lstClipboard_, WM_SETFONT, gui, FALSE);
    SendMessageA(lblColRow_, WM_SETFONT, gui, FALSE);
    SendMessageA(lblSelection_, WM_SETFONT, gui, FALSE);
    // No typing limit: a document loaded at the load limit can still grow.
    SendMessageA(txtDoc_, EM_SETLIMITTEXT, 0, 0);
    tmrClipboard_.Attach(hwnd_);
    SetWindowSubclass(txtDoc_, &frmMain::TxtDocProc, kTxtDocSubclass,
                      reinterpret_cast<DWORD_PTR>(this));
}

void frmMain::PlaceControl(HWND control, double left, double top, double width, double height) {
    MoveWindow(control, TwipsToPixels(left, tppx_), TwipsToPixels(top, tppy_),
               TwipsToPixels(width, tppx_), TwipsToPixels(height, tppy_), FALSE);
}

std::string frmMain::Text() const {
    return WindowText(txtDoc_);
}

void frmMain::SetText(const std::string& text) {
    settingText_ = true;
    SetWindowTextA(txtDoc_, text.c_str());
    SendMessageA(txtDoc_, EM_SETMODIFY, FALSE, 0);
    SendMessageA(txtDoc_, EM_EMPTYUNDOBUFFER, 0, 0);
    settingText_ = false;
    txtDoc_Change();
}

void frmMain::Show() {
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    SetFocus(txtDoc_);
}

void frmMain::SetTitle() {
    const DocumentStateT& doc = mdlCode::DocumentState;
    SetWindowTextA(hwnd_, CaptionFor(doc.DocTitle, doc.DocModified, WindowText(hwnd_)).c_str());
}

void frmMain::SetStatus(const std::string& colRow, const std::string& selection) {
    SetWindowTextA(lblColRow_, colRow.c_str());
    SetWindowTextA(lblSelection_, selection.c_str());
}

bool frmMain::TranslateShortcut(const MSG& msg) {
    if ((msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) || hwnd_ == nullptr ||
        (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd)) || !IsWindowEnabled(txtDoc_)) {
        return false;
    }
    const int shift = CurrentShiftState();
    for (const MenuItemDef& item : MainMenuDefinition()) {
        if (!ShortcutMatches(item, msg.wParam, shift)) {
            continue;
        }
        // The state is computed now, so a shortcut always follows the current text.
        if (item.parent == mnuFile) {
            mnuFile_Click();
        } else if (item.parent == mnuEdit) {
            mnuEdit_Click();
        }
        if ((GetMenuState(menu_, item.id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) != 0) {
            return false;
        }
        OnCommand(item.id);
        return true;
    }
    return false;
}

void frmMain::OnCommand(int id) {
    switch (id) {
        case mnuNew:
            mnuNew_Click();
            break;
        case mnuOpen:
            mnuOpen_Click();
            break;
        case mnuSave:
            mnuSave_Click();
            break;
        case mnuSaveAs:
            mnuSaveAs_Click();
            break;
        case mnuExit:
            mnuExit_Click();
            break;
        case mnuUnReDo:
            mnuUnReDo_Click();
            break;
        case mnuCut:
            mnuCut_Click();
            break;
        case mnuCopy:
            mnuCopy_Click();
            break;
        case mnuPaste:
            mnuPaste_Click();
            break;
        case mnuDelete:
            mnuDelete_Click();
            break;
        case mnuSelectAll:
            mnuSelectAll_Click();
            break;
        default:
            break;
    }
}

void frmMain::Form_Load() {
    UpdateMenuState();
    mdlCode::UpdateStatus(*this);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const int height = ThreeQuartersOf(screenHeight);
    const int width = ThreeQuartersOf(screenWidth);
    SetWindowPos(hwnd_, nullptr, (screenWidth - width) / 2, (screenHeight - height) / 2, width,
                 height, SWP_NOZORDER | SWP_NOACTIVATE);
    SetTitle();
}

void frmMain::Form_Resize() {
    if (txtDoc_ == nullptr) {
        return;  // the controls don't exist yet
    }
    RECT client{};
    GetClientRect(hwnd_, &client);
    const ResizeLayout layout = LayoutForClient(client.right * tppx_, client.bottom * tppy_, tppy_);
    const auto px = [](std::optional<double> twips, double tpp) {
        return twips ? std::optional<int>(TwipsToPixels(*twips, tpp)) : std::nullopt;
    };
    SetBounds(txtDoc_, std::nullopt, std::nullopt, px(layout.txtDocWidth, tppx_),
              px(layout.txtDocHeight, tppy_));
    SetBounds(lblColRow_, std::nullopt, px(layout.lblColRowTop, tppy_), std::nullopt, std::nullopt);
    SetBounds(lblSelection_, px(layout.lblSelectionLeft, tppx_), px(layout.lblSelectionTop, tppy_),
              std::nullopt, std::nullopt);
}

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

void frmMain::txtDoc_Change() {
    mdlCode::DocumentState.DocModified = SendMessageA(txtDoc_, EM_GETMODIFY, 0, 0) != 0;
    SetTitle();
}

void frmMain::txtDoc_KeyDown(int, int) {}

void frmMain::txtDoc_KeyUp(int, int) {
    mdlCode::UpdateStatus(*this);
}

void frmMain::txtDoc_MouseUp() {
    mdlCode::UpdateStatus(*this);
}

void frmMain::txtDoc_GotFocus() {
    ShowWindow(lstClipboard_, SW_HIDE);
}

void frmMain::tmrClipboard_Timer() {
    // Nothing shows the register list yet: the timer fires once and stops.
    tmrClipboard_.SetEnabled(false);
}

void frmMain::mnuFile_Click() {
    UpdateMenuState();
}

void frmMain::mnuEdit_Click() {
    UpdateMenuState();
}

void frmMain::mnuNew_Click() {
    const unsigned long error = platform_.StartProgram(mdlCode::OwnExecutableCommand());
    if (error != 0) {
        platform_.ShowMessage(hwnd_, RunTimeError(error, ErrorDescription(error)).what(),
                              MsgIcon::Stop, MsgButtons::Ok);
    }
}

void frmMain::PrepareFileDialog(const char* caption) {
    CComDlgEx& dlg = mdlCode::ComDlg();
    dlg.hwndOwner = static_cast<int32_t>(reinterpret_cast<intptr_t>(hwnd_));
    dlg.DialogCaption = caption;
    dlg.Filter = "All files (*.*)|*.*|";
    dlg.Flags = OFN_HIDEREADONLY;
}

void frmMain::mnuOpen_Click() {
    DocumentStateT& doc = mdlCode::DocumentState;
    CComDlgEx& dlg = mdlCode::ComDlg();
    try {
        PrepareFileDialog("Open file");
        dlg.ShowOpFileDlg();
        if (!dlg.fnExistFile(dlg.FileName)) {
            if (!dlg.FileName.empty()) {
                platform_.ShowMessage(hwnd_, "File not found", MsgIcon::Stop, MsgButtons::Ok);
            }
            return;
        }
        const std::string path = dlg.FileName;
        const std::string title = dlg.FileTitle;
        const std::optional<long long> length = mdlCode::FileLength(path);
        if (!length) {
            return;
        }
        if (*length > mdlCode::kMaxLoadBytes) {
            platform_.ShowMessage(hwnd_, "It is impossible to open a file because of its size",
                                  MsgIcon::Exclamation, MsgButtons::Ok);
            return;
        }
        if (doc.DocTitle != mdlCode::kUntitled || doc.DocModified) {
            // This window keeps its document; the file gets a window of its own.
            platform_.StartProgram(mdlCode::OwnExecutableCommand() + " " + path);
            return;
        }
        SetText(mdlCode::ReadTextFile(path));
        if (!Text().empty()) {
            doc.DocTitle = title;
            doc.DocPath = path;
            doc.DocModified = false;
            SetTitle();
        }
    } catch (const std::exception&) {
        // Open ends silently on failures other than its size refusal.
    }
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
        PrepareFileDialog("Save file as");
        try {
            dlg.ShowFileSaveAsDlg();
        } catch (const std::exception& e) {
            platform_.ShowMessage(hwnd_, e.what(), MsgIcon::Stop, MsgButtons::Ok);
            return false;
        }
        path = dlg.FileName;
        title = dlg.FileTitle;
    }
    if (path.empty() || !mdlCode::WriteTextFile(path, Text())) {
        return false;
    }
    doc.DocPath = path;
    doc.DocTitle = title;
    doc.DocModified = false;
    SetTitle();
    return true;
}

void frmMain::EnableItem(int id, bool enabled) {
    EnableMenuItem(menu_, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void frmMain::UpdateMenuState() {
    EnableItem(mnuFindReplace, GetWindowTextLengthA(txtDoc_) != 0);
    EnableItem(mnuSave, mdlCode::DocumentState.DocModified);
    EnableItem(mnuUnReDo, SendMessageA(txtDoc_, EM_GETMODIFY, 0, 0) != 0);
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(txtDoc_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    const bool selection = end != start;
    EnableItem(mnuPaste, IsClipboardFormatAvailable(CF_TEXT) && !ClipboardText(hwnd_).empty());
    for (int id : {mnuCut, mnuCopy, mnuDelete, mnuLCase, mnuUCase}) {
        EnableItem(id, selection);
    }
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
    SendMessageA(txtDoc_, EM_REPLACESEL, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(""));
}

void frmMain::mnuSelectAll_Click() {
    SendMessageA(txtDoc_, EM_SETSEL, 0, -1);
}

void frmMain::mnuExit_Click() {
    SendMessageA(hwnd_, WM_CLOSE, 0, 0);
}
