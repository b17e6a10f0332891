// Printed pages from the page's size in cells, and the About text from a version record.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/app/about_text.h"
#include "core/print/print_layout.h"
#include "tests/core/test_code_pages.h"

using namespace quillet;
using Pages = std::vector<std::vector<std::string>>;

TEST(PrintedPages, LinesWrapAndFillPagesInOrder) {
    const struct {
        const char* name;
        std::string text;
        PageMetrics page;
        Pages expected;
        unsigned codePage = 4;  // shaped like 932
    } cases[] = {
        {"empty document: one page, one empty line", "", {10, 3}, {{""}}},
        {"trailing line end gives an empty last line", "a\r\n", {10, 3}, {{"a", ""}}},
        {"every kind of line end", "a\r\nb\nc\rd", {10, 9}, {{"a", "b", "c", "d"}}},
        {"full page starts the next", "1\r\n2\r\n3\r\n4", {10, 2}, {{"1", "2"}, {"3", "4"}}},
        {"wrap at the last blank, which isn't printed",
         "abc def ghi",
         {8, 9},
         {{"abc def", "ghi"}}},
        {"a blank just before a piece is no wrap point for it",
         "ab cdefghijk",
         {4, 9},
         {{"ab", "cdef", "ghij", "k"}}},
        {"no blank of a wrap point is printed", "abcd   efgh", {4, 9}, {{"abcd", "efgh"}}},
        {"leading blanks are printed, then a hard cut",
         "    yyyyyyyyy",
         {6, 9},
         {{"    yy", "yyyyyy", "y"}}},
        {"an indent wider than the page is printed too",
         "      ab cd",
         {4, 9},
         {{"    ", "  ab", "cd"}}},
        {"a line of blanks alone, wider than the page", "      \r\nx", {4, 9}, {{"", "x"}}},
        {"the final line end starts no page", "a\r\nb\r\n", {10, 2}, {{"a", "b"}}},
        {"blank lines at the end start no page", "a\r\n\r\n\r\n", {10, 2}, {{"a", ""}}},
        {"a page of blanks between texts is printed",
         "a\r\nb\r\n\r\n  \r\nc",
         {10, 2},
         {{"a", "b"}, {"", "  "}, {"c"}}},
        {"line ends alone: the first page", "\r\n\r\n\r\n", {10, 2}, {{"", ""}}},
        {"hard wrap without blanks", "abcdefghij", {4, 2}, {{"abcd", "efgh"}, {"ij"}}},
        {"exact width stays one line", "abcd", {4, 9}, {{"abcd"}}},
        {"tabs to stops of eight", "a\tb", {20, 9}, {{"a       b"}}},
        {"degenerate page still prints all", "ab", {0, 0}, {{"a"}, {"b"}}},
        // Katakana 83 41 takes two cells and is never cut.
        {"two-byte characters wrap whole",
         "a\x83\x41\x83\x41",
         {2, 9},
         {{"a", "\x83\x41", "\x83\x41"}}},
        {"one wider than the page goes whole",
         "\x83\x41\x83\x41",
         {1, 9},
         {{"\x83\x41", "\x83\x41"}}},
        {"a one-cell page ends at a closing two-byte character",
         "\x83\x41",
         {1, 9},
         {{"\x83\x41"}}},
        // Under UTF-8: é (C3 A9) takes one cell, 日 and 本 (three bytes each) two.
        {"UTF-8 letters fill the width",
         "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9",
         {4, 9},
         {{"\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", "\xC3\xA9\xC3\xA9"}},
         5},
        {"UTF-8 wide characters take two cells",
         "\xE6\x97\xA5\xE6\x9C\xAC\xE6\x97\xA5",
         {4, 9},
         {{"\xE6\x97\xA5\xE6\x9C\xAC", "\xE6\x97\xA5"}},
         5},
        {"UTF-8 tab stops count cells", "\xC3\xA9\tb", {20, 9}, {{"\xC3\xA9       b"}}, 5},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PrintedPages(c.text, c.page, fuzz::TestCodePage(c.codePage)), c.expected)
            << c.name;
    }
}

