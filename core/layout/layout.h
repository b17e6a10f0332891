#pragma once
#include <initializer_list>
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

// A control's place in pixels.
struct PixelRect {
    int left, top, width, height;
};

// A control grown to hold what it shows: wider to the right, taller about its middle,
// never smaller than it was.
PixelRect GrownToFit(const PixelRect& design, int neededWidth, int neededHeight);

// A column of controls that share one width (a dialog's labels, its buttons), in pixels:
// as wide as the widest design width or need among them. What stands to its right moves
// by `growth`, and the dialog widens by as much.
struct ColumnWidth {
    int width;
    int growth;
};
struct ColumnItem {
    int designWidth, neededWidth;
};
ColumnWidth FitColumn(std::initializer_list<ColumnItem> items);

// What a resize sets, in twips. A step whose value the control can't take (a negative
// height in a window made too small) is left empty: that control keeps its old value.
struct ResizeLayout {
    std::optional<double> txtDocWidth;
    std::optional<double> txtDocHeight;
    std::optional<double> lblColRowTop;
    std::optional<double> lblSelectionLeft;
    std::optional<double> lblSelectionTop;
    double lblSelectionWidth = 0;
};

// The main window's layout for a client area of the given size (twips): the text box
// fills it down to four pixels above the status labels, which sit on the bottom edge.
// The labels come at the sizes their texts need (the design's where those fit); where
// the window is too narrow for both, the line/column label keeps its width and the
// selection label takes what room is left.
ResizeLayout LayoutForClient(double clientWidth, double clientHeight, double twipsPerPixelY,
                             const TwipsRect& lblColRow = kLblColRowDesign,
                             const TwipsRect& lblSelection = kLblSelectionDesign);

// The main window's outer size at start: three quarters of the screen each way.
int ThreeQuartersOf(int screenPixels);

}  // namespace quillet
