// The date stamp of Insert Date/Time and the rows of the register list.
#include <gtest/gtest.h>

#include "core/text/edit_text.h"
#include "tests/core/test_code_pages.h"

using namespace quillet;

TEST(EditText, DateTimeStampPadsEveryFieldAndUsesTheLocaleSeparator) {
    struct Case {
        int hour, minute, day, month, year;
        const char* separator;
        const char* stamp;
    } const cases[] = {
        {9, 5, 6, 12, 2026, ":", "09:05 06.12.26"},
        {0, 7, 1, 1, 2030, ":", "00:07 01.01.30"},
        {23, 59, 31, 12, 2000, ".", "23.59 31.12.00"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DateTimeStamp(c.hour, c.minute, c.day, c.month, c.year, c.separator), c.stamp);
    }
}

TEST(EditText, RegisterCaptionCutsAfterFifteenCharactersKeepingLineBreaks) {
    const CodePage single{};
    EXPECT_EQ(RegisterCaption("", "\x85", single), "");
    EXPECT_EQ(RegisterCaption("a\tb\r\ncdefghijkl", "\x85", single), "a\tb\r\ncdefghijkl");
    EXPECT_EQ(RegisterCaption("a\tb\r\ncdefghijklm", "\x85", single), "a\tb\r\ncdefghijkl\x85");
    // Fifteen two-byte characters are 30 bytes and no ellipsis; a sixteenth brings it.
    const CodePage& cp932 = fuzz::TestCodePage(4);
    std::string kana;
    for (int i = 0; i < 15; ++i) {
        kana += "\x83\x41";
    }
    EXPECT_EQ(RegisterCaption(kana, "\x81\x63", cp932), kana);
    EXPECT_EQ(RegisterCaption(kana + "\x83\x41", "\x81\x63", cp932), kana + "\x81\x63");
    // Under UTF-8, 18 kanji of three bytes each: 15 of them and the ellipsis E2 80 A6.
    std::string kanji;
    for (int i = 0; i < 15; ++i) {
        kanji += "\xE6\x97\xA5";
    }
    EXPECT_EQ(RegisterCaption(kanji + "\xE6\x9C\xAC\xE8\xAA\x9E\xF0\x9F\x98\x80", "\xE2\x80\xA6",
                              fuzz::TestUtf8()),
              kanji + "\xE2\x80\xA6");
}
