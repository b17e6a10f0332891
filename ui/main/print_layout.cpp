#include "ui/main/print_layout.h"

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

// One source line as the printed lines it takes. The blanks a line is wrapped at are
// not printed: no piece ends in them and none is made of them alone (a line of nothing
// else is one empty line).
// A line without a blank to wrap at is cut at the last character boundary that fits:
// never inside a two-byte character (one wider than the page goes whole).
size_t HardCut(const std::string& line, size_t start, size_t width, const CodePage& cp) {
    size_t cut = NextChar(line, start, cp);
    for (size_t next = NextChar(line, cut, cp); next <= start + width;
         next = NextChar(line, cut, cp)) {
        cut = next;
    }
    return cut;
}

void WrapLine(const std::string& line, size_t width, const CodePage& cp,
              std::vector<std::string>& out) {
    const size_t before = out.size();
    size_t start = 0;
    while (line.size() - start > width) {
        size_t cut = line.find_last_of(' ', start + width);
        if (cut == std::string::npos || cut < start) {
            cut = HardCut(line, start, width, cp);
            out.push_back(line.substr(start, cut - start));
        } else {
            const size_t end = line.find_last_not_of(' ', cut);
            if (end != std::string::npos && end >= start) {
                out.push_back(line.substr(start, end + 1 - start));
            }
        }
        start = line.find_first_not_of(' ', cut);
        if (start == std::string::npos) {
            if (out.size() == before) {
                out.emplace_back();
            }
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
    // A sheet is started only for a line with something on it, so blank lines (the
    // text's own last line end among them) never give a blank sheet; a text of nothing
    // else still prints its first page.
    std::vector<std::vector<std::string>> pages;
    for (size_t i = 0; i < lines.size(); i += height) {
        const auto first = lines.begin() + static_cast<long>(i);
        const auto last = first + static_cast<long>(std::min(height, lines.size() - i));
        if (!std::all_of(first, last, IsBlank)) {
            pages.emplace_back(first, last);
        }
    }
    if (pages.empty()) {
        pages.emplace_back(lines.begin(),
                           lines.begin() + static_cast<long>(std::min(height, lines.size())));
    }
    return pages;
}

}  // namespace quillet
