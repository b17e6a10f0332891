#pragma once
// The system's ANSI code page as the Win32-free text rules take it: which bytes begin a
// two-byte character, and the platform's case mapping of every character.
#include <windows.h>

#include "core/text/ansi_chars.h"

// Read once; cheap.
const quillet::LeadBytes& AnsiLeadBytes();

// True on a double-byte code page.
bool AnsiIsDoubleByte();

// Built on first use (a double-byte code page has some 24,000 characters to map).
const quillet::CodePage& AnsiCodePage();

// The first valid two-byte character of the code page (empty on a single-byte one).
std::string AnsiFirstDoubleByteChar();

// U+2026 in the ANSI code page ("..." where the code page has no ellipsis).
std::string AnsiEllipsis();
