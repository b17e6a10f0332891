#include "core/print/print_layout.h"

#include <algorithm>

namespace quillet {

namespace {

std::string ExpandTabs(const std::string& line) {
    std::string out;
    for (const char c : line) {
        if (c == '\t') {
            out.append(kPrintTabWidth - out.size() % kPrintTabWidth, ' ');
        } else {
            out.push_back(c);
        }
    }
    return out;
}

bool IsBlank(const std::string& line) {
    return line.find_first_not_of(' ') == std::string::npos;
}

// A line without a blank to wrap at is cut at the last character boundary that fits:
// never inside a two-byte character (one wider than the page goes whole), and never
// past the line's end.
size_t HardCut(const std::string& line, size_t start, size_t width, const CodePage& cp) {
    size_t cut = NextChar(line, start, cp);
    while (cut < line.size()) {
        const size_t next = NextChar(line, cut, cp);
        if (next > start + width) {
            break;
        }
        cut = next;
    }
    return cut;
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
    while (line.size() - start > width) {
        const size_t blank = line.find_last_of(' ', start + width);
        size_t cut = 0;
        if (blank == std::string::npos || blank < start || blank < text) {
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
        WrapLine(ExpandTabs(text.substr(start, end - start)), width, cp, lines);
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
