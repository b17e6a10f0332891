#pragma once
// The program's one door to modal UI and the outside world: message boxes, file
// dialogs, starting programs and the clock. The real program uses Win32Platform;
// tests put a scripted double in its place.
#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include <string>

#include "platform/win32_util.h"

enum class MsgIcon { None, Stop, Exclamation, Information };
enum class MsgButtons { Ok, OkCancel, YesNoCancel };
enum class MsgAnswer { Ok, Yes, No, Cancel };

// The default printer opened for a print job: its device context, or the failure's
// number and description when there is none to be had.
struct PrinterDC {
    UniqueDC dc;
    unsigned long error = 0;
    std::string description;
};

class IPlatform {
public:
    virtual ~IPlatform() = default;

    // A message box titled "Quillet", modal to `owner` (which may be null).
    virtual MsgAnswer ShowMessage(HWND owner, const std::string& text, MsgIcon icon,
                                  MsgButtons buttons) = 0;

    // Starts a program with the command line in a normal window that gets the focus,
    // without waiting for it. 0 when it started, else the platform's error number.
    virtual unsigned long StartProgram(const std::string& commandLine) = 0;

    // The local date and time.
    virtual SYSTEMTIME LocalNow() = 0;

    // The common file dialogs, in UTF-16 so that the name the user chose comes back as
    // it is, and GetFileTitleA, with their Win32 contracts.
    virtual BOOL OpenFileDialog(OPENFILENAMEW* ofn) = 0;
    virtual BOOL SaveFileDialog(OPENFILENAMEW* ofn) = 0;
    virtual short FileTitle(const char* path, char* buffer, WORD size) = 0;

    // The keyboard layout of this thread, and activating one again (the register list
    // puts back the layout it came up under).
    virtual HKL KeyboardLayout() = 0;
    virtual void ActivateLayout(HKL layout) = 0;

    // The folder, colour and font pickers, with their Win32 contracts. IDListFromPath is
    // the shell's item-ID list of an ANSI path (null when there is none); every list
    // handed out is released with FreeIDList (CoTaskMemFree).
    virtual BOOL ChooseColorDialog(CHOOSECOLORA* cc) = 0;
    virtual BOOL ChooseFontDialog(CHOOSEFONTA* cf) = 0;
    virtual LPITEMIDLIST IDListFromPath(const char* path) = 0;
    virtual LPITEMIDLIST BrowseForFolder(BROWSEINFOA* bi) = 0;
    virtual BOOL PathFromIDList(LPCITEMIDLIST list, char* path) = 0;
    virtual void FreeIDList(LPITEMIDLIST list) = 0;
    // The screen's vertical twips per pixel (1440 / pixels per inch), not rounded: 7.5
    // at 192 pixels per inch.
    virtual double TwipsPerPixelY() = 0;

    // The system's default printer, without a dialog (printing, and the font dialog's
    // printer fonts).
    virtual PrinterDC OpenDefaultPrinter() = 0;

    // A print job's calls on the printer's device context, with the contracts of StartDocA,
    // StartPage, TextOutA, EndPage, EndDoc, AbortDoc, GetTextMetricsA and
    // GetTextExtentPoint32A.
    virtual int PrintStartDoc(HDC dc, const DOCINFOA& doc) = 0;
    virtual int PrintStartPage(HDC dc) = 0;
    virtual BOOL PrintText(HDC dc, int x, int y, const char* text, int length) = 0;
    virtual int PrintEndPage(HDC dc) = 0;
    virtual int PrintEndDoc(HDC dc) = 0;
    virtual int PrintAbortDoc(HDC dc) = 0;
    virtual BOOL PrintTextMetrics(HDC dc, TEXTMETRICA* metrics) = 0;
    virtual BOOL PrintTextExtent(HDC dc, const char* text, int length, SIZE* size) = 0;
};
