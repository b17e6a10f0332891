// The document file format: NUL bytes and their placeholder.
#include <gtest/gtest.h>

#include "core/text/text_format.h"

using namespace quillet;

TEST(TextFormat, NulBytesBecomePlaceholdersAndBack) {
    const std::string file("A\0B", 3);
    const std::string text = TextFromFileBytes(file);
    EXPECT_EQ(text,
              "A\x14"
              "B");
    EXPECT_EQ(FileBytesFromText(text), file);
}

TEST(TextFormat, AFileOfOnlyNulBytesSurvivesARoundTrip) {
    const std::string file(4096, '\0');
    const std::string text = TextFromFileBytes(file);
    EXPECT_EQ(text, std::string(4096, '\x14'));
    EXPECT_EQ(FileBytesFromText(text), file);
}

TEST(TextFormat, EveryOtherByteAndLineEndIsLeftAlone) {
    std::string all;
    for (int b = 1; b < 256; ++b) {
        if (b != 0x14) {
            all.push_back(static_cast<char>(b));
        }
    }
    all += "\r\nbare\nend\r";
    EXPECT_EQ(TextFromFileBytes(all), all);
    EXPECT_EQ(FileBytesFromText(all), all);
}

TEST(TextFormat, AByte20InAFileIsWrittenBackAsNul) {
    const std::string file("x\x14y", 3);
    EXPECT_EQ(FileBytesFromText(TextFromFileBytes(file)), std::string("x\0y", 3));
}

TEST(SavedFileAttributes, HiddenAndSystemStayAndAreMarkedForBackup) {
    const struct {
        std::uint32_t old, saved;
    } cases[] = {
        {0x80, 0},            // normal: the new file's own attributes
        {0x20, 0},            // archive alone
        {0x2, 0x22},          // hidden
        {0x4, 0x24},          // system
        {0x2026, 0x26},       // hidden, system, archive, not indexed: only the first three
        {0x2000 | 0x100, 0},  // not indexed, temporary
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SavedFileAttributes(c.old), c.saved) << std::hex << c.old;
    }
}
