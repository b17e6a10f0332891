#include "ui/find/frmFind.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <vector>

#include "core/layout/layout.h"
#include "core/layout/twips.h"
#include "platform/code_page.h"
#include "platform/dpi.h"
#include "platform/message_guard.h"
#include "platform/win32_util.h"

using namespace quillet;

namespace {

constexpr const char* kRegionSearched = "The specified region has been searched.";
// Outer heights in pixels at 96 pixels per inch; the controls are placed in twips, so
// the heights grow with the screen's resolution as well.
constexpr int kShortHeight = 155;  // searching
constexpr int kTallHeight = 240;   // replacing
constexpr double kDesignWidth = 5820;
constexpr DWORD kStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;

struct ControlDef {
    int id;
    const char* cls;
    const char* caption;
    DWORD style;
    double left, top, width, height;  // twips
};

// In window order, which is the tab order of those that take the focus (the options sit
// in the frame, 132 by 528 twips from the client's corner). Each label stands just
// before the box it names, as screen readers name a box after the label before it.
constexpr DWORD kStop = WS_TABSTOP | WS_GROUP;
constexpr ControlDef kControls[] = {
    {frmFind::kLblFind, "STATIC", "Find what:", WS_GROUP | SS_LEFTNOWORDWRAP, 180, 240, 1032, 192},
    {frmFind::kTxtFind, "EDIT", "", kStop | ES_AUTOHSCROLL, 1260, 180, 3000, 312},
    {frmFind::kOptScope0, "BUTTON", "&Document", kStop | BS_AUTORADIOBUTTON, 312, 744, 1380, 300},
    {frmFind::kOptScope1, "BUTTON", "&Selection", WS_DISABLED | BS_AUTORADIOBUTTON, 312, 1068, 1380,
     300},
    {frmFind::kChkMatchCase, "BUTTON", "&Match Case", kStop | BS_AUTOCHECKBOX, 2280, 564, 2004,
     300},
    {frmFind::kLblReplace, "STATIC", "Replace with:", WS_GROUP | SS_LEFTNOWORDWRAP, 180, 1752, 960,
     192},
    {frmFind::kTxtReplace, "EDIT", "", kStop | WS_DISABLED | ES_AUTOHSCROLL, 1260, 1692, 3000, 312},
    {frmFind::kCmdFindNext, "BUTTON", "&Find Next", kStop | BS_DEFPUSHBUTTON, 4500, 120, 1200, 396},
    {frmFind::kCmdMode, "BUTTON", "Replace >>", kStop, 4500, 588, 1200, 396},
    {frmFind::kCmdCancel, "BUTTON", "&Cancel", kStop, 4500, 1056, 1200, 396},
    {frmFind::kCmdReplace, "BUTTON", "&Replace", kStop | WS_DISABLED, 4500, 1632, 1200, 396},
    {frmFind::kCmdReplaceAll, "BUTTON", "Replace &All", kStop | WS_DISABLED, 4500, 2100, 1200, 396},
    // Below the options in the Z order, and never painting over them.
    {frmFind::kFraScope, "BUTTON", "Search", WS_GROUP | WS_CLIPSIBLINGS | BS_GROUPBOX, 132, 528,
     1980, 912},
};

// An empty dialog template: the controls are created at load, at their twips places.
std::vector<WORD> DialogTemplate() {
    std::vector<WORD> t;
    const auto dword = [&](DWORD v) {
        t.push_back(LOWORD(v));
        t.push_back(HIWORD(v));
    };
    dword(kStyle);
    dword(0);
    t.insert(t.end(), {0, 0, 0, 0, 0, 0, 0});  // no items, place, size, menu, class
    for (const char* c = "Find/Replace"; *c != '\0'; ++c) {
        t.push_back(static_cast<WORD>(*c));
    }
    t.push_back(0);
    return t;
}

}  // namespace

frmFind::frmFind(IFindTarget& document, IPlatform& platform)
    : document_(document), platform_(platform), engine_(AnsiCodePage()) {}

frmFind::~frmFind() {
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_);
    }
}

void frmFind::ShowModal() {
    modal_ = true;
    const std::vector<WORD> dialog = DialogTemplate();
    DialogBoxIndirectParamA(
        GetModuleHandleA(nullptr), reinterpret_cast<const DLGTEMPLATE*>(dialog.data()),
        document_.OwnerWindow(), &frmFind::DialogProc, reinterpret_cast<LPARAM>(this));
}

void frmFind::ShowModeless() {
    modal_ = false;
    const std::vector<WORD> dialog = DialogTemplate();
    CreateDialogIndirectParamA(
        GetModuleHandleA(nullptr), reinterpret_cast<const DLGTEMPLATE*>(dialog.data()),
        document_.OwnerWindow(), &frmFind::DialogProc, reinterpret_cast<LPARAM>(this));
    ShowWindow(hwnd_, SW_SHOW);
}

