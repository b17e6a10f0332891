#pragma once
#include <optional>

#include "core/layout/twips.h"

namespace quillet {

struct TwipsRect {
    double left, top, width, height;
};

// Design geometry of the main window's controls, in twips.
constexpr TwipsRect kTxtDocDesign{0, 0, 7176, 4536};
constexpr TwipsRect kLstClipboardDesign{36, 24, 1692, 1752};
constexpr TwipsRect kLblColRowDesign{0, 4584, 1620, 216};
constexpr TwipsRect kLblSelectionDesign{1632, 4584, 1200, 216};

// What a resize sets, in twips. A step whose value the control can't take (a negative
// height in a window made too small) is left empty: that control keeps its old value.
struct ResizeLayout {
    std::optional<double> txtDocWidth;
    std::optional<double> txtDocHeight;
    std::optional<double> lblColRowTop;
    std::optional<double> lblSelectionLeft;
    std::optional<double> lblSelectionTop;
};

// The main window's layout for a client area of the given size (twips): the text box
// fills it down to four pixels above the status labels, which sit on the bottom edge.
ResizeLayout LayoutForClient(double clientWidth, double clientHeight, double twipsPerPixelY,
                             const TwipsRect& lblColRow = kLblColRowDesign);

// The main window's outer size at start: three quarters of the screen each way.
int ThreeQuartersOf(int screenPixels);

}  // namespace quillet
