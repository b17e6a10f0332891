// To LowerCase, To UpperCase and Insert Date/Time on the real text box.
#include <gtest/gtest.h>

#include "app/mdlCode.h"
#include "test_support.h"
#include "ui/main/frmMain.h"

namespace {

class TextTransformTest : public WindowTest {
protected:
    LRESULT Selection() { return SendMessageA(box(), EM_GETSEL, 0, 0); }
};

// Runs again under code page 1251. 0xC9/0xE9 are a letter pair under 1252 (E acute)
// and 1251 (short I) alike.
TEST_F(TextTransformTest, AnsiCaseConversionChangesOnlyLettersAndKeepsTheLength) {
    form().SetText("x Ab1\r\n\xC9\xE9-z y");
    form().mnuUCase_Click();  // nothing selected: nothing changes
    EXPECT_EQ(WindowText(box()), "x Ab1\r\n\xC9\xE9-z y");
    EXPECT_FALSE(mdlCode::DocumentState.DocModified);

    Select(2, 12);
    form().mnuUCase_Click();
    EXPECT_EQ(WindowText(box()), "x AB1\r\n\xC9\xC9-Z y");
    EXPECT_EQ(Selection(), MAKELONG(12, 12));
    Select(12, 2);
    form().mnuLCase_Click();
    EXPECT_EQ(WindowText(box()), "x ab1\r\n\xE9\xE9-z y");
    EXPECT_EQ(Selection(), MAKELONG(12, 12));
    EXPECT_EQ(WindowText(form().hWnd()), "Untitled [*] - Quillet");

    if (GetACP() == 1251) {
        const std::string lower = "\xEF\xF0\xE8\xE2\xE5\xF2, \xB8\xE6";  // "привет, ёж"
        const std::string upper = "\xCF\xD0\xC8\xC2\xC5\xD2, \xA8\xC6";  // "ПРИВЕТ, ЁЖ"
        form().SetText(lower);
        Select(0, -1);
        form().mnuUCase_Click();
        EXPECT_EQ(WindowText(box()), upper);
        Select(0, -1);
        form().mnuLCase_Click();
        EXPECT_EQ(WindowText(box()), lower);
    }
}

TEST_F(TextTransformTest, DateTimeReplacesTheSelectionUndoably) {
    ui.now.wYear = 2030;
    ui.now.wMonth = 1;
    ui.now.wDay = 1;
    ui.now.wMinute = 7;
    form().SetText("abcd");
    Select(1, 3);
    form().mnuDateTime_Click();
    EXPECT_EQ(WindowText(box()), "a00:07 01.01.30d");
    EXPECT_EQ(Selection(), MAKELONG(15, 15));
    EXPECT_EQ(WindowText(form().hWnd()), "Untitled [*] - Quillet");
    form().mnuUnReDo_Click();
    EXPECT_EQ(WindowText(box()), "abcd");
}

}  // namespace