INT_PTR CALLBACK frmFind::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        auto* self = reinterpret_cast<frmFind*>(lParam);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
    }
    auto* self = reinterpret_cast<frmFind*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    if (self == nullptr) {
        return FALSE;
    }
    // A step that fails (out of memory) leaves the text as it was.
    return GuardMessage(self->platform_, hwnd, INT_PTR{FALSE},
                        [&] { return self->OnMessage(msg, wParam, lParam); });
}

INT_PTR frmFind::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG:
            CreateControls();
            Form_Load();
            SetFocus(Item(kTxtFind));
            return FALSE;  // the focus is set
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_DPICHANGED:
            Form_DpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return TRUE;
        case WM_CLOSE:
            cmdCancel_Click();
            return TRUE;
        case WM_NCDESTROY:
            SetWindowLongPtrA(hwnd_, DWLP_USER, 0);
            hwnd_ = nullptr;
            return FALSE;
        default:
            return FALSE;
    }
}

void frmFind::OnCommand(int id, int code) {
    if (code != BN_CLICKED) {
        return;
    }
    switch (id) {
        case kCmdFindNext:
            cmdFindNext_Click();
            break;
        case kCmdCancel:
            cmdCancel_Click();
            break;
        case kCmdMode:
            cmdMode_Click();
            break;
        case kCmdReplace:
            cmdReplace_Click();
            break;
        case kCmdReplaceAll:
            cmdReplaceAll_Click();
            break;
        case kChkMatchCase:
            chkMatchCase_Click();
            break;
        case kOptScope0:
        case kOptScope1:
            optScope_Click(id - kOptScope0);
            break;
        default:
            break;
    }
}

void frmFind::CreateControls() {
    dpi_ = WindowDpi(hwnd_);
    KeepDialogScalingToItself(hwnd_);
    for (const ControlDef& c : kControls) {
        const DWORD edge = std::string(c.cls) == "EDIT" ? WS_EX_CLIENTEDGE : 0;
        CreateWindowExA(edge, c.cls, c.caption, WS_CHILD | WS_VISIBLE | c.style, 0, 0, 0, 0, hwnd_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)),
                        GetModuleHandleA(nullptr), nullptr);
    }
    CheckDlgButton(hwnd_, kOptScope0, BST_CHECKED);
    Layout();
}

