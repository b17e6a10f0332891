#pragma once
// Handle ownership and run-time errors for the Win32 side of the program.
#include <windows.h>

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

// A run-time failure: the platform's error number and its description.
class RunTimeError : public std::runtime_error {
public:
    RunTimeError(unsigned long number, const std::string& description);
    unsigned long number() const { return number_; }
    const std::string& description() const { return description_; }

private:
    unsigned long number_;
    std::string description_;
};

// The system's description of an error number, without the trailing line end.
std::string ErrorDescription(unsigned long number);

// Throws a RunTimeError for GetLastError().
[[noreturn]] void RaiseLastError();

struct HandleCloser {
    void operator()(HANDLE h) const {
        if (h != nullptr && h != INVALID_HANDLE_VALUE) {
            CloseHandle(h);
        }
    }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

struct FindCloser {
    void operator()(HANDLE h) const {
        if (h != nullptr && h != INVALID_HANDLE_VALUE) {
            FindClose(h);
        }
    }
};
using UniqueFind = std::unique_ptr<void, FindCloser>;

struct GdiDeleter {
    void operator()(HGDIOBJ h) const {
        if (h != nullptr) {
            DeleteObject(h);
        }
    }
};
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiDeleter>;

struct MenuDestroyer {
    void operator()(HMENU h) const {
        if (h != nullptr) {
            DestroyMenu(h);
        }
    }
};
using UniqueMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDestroyer>;

struct DCDeleter {
    void operator()(HDC h) const {
        if (h != nullptr) {
            DeleteDC(h);
        }
    }
};
using UniqueDC = std::unique_ptr<std::remove_pointer_t<HDC>, DCDeleter>;

// A window's device context (the screen's for no window), released when done.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() { ReleaseDC(window_, dc_); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects a GDI object into a device context and puts the previous one back.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectGuard() { SelectObject(dc_, previous_); }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// The screen's logical pixels per inch, horizontally and vertically.
struct ScreenResolution {
    int x;
    int y;
};
ScreenResolution ScreenPixelsPerInch();

// The size one line of text takes in a window's own font (WM_GETFONT), & prefixes
// drawn as underlines unless `prefixes` is false; the height is the font's line height
// (tmHeight).
SIZE TextSizeIn(HWND window, const std::string& text, bool prefixes = true);

// What a static, button, check box, option button, group box or single-line edit box
// needs to hold its text in its own font at the window's resolution `dpi`: the text's
// size plus the control's own margins (the box beside a check box's text, a button's
// edges).
SIZE CaptionNeeds(HWND control, int dpi);

// A global memory block locked for as long as this object lives.
class GlobalLockGuard {
public:
    explicit GlobalLockGuard(HANDLE memory) : memory_(memory), data_(GlobalLock(memory)) {}
    ~GlobalLockGuard() {
        if (data_ != nullptr) {
            GlobalUnlock(memory_);
        }
    }
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
    void* data() const { return data_; }

private:
    HANDLE memory_;
    void* data_;
};

// The full path of a module's file (null: the running program), however long; the
// buffer grows from `initialChars` until the path fits.
std::string ModuleFileName(HMODULE module = nullptr, DWORD initialChars = MAX_PATH);

// A window's text through WM_GETTEXT, as ANSI.
std::string WindowText(HWND hwnd);

// Text between the ANSI code page and UTF-16 (empty for text that can't be converted).
std::string AnsiFromWide(const wchar_t* text, size_t length);
std::wstring WideFromAnsi(const std::string& text);

// The text in the ANSI code page when the code page holds every character of it as it
// is; nothing when a character would need a substitute or a look-alike ("\u0100" is no
// "A"). A name the user chose must never turn into another file's name.
std::optional<std::string> ExactAnsiFromWide(const std::wstring& text);
