#pragma once
// The text rules of the file dialogs that need no platform: the filter list as the
// dialog takes it, the flags it may see, its fixed-size name buffers and the folder of
// a path.
#include <cstdint>
#include <string>

#include "core/text/ansi_chars.h"

namespace quillet {

// Every name buffer of a file dialog holds this many characters, the closing NUL included.
constexpr size_t kDialogBufferChars = 260;

// The longest filter list the dialog object accepts.
constexpr size_t kMaxFilterChars = 32767;

// Hook and template bits (0x20, 0x40, 0x80) and everything from 0x20000 up never reach
// the dialog: the object has no hook procedure or template to go with them.
constexpr int32_t kDialogFlagsMask = 0x1FF1F;

// Used by the file dialogs when the caller gives no filter or filter index.
constexpr const char* kDefaultFilter = "All (*.*)| *.*";
constexpr int32_t kDefaultFilterIndex = 1;

// "desc|pattern|..." to the platform's list: each "|" character (never the trail byte
// of a two-byte character) a NUL, then two more NULs. Throws std::overflow_error for a
// list longer than kMaxFilterChars bytes.
std::string PlatformFilter(const std::string& filter, const CodePage& cp);

int32_t MaskDialogFlags(int32_t flags);

// The value padded with NULs to a whole name buffer. Throws std::invalid_argument when
// it doesn't fit with its closing NUL.
std::string DialogBuffer(const std::string& value, const char* what);

// The characters before the first NUL (all of them when there is none).
std::string TrimAtNul(const std::string& s);

// The path without its last component and the separator before it: C:\dir\a.txt gives
// C:\dir, C:\a.txt gives C:, a bare name gives empty text. A separator is a character
// of its own, never the trail byte of a two-byte character.
std::string FolderOfPath(const std::string& path, const CodePage& cp);

// True when the path's last component names a device that the system opens in place of
// a file (NUL, CON, PRN, AUX, COM1 to COM9, LPT1 to LPT9, CONIN$, CONOUT$), whatever
// extension or trailing blanks follow the name: "NUL.txt" and "C:\dir\con " are
// devices too.
bool IsDeviceName(const std::string& path, const CodePage& cp);

// A folder as a dialog's starting folder: a bare drive ("C:") gets its root separator,
// since "C:" alone names the drive's current folder rather than its root.
std::string StartFolder(const std::string& folder);

}  // namespace quillet
