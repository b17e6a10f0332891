#pragma once
// How a document is laid out on printed pages: a pure function of the page's size in
// character cells, so it can be checked without a printer.
#include <string>
#include <vector>

#include "app/ansi_chars.h"

namespace quillet {

struct PageMetrics {
    int columns;       // characters that fit across the printable width
    int linesPerPage;  // lines that fit down the printable height
};

// Tab stops of printed text, every eight columns (the text box's own spacing).
constexpr int kPrintTabWidth = 8;

// The text as printed: split at its line ends (CR LF, or a lone CR or LF), tabs
// expanded, lines longer than the width wrapped (at the last blanks that fit, which are
// then not printed, else at the last whole character that fits; a two-byte character
// takes two cells, as in a fixed-pitch font) so nothing is cut off, then cut into pages.
// Pages of blank lines alone are left out, so an empty document, or one of line ends
// only, prints its first page and no other.
std::vector<std::vector<std::string>> PrintedPages(const std::string& text, PageMetrics page,
                                                   const CodePage& cp);

}  // namespace quillet
