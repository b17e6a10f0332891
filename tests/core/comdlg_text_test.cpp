// The file dialogs' text rules: filter lists, flag masks, name buffers and folders.
#include <gtest/gtest.h>

#include <stdexcept>

#include "core/dialogs/comdlg_text.h"
#include "tests/core/test_code_pages.h"

using namespace quillet;

namespace {
const CodePage kSingleByte{};
// Shaped like 932: 83 7C is a katakana, 95 5C a kanji.
const CodePage& kDoubleByte = fuzz::TestCodePage(4);
}  // namespace

TEST(PlatformFilter, BarsBecomeNulsAndTwoNulsClose) {
    EXPECT_EQ(PlatformFilter("a|b|", kSingleByte), std::string("a\0b\0\0\0", 6));
    EXPECT_EQ(PlatformFilter("All files (*.*)|*.*|", kSingleByte),
              std::string("All files (*.*)\0*.*\0\0\0", 22));
    // Without a trailing bar the list still ends in exactly two NULs after the pattern.
    EXPECT_EQ(PlatformFilter(kDefaultFilter, kSingleByte), std::string("All (*.*)\0 *.*\0\0", 16));
    EXPECT_EQ(PlatformFilter("", kSingleByte), std::string("\0\0", 2));
    EXPECT_EQ(PlatformFilter("||", kSingleByte), std::string("\0\0\0\0", 4));
    // A "|" byte that ends a two-byte character is part of the description.
    EXPECT_EQ(PlatformFilter("\x83\x7C|*.txt", kDoubleByte),
              std::string("\x83\x7C\0*.txt\0\0", 10));
}

TEST(PlatformFilter, EveryOtherByteIsCopied) {
    std::string all;
    for (int b = 1; b < 256; ++b) {
        if (b != '|') {
            all.push_back(static_cast<char>(b));
        }
    }
    EXPECT_EQ(PlatformFilter(all, kSingleByte), all + std::string(2, '\0'));
}

TEST(PlatformFilter, RefusesListsBeyondTheCounterRange) {
    EXPECT_EQ(PlatformFilter(std::string(kMaxFilterChars, 'x'), kSingleByte).size(),
              kMaxFilterChars + 2);
    EXPECT_THROW(PlatformFilter(std::string(kMaxFilterChars + 1, 'x'), kSingleByte),
                 std::overflow_error);
    EXPECT_THROW(PlatformFilter(std::string(100000, '|'), kSingleByte), std::overflow_error);
}

TEST(MaskDialogFlags, HookTemplateAndHighBitsAreCleared) {
    EXPECT_EQ(MaskDialogFlags(4100), 4100);
    EXPECT_EQ(MaskDialogFlags(0x20 | 0x40 | 0x80), 0);
    EXPECT_EQ(MaskDialogFlags(0x1FF1F), 0x1FF1F);
    EXPECT_EQ(MaskDialogFlags(0x20000), 0);
    EXPECT_EQ(MaskDialogFlags(0x80000 | 0x1000 | 0x4), 0x1004);  // explorer bit dropped
    EXPECT_EQ(MaskDialogFlags(-1), 0x1FF1F);
    EXPECT_EQ(MaskDialogFlags(0x10000 | 0x8000 | 0x100 | 0x10 | 0x1), 0x18111);
}

TEST(DialogBuffer, PadsToTheWholeBufferWithNuls) {
    const std::string buffer = DialogBuffer("C:\\docs\\a.txt", "FileName");
    ASSERT_EQ(buffer.size(), kDialogBufferChars);
    EXPECT_EQ(TrimAtNul(buffer), "C:\\docs\\a.txt");
    EXPECT_EQ(buffer.find_first_not_of('\0', 13), std::string::npos);
    EXPECT_EQ(DialogBuffer("", "FileTitle"), std::string(kDialogBufferChars, '\0'));
}

