// Walking ANSI text by characters on a double-byte code page, where a trail byte can
// look like a letter, a backslash or "|".
#include <gtest/gtest.h>

#include "core/text/ansi_chars.h"
#include "tests/core/test_code_pages.h"

using namespace quillet;

TEST(AnsiChars, WalksCountsAndCutsByCharacters) {
    const LeadBytes& lead = fuzz::TestCodePage(4).lead;  // shaped like 932
    // a, katakana 83 41, b, a lead byte that ends the text and stands alone.
    const std::string text =
        "a\x83\x41"
        "b\x83";
    EXPECT_EQ(CharCount(text, lead), 4u);
    EXPECT_EQ(CharCount(text, LeadBytes{}), 5u);
    const size_t charStarts[] = {0, 1, 3, 4, 5, 5};
    for (size_t chars = 0; chars < std::size(charStarts); ++chars) {
        EXPECT_EQ(OffsetOfChar(text, chars, lead), charStarts[chars]) << chars;
    }
    const size_t boundaries[] = {0, 1, 3, 3, 4, 5, 5};  // from offsets 0 to 6
    for (size_t offset = 0; offset < std::size(boundaries); ++offset) {
        EXPECT_EQ(CharBoundaryFrom(text, offset, lead), boundaries[offset]) << offset;
    }
    // The backslash byte of 95 5C is no separator.
    EXPECT_EQ(FindLastCharOf("C:\\\x95\x5C", "\\/", lead), 2u);
    EXPECT_EQ(FindLastCharOf("\x95\x5C", "\\", lead), std::string::npos);
    EXPECT_EQ(FindLastCharOf("\x95\x5C", "\\", LeadBytes{}), 1u);
}

TEST(AnsiChars, MapCaseChangesWholeCharactersOnly) {
    const LeadBytes& lead = fuzz::TestCodePage(4).lead;
    CaseMap upper = CaseMap::Identity();
    upper.single['a'] = 'A';
    upper.single['b'] = 0x83;  // a lead byte is never put in for a single byte
    upper.pairs = {{0x8281, 0x8260}};
    // Full-width a, a, b, and 83 61 whose trail byte looks like "a".
    EXPECT_EQ(MapCase("\x82\x81"
                      "ab\x83\x61",
                      lead, upper),
              "\x82\x60"
              "Ab\x83\x61");
    EXPECT_EQ(upper.Map(0x8261), 0x8261);
}
