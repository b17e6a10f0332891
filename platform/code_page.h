#pragma once
// The system's ANSI code page as the Win32-free text rules take it: which kind it is
// (single-byte, double-byte with its lead bytes, or UTF-8) and the platform's case
// mapping of its characters.
#include <windows.h>

#include "core/text/ansi_chars.h"

// Built on first use (a double-byte code page has some 24,000 characters to map; UTF-8
// has no table and is mapped per call).
const quillet::CodePage& AnsiCodePage();

// True when a character can take more than one byte (double-byte code pages, UTF-8).
bool AnsiIsMultiByte();

// A few characters the code page holds in more than one byte, chosen so that their
// bytes, characters and UTF-16 units all differ in number where the code page allows
// (empty on a single-byte code page): the text box's unit is told from them.
std::string AnsiSampleChars();

// U+2026 in the ANSI code page ("..." where the code page has no ellipsis).
std::string AnsiEllipsis();
