#pragma once
// The code module: start-up, the document's state and the process-wide objects the
// program shares. Its text files are in app/text_file.h, its status line beside the
// main window (ui/main/status_line.h).
#include <optional>
#include <string>

#include "platform/platform.h"

class CComDlgEx;
class frmMain;

// What is known about the one document of this process.
struct DocumentStateT {
    bool DocModified = false;  // changed since last loaded or saved, as the text box says
    bool ForceSaveAs = false;  // the next Save must ask for a name
    std::string DocTitle;      // "Untitled" or the file's name without its folder
    std::string DocPath;       // the file's full path; empty for a new document
};

namespace mdlCode {

extern DocumentStateT DocumentState;

constexpr const char* kUntitled = "Untitled";

// The platform everything modal goes through; installed once at start (or by a test).
void SetPlatform(IPlatform& platform);
IPlatform& Platform();

// The one shared dialog object, created on first use.
CComDlgEx& ComDlg();

// The one main window, created (and so loaded) on first use.
frmMain& MainForm();

// Forgets the main window, the dialog object and the document state: a fresh process,
// for tests that run start-up more than once.
void ResetProcessState();

// Start-up: settles the document from the argument text and shows the main window.
void Main(const std::string& argumentText);

// Start-up from the command line as the system hands it over in UTF-16: an argument
// that the ANSI code page can't spell exactly is refused, and the window opens untitled.
void MainFromCommandLine(const std::wstring& commandLine);

// Reads the main window's text back right after `put` was put in, as a save would read
// it, and warns (owned by `owner`) when the text box did not keep it: bytes that are
// no text in the ANSI code page, which a save would change.
void CheckLoadedText(const std::string& put, HWND owner);

// The command line that starts this program's own executable, quillet.exe in the
// folder the running program came from (quoted: the folder may hold blanks).
std::string OwnExecutableCommand();

// The owner for message boxes: the main window once it exists.
HWND MessageOwner();

}  // namespace mdlCode
