#include "app/mdlCode.h"

#include <functional>
#include <memory>

#include "app/command_line.h"
#include "app/startup_marks.h"
#include "app/status_text.h"
#include "dialogs/CComDlgEx.h"
#include "platform/code_page.h"
#include "platform/win32_util.h"
#include "ui/text_box.h"
#include "ui/main/frmMain.h"

DocumentStateT mdlCode::DocumentState;

namespace {

IPlatform* g_platform = nullptr;
std::unique_ptr<CComDlgEx> g_comDlg;
std::unique_ptr<frmMain> g_mainForm;

// Runs one start-up step; a run-time failure is shown as "number :: description" and
// the step simply has no effect.
void RunStep(const std::function<void()>& step) {
    try {
        step();
    } catch (const RunTimeError& e) {
        mdlCode::Platform().ShowMessage(mdlCode::MessageOwner(), e.what(), MsgIcon::Stop,
                                        MsgButtons::Ok);
    }
}

std::string FullPath(const std::string& path) {
    char buffer[MAX_PATH] = {};
    const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, buffer, nullptr);
    return length == 0 || length >= MAX_PATH ? path : std::string(buffer, length);
}

}  // namespace

namespace mdlCode {

void SetPlatform(IPlatform& platform) {
    g_platform = &platform;
}

IPlatform& Platform() {
    return *g_platform;
}

CComDlgEx& ComDlg() {
    if (!g_comDlg) {
        g_comDlg = std::make_unique<CComDlgEx>(Platform());
    }
    return *g_comDlg;
}

frmMain& MainForm() {
    if (!g_mainForm) {
        g_mainForm = std::make_unique<frmMain>(Platform());
    }
    return *g_mainForm;
}

void ResetProcessState() {
    g_mainForm.reset();
    g_comDlg.reset();
    DocumentState = DocumentStateT{};
}

long long FileLength(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        RaiseLastError();
    }
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::string OwnExecutableCommand() {
    const std::string module = ModuleFileName();
    const size_t separator = quillet::FindLastCharOf(module, "\\", AnsiCodePage());
    return "\"" + module.substr(0, separator) + "\\quillet.exe\"";
}

HWND MessageOwner() {
    return g_mainForm ? g_mainForm->hWnd() : nullptr;
}

void Main(const std::string& argumentText) {
    DocumentStateT& doc = DocumentState;
    CComDlgEx& dlg = ComDlg();
    IPlatform& ui = Platform();
    QUILLET_MARK("dialog_object");
    std::string text;
    if (!argumentText.empty()) {
        std::string candidate;
        RunStep([&] {
            std::string buffer(511, ' ');
            const DWORD count = GetCurrentDirectoryA(511, buffer.data());
            if (count == 0) {
                RaiseLastError();
            }
            candidate = quillet::CurrentDirectoryFrom(buffer, count) + "\\" + argumentText;
        });
        doc.DocPath = quillet::RemoveQuotes(argumentText);
        if (dlg.fnExistFile(candidate)) {
            doc.DocPath = candidate;
        }
        QUILLET_MARK("path_and_exist_test");
        if (!dlg.fnExistFile(doc.DocPath)) {
            ui.ShowMessage(nullptr, "File '" + doc.DocPath + "' not found.", MsgIcon::Stop,
                           MsgButtons::Ok);
        } else {
            // A size that can't be had is reported, then refused like a large file.
            std::optional<long long> length;
            RunStep([&] { length = FileLength(doc.DocPath); });
            QUILLET_MARK("file_length");
            if (!length || *length > kMaxLoadBytes) {
                ui.ShowMessage(nullptr, "File '" + doc.DocPath + "' can not be opened.",
                               MsgIcon::Exclamation, MsgButtons::Ok);
                doc.DocPath.clear();
            } else if (std::optional<std::string> loaded = TryReadTextFile(doc.DocPath)) {
                text = std::move(*loaded);
                QUILLET_MARK("file_read");
            } else {
                // A file the user could not see must never be overwritten by a later
                // Save of an empty window: stay untitled.
                doc.DocPath.clear();
            }
        }
    }
    if (!dlg.fnExistFile(doc.DocPath)) {
        doc.DocPath.clear();
    } else {
        // A relative path would follow whatever folder a file dialog makes current.
        doc.DocPath = FullPath(doc.DocPath);
    }
    RunStep([&] { doc.DocTitle = doc.DocPath.empty() ? kUntitled : TitleFromPath(doc.DocPath); });
    QUILLET_MARK("title");
    RunStep([&] {
        MainForm().SetText(text);
        CheckLoadedText(text, nullptr);
    });
    QUILLET_MARK("text_set");
    MainForm().Show();
    QUILLET_MARK("shown");
}

std::string TitleFromPath(const std::string& path) {
    WIN32_FIND_DATAA found{};
    UniqueFind search(FindFirstFileA(path.c_str(), &found));
    if (search.get() == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
            error == ERROR_NO_MORE_FILES) {
            return kUntitled;
        }
        RaiseLastError();
    }
    const DWORD notOrdinary = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                              FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE;
    do {
        if ((found.dwFileAttributes & notOrdinary) == 0) {
            return found.cFileName;
        }
    } while (FindNextFileA(search.get(), &found));
    return kUntitled;
}

void CheckLoadedText(const std::string& put, HWND owner) {
    if (MainForm().Text() != put) {
        Platform().ShowMessage(owner,
                               "This file contains bytes that are not text in the current code "
                               "page. Saving it will change them.",
                               MsgIcon::Exclamation, MsgButtons::Ok);
    }
}

void UpdateStatus(frmMain& form) {
    const HWND box = form.txtDoc();
    const Selection sel = BoxSelection(box);
    const auto line = static_cast<int32_t>(SendMessageA(box, EM_LINEFROMCHAR, sel.start, 0));
    const auto lineStart = static_cast<int32_t>(SendMessageA(box, EM_LINEINDEX, line, 0));
    const auto s = static_cast<int32_t>(sel.start);
    form.SetStatus(quillet::ColRowCaption(quillet::CaretPositionOf(s, line, lineStart)),
                   quillet::SelectionCaption(static_cast<int32_t>(sel.end - sel.start)));
}

void ShowFileError(unsigned long number) {
    Platform().ShowMessage(MessageOwner(),
                           "Error #" + std::to_string(number) + " :: " + ErrorDescription(number),
                           MsgIcon::Stop, MsgButtons::Ok);
}

}  // namespace mdlCode
