#pragma once
// The Find/Replace dialog: modal over the main window, created afresh at each opening,
// it captures the text box's selection as its region and moves its control values in
// and out of the search engine, which does the searching.
#include <string>
#include <vector>

#include "core/find/search_engine.h"
#include "core/layout/layout.h"
#include "platform/platform.h"
#include "platform/win32_util.h"
#include "ui/find/find_target.h"

class frmFind {
public:
    frmFind(IFindTarget& document, IPlatform& platform);
    ~frmFind();
    frmFind(const frmFind&) = delete;
    frmFind& operator=(const frmFind&) = delete;

    // Runs the dialog until it is closed.
    void ShowModal();
    // Loads it without a loop of its own (tests drive it with messages).
    void ShowModeless();

    // Control ids: Enter and Esc reach the default and cancel buttons through theirs.
    enum ControlId {
        kCmdFindNext = IDOK,
        kCmdCancel = IDCANCEL,
        kTxtFind = 100,
        kTxtReplace,
        kLblFind,
        kLblReplace,
        kChkMatchCase,
        kFraScope,
        kOptScope0,
        kOptScope1,
        kCmdMode,
        kCmdReplace,
        kCmdReplaceAll,
    };

    HWND hWnd() const { return hwnd_; }
    const quillet::SearchEngine& engine() const { return engine_; }
    bool ReplaceMode() const { return replaceMode_; }
    int PixelTwips() const { return pixelTwips_; }

    void Form_Load();
    // Moved to a screen of another resolution: the font at the same points, the layout
    // and the size for the mode again, at the suggested place.
    void Form_DpiChanged(int dpi, const RECT& suggested);
    void cmdMode_Click();
    void chkMatchCase_Click();
    void optScope_Click(int index);
    void cmdCancel_Click();
    void cmdFindNext_Click();
    void cmdReplace_Click();
    void cmdReplaceAll_Click();

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void OnCommand(int id, int code);
    void CreateControls();
    // Places the controls, grown where their texts need it; returns the client width.
    int PlaceControls(const std::vector<quillet::PixelRect>& design);
    void Layout();
    int OuterHeight() const;  // for the mode, at the dialog's resolution
    void SetOuterHeight();
    void SearchNext();
    void ShowStep(const quillet::SearchStep& step);
    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
    bool SelectionScope() const;

    IFindTarget& document_;
    IPlatform& platform_;
    quillet::SearchEngine engine_;
    HWND hwnd_ = nullptr;
    bool modal_ = false;
    bool replaceMode_ = false;
    int pixelTwips_ = 15;
    int dpi_ = 96;     // the dialog's resolution, which all its sizes go by
    UniqueFont font_;  // its controls' font at that resolution
};
