// The pickers' arithmetic: flags each dialog may see, font sizes, byte arrays.
#include <gtest/gtest.h>

#include "core/dialogs/picker_rules.h"
#include "tests/core/test_code_pages.h"

using namespace quillet;

TEST(ColorFlags, OnlyTheLowFourBitsPass) {
    EXPECT_EQ(MaskColorFlags(0x1FF), 0xF);
    EXPECT_EQ(MaskColorFlags(4100), 4);
    EXPECT_EQ(MaskColorFlags(-1), 0xF);
}

TEST(FontFlags, NormalisedAsTheArgumentsGiven) {
    struct Case {
        int32_t flags;
        FontArgsGiven given;
        int32_t expected;
    };
    const Case cases[] = {
        {0, {}, 0x41},                             // screen fonts, initialised from LOGFONT
        {0, {false, true, false, false}, 0x141},   // a colour adds the effects
        {0, {true, false, false, false}, 0x42},    // printer context: printer, not screen
        {0, {false, false, true, false}, 0x2041},  // either size limit
        {0, {false, false, false, true}, 0x2041},
        {4100, {false, true, false, false}, 0x1145},  // the dialog object's creation flags
        {0x238, {}, 0x41},                            // hook, templates and apply cleared
        {0x7FFF0000, {}, 0x7FFF0041},                 // high bits pass with the sign-widened mask
        {static_cast<int32_t>(0x80000002), {}, static_cast<int32_t>(0x80000042)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NormaliseFontFlags(c.flags, c.given), c.expected) << std::hex << c.flags;
    }
}

TEST(FontFlags, DefaultPrinterOnlyForPrinterFontsWithoutAContext) {
    EXPECT_TRUE(NeedsDefaultPrinter(kCfPrinterFonts, {}));
    EXPECT_FALSE(NeedsDefaultPrinter(kCfPrinterFonts, {true, false, false, false}));
    EXPECT_FALSE(NeedsDefaultPrinter(kCfScreenFonts, {}));
}

TEST(FontSize, PixelsAndTenthsRoundHalfToEven) {
    struct Case {
        double points;
        double twips;
        int32_t height;
        int32_t tenths;
    };
    const Case cases[] = {
        {10, 15, -13, 100},  {12, 15, -16, 120},       {8.25, 15, -11, 82},
        {8.35, 15, -11, 84}, {9, 12, -15, 90},         {7.5, 20, -8, 75},
        {0.75, 10, -2, 8},   {10.00004, 15, -13, 100}, {10, 7.5, -27, 100},  // 192 pixels per inch
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FontHeightPixels(c.points, c.twips), c.height) << c.points;
        EXPECT_EQ(PointSizeTenths(c.points), c.tenths) << c.points;
    }
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
}

TEST(ByteHelpers, AnArrayWithoutElementsTakesTheWholeText) {
    ByteArray ab{5, {}};
    std::string s = "abc";
    EXPECT_TRUE(IsArrayEmpty(ab));
    StrToBytes(ab, s, CodePage{});
    EXPECT_EQ(ab.lowerBound, 0);
    EXPECT_EQ(ab.bytes, (std::vector<uint8_t>{0x61, 0x62, 0x63}));
    EXPECT_EQ(s, "abc");
    EXPECT_FALSE(IsArrayEmpty(ab));
}

TEST(ByteHelpers, ASizedArrayIsNeverGrown) {
    ByteArray face{1, std::vector<uint8_t>(32, 0xEE)};
    std::string name = "Arial";
    StrToBytes(face, name, CodePage{});
    const std::string padded = "Arial" + std::string(27, '\0');
    EXPECT_EQ(name, padded);  // the caller sees the padding
    EXPECT_EQ(BytesToStr(face), padded);
    EXPECT_EQ(face.lowerBound, 1);

    ByteArray one{-3, {0}};
    std::string longer = "xyz";
    StrToBytes(one, longer, CodePage{});
    EXPECT_EQ(one.bytes, std::vector<uint8_t>{'x'});
    EXPECT_EQ(longer, "xyz");
    EXPECT_FALSE(IsArrayEmpty(one));

    // Characters are counted, not bytes: two two-byte characters are fewer than three.
    ByteArray three{0, {0, 0, 0}};
    std::string kanji = "\x93\xFA\x96\x7B";
    StrToBytes(three, kanji, fuzz::TestCodePage(4));
    EXPECT_EQ(kanji, std::string("\x93\xFA\x96\x7B\0", 5));
    EXPECT_EQ(BytesToStr(three), "\x93\xFA\x96");
}
