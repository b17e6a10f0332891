#include "ui/main/frmMain.h"
#include "ui/main/status_line.h"

#include <optional>

#include "app/mdlCode.h"
#include "app/startup_marks.h"
#include "core/app/caption.h"
#include "core/layout/layout.h"
#include "platform/dpi.h"
#include "platform/message_guard.h"
#include "ui/main/menu_def.h"

using namespace quillet;

namespace {

// A shortcut matches only with exactly its own modifiers held: Ctrl+Shift+C is not
// Ctrl+C, and Shift+Del is not Del.
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

}  // namespace

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
        QUILLET_MARK("icon");
        wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kClassName;
        return RegisterClassExA(&wc);
    }();
    (void)registered;
    QUILLET_MARK("class");
    // The screen's until the window exists and can say which screen it is on.
    SetDpi(WindowDpi(nullptr));
    // The design client area; Form_Load gives the window its real size.
    RECT r{0, 0, TwipsToPixels(7200, tppx_), TwipsToPixels(4800, tppy_)};
    AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, TRUE);
    CreateWindowExA(0, kClassName, "", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                    CW_USEDEFAULT, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                    GetModuleHandleA(nullptr), this);
    QUILLET_MARK("window_created");
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
    return GuardMessage(self->platform_, hwnd, LRESULT{0},
                        [&] { return self->OnMessage(msg, wParam, lParam); });
}

LRESULT frmMain::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE:
            SetDpi(WindowDpi(hwnd_));
            QUILLET_MARK("window_made");
            CreateMenus();
            QUILLET_MARK("menus");
            CreateControls();
            QUILLET_MARK("controls");
            Form_Load();
            return 0;
        case WM_SIZE:
            Form_Resize();
            return 0;
        case WM_DPICHANGED:
            Form_DpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_TIMER:
            if (wParam == registers_.tmrClipboard().id()) {
                tmrClipboard_Timer();
            }
            return 0;
        case WM_SETFOCUS:
            SetFocus(registers_.FocusTarget());
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                Form_Deactivate();
            }
            return DefWindowProcA(hwnd_, msg, wParam, lParam);
        case WM_INITMENUPOPUP:
            if (reinterpret_cast<HMENU>(wParam) == fileMenu_) {
                OnCommand(mnuFile);
            } else if (reinterpret_cast<HMENU>(wParam) == editMenu_) {
                OnCommand(mnuEdit);
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
            registers_.Detach();
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

// The text box and the list are subclassed for the events the form designer gives
// them (key and mouse releases, focus); everything else goes on to the control.
LRESULT CALLBACK frmMain::ChildProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<frmMain*>(GetWindowLongPtrA(GetParent(hwnd), GWLP_USERDATA));
    if (self != nullptr && hwnd == self->txtDoc_) {
        return GuardMessage(self->platform_, self->hwnd_, LRESULT{0},
                            [&] { return self->OnTxtDocMessage(msg, wParam, lParam); });
    }
    if (self != nullptr && hwnd == self->lstClipboard_) {
        return GuardMessage(self->platform_, self->hwnd_, LRESULT{0},
                            [&] { return self->OnLstClipboardMessage(msg, wParam, lParam); });
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT frmMain::OnTxtDocMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    const HWND box = txtDoc_;
    const WNDPROC own = txtDocProc_;
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
            const LRESULT result = CallWindowProcA(own, box, msg, wParam, lParam);
            txtDoc_MouseUp();
            return result;
        }
        case WM_SETFOCUS: {
            const LRESULT result = CallWindowProcA(own, box, msg, wParam, lParam);
            txtDoc_GotFocus();
            return result;
        }
        default:
            break;
    }
    return CallWindowProcA(own, box, msg, wParam, lParam);
}

LRESULT frmMain::OnLstClipboardMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    const HWND list = lstClipboard_;
    const WNDPROC own = lstClipboardProc_;
    if (msg == WM_KEYUP || msg == WM_SYSKEYUP) {
        const LRESULT result = CallWindowProcA(own, list, msg, wParam, lParam);
        lstClipboard_KeyUp(static_cast<int>(wParam), CurrentShiftState());
        return result;
    }
    return CallWindowProcA(own, list, msg, wParam, lParam);
}

std::string frmMain::Text() const {
    return WindowText(txtDoc_);
}

