// The date stamp of Insert Date/Time and the rows of the register list.
#include <gtest/gtest.h>

#include "ui/main/edit_text.h"

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
    EXPECT_EQ(RegisterCaption("", "\x85"), "");
    EXPECT_EQ(RegisterCaption("a\tb\r\ncdefghijkl", "\x85"), "a\tb\r\ncdefghijkl");
    EXPECT_EQ(RegisterCaption("a\tb\r\ncdefghijklm", "\x85"), "a\tb\r\ncdefghijkl\x85");
}