// The font and every place at the dialog's resolution, and its size for the mode.
void frmFind::Layout() {
    const double tpp = TwipsPerPixel(dpi_);
    UniqueFont font = GuiFontAt(dpi_);
    std::vector<PixelRect> design;
    for (const ControlDef& c : kControls) {
        design.push_back({TwipsToPixels(c.left, tpp), TwipsToPixels(c.top, tpp),
                          TwipsToPixels(c.width, tpp), TwipsToPixels(c.height, tpp)});
        SendMessageA(Item(c.id), WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    }
    font_.swap(font);  // the old one goes now that no control holds it
    const int width = PlaceControls(design);
    // The outer width that gives the client width; the height comes with the mode.
    RECT r{0, 0, width, 0};
    AdjustWindowRectEx(&r, kStyle, FALSE, WS_EX_DLGMODALFRAME);
    SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, OuterHeight(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void frmFind::Form_DpiChanged(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    pixelTwips_ = static_cast<int>(std::lround(TwipsPerPixel(dpi_)));
    Layout();
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The design's places hold where the texts fit in the controls' font. The label column
// takes its widest label, and the boxes and all right of them move by what it grew; the
// buttons share the width of the widest; every row is as tall as its text needs.
int frmFind::PlaceControls(const std::vector<PixelRect>& design) {
    const auto at = [&](int id) {
        for (size_t i = 0; i < std::size(kControls); ++i) {
            if (kControls[i].id == id) {
                return i;
            }
        }
        return size_t{0};
    };
    const auto needs = [&](int id) { return CaptionNeeds(Item(id), dpi_); };
    const auto item = [&](int id) { return ColumnItem{design[at(id)].width, needs(id).cx}; };
    const ColumnWidth labels = FitColumn({item(kLblFind), item(kLblReplace)});
    const ColumnWidth buttons = FitColumn({item(kCmdFindNext), item(kCmdMode), item(kCmdCancel),
                                           item(kCmdReplace), item(kCmdReplaceAll)});
    const int buttonsLeft = design[at(kCmdFindNext)].left;
    const int boxesLeft = design[at(kTxtFind)].left;
    for (size_t i = 0; i < std::size(kControls); ++i) {
        const int id = kControls[i].id;
        PixelRect r = design[i];
        if (id == kLblFind || id == kLblReplace) {
            r.width = labels.width;
        } else if (r.left >= buttonsLeft) {
            r.width = buttons.width;
        }
        if (r.left >= boxesLeft) {
            r.left += labels.growth;
        }
        const SIZE need = needs(id);
        r = GrownToFit(r, need.cx, need.cy);
        MoveWindow(Item(id), r.left, r.top, r.width, r.height, FALSE);
    }
    return TwipsToPixels(kDesignWidth, TwipsPerPixel(dpi_)) + labels.growth + buttons.growth;
}

int frmFind::OuterHeight() const {
    return MulDiv(replaceMode_ ? kTallHeight : kShortHeight, dpi_, 96);
}

void frmFind::SetOuterHeight() {
    RECT r{};
    GetWindowRect(hwnd_, &r);
    SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, OuterHeight(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool frmFind::SelectionScope() const {
    return IsDlgButtonChecked(hwnd_, kOptScope1) == BST_CHECKED;
}

void frmFind::Form_Load() {
    pixelTwips_ = static_cast<int>(std::lround(TwipsPerPixel(dpi_)));
    replaceMode_ = false;
    SetOuterHeight();
    const Selection sel = document_.SelectedBytes();
    const bool selection = engine_.Load(static_cast<TextOffset>(sel.start),
                                        static_cast<TextOffset>(sel.end - sel.start));
    EnableWindow(Item(kOptScope1), selection);
    if (selection) {
        CheckRadioButton(hwnd_, kOptScope0, kOptScope1, kOptScope1);
        optScope_Click(1);
    }
    RECT me{};
    RECT owner{};
    GetWindowRect(hwnd_, &me);
    GetWindowRect(document_.OwnerWindow(), &owner);
    const int width = me.right - me.left;
    const int height = me.bottom - me.top;
    SetWindowPos(hwnd_, nullptr, owner.left + (owner.right - owner.left - width) / 2,
                 owner.top + (owner.bottom - owner.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void frmFind::cmdMode_Click() {
    replaceMode_ = !replaceMode_;
    SetOuterHeight();
    SetWindowTextA(Item(kCmdMode), replaceMode_ ? "Replace <<" : "Replace >>");
    for (int id : {kCmdReplace, kCmdReplaceAll, kTxtReplace}) {
        EnableWindow(Item(id), replaceMode_);
    }
}

void frmFind::chkMatchCase_Click() {
    engine_.SetMatchCase(IsDlgButtonChecked(hwnd_, kChkMatchCase) == BST_CHECKED);
}

void frmFind::optScope_Click(int index) {
    engine_.ChooseScope(index == 1);
    // Tab enters the options at the chosen one, so tabbing never changes the scope.
    for (int id : {kOptScope0, kOptScope1}) {
        const LONG_PTR style = GetWindowLongPtrA(Item(id), GWL_STYLE);
        const bool chosen = id - kOptScope0 == index;
        SetWindowLongPtrA(Item(id), GWL_STYLE, chosen ? style | WS_TABSTOP : style & ~WS_TABSTOP);
    }
}

void frmFind::cmdCancel_Click() {
    if (modal_) {
        EndDialog(hwnd_, IDCANCEL);
    } else {
        DestroyWindow(hwnd_);
    }
}

void frmFind::cmdFindNext_Click() {
    SearchNext();
}

void frmFind::SearchNext() {
    ShowStep(engine_.SearchNext(document_.Text(), WindowText(Item(kTxtFind)), SelectionScope()));
}

void frmFind::cmdReplace_Click() {
    const std::string doc = document_.Text();
    const Selection sel = document_.SelectedBytes();
    ShowStep(engine_.Replace(
        doc, static_cast<TextOffset>(sel.start), static_cast<TextOffset>(sel.end - sel.start),
        WindowText(Item(kTxtFind)), WindowText(Item(kTxtReplace)), SelectionScope()));
}

void frmFind::cmdReplaceAll_Click() {
    const auto edit = engine_.ReplaceAll(document_.Text(), WindowText(Item(kTxtFind)),
                                         WindowText(Item(kTxtReplace)), SelectionScope());
    if (edit) {
        ShowStep({SearchStep::Replace, edit->offset, edit->removed, *edit});
        return;
    }
    // Even with nothing replaced, Replace All counts as an edit of the document.
    document_.MarkChanged();
}

void frmFind::ShowStep(const SearchStep& step) {
    switch (step.kind) {
        case SearchStep::Select:
            document_.SelectBytesAndScroll(static_cast<size_t>(step.offset),
                                           static_cast<size_t>(step.offset + step.length));
            break;
        case SearchStep::Replace:
            document_.SelectBytesAndScroll(
                static_cast<size_t>(step.edit.offset),
                static_cast<size_t>(step.edit.offset + step.edit.removed));
            document_.ReplaceSelectedText(step.edit.inserted);
            break;
        case SearchStep::RegionSearched:
            platform_.ShowMessage(hwnd_, kRegionSearched, MsgIcon::Exclamation, MsgButtons::Ok);
            break;
    }
}
