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

// One source line as the printed lines it takes.
void WrapLine(const std::string& line, size_t width, std::vector<std::string>& out) {
    size_t start = 0;
    while (line.size() - start > width) {
        size_t cut = line.find_last_of(' ', start + width - 1);
        // The blank stays at the end of its piece: every character is printed.
        cut = (cut == std::string::npos || cut < start) ? start + width : cut + 1;
        out.push_back(line.substr(start, cut - start));
        start = cut;
    }
    out.push_back(line.substr(start));
}

}  // namespace

std::vector<std::vector<std::string>> PrintedPages(const std::string& text, PageMetrics page) {
    const size_t width = static_cast<size_t>(std::max(page.columns, 1));
    const size_t height = static_cast<size_t>(std::max(page.linesPerPage, 1));
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find_first_of("\r\n", start);
        WrapLine(ExpandTabs(text.substr(start, end - start)), width, lines);
        if (end == std::string::npos) {
            break;
        }
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    std::vector<std::vector<std::string>> pages;
    for (size_t i = 0; i < lines.size(); i += height) {
        const size_t n = std::min(height, lines.size() - i);
        pages.emplace_back(lines.begin() + static_cast<long>(i),
                           lines.begin() + static_cast<long>(i + n));
    }
    return pages;
}

}  // namespace quillet
