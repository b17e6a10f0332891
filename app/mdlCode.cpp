#include "app/mdlCode.h"

#include <functional>
#include <memory>

#include "app/startup_marks.h"
#include "app/text_file.h"
#include "core/app/command_line.h"
#include "dialogs/CComDlgEx.h"
#include "platform/code_page.h"
#include "platform/win32_util.h"
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

// The file the argument names: a relative argument completed with the current
// directory when a file of that name is there, else the argument without its quotes.
// A rooted one ("\sub\a.txt") is never looked for under the current directory.
std::string ArgumentPath(const std::string& argumentText, CComDlgEx& dlg) {
    if (!quillet::IsRelativeArgument(argumentText)) {
        return quillet::RemoveQuotes(argumentText);
    }
    std::string candidate;
    RunStep([&] {
        std::string buffer(511, ' ');
        const DWORD count = GetCurrentDirectoryA(511, buffer.data());
        if (count == 0) {
            RaiseLastError();
        }
        candidate = quillet::CurrentDirectoryFrom(buffer, count) + "\\" + argumentText;
    });
    if (dlg.fnExistFile(candidate)) {
        return candidate;
    }
    return quillet::RemoveQuotes(argumentText);
}

// The text of the document's file; the empty text, with the reason shown and the path
// forgotten, when it is missing, too long or unreadable.
std::string LoadArgumentFile(DocumentStateT& doc, CComDlgEx& dlg, IPlatform& ui) {
    const auto refuse = [&](const std::string& why) {
        ui.ShowMessage(nullptr, "File '" + doc.DocPath + "' can not be opened" + why,
                       MsgIcon::Exclamation, MsgButtons::Ok);
        doc.DocPath.clear();
        return std::string();
    };
    if (mdlCode::PathTooLongForAnsiCalls(doc.DocPath)) {
        return refuse(": its path is too long.");
    }
    if (!dlg.fnExistFile(doc.DocPath)) {
        ui.ShowMessage(nullptr, "File '" + doc.DocPath + "' not found.", MsgIcon::Stop,
                       MsgButtons::Ok);
        return {};
    }
    // A size that can't be had is reported, then refused like a large file.
    std::optional<long long> length;
    RunStep([&] { length = mdlCode::FileLength(doc.DocPath); });
    QUILLET_MARK("file_length");
    if (!length || *length > mdlCode::kMaxLoadBytes) {
        return refuse(".");
    }
    mdlCode::LoadedText loaded = mdlCode::LoadTextFile(doc.DocPath);
    switch (loaded.outcome) {
        case mdlCode::LoadedText::Outcome::Loaded:
            QUILLET_MARK("file_read");
            return std::move(loaded.text);
        case mdlCode::LoadedText::Outcome::TooLong:
            // It grew past the limit after it was measured.
            return refuse(".");
        case mdlCode::LoadedText::Outcome::Failed:
            break;
    }
    // A file the user could not see must never be overwritten by a later Save of an
    // empty window: stay untitled.
    doc.DocPath.clear();
    return {};
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
    QUILLET_MARK("dialog_object");
    std::string text;
    if (!argumentText.empty()) {
        doc.DocPath = ArgumentPath(argumentText, dlg);
        QUILLET_MARK("path_and_exist_test");
        text = LoadArgumentFile(doc, dlg, Platform());
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

void MainFromCommandLine(const std::wstring& commandLine) {
    const std::optional<std::string> argument =
        ExactAnsiFromWide(quillet::ArgumentText(commandLine));
    if (!argument) {
        // Its best-fit spelling may be another file's name: no file is opened.
        Platform().ShowMessage(nullptr,
                               "The file name on the command line has characters that the "
                               "current code page can't hold.",
                               MsgIcon::Exclamation, MsgButtons::Ok);
    }
    Main(argument.value_or(""));
}

void CheckLoadedText(const std::string& put, HWND owner) {
    if (MainForm().Text() != put) {
        Platform().ShowMessage(owner,
                               "This file contains bytes that are not text in the current code "
                               "page. Saving it will change them.",
                               MsgIcon::Exclamation, MsgButtons::Ok);
    }
}

}  // namespace mdlCode
