// Walking ANSI text by characters on a double-byte code page, where a trail byte can
// look like a letter, a backslash or "|", and on UTF-8, where a byte that begins no
// valid sequence is a unit of its own.
#include <gtest/gtest.h>

#include "core/text/ansi_chars.h"
#include "tests/core/test_code_pages.h"

using namespace quillet;

TEST(AnsiChars, WalksCountsAndCutsByCharacters) {
    const CodePage& cp932 = fuzz::TestCodePage(4);
    const CodePage& utf8 = fuzz::TestUtf8();
    struct Row {
        const char* name;
        std::string text;
        const CodePage& cp;
        std::vector<size_t> starts;  // where each character starts
        size_t utf16;                // how many UTF-16 units the text takes
    } const rows[] = {
        // a, katakana 83 41, b, a lead byte that ends the text and stands alone.
        {"932",
         "a\x83\x41"
         "b\x83",
         cp932,
         {0, 1, 3, 4},
         4},
        {"single-byte",
         "a\x83\x41"
         "b\x83",
         CodePage{},
         {0, 1, 2, 3, 4},
         5},
        {"2-, 3-, 4-byte beside ASCII",
         "a\xC3\xA9"
         "b\xE2\x82\xAC"
         "c\xF0\x9F\x98\x80"
         "d",
         utf8,
         {0, 1, 3, 4, 7, 8, 12},
         8},
        {"stray continuation",
         "a\x80\xBF"
         "b",
         utf8,
         {0, 1, 2, 3},
         4},
        {"overlong",
         "\xC0\xAF\xC1\xBF\xE0\x80\xAF\xF0\x8F\xBF\xBF",
         utf8,
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10},
         11},
        {"surrogate",
         "\xED\xA0\x80"
         "a\xED\x9F\xBF",
         utf8,
         {0, 1, 2, 3, 4},
         5},
        {"above U+10FFFF",
         "\xF4\x90\x80\x80\xF5\x80\xF4\x8F\xBF\xBF",
         utf8,
         {0, 1, 2, 3, 4, 5, 6},
         8},
        {"cut off",
         "\xE2\x82"
         "a\xF0\x9F\x98",
         utf8,
         {0, 1, 2, 3, 4, 5},
         6},
        {"invalid bytes", "\xFE\xFF\xF8", utf8, {0, 1, 2}, 3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string_view text = row.text;
        EXPECT_EQ(CharCount(text, row.cp), row.starts.size());
        EXPECT_EQ(Utf16Count(text, row.cp), row.utf16);
        std::vector<size_t> starts;
        for (size_t at = 0; at < text.size(); at = NextChar(text, at, row.cp)) {
            starts.push_back(at);
            EXPECT_EQ(OffsetOfChar(text, starts.size() - 1, row.cp), at);
        }
        EXPECT_EQ(starts, row.starts);
        EXPECT_EQ(OffsetOfChar(text, starts.size() + 1, row.cp), text.size());
        for (size_t offset = 0; offset <= text.size() + 1; ++offset) {
            const auto next = std::lower_bound(starts.begin(), starts.end(), offset);
            EXPECT_EQ(CharBoundaryFrom(text, offset, row.cp),
                      next == starts.end() ? text.size() : *next)
                << offset;
        }
    }
    // Unit 2 of a, emoji, b lies inside the emoji's pair: its end.
    EXPECT_EQ(OffsetOfUtf16("a\xF0\x9F\x98\x80"
                            "b",
                            2, utf8),
              5u);
    EXPECT_EQ(OffsetOfUtf16("a\xF0\x9F\x98\x80"
                            "b",
                            3, utf8),
              5u);
    // The backslash byte of 95 5C is no separator.
    EXPECT_EQ(FindLastCharOf("C:\\\x95\x5C", "\\/", cp932), 2u);
    EXPECT_EQ(FindLastCharOf("\x95\x5C", "\\", cp932), std::string::npos);
    EXPECT_EQ(FindLastCharOf("\x95\x5C", "\\", CodePage{}), 1u);
}

TEST(AnsiChars, MapCaseChangesWholeCharactersOnly) {
    const CodePage& cp932 = fuzz::TestCodePage(4);
    CaseMap upper = CaseMap::Identity();
    upper.single['a'] = 'A';
    upper.single['b'] = 0x83;  // a lead byte is never put in for a single byte
    upper.pairs = {{0x8281, 0x8260}};
    // Full-width a, a, b, and 83 61 whose trail byte looks like "a".
    EXPECT_EQ(MapCase("\x82\x81"
                      "ab\x83\x61",
                      cp932, upper),
              "\x82\x60"
              "Ab\x83\x61");
    EXPECT_EQ(upper.Map(0x8261), 0x8261);

    // UTF-8: a letter changes only where its other case has as many bytes; bytes that
    // are no character and the emoji stay.
    const CodePage& utf8 = fuzz::TestUtf8();
    struct Row {
        const char* text;
        const char* upper;
        const char* lower;
    } const rows[] = {
        {"h\xC3\xA9llo w\xC3\xB6rld \xC3\xB1 \xF0\x9F\x98\x80 z",
         "H\xC3\x89LLO W\xC3\x96RLD \xC3\x91 \xF0\x9F\x98\x80 Z",
         "h\xC3\xA9llo w\xC3\xB6rld \xC3\xB1 \xF0\x9F\x98\x80 z"},
        {"x\xF0\x9F\x98\x80y", "X\xF0\x9F\x98\x80Y", "x\xF0\x9F\x98\x80y"},
        // Full-width a and y diaeresis change; dotless i, the Kelvin sign, capital sharp s
        // and dotted capital I don't (their other case is shorter).
        {"\xEF\xBD\x81\xC3\xBF\xC4\xB1\xE2\x84\xAA\xE1\xBA\x9E\xC4\xB0",
         "\xEF\xBC\xA1\xC5\xB8\xC4\xB1\xE2\x84\xAA\xE1\xBA\x9E\xC4\xB0",
         "\xEF\xBD\x81\xC3\xBF\xC4\xB1\xE2\x84\xAA\xE1\xBA\x9E\xC4\xB0"},
        {"a\x80\xC3"
         "b\xE2\x82",
         "A\x80\xC3"
         "B\xE2\x82",
         "a\x80\xC3"
         "b\xE2\x82"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(MapCase(row.text, utf8, utf8.upper), row.upper) << row.text;
        EXPECT_EQ(MapCase(row.upper, utf8, utf8.lower), row.lower) << row.text;
    }
}
