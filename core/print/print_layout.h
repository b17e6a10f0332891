#pragma once
// How a document is laid out on printed pages: a pure function of the page's size in
// character cells, so it can be checked without a printer.
#include <string>
#include <vector>

#include "core/text/ansi_chars.h"

namespace quillet {

struct PageMetrics {
    int columns;       // characters that fit across the printable width
    int linesPerPage;  // lines that fit down the printable height
};

// Tab stops of printed text, every eight columns (the text box's own spacing).
constexpr int kPrintTabWidth = 8;

// The text as printed: split at its line ends (CR LF, or a lone CR or LF), tabs
// expanded, lines longer than the width wrapped (at the last blanks after text that
// fit, which are then not printed, else at the last whole character that fits; a line's
// leading blanks are printed; a two-byte character takes two cells, as in a fixed-pitch
// font, and under UTF-8 a character of two bytes one cell, a longer one two) so nothing is cut off,
// then cut into pages. Pages after the last line with text are left out, so the text's final line
// end never makes a sheet of its own; blank pages between texts are printed, and an empty document
// prints one page.
std::vector<std::vector<std::string>> PrintedPages(const std::string& text, PageMetrics page,
                                                   const CodePage& cp);

}  // namespace quillet
