#pragma once
// Drives a real quillet.exe from outside its process: starts it, finds its windows,
// reads them with WM_GETTEXT and answers its message boxes, as a user would see them.
#include <windows.h>

#include <string>
#include <vector>

class QuilletProcess {
public:
    // Starts quillet.exe (beside this program) with the argument text, if any.
    explicit QuilletProcess(const std::string& arguments = "");
    // The same through CreateProcessW, for arguments the ANSI code page can't spell.
    explicit QuilletProcess(const std::wstring& arguments);
    ~QuilletProcess();  // closes the editor, ending it if it won't go
    QuilletProcess(const QuilletProcess&) = delete;
    QuilletProcess& operator=(const QuilletProcess&) = delete;

    DWORD pid() const { return pi_.dwProcessId; }
    bool Exited(DWORD waitMs = 0) const;

    // The main window once it is visible (null after the timeout).
    HWND WaitForMainWindow(DWORD timeoutMs = 15000) const;
    HWND MainWindow() const;
    // A message box of this process (null after the timeout).
    HWND WaitForMessageBox(DWORD timeoutMs = 15000) const;

    std::string Caption() const;
    std::string DocText() const;
    std::string ColRow() const;
    std::string Selection() const;

private:
    PROCESS_INFORMATION pi_{};
};

// Top-level windows of the process with the class name, visible ones only.
std::vector<HWND> TopWindowsOf(DWORD pid, const std::string& className);

std::string TextOf(HWND hwnd);

// The message text of a message box.
std::string MessageBoxText(HWND box);

// Presses the button of a dialog with the given id (IDOK, IDYES, IDNO, IDCANCEL).
void ClickButton(HWND dialog, int id);

// Brings the window to the front and types keys through the real input queue.
void FocusWindow(HWND hwnd);
// Each key is followed by a pause for the editor to take it (none: pauseMs 0).
void TypeKey(WORD vk, bool ctrl = false, bool shift = false, DWORD pauseMs = 100);
void TypeText(const std::string& text);

// A file in the end-to-end scratch folder (whose name holds a blank), written afresh.
std::string ScratchFile(const std::string& name, const std::string& bytes);
inline std::string FileBytes(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return "<missing>";
    }
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

// Every visible main window of any running editor.
std::vector<HWND> AllMainWindows();

// A main window of another editor with the caption (null after the timeout).
HWND WaitForOtherMainWindow(const std::string& caption, HWND except, DWORD timeoutMs = 10000);

// Answers a file dialog of the process: types the name and confirms it.
void AnswerFileDialog(HWND dialog, const std::string& path);

// Runs a shell command line of the host system (outside Wine) and returns what it
// printed; Wine starts host programs given by their host path.
std::string RunHostCommand(const std::string& command, DWORD timeoutMs = 10000);

// Polls the condition until it holds or the time is up.
template <typename F>
bool WaitUntil(F condition, DWORD timeoutMs = 10000, DWORD pollMs = 50) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs) {
            return false;
        }
        Sleep(pollMs);
    }
    return true;
}