TEST(DialogBuffer, RefusesValuesWithoutRoomForTheClosingNul) {
    const std::string longest(kDialogBufferChars - 1, 'n');
    EXPECT_EQ(TrimAtNul(DialogBuffer(longest, "FileName")), longest);
    EXPECT_THROW(DialogBuffer(longest + "n", "FileName"), std::invalid_argument);
    EXPECT_THROW(DialogBuffer(std::string(5000, 'n'), "FileTitle"), std::invalid_argument);
}

TEST(TrimAtNul, KeepsWhatStandsBeforeTheFirstNul) {
    EXPECT_EQ(TrimAtNul(std::string("a.txt\0junk\0", 11)), "a.txt");
    EXPECT_EQ(TrimAtNul(std::string("\0a", 2)), "");
    EXPECT_EQ(TrimAtNul("no nul"), "no nul");
    EXPECT_EQ(TrimAtNul(""), "");
}

TEST(FolderOfPath, DropsTheLastComponentAndItsSeparator) {
    EXPECT_EQ(FolderOfPath("C:\\dir\\file.txt", kSingleByte), "C:\\dir");
    EXPECT_EQ(FolderOfPath("C:\\file.txt", kSingleByte), "C:");
    EXPECT_EQ(FolderOfPath("file.txt", kSingleByte), "");
    EXPECT_EQ(FolderOfPath("", kSingleByte), "");
    EXPECT_EQ(FolderOfPath("C:\\a b\\c.d\\name", kSingleByte), "C:\\a b\\c.d");
    EXPECT_EQ(FolderOfPath("\\\\server\\share\\x.txt", kSingleByte), "\\\\server\\share");
    EXPECT_EQ(FolderOfPath("C:/dir/file.txt", kSingleByte), "C:/dir");
    EXPECT_EQ(FolderOfPath("C:\\docs\\\x95\x5C", kDoubleByte), "C:\\docs");
    EXPECT_EQ(FolderOfPath("C:\\\x95\x5C\\a.txt", kDoubleByte), "C:\\\x95\x5C");
}

TEST(StartFolder, ABareDriveStartsAtItsRoot) {
    EXPECT_EQ(StartFolder("C:"), "C:\\");
    EXPECT_EQ(StartFolder("C:\\docs"), "C:\\docs");
    EXPECT_EQ(StartFolder(""), "");
    EXPECT_EQ(StartFolder("\\\\server\\share"), "\\\\server\\share");
}

TEST(IsDeviceName, TheLastComponentBeforeItsExtensionDecides) {
    const struct {
        const char* path;
        bool device;
    } rows[] = {
        {"NUL", true},
        {"nul", true},
        {"C:\\dir\\NUL.txt", true},
        {"NUL.tar.gz", true},
        {"CON ", true},
        {"con  .txt", true},
        {"AUX:", true},
        {"prn", true},
        {"dir/aux.c", true},
        {"C:NUL", true},
        {"COM1", true},
        {"com9.log", true},
        {"LPT1", true},
        {"lpt9", true},
        {"CONIN$", true},
        {"C:\\conout$", true},
        {"", false},
        {"NU", false},
        {"NULL", false},
        {"xNUL", false},
        {" NUL", false},
        {"NUL_.txt", false},
        {"COM0", false},
        {"COM10", false},
        {"COM:", false},
        {"LPT", false},
        {"COM/", false},
        {"C:\\NUL\\a.txt", false},
        {"CONIN$.txt", false},
        {"a.NUL", false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(IsDeviceName(row.path, kSingleByte), row.device) << row.path;
    }
    // A 5C byte that ends a two-byte character separates nothing.
    EXPECT_TRUE(IsDeviceName("\x95\x5CNUL", kSingleByte));
    EXPECT_FALSE(IsDeviceName("\x95\x5CNUL", kDoubleByte));
    EXPECT_TRUE(IsDeviceName("C:\\\x95\x5C\\NUL", kDoubleByte));
}
