#include "core/layout/twips.h"

#include <cmath>

namespace quillet {

double TwipsPerPixel(int logicalPixelsPerInch) {
    return logicalPixelsPerInch > 0 ? kTwipsPerInch / logicalPixelsPerInch : 15.0;
}

int TwipsToPixels(double twips, double twipsPerPixel) {
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}

}  // namespace quillet
