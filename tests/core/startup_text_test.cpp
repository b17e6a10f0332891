// Command-line and caption rules of start-up.
#include <gtest/gtest.h>

#include "core/app/caption.h"
#include "core/app/command_line.h"

using namespace quillet;

TEST(ArgumentText, DropsProgramNameAndTheBlanksAfterIt) {
    EXPECT_EQ(ArgumentText("quillet.exe notes.txt"), "notes.txt");
    EXPECT_EQ(ArgumentText("quillet.exe  \t notes.txt"), "notes.txt");
    EXPECT_EQ(ArgumentText("\"C:\\Program Files\\Quillet\\quillet.exe\" \"C:\\My Files\\a.txt\""),
              "\"C:\\My Files\\a.txt\"");
    // The rest of the line is one path, blanks and all, exactly as given.
    EXPECT_EQ(ArgumentText("C:\\q\\quillet.exe C:\\My Files\\a b.txt "), "C:\\My Files\\a b.txt ");
    // A quoted program name needs no blank after it.
    EXPECT_EQ(ArgumentText("\"C:\\dir\\quillet.exe\"notes.txt"), "notes.txt");
}

TEST(ArgumentText, EmptyWithoutArguments) {
    EXPECT_EQ(ArgumentText("quillet.exe"), "");
    EXPECT_EQ(ArgumentText("quillet.exe   "), "");
    EXPECT_EQ(ArgumentText("\"C:\\a b\\quillet.exe\""), "");
    EXPECT_EQ(ArgumentText(""), "");
    // An unterminated quote swallows the whole line as the program's name.
    EXPECT_EQ(ArgumentText("\"quillet.exe notes.txt"), "");
}

TEST(ArgumentText, TheUtf16LineFollowsTheSameRules) {
    EXPECT_EQ(ArgumentText(L"quillet.exe \u0100B\u010C.txt"), L"\u0100B\u010C.txt");
    EXPECT_EQ(ArgumentText(L"\"C:\\a b\\quillet.exe\"\"r\u00E9sum\u00E9.txt\""),
              L"\"r\u00E9sum\u00E9.txt\"");
    EXPECT_EQ(ArgumentText(L"quillet.exe \t "), L"");
    EXPECT_EQ(ArgumentText(L""), L"");
}

TEST(IsRelativeArgument, OnlyNamesWithoutRootOrDriveAreRelative) {
    const struct {
        const char* argument;
        bool relative;
    } rows[] = {
        {"notes.txt", true},
        {"\"notes.txt\"", true},
        {"sub\\a.txt", true},
        {".\\a.txt", true},
        {"a", true},
        {"C", true},
        {"1:x", true},
        {":x", true},
        {"\xC0:x", true},  // a letter of the code page, but no drive
        {"ab:c", true},
        {"@:x", true},  // the characters around the letters
        {"[:x", true},
        {"`:x", true},
        {"{:x", true},
        {"\\sub\\a.txt", false},
        {"/sub/a.txt", false},
        {"\\\\server\\share\\a.txt", false},
        {"\"\\sub\\a.txt\"", false},
        {"C:\\a.txt", false},
        {"c:a.txt", false},
        {"Z:", false},
        {"A:x", false},
        {"a:x", false},
        {"z:x", false},
        {"\"C:\\My Files\\a.txt\"", false},
        {"\"\"C:a.txt", false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(IsRelativeArgument(row.argument), row.relative) << row.argument;
    }
}

TEST(RemoveQuotes, RemovesEveryQuoteWhereverItStands) {
    EXPECT_EQ(RemoveQuotes("\"C:\\My Files\\a.txt\""), "C:\\My Files\\a.txt");
    EXPECT_EQ(RemoveQuotes("\"a\"b.txt"), "ab.txt");
    EXPECT_EQ(RemoveQuotes("\"\""), "");
    EXPECT_EQ(RemoveQuotes("plain.txt"), "plain.txt");
}

TEST(CurrentDirectoryFrom, TakesTheReportedLengthOrTheWholeBufferWhenItDidNotFit) {
    std::string buffer(511, ' ');
    buffer.replace(0, 6, "C:\\dir");
    EXPECT_EQ(CurrentDirectoryFrom(buffer, 6), "C:\\dir");
    // A folder longer than the buffer: the call reports the size it needs and the
    // candidate made of the blank buffer never names a file.
    EXPECT_EQ(CurrentDirectoryFrom(std::string(511, ' '), 600), std::string(511, ' '));
}

TEST(CaptionFor, ShowsTitleAndModifiedMark) {
    EXPECT_EQ(CaptionFor("Untitled", false, ""), "Untitled - Quillet");
    EXPECT_EQ(CaptionFor("Untitled", true, "Untitled - Quillet"), "Untitled [*] - Quillet");
    EXPECT_EQ(CaptionFor("notes.txt", true, "notes.txt [*] - Quillet"), "notes.txt [*] - Quillet");
    EXPECT_EQ(CaptionFor("notes.txt", false, "notes.txt [*] - Quillet"), "notes.txt - Quillet");
}

TEST(CaptionFor, ModifiedCaptionKeepsTheTitleLastShownUnmodified) {
    // The mark is appended to the caption's start, which is the title last written clean.
    EXPECT_EQ(CaptionFor("b.txt", true, "a.txt - Quillet"), "a.txt [*] - Quillet");
    EXPECT_EQ(CaptionFor("longer.txt", true, "a - Quillet"), "a - Quille [*] - Quillet");
}