void frmMain::SetText(const std::string& text) {
    settingText_ = true;
    SetWindowTextA(txtDoc_, text.c_str());
    QUILLET_MARK("text_in_box");
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
    if (FitStatusLabels()) {
        Form_Resize();
    }
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
        // The state is computed now, so a shortcut always follows the current text
        // and selection (the clipboard only by its format: keys repeat).
        if (item.parent == mnuFile || item.parent == mnuEdit) {
            UpdateMenuState(false);
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
    for (const MenuItemDef& item : MainMenuDefinition()) {
        if (item.id == id && item.click != nullptr) {
            (this->*item.click)();
            return;
        }
    }
}

void frmMain::Form_Load() {
    UpdateMenuState();
    QUILLET_MARK("menu_state_and_clipboard");
    mdlCode::UpdateStatus(*this);
    QUILLET_MARK("status");
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const int height = ThreeQuartersOf(screenHeight);
    const int width = ThreeQuartersOf(screenWidth);
    SetWindowPos(hwnd_, nullptr, (screenWidth - width) / 2, (screenHeight - height) / 2, width,
                 height, SWP_NOZORDER | SWP_NOACTIVATE);
    QUILLET_MARK("window_sized");
    SetTitle();
}

void frmMain::Form_Resize() {
    if (txtDoc_ == nullptr) {
        return;  // the controls don't exist yet
    }
    RECT client{};
    GetClientRect(hwnd_, &client);
    const ResizeLayout layout = LayoutForClient(client.right * tppx_, client.bottom * tppy_, tppy_,
                                                lblColRowRect_, lblSelectionRect_);
    const auto px = [](std::optional<double> twips, double tpp) {
        return twips ? std::optional<int>(TwipsToPixels(*twips, tpp)) : std::nullopt;
    };
    SetBounds(txtDoc_, std::nullopt, std::nullopt, px(layout.txtDocWidth, tppx_),
              px(layout.txtDocHeight, tppy_));
    SetBounds(lblColRow_, std::nullopt, px(layout.lblColRowTop, tppy_),
              TwipsToPixels(lblColRowRect_.width, tppx_),
              TwipsToPixels(lblColRowRect_.height, tppy_));
    SetBounds(lblSelection_, px(layout.lblSelectionLeft, tppx_), px(layout.lblSelectionTop, tppy_),
              px(layout.lblSelectionWidth, tppx_), TwipsToPixels(lblSelectionRect_.height, tppy_));
}

void frmMain::Form_DpiChanged(int dpi, const RECT& suggested) {
    // A new font makes the box scroll to its caret; the first line shown stays.
    const LRESULT firstLine = SendMessageA(txtDoc_, EM_GETFIRSTVISIBLELINE, 0, 0);
    SetDpi(dpi);
    ApplyFonts();
    PlaceControl(lstClipboard_, kLstClipboardDesign.left, kLstClipboardDesign.top,
                 kLstClipboardDesign.width, kLstClipboardDesign.height);
    FitStatusLabels();
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    Form_Resize();  // the same size in pixels brings no WM_SIZE
    SendMessageA(txtDoc_, EM_LINESCROLL, 0,
                 firstLine - SendMessageA(txtDoc_, EM_GETFIRSTVISIBLELINE, 0, 0));
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void frmMain::SetDpi(int dpi) {
    dpi_ = dpi > 0 ? dpi : 96;
    tppx_ = TwipsPerPixel(dpi_);
    tppy_ = TwipsPerPixel(dpi_);
    registers_.SetDpi(dpi_);
}

void frmMain::Form_Deactivate() {
    registers_.Form_Deactivate();
}

void frmMain::txtDoc_Change() {
    mdlCode::DocumentState.DocModified = SendMessageA(txtDoc_, EM_GETMODIFY, 0, 0) != 0;
    SetTitle();
}

void frmMain::txtDoc_KeyDown(int keyCode, int shift) {
    registers_.txtDoc_KeyDown(keyCode, shift);
}

void frmMain::txtDoc_KeyUp(int keyCode, int shift) {
    mdlCode::UpdateStatus(*this);
    registers_.txtDoc_KeyUp(keyCode, shift);
}

void frmMain::txtDoc_MouseUp() {
    mdlCode::UpdateStatus(*this);
}

void frmMain::txtDoc_GotFocus() {
    registers_.txtDoc_GotFocus();
}

void frmMain::tmrClipboard_Timer() {
    registers_.tmrClipboard_Timer();
}

void frmMain::lstClipboard_KeyUp(int keyCode, int shift) {
    registers_.lstClipboard_KeyUp(keyCode, shift);
}
