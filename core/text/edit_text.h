#pragma once
// Texts the Edit commands and the clipboard registers make, without Win32.
#include <string>

#include "core/text/ansi_chars.h"

namespace quillet {

// The row of the register list for a register's text: its first 15 characters, then
// `ellipsis` (already in the ANSI code page) when there are more. Line breaks and tabs
// are kept as they are.
std::string RegisterCaption(const std::string& text, const std::string& ellipsis,
                            const CodePage& cp);

// The Insert Date/Time stamp "hh:mm dd.mm.yy": 24-hour clock, the locale's time
// separator in place of the colon, the last two digits of the year.
std::string DateTimeStamp(int hour, int minute, int day, int month, int year,
                          const std::string& timeSeparator);

}  // namespace quillet
