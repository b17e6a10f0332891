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
