#include "platform/win32_platform.h"

#include <cderr.h>

#include <vector>

#include "platform/lazy_dll.h"
#include "platform/ole_lazy.h"
#include "platform/win32_util.h"

MsgAnswer Win32Platform::ShowMessage(HWND owner, const std::string& text, MsgIcon icon,
                                     MsgButtons buttons) {
    UINT type = buttons == MsgButtons::YesNoCancel ? MB_YESNOCANCEL
                : buttons == MsgButtons::OkCancel  ? MB_OKCANCEL
                                                   : MB_OK;
    switch (icon) {
        case MsgIcon::Stop:
            type |= MB_ICONSTOP;
            break;
        case MsgIcon::Exclamation:
            type |= MB_ICONEXCLAMATION;
            break;
        case MsgIcon::Information:
            type |= MB_ICONINFORMATION;
            break;
        case MsgIcon::None:
            break;
    }
    // Without an owner the box would hide behind the main window; keep it in front.
    if (owner == nullptr) {
        type |= MB_TASKMODAL | MB_SETFOREGROUND;
    }
    switch (MessageBoxA(owner, text.c_str(), "Quillet", type)) {
        case IDYES:
            return MsgAnswer::Yes;
        case IDNO:
            return MsgAnswer::No;
        case IDCANCEL:
            return MsgAnswer::Cancel;
        default:
            return MsgAnswer::Ok;
    }
}

unsigned long Win32Platform::StartProgram(const std::string& commandLine) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION pi{};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi)) {
        return GetLastError();
    }
    // Let the new window take the foreground; nothing else is kept of it.
    AllowSetForegroundWindow(pi.dwProcessId);
    UniqueHandle process(pi.hProcess);
    UniqueHandle thread(pi.hThread);
    return 0;
}

SYSTEMTIME Win32Platform::LocalNow() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return now;
}

HKL Win32Platform::KeyboardLayout() {
    return GetKeyboardLayout(0);
}

void Win32Platform::ActivateLayout(HKL layout) {
    ActivateKeyboardLayout(layout, 0);
}

namespace {

// comdlg32 comes in with the first file dialog, not at start-up.
LazyProc<decltype(GetOpenFileNameW)> gOpenFileName("comdlg32.dll", "GetOpenFileNameW");
LazyProc<decltype(GetSaveFileNameW)> gSaveFileName("comdlg32.dll", "GetSaveFileNameW");
LazyProc<decltype(GetFileTitleA)> gFileTitle("comdlg32.dll", "GetFileTitleA");

}  // namespace

// A dialog that can't be loaded counts as cancelled.
BOOL Win32Platform::OpenFileDialog(OPENFILENAMEW* ofn) {
    return gOpenFileName.CallOr(FALSE, ofn);
}

BOOL Win32Platform::SaveFileDialog(OPENFILENAMEW* ofn) {
    return gSaveFileName.CallOr(FALSE, ofn);
}

// Without comdlg32 no title can be had: the same answer as for a refused path.
short Win32Platform::FileTitle(const char* path, char* buffer, WORD size) {
    return gFileTitle.CallOr(static_cast<short>(-1), path, buffer, size);
}

// The pickers: comdlg32, shell32 and ole32 come in with the first one.
namespace {

LazyProc<decltype(ChooseColorA)> gChooseColor("comdlg32.dll", "ChooseColorA");
LazyProc<decltype(ChooseFontA)> gChooseFont("comdlg32.dll", "ChooseFontA");
LazyProc<decltype(SHBrowseForFolderA)> gBrowseForFolder("shell32.dll", "SHBrowseForFolderA");
LazyProc<decltype(SHGetPathFromIDListA)> gPathFromIDList("shell32.dll", "SHGetPathFromIDListA");
// Exported by ordinal only. On the NT family it reads its argument as UTF-16.
LazyProc<LPITEMIDLIST WINAPI(LPCVOID)> gSimpleIDListFromPath("shell32.dll", MAKEINTRESOURCEA(162));

}  // namespace

BOOL Win32Platform::ChooseColorDialog(CHOOSECOLORA* cc) {
    return gChooseColor.CallOr(FALSE, cc);
}

BOOL Win32Platform::ChooseFontDialog(CHOOSEFONTA* cf) {
    return gChooseFont.CallOr(FALSE, cf);
}

LPITEMIDLIST Win32Platform::IDListFromPath(const char* path) {
    auto* fromPath = gSimpleIDListFromPath.Get();
    if (fromPath == nullptr) {
        return nullptr;
    }
    // ANSI bytes read as UTF-16 would name some other, nonsensical folder.
    const std::wstring wide = WideFromAnsi(path);
    return fromPath(wide.c_str());
}

LPITEMIDLIST Win32Platform::BrowseForFolder(BROWSEINFOA* bi) {
    return gBrowseForFolder.CallOr(LPITEMIDLIST{}, bi);
}

BOOL Win32Platform::PathFromIDList(LPCITEMIDLIST list, char* path) {
    return gPathFromIDList.CallOr(FALSE, list, path);
}

void Win32Platform::FreeIDList(LPITEMIDLIST list) {
    ole::TaskMemFree(list);
}

double Win32Platform::TwipsPerPixelY() {
    const int dpi = ScreenPixelsPerInch().y;
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}

namespace {

// The printer comes from the common dialogs' default (comdlg32 also brings in
// winspool), loaded at the first print.
LazyProc<decltype(PrintDlgA)> gPrintDlg("comdlg32.dll", "PrintDlgA");
LazyProc<decltype(CommDlgExtendedError)> gCommDlgError("comdlg32.dll", "CommDlgExtendedError");

std::string PrintDialogErrorDescription(unsigned long error) {
    switch (error) {
        case PDERR_NODEFAULTPRN:
            return "No default printer is installed.";
        case PDERR_NODEVICES:
            return "No printer drivers were found.";
        case PDERR_PRINTERNOTFOUND:
            return "The default printer was not found.";
        case PDERR_CREATEICFAILURE:
            return "The printer could not be opened.";
        case PDERR_LOADDRVFAILURE:
            return "The printer driver could not be loaded.";
        default:
            return "The printer could not be set up.";
    }
}

}  // namespace

PrinterDC Win32Platform::OpenDefaultPrinter() {
    auto* printDlg = gPrintDlg.Get();
    auto* dialogError = gCommDlgError.Get();
    if (printDlg == nullptr || dialogError == nullptr) {
        return {nullptr, ERROR_MOD_NOT_FOUND, ErrorDescription(ERROR_MOD_NOT_FOUND)};
    }
    PRINTDLGA pd{};
    pd.lStructSize = sizeof pd;
    pd.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
    const BOOL ok = printDlg(&pd);
    // Only the device context is wanted; the dialog's settings blocks go at once.
    GlobalFree(pd.hDevMode);
    GlobalFree(pd.hDevNames);
    if (!ok || pd.hDC == nullptr) {
        UniqueDC stray(pd.hDC);
        const unsigned long error = ok ? PDERR_CREATEICFAILURE : dialogError();
        const unsigned long number = error != 0 ? error : PDERR_NODEFAULTPRN;
        return {nullptr, number, PrintDialogErrorDescription(number)};
    }
    return {UniqueDC(pd.hDC), 0, ""};
}
