#pragma once
// The code module: start-up, the document's state, text files and the status line,
// and the process-wide objects the program shares.
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

// Loading refuses files longer than this (bytes).
constexpr long long kMaxLoadBytes = 65536;

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

// The name of the first ordinary file the path matches, as the file system spells it;
// "Untitled" when none does. Raises RunTimeError when the search itself fails.
std::string TitleFromPath(const std::string& path);

// A whole document file as text (NUL bytes as the placeholder). Reports a failure
// with the "Error #" message and then yields nothing.
std::optional<std::string> TryReadTextFile(const std::string& path);

// As TryReadTextFile, the empty string after a failure.
std::string ReadTextFile(const std::string& path);

// Stores the text as the whole content of the file at the path (the placeholder written
// as NUL). Reports a failure with the "Error #" message and returns false.
bool WriteTextFile(const std::string& path, const std::string& text);

// Reads the main window's text back right after `put` was put in, as a save would read
// it, and warns (owned by `owner`) when the text box did not keep it: bytes that are
// no text in the ANSI code page, which a save would change.
void CheckLoadedText(const std::string& put, HWND owner);

// Rewrites the status labels of the main window from its text box's selection.
void UpdateStatus(frmMain& form);

// The "Error #n :: description" message of the file functions.
void ShowFileError(unsigned long number);

// The length of a file in bytes. Raises RunTimeError when it can't be had.
long long FileLength(const std::string& path);

// The command line that starts this program's own executable, quillet.exe in the
// folder the running program came from (quoted: the folder may hold blanks).
std::string OwnExecutableCommand();

// The owner for message boxes: the main window once it exists.
HWND MessageOwner();

}  // namespace mdlCode
