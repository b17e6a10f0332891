#pragma once
// A scripted stand-in for the platform: records every message box, program start and
// file dialog, and answers as the test says.
#include <gtest/gtest.h>

#include <deque>
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

// What a file dialog received, read out of the record it was given.
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

// How the "user" answers the next file dialog.
struct FileDialogAnswer {
    bool confirm;
    std::string path;
    std::string title;
    DWORD flags = 0;
};

class FakePlatform : public IPlatform {
public:
    std::vector<ShownMessage> messages;
    std::deque<MsgAnswer> answers;  // for Yes/No/Cancel questions
    std::vector<std::string> started;
    unsigned long startError = 0;  // what starting a program answers
    SYSTEMTIME now{};
    std::vector<FileDialogCall> fileDialogs;
    std::deque<FileDialogAnswer> fileAnswers;  // none left: the dialog is cancelled
    bool useRealFileTitle = true;
    // Programs and the printer: the real ones when a test asks for them.
    bool realStart = false;
    unsigned long printerError = 0;  // non-zero: no printer, with this number
    bool screenAsPrinter = false;    // a device that refuses print jobs
    int printerOpens = 0;

    MsgAnswer ShowMessage(HWND owner, const std::string& text, MsgIcon icon,
                          MsgButtons buttons) override {
        messages.push_back({owner, text, icon, buttons});
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

    BOOL OpenFileDialog(OPENFILENAMEA* ofn) override { return FileDialog(false, ofn); }
    BOOL SaveFileDialog(OPENFILENAMEA* ofn) override { return FileDialog(true, ofn); }

    short FileTitle(const char* path, char* buffer, WORD size) override {
        return GetFileTitleA(path, buffer, size);
    }

    PrinterDC OpenDefaultPrinter() override {
        ++printerOpens;
        if (printerError != 0) {
            return {nullptr, printerError, "No printer here"};
        }
        if (screenAsPrinter) {
            return {UniqueDC(CreateCompatibleDC(nullptr)), 0, ""};
        }
        return Win32Platform().OpenDefaultPrinter();
    }

    std::string MessageTexts() const {
        std::string all;
        for (const ShownMessage& m : messages) {
            all += m.text + "\n";
        }
        return all;
    }

private:
    static std::string Filter(const char* filter) {
        if (filter == nullptr) {
            return "";
        }
        size_t n = 0;
        while (filter[n] != '\0' || filter[n + 1] != '\0') {
            ++n;
        }
        return std::string(filter, n + 2);
    }

    BOOL FileDialog(bool save, OPENFILENAMEA* ofn) {
        fileDialogs.push_back(
            {save, ofn->lStructSize, ofn->hwndOwner, Filter(ofn->lpstrFilter), ofn->nFilterIndex,
             ofn->lpstrFile ? ofn->lpstrFile : "", ofn->nMaxFile,
             ofn->lpstrFileTitle ? ofn->lpstrFileTitle : "", ofn->nMaxFileTitle,
             ofn->lpstrInitialDir != nullptr, ofn->lpstrInitialDir ? ofn->lpstrInitialDir : "",
             ofn->lpstrTitle != nullptr, ofn->lpstrTitle ? ofn->lpstrTitle : "",
             ofn->lpstrDefExt != nullptr, ofn->lpstrDefExt ? ofn->lpstrDefExt : "", ofn->Flags});
        if (fileAnswers.empty()) {
            return FALSE;
        }
        const FileDialogAnswer answer = fileAnswers.front();
        fileAnswers.pop_front();
        if (!answer.confirm) {
            return FALSE;
        }
        EXPECT_LT(answer.path.size(), ofn->nMaxFile);
        EXPECT_LT(answer.title.size(), ofn->nMaxFileTitle);
        lstrcpynA(ofn->lpstrFile, answer.path.c_str(), static_cast<int>(ofn->nMaxFile));
        if (ofn->lpstrFileTitle != nullptr) {
            lstrcpynA(ofn->lpstrFileTitle, answer.title.c_str(),
                      static_cast<int>(ofn->nMaxFileTitle));
        }
        ofn->Flags = answer.flags;
        return TRUE;
    }
};
