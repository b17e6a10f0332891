#pragma once
// The main window: the document text box, the status labels, the hidden register list
// and the menus. Its window procedure hands each message to one named handler; the
// handlers live in one file per concern (file_commands.cpp, edit_commands.cpp,
// menu_state.cpp, text_transforms.cpp, print_command.cpp, view_commands.cpp), the
// registers in their own class.
#include <string>

#include "core/layout/layout.h"
#include "platform/platform.h"
#include "platform/win32_util.h"
#include "ui/find/find_target.h"
#include "ui/main/registers.h"
#include "ui/main/screen_fonts.h"
#include "ui/text_box.h"

class frmMain : public IFindTarget {
public:
    explicit frmMain(IPlatform& platform);
    ~frmMain();
    frmMain(const frmMain&) = delete;
    frmMain& operator=(const frmMain&) = delete;

    static constexpr const char* kClassName = "QuilletMain";

    // Control ids (the end-to-end tests find the controls by them too).
    enum ControlId { kTxtDocId = 1, kLstClipboardId, kLblColRowId, kLblSelectionId };

    HWND hWnd() const { return hwnd_; }
    HWND txtDoc() const { return txtDoc_; }
    HWND lstClipboard() const { return lstClipboard_; }
    HWND lblColRow() const { return lblColRow_; }
    HWND lblSelection() const { return lblSelection_; }
    HMENU menu() const { return menu_; }
    WindowTimer& tmrClipboard() { return registers_.tmrClipboard(); }
    ClipboardRegisters& registers() { return registers_; }
    bool IsOpen() const { return hwnd_ != nullptr; }

    // The text box's Text property. Writing it is a load: the modification flag stays
    // clear and Change is raised once.
    std::string Text() const override;
    void SetText(const std::string& text);

    // The document as the Find/Replace dialog works on it (edit_commands.cpp).
    HWND OwnerWindow() const override { return hwnd_; }
    Selection SelectedBytes() const override;
    void SelectBytesAndScroll(size_t start, size_t end) override;
    void ReplaceSelectedText(const std::string& text) override;
    void MarkChanged() override;

    void Show();
    void SetTitle();
    void SetStatus(const std::string& colRow, const std::string& selection);

    // Turns a shortcut key into its menu command, with the menu state computed first;
    // a key whose command is disabled is left to the focused control. True when used.
    bool TranslateShortcut(const MSG& msg);

    // Form and control events (frmMain.cpp).
    void Form_Load();
    void Form_Resize();
    void Form_Deactivate();
    // The window moved to a screen of another resolution: the suggested place, the fonts
    // at the same points, the layout again; the document is left as it was.
    void Form_DpiChanged(int dpi, const RECT& suggested);
    void txtDoc_Change();
    void txtDoc_KeyDown(int keyCode, int shift);
    void txtDoc_KeyUp(int keyCode, int shift);
    void txtDoc_MouseUp();
    void txtDoc_GotFocus();
    void tmrClipboard_Timer();
    void lstClipboard_KeyUp(int keyCode, int shift);

    // File commands and closing (file_commands.cpp).
    void Form_QueryUnload(bool& cancel);
    void mnuFile_Click();
    void mnuNew_Click();
    void mnuOpen_Click();
    void mnuSave_Click();
    void mnuSaveAs_Click();
    void mnuExit_Click();

    // Edit commands, menu state and Find/Replace (edit_commands.cpp); the text
    // transforms (text_transforms.cpp).
    void mnuEdit_Click();
    void mnuUnReDo_Click();
    void mnuCut_Click();
    void mnuCopy_Click();
    void mnuPaste_Click();
    void mnuDelete_Click();
    void mnuSelectAll_Click();
    void mnuLCase_Click();
    void mnuUCase_Click();
    void mnuDateTime_Click();
    void mnuFindReplace_Click();

    // Printing (print_command.cpp).
    void mnuPrint_Click();

    // View options, the character map and About (view_commands.cpp).
    void mnuAscii_Click();
    void mnuAnsi_Click();
    void mnuOnTop_Click();
    void mnuWrap_Click();
    void mnuCharMap_Click();
    void mnuAbout_Click();

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ChildProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT OnTxtDocMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT OnLstClipboardMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void CreateControls();  // frmMain_controls.cpp: the form's definition
    void CreateMenus();
    void OnCommand(int id);
    // The enabling of the File and Edit items. Opening a menu reads the first character
    // of the clipboard's text; a shortcut asks only whether text is there, so held keys
    // stay cheap.
    void UpdateMenuState(bool readClipboardText = true);
    bool SaveDocument();
    // Before a save writes: asks whether to go on when the box holds characters the
    // code page can't, and so the file would get others in their place.
    bool ConfirmLossySave();
    void PrepareFileDialog(const char* caption, DWORD flags);
    // The refusal of a name chosen in a file dialog that the code page can't hold.
    void ShowNameNotInCodePage();
    void EnableItem(int id, bool enabled);
    void PlaceControl(HWND control, double left, double top, double width, double height);
    // The window's resolution, which every twips conversion of the window goes by.
    void SetDpi(int dpi);
    // The fonts at the window's resolution, on their controls (the text box keeps the
    // face the View menu chose).
    void ApplyFonts();
    // The status labels sized for what they show; true when that moved them.
    bool FitStatusLabels();

    IPlatform& platform_;
    HWND hwnd_ = nullptr;
    HWND txtDoc_ = nullptr;
    HWND lstClipboard_ = nullptr;
    HWND lblColRow_ = nullptr;
    HWND lblSelection_ = nullptr;
    WNDPROC txtDocProc_ = nullptr;  // the controls' own procedures, under our subclass
    WNDPROC lstClipboardProc_ = nullptr;
    HMENU menu_ = nullptr;  // owned by the window once attached
    HMENU fileMenu_ = nullptr;
    HMENU editMenu_ = nullptr;
    UniqueFont docFont_;
    UniqueFont guiFont_;  // the status labels' and the register list's
    ClipboardRegisters registers_;
    ScreenFonts fonts_;  // the View menu's ASCII and ANSI faces
    int dpi_ = 96;
    double tppx_ = 15.0;  // twips per pixel at dpi_
    double tppy_ = 15.0;
    // The status labels' sizes: the design's, or what their texts need.
    quillet::TwipsRect lblColRowRect_ = quillet::kLblColRowDesign;
    quillet::TwipsRect lblSelectionRect_ = quillet::kLblSelectionDesign;
    bool settingText_ = false;
};

// The shift state of Windows' key events: 1 Shift, 2 Ctrl, 4 Alt.
int CurrentShiftState();