// Only the blanks of wrap points are left out, and no line ends in one.
TEST(PrintedPages, NoOtherCharacterIsLost) {
    std::string text;
    for (int i = 0; i < 300; ++i) {
        text +=
            std::string(static_cast<size_t>(i % 97), static_cast<char>('a' + i % 26)) + " x\r\n";
    }
    std::string joined;
    for (const auto& page : PrintedPages(text, {13, 7}, CodePage{})) {
        EXPECT_LE(page.size(), 7u);
        for (const std::string& line : page) {
            EXPECT_LE(line.size(), 13u);
            EXPECT_TRUE(line.empty() || line.back() != ' ') << '"' << line << '"';
            joined += line;
        }
    }
    const auto visible = [](std::string s) {
        s.erase(std::remove_if(s.begin(), s.end(),
                               [](char c) { return c == ' ' || c == '\r' || c == '\n'; }),
                s.end());
        return s;
    };
    EXPECT_EQ(visible(joined), visible(text));
}

namespace {

// A version record as a resource compiler lays it out, with the fixed part's numbers.
std::vector<unsigned char> VersionRecord(unsigned ms, unsigned ls) {
    std::vector<unsigned char> r(40 + 52, 0);
    r[2] = 52;  // the value's length
    const char key[] = "VS_VERSION_INFO";
    for (size_t i = 0; i < sizeof key; ++i) {
        r[6 + 2 * i] = static_cast<unsigned char>(key[i]);
    }
    const auto put = [&](size_t at, unsigned v) {
        for (int b = 0; b < 4; ++b) {
            r[at + b] = static_cast<unsigned char>(v >> (8 * b));
        }
    };
    put(40, 0xFEEF04BD);
    put(48, ms);
    put(52, ls);
    return r;
}

}  // namespace

TEST(AboutText, VersionComesFromTheRecordWithoutLeadingZeros) {
    const auto record = VersionRecord(0x00010000, 0x00000046);  // 1.0.0.70
    const auto version = FixedFileVersion(record.data(), record.size());
    ASSERT_TRUE(version);
    const std::string text = AboutText(*version);
    EXPECT_EQ(text.substr(0, text.find("\r\n")), "Quillet v1.0.70");

    const auto other = VersionRecord(0x000C0003, 0x00090105);  // 12.3.9.261
    EXPECT_EQ(AboutText(*FixedFileVersion(other.data(), other.size())).substr(0, 17),
              "Quillet v12.3.261");
}

TEST(AboutText, LayoutOfTheLinesBelowTheVersion) {
    const std::string text = AboutText({1, 0, 0, 70});
    size_t contacts = 0;
    for (size_t at = text.find("\r\n   "); at != std::string::npos;
         at = text.find("\r\n   ", at + 2)) {
        const size_t end = text.find("\r\n", at + 2);
        const std::string line = text.substr(at + 2, end - at - 2);
        EXPECT_NE(line.find(":\t"), std::string::npos) << line;
        ++contacts;
    }
    EXPECT_EQ(contacts, 3u);
    EXPECT_EQ(text.substr(15, 4), "\r\n\r\n");
    EXPECT_NE(text.find("\r\n\r\nContact information:\r\n   "), std::string::npos);
    const std::string tail = "\r\n_______\r\nSee 'whatsnew.txt' for details.";
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
}

TEST(AboutText, RecordsWithoutTheFixedPartGiveNothing) {
    auto record = VersionRecord(0x00010000, 0x46);
    EXPECT_FALSE(FixedFileVersion(record.data(), 60));  // cut short
    EXPECT_FALSE(FixedFileVersion(nullptr, 0));
    record[40] = 0;  // no signature
    EXPECT_FALSE(FixedFileVersion(record.data(), record.size()));
}
