#pragma once
// The main window: the document text box, the status labels, the hidden register list
// and the menus. Its window procedure hands each message to one named handler.
#include <string>

#include "platform/platform.h"
#include "platform/win32_util.h"

// A window timer as the form designer knows it: an interval and an Enabled switch.
// Enabling a timer that is already running leaves its count alone.
class WindowTimer {
public:
    WindowTimer(UINT_PTR id, UINT intervalMs) : id_(id), interval_(intervalMs) {}
    ~WindowTimer() { SetEnabled(false); }
    WindowTimer(const WindowTimer&) = delete;
    WindowTimer& operator=(const WindowTimer&) = delete;
    void Attach(HWND owner) { owner_ = owner; }
    void SetEnabled(bool enabled);
    bool Enabled() const { return enabled_; }
    UINT Interval() const { return interval_; }
    UINT_PTR id() const { return id_; }

private:
    HWND owner_ = nullptr;
    UINT_PTR id_;
    UINT interval_;
    bool enabled_ = false;
};

class frmMain {
public:
    explicit frmMain(IPlatform& platform);
    ~frmMain();
    frmMain(const frmMain&) = delete;
    frmMain& operator=(const frmMain&) = delete;

    static constexpr const char* kClassName = "QuilletMain";

    HWND hWnd() const { return hwnd_; }
    HWND txtDoc() const { return txtDoc_; }
    HWND lstClipboard() const { return lstClipboard_; }
    HWND lblColRow() const { return lblColRow_; }
    HWND lblSelection() const { return lblSelection_; }
    HMENU menu() const { return menu_; }
    WindowTimer& tmrClipboard() { return tmrClipboard_; }
    bool IsOpen() const { return hwnd_ != nullptr; }

    // The text box's Text property. Writing it is a load: the modification flag stays
    // clear and Change is raised once.
    std::string Text() const;
    void SetText(const std::string& text);

    void Show();
    void SetTitle();
    void SetStatus(const std::string& colRow, const std::string& selection);

    // Turns a shortcut key into its menu command, with the menu state computed first;
    // a key whose command is disabled is left to the focused control. True when used.
    bool TranslateShortcut(const MSG& msg);

    // Handlers.
    void Form_Load();
    void Form_Resize();
    void Form_QueryUnload(bool& cancel);
    void txtDoc_Change();
    void txtDoc_KeyDown(int keyCode, int shift);
    void txtDoc_KeyUp(int keyCode, int shift);
    void txtDoc_MouseUp();
    void txtDoc_GotFocus();
    void tmrClipboard_Timer();
    void mnuFile_Click();
    void mnuNew_Click();
    void mnuOpen_Click();
    void mnuSave_Click();
    void mnuSaveAs_Click();
    void mnuEdit_Click();
    void mnuUnReDo_Click();
    void mnuCut_Click();
    void mnuCopy_Click();
    void mnuPaste_Click();
    void mnuDelete_Click();
    void mnuSelectAll_Click();
    void mnuExit_Click();

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK TxtDocProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR self);
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT OnTxtDocMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    void CreateMenus();
    void OnCommand(int id);
    void UpdateMenuState();
    bool SaveDocument();
    void PrepareFileDialog(const char* caption);
    void EnableItem(int id, bool enabled);
    void PlaceControl(HWND control, double left, double top, double width, double height);

    IPlatform& platform_;
    HWND hwnd_ = nullptr;
    HWND txtDoc_ = nullptr;
    HWND lstClipboard_ = nullptr;
    HWND lblColRow_ = nullptr;
    HWND lblSelection_ = nullptr;
    HMENU menu_ = nullptr;  // owned by the window once attached
    HMENU fileMenu_ = nullptr;
    HMENU editMenu_ = nullptr;
    UniqueFont docFont_;
    WindowTimer tmrClipboard_{1, 500};
    double tppx_ = 15.0;
    double tppy_ = 15.0;
    bool settingText_ = false;
};

// The shift state of Windows' key events: 1 Shift, 2 Ctrl, 4 Alt.
int CurrentShiftState();
