#include "core/print/print_layout.h"

#include <algorithm>

namespace quillet {

namespace {

// The cells of the fixed-pitch page the character from `at` to `next` takes: one a
// byte on single- and double-byte code pages. Under UTF-8 a two-byte character (Latin,
// Greek, Cyrillic...) takes one and a longer one two, as wide as it may be drawn, so
// nothing is cut off at the page's edge.
size_t Cells(size_t at, size_t next, const CodePage& cp) {
    if (cp.model != CharModel::Utf8) {
        return next - at;
    }
    return next - at >= 3 ? 2 : 1;
}

std::string ExpandTabs(const std::string& line, const CodePage& cp) {
    std::string out;
    size_t cells = 0;
    for (size_t at = 0; at < line.size();) {
        const size_t next = NextChar(line, at, cp);
        if (line[at] == '\t') {
            const size_t blanks = kPrintTabWidth - cells % kPrintTabWidth;
            out.append(blanks, ' ');
            cells += blanks;
        } else {
            out.append(line, at, next - at);
            cells += Cells(at, next, cp);
        }
        at = next;
    }
    return out;
}

// The offset of the first character from `start` on that no longer fits in `width`
// cells, or the line's end when the rest fits.
size_t FitEnd(const std::string& line, size_t start, size_t width, const CodePage& cp) {
    size_t cells = 0;
    for (size_t at = start; at < line.size();) {
        const size_t next = NextChar(line, at, cp);
        cells += Cells(at, next, cp);
        if (cells > width) {
            return at;
        }
        at = next;
    }
    return line.size();
}

bool IsBlank(const std::string& line) {
    return line.find_first_not_of(' ') == std::string::npos;
}

// A line without a blank to wrap at is cut at the last character boundary that fits:
// never inside a two-byte character (one wider than the page goes whole), and never
// past the line's end.
size_t HardCut(const std::string& line, size_t start, size_t width, const CodePage& cp) {
    return std::max(NextChar(line, start, cp), FitEnd(line, start, width, cp));
}

// The last blank from `from` through `to`, or npos: a piece's search for a wrap point
// never goes back past the piece, so wrapping stays linear in the line.
size_t LastBlank(const std::string& line, size_t from, size_t to) {
    for (size_t at = to + 1; at > from; --at) {
        if (line[at - 1] == ' ') {
            return at - 1;
        }
    }
    return std::string::npos;
}

// One source line as the printed lines it takes. It wraps only at blanks that come
// after text on the line, and those are not printed: no piece ends in them and none
// is made of them alone. The line's leading blanks are its indent and are printed;
// a piece with no such blank to wrap at is cut hard at the width. A line of nothing
// but blanks is one line, empty when it is wider than the page.
void WrapLine(const std::string& line, size_t width, const CodePage& cp,
              std::vector<std::string>& out) {
    const size_t text = line.find_first_not_of(' ');
    if (text == std::string::npos) {
        out.push_back(line.size() <= width ? line : std::string());
        return;
    }
    size_t start = 0;
    for (size_t fit = FitEnd(line, start, width, cp); fit < line.size();
         fit = FitEnd(line, start, width, cp)) {
        const size_t blank = LastBlank(line, std::max(start, text), fit);
        size_t cut = 0;
        if (blank == std::string::npos) {
            cut = HardCut(line, start, width, cp);
            out.push_back(line.substr(start, cut - start));
            if (cut < text) {  // still inside the indent: none of it is dropped
                start = cut;
                continue;
            }
        } else {
            cut = blank;
            const size_t end = line.find_last_not_of(' ', cut);
            out.push_back(line.substr(start, end + 1 - start));
        }
        start = line.find_first_not_of(' ', cut);
        if (start == std::string::npos) {
            return;
        }
    }
    out.push_back(line.substr(start));
}

}  // namespace

std::vector<std::vector<std::string>> PrintedPages(const std::string& text, PageMetrics page,
                                                   const CodePage& cp) {
    const size_t width = static_cast<size_t>(std::max(page.columns, 1));
    const size_t height = static_cast<size_t>(std::max(page.linesPerPage, 1));
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find_first_of("\r\n", start);
        WrapLine(ExpandTabs(text.substr(start, end - start), cp), width, cp, lines);
        if (end == std::string::npos) {
            break;
        }
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    // Sheets end with the page of the last line with something on it, so blank lines
    // after it (the text's own last line end among them) never give a blank sheet, while
    // blank pages between texts are printed; a text of nothing else prints one page.
    const auto lastText = std::find_if_not(lines.rbegin(), lines.rend(), IsBlank);
    const size_t used = lastText == lines.rend() ? 1 : static_cast<size_t>(lines.rend() - lastText);
    std::vector<std::vector<std::string>> pages;
    for (size_t i = 0; i < used; i += height) {
        const auto first = lines.begin() + static_cast<long>(i);
        pages.emplace_back(first, first + static_cast<long>(std::min(height, lines.size() - i)));
    }
    return pages;
}

}  // namespace quillet
