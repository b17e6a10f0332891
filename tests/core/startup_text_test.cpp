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
