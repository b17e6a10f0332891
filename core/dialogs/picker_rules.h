#pragma once
// The arithmetic of the colour and font dialogs and the byte/text helpers of the dialog
// object, free of any platform: the flags each dialog may see, the font's size in pixels
// and tenths of a point, and byte arrays that may have no elements at all.
#include <cstdint>
#include <string>
#include <vector>

#include "core/text/ansi_chars.h"

namespace quillet {

// Only CC_RGBINIT, CC_FULLOPEN, CC_PREVENTFULLOPEN and CC_SHOWHELP reach the colour
// dialog: the object has no hook or template, and the solid/any colour bits are its own.
int32_t MaskColorFlags(int32_t flags);

// Which optional arguments of the font dialog the caller gave.
struct FontArgsGiven {
    bool printerDC = false;
    bool color = false;
    bool minSize = false;
    bool maxSize = false;
};

constexpr int32_t kCfScreenFonts = 0x1;
constexpr int32_t kCfPrinterFonts = 0x2;
constexpr int32_t kCfInitToLogFontStruct = 0x40;
constexpr int32_t kCfEffects = 0x100;
constexpr int32_t kCfLimitSize = 0x2000;

// True when the font dialog must be given the default printer's context: printer fonts
// asked for and no context of the caller's.
bool NeedsDefaultPrinter(int32_t flags, const FontArgsGiven& given);

// The flags the font dialog gets. Hook, template and apply bits are cleared with the
// 16-bit mask -569 widened by its sign, so every bit from 0x10000 up passes unchanged.
int32_t NormaliseFontFlags(int32_t flags, const FontArgsGiven& given);

// Nearest integer, halves to the even neighbour.
int64_t RoundHalfEven(double value);

// A font size in points as the font dialog takes it: rounded to 4 decimals first.
// The height in pixels is negative (the character height, not the cell height).
int32_t FontHeightPixels(double points, double twipsPerPixelY);
int32_t PointSizeTenths(double points);

// A one-dimensional byte array with any lower bound; no bytes means it has no elements
// at all (it was never sized).
struct ByteArray {
    int32_t lowerBound = 0;
    std::vector<uint8_t> bytes;
};

bool IsArrayEmpty(const ByteArray& ab);

// An array without elements becomes the text's bytes from bound 0, the text unchanged.
// An array with elements is never grown: a text of fewer characters than its size is
// padded with NULs to that many characters (and the caller sees the padding), then its
// first bytes fill the array.
void StrToBytes(ByteArray& ab, std::string& s, const CodePage& cp);

// Every byte as a character, NULs included.
std::string BytesToStr(const ByteArray& ab);

}  // namespace quillet
