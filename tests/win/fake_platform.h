#pragma once
// A scripted stand-in for the platform: records every message box, program start and
// file dialog, and answers as the test says.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <deque>
#include <functional>
#include <new>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/win32_platform.h"

struct ShownMessage {
    HWND owner;
    std::string text;
    MsgIcon icon;
    MsgButtons buttons;
};

// What a file dialog received, read out of the record it was given (its texts in the
// ANSI code page).
struct FileDialogCall {
    bool save;
    DWORD structSize;
    HWND owner;
    std::string filter;  // the raw bytes through the closing double NUL
    DWORD filterIndex;
    std::string file;  // the name box's text
    DWORD maxFile;
    std::string fileTitle;
    DWORD maxFileTitle;
    bool hasInitialDir;
    std::string initialDir;
    bool hasTitle;
    std::string title;
    bool hasDefExt;
    std::string defExt;
    DWORD flags;
};

// How the "user" answers the next file dialog; a name given in UTF-16 (widePath, its
// title the part after the last backslash) takes the place of path and title.
struct FileDialogAnswer {
    bool confirm;
    std::string path;
    std::string title;
    DWORD flags = 0;
    std::wstring widePath{};
};

// The pickers: what each dialog received and how the "user" answers it (none left
// in a queue: the dialog is cancelled).
struct ColorDialogCall {
    DWORD structSize;
    HWND owner;
    COLORREF rgbResult;
    DWORD flags;
    std::vector<COLORREF> custColors;
};
struct ColorDialogAnswer {
    bool confirm;
    COLORREF color = 0;
    DWORD flags = 0;
    int customIndex = -1;  // a custom colour the user defines, if any
    COLORREF customColor = 0;
};
struct FontDialogCall {
    DWORD structSize;
    HWND owner;
    HDC dc;
    LOGFONTA logFont;
    INT pointSize;
    DWORD flags;
    COLORREF color;
    INT sizeMin;
    INT sizeMax;
};
struct FontDialogAnswer {
    bool confirm;
    LOGFONTA logFont{};
    INT pointSize = 0;
    DWORD flags = 0;
    COLORREF color = 0;
    WORD fontType = 0;
};
struct FolderDialogCall {
    HWND owner;
    bool hasRoot;
    std::string title;
    UINT flags;
    bool zeroRest;  // display name, callback, its parameter and image left zero
};
struct FolderDialogAnswer {
    bool confirm;
    std::string path;  // empty: an item with no file-system path
};

class FakePlatform : public IPlatform {
public:
    std::vector<ShownMessage> messages;
    std::deque<MsgAnswer> answers;  // for Yes/No/Cancel and OK/Cancel questions
    std::vector<std::string> started;
    unsigned long startError = 0;  // what starting a program answers
    SYSTEMTIME now{};
    std::vector<FileDialogCall> fileDialogs;
    std::deque<FileDialogAnswer> fileAnswers;  // none left: the dialog is cancelled
    bool useRealFileTitle = true;
    // Pickers
    std::vector<ColorDialogCall> colorDialogs;
    std::deque<ColorDialogAnswer> colorAnswers;
    std::vector<FontDialogCall> fontDialogs;
    std::deque<FontDialogAnswer> fontAnswers;
    std::vector<std::string> listPaths;  // what IDListFromPath was asked for
    std::vector<FolderDialogCall> folderDialogs;
    std::deque<FolderDialogAnswer> folderAnswers;
    std::vector<LPITEMIDLIST> freedLists;
    double twipsPerPixelY = 15;
    // Run inside every file, colour, font and folder dialog, as the caller's code can
    // run from a dialog's modal loop.
    std::function<void()> duringDialog;

    // Programs and the printer: the real ones when a test asks for them.
    bool realStart = false;
    unsigned long printerError = 0;  // non-zero: no printer, with this number
    bool screenAsPrinter = false;    // a device that refuses print jobs
    bool printerCancels = false;     // its StartDoc cancelled, as at a prompt for a file name
    bool printerThrows = false;      // opening it runs out of memory
    int printerOpens = 0;
    // A device of the test's own (a memory DC) whose document and page calls succeed,
    // each leaving an error behind as some drivers do; text and metrics are the DC's.
    bool scriptedPrinter = false;
    // The print job's calls in order: D StartDoc, P StartPage, T TextOut, E EndPage,
    // d EndDoc, A AbortDoc, M text metrics, X text extent; and ! for each message box.
    std::string printCalls;
    struct PrintFault {
        char call = 0;        // the call that fails, by its letter
        int nth = 1;          // on its nth time
        DWORD error = 0;      // the last error it sets (0: none)
        bool throws = false;  // runs out of memory instead
    } printFault;

