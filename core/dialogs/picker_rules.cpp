#include "core/dialogs/picker_rules.h"

#include <cmath>
#include <cstring>

namespace quillet {

int32_t MaskColorFlags(int32_t flags) {
    return flags & 15;
}

bool NeedsDefaultPrinter(int32_t flags, const FontArgsGiven& given) {
    return !given.printerDC && (flags & kCfPrinterFonts) != 0;
}

int32_t NormaliseFontFlags(int32_t flags, const FontArgsGiven& given) {
    if (given.printerDC) {
        flags |= kCfPrinterFonts;
    }
    if ((flags & kCfPrinterFonts) == 0) {
        flags |= kCfScreenFonts;
    }
    if (given.color) {
        flags |= kCfEffects;
    }
    if (given.minSize || given.maxSize) {
        flags |= kCfLimitSize;
    }
    constexpr int32_t kClearHookTemplateApply = static_cast<int16_t>(-569);
    return (flags | kCfInitToLogFontStruct) & kClearHookTemplateApply;
}

int64_t RoundHalfEven(double value) {
    return static_cast<int64_t>(std::nearbyint(value));  // the default mode rounds to even
}

namespace {

// The size as a 4-decimal fixed-point value, so 8.25 stays exactly 82500 ten-thousandths.
double RoundTo4Decimals(double points) {
    return static_cast<double>(RoundHalfEven(points * 10000.0)) / 10000.0;
}

}  // namespace

int32_t FontHeightPixels(double points, double twipsPerPixelY) {
    return static_cast<int32_t>(-RoundHalfEven(RoundTo4Decimals(points) * 20.0 / twipsPerPixelY));
}

int32_t PointSizeTenths(double points) {
    return static_cast<int32_t>(RoundHalfEven(RoundTo4Decimals(points) * 10.0));
}

bool IsArrayEmpty(const ByteArray& ab) {
    return ab.bytes.empty();
}

void StrToBytes(ByteArray& ab, std::string& s, const CodePage& cp) {
    if (IsArrayEmpty(ab)) {
        ab.lowerBound = 0;
        ab.bytes.assign(s.begin(), s.end());
        return;
    }
    const size_t n = ab.bytes.size();
    if (const size_t chars = CharCount(s, cp); chars < n) {
        s.append(n - chars, '\0');
    }
    std::memcpy(ab.bytes.data(), s.data(), n);
}

std::string BytesToStr(const ByteArray& ab) {
    return std::string(ab.bytes.begin(), ab.bytes.end());
}

}  // namespace quillet