    MsgAnswer ShowMessage(HWND owner, const std::string& text, MsgIcon icon,
                          MsgButtons buttons) override {
        messages.push_back({owner, text, icon, buttons});
        printCalls += '!';
        if (buttons == MsgButtons::Ok) {
            return MsgAnswer::Ok;
        }
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << text;
            return MsgAnswer::Cancel;
        }
        const MsgAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    unsigned long StartProgram(const std::string& commandLine) override {
        started.push_back(commandLine);
        return realStart ? Win32Platform().StartProgram(commandLine) : startError;
    }

    SYSTEMTIME LocalNow() override { return now; }

    BOOL OpenFileDialog(OPENFILENAMEW* ofn) override { return FileDialog(false, ofn); }
    BOOL SaveFileDialog(OPENFILENAMEW* ofn) override { return FileDialog(true, ofn); }

    short FileTitle(const char* path, char* buffer, WORD size) override {
        return GetFileTitleA(path, buffer, size);
    }

    // The thread's keyboard layout, kept here: Wine switches no layout.
    HKL layout = reinterpret_cast<HKL>(static_cast<UINT_PTR>(0x04090409));
    HKL KeyboardLayout() override { return layout; }
    void ActivateLayout(HKL hkl) override { layout = hkl; }

    BOOL ChooseColorDialog(CHOOSECOLORA* cc) override {
        During();
        colorDialogs.push_back({cc->lStructSize, cc->hwndOwner, cc->rgbResult, cc->Flags,
                                std::vector<COLORREF>(cc->lpCustColors, cc->lpCustColors + 16)});
        if (colorAnswers.empty()) {
            return FALSE;
        }
        const ColorDialogAnswer answer = colorAnswers.front();
        colorAnswers.pop_front();
        if (answer.customIndex >= 0) {
            cc->lpCustColors[answer.customIndex] = answer.customColor;
        }
        if (!answer.confirm) {
            return FALSE;
        }
        cc->rgbResult = answer.color;
        cc->Flags = answer.flags;
        return TRUE;
    }

    BOOL ChooseFontDialog(CHOOSEFONTA* cf) override {
        During();
        fontDialogs.push_back({cf->lStructSize, cf->hwndOwner, cf->hDC, *cf->lpLogFont,
                               cf->iPointSize, cf->Flags, cf->rgbColors, cf->nSizeMin,
                               cf->nSizeMax});
        if (fontAnswers.empty()) {
            return FALSE;
        }
        const FontDialogAnswer answer = fontAnswers.front();
        fontAnswers.pop_front();
        if (!answer.confirm) {
            return FALSE;
        }
        *cf->lpLogFont = answer.logFont;
        cf->iPointSize = answer.pointSize;
        cf->Flags = answer.flags;
        cf->rgbColors = answer.color;
        cf->nFontType = answer.fontType;
        return TRUE;
    }

    LPITEMIDLIST IDListFromPath(const char* path) override {
        listPaths.push_back(path);
        return Token(rootToken_);
    }

    LPITEMIDLIST BrowseForFolder(BROWSEINFOA* bi) override {
        During();
        folderDialogs.push_back({bi->hwndOwner, bi->pidlRoot == Token(rootToken_),
                                 bi->lpszTitle ? bi->lpszTitle : "", bi->ulFlags,
                                 !bi->pszDisplayName && !bi->lpfn && !bi->lParam && !bi->iImage});
        if (folderAnswers.empty()) {
            return nullptr;
        }
        chosen_ = folderAnswers.front();
        folderAnswers.pop_front();
        return chosen_.confirm ? Token(chosenToken_) : nullptr;
    }

    BOOL PathFromIDList(LPCITEMIDLIST list, char* path) override {
        if (list != Token(chosenToken_) || chosen_.path.empty()) {
            return FALSE;
        }
        lstrcpynA(path, chosen_.path.c_str(), MAX_PATH);
        return TRUE;
    }

    void FreeIDList(LPITEMIDLIST list) override { freedLists.push_back(list); }
    double TwipsPerPixelY() override { return twipsPerPixelY; }
    LPITEMIDLIST rootList() { return Token(rootToken_); }
    LPITEMIDLIST chosenList() { return Token(chosenToken_); }

    PrinterDC OpenDefaultPrinter() override {
        ++printerOpens;
        if (printerThrows) {
            throw std::bad_alloc();
        }
        if (printerError != 0) {
            return {nullptr, printerError, "No printer here"};
        }
        if (screenAsPrinter || printerCancels || scriptedPrinter) {
            UniqueDC dc(CreateCompatibleDC(nullptr));
            if (printerCancels) {
                SetAbortProc(dc.get(), [](HDC, int) -> BOOL {
                    SetLastError(ERROR_CANCELLED);
                    return FALSE;
                });
            }
            return {std::move(dc), 0, ""};
        }
        return Win32Platform().OpenDefaultPrinter();
    }

    int PrintStartDoc(HDC dc, const DOCINFOA& doc) override {
        return PrintCall('D', [&] { return Win32Platform().PrintStartDoc(dc, doc); });
    }
    int PrintStartPage(HDC dc) override {
        return PrintCall('P', [&] { return Win32Platform().PrintStartPage(dc); });
    }
    BOOL PrintText(HDC dc, int x, int y, const char* text, int length) override {
        return PrintCall('T', [&] { return Win32Platform().PrintText(dc, x, y, text, length); });
    }
    int PrintEndPage(HDC dc) override {
        return PrintCall('E', [&] { return Win32Platform().PrintEndPage(dc); });
    }
    int PrintEndDoc(HDC dc) override {
        return PrintCall('d', [&] { return Win32Platform().PrintEndDoc(dc); });
    }
    int PrintAbortDoc(HDC dc) override {
        return PrintCall('A', [&] { return Win32Platform().PrintAbortDoc(dc); });
    }
    BOOL PrintTextMetrics(HDC dc, TEXTMETRICA* metrics) override {
        return PrintCall('M', [&] { return Win32Platform().PrintTextMetrics(dc, metrics); });
    }
    BOOL PrintTextExtent(HDC dc, const char* text, int length, SIZE* size) override {
        return PrintCall('X',
                         [&] { return Win32Platform().PrintTextExtent(dc, text, length, size); });
    }

    std::string MessageTexts() const {
        std::string all;
        for (const ShownMessage& m : messages) {
            all += m.text + "\n";
        }
        return all;
    }

private:
    template <typename Real>
    int PrintCall(char call, Real real) {
        printCalls += call;
        if (call == printFault.call &&
            std::count(printCalls.begin(), printCalls.end(), call) == printFault.nth) {
            if (printFault.throws) {
                throw std::bad_alloc();
            }
            SetLastError(printFault.error);
            return 0;
        }
        if (scriptedPrinter && std::string("DPEdA").find(call) != std::string::npos) {
            SetLastError(1234);
            return 1;
        }
        return real();
    }

    void During() {
        if (duringDialog) {
            duringDialog();
        }
    }
    static LPITEMIDLIST Token(char& token) { return reinterpret_cast<LPITEMIDLIST>(&token); }
    char rootToken_ = 0;
    char chosenToken_ = 0;
    FolderDialogAnswer chosen_{};

    static std::string Filter(const wchar_t* filter) {
        if (filter == nullptr) {
            return "";
        }
        size_t n = 0;
        while (filter[n] != L'\0' || filter[n + 1] != L'\0') {
            ++n;
        }
        return AnsiFromWide(filter, n + 2);
    }
    static std::string Ansi(const wchar_t* text) {
        return text != nullptr ? AnsiFromWide(text, wcslen(text)) : "";
    }
    static void Put(const std::wstring& text, wchar_t* buffer, DWORD size) {
        EXPECT_LT(text.size(), size);
        lstrcpynW(buffer, text.c_str(), static_cast<int>(size));
    }

    BOOL FileDialog(bool save, OPENFILENAMEW* ofn) {
        During();
        fileDialogs.push_back({save, ofn->lStructSize, ofn->hwndOwner, Filter(ofn->lpstrFilter),
                               ofn->nFilterIndex, Ansi(ofn->lpstrFile), ofn->nMaxFile,
                               Ansi(ofn->lpstrFileTitle), ofn->nMaxFileTitle,
                               ofn->lpstrInitialDir != nullptr, Ansi(ofn->lpstrInitialDir),
                               ofn->lpstrTitle != nullptr, Ansi(ofn->lpstrTitle),
                               ofn->lpstrDefExt != nullptr, Ansi(ofn->lpstrDefExt), ofn->Flags});
        if (fileAnswers.empty()) {
            return FALSE;
        }
        const FileDialogAnswer answer = fileAnswers.front();
        fileAnswers.pop_front();
        if (!answer.confirm) {
            return FALSE;
        }
        const std::wstring path =
            answer.widePath.empty() ? WideFromAnsi(answer.path) : answer.widePath;
        const std::wstring title = answer.widePath.empty()
                                       ? WideFromAnsi(answer.title)
                                       : path.substr(path.find_last_of(L'\\') + 1);
        Put(path, ofn->lpstrFile, ofn->nMaxFile);
        if (ofn->lpstrFileTitle != nullptr) {
            Put(title, ofn->lpstrFileTitle, ofn->nMaxFileTitle);
        }
        ofn->Flags = answer.flags;
        return TRUE;
    }
};
