#include "core/layout/layout.h"

#include <algorithm>
#include <cmath>

namespace quillet {

namespace {
std::optional<double> Size(double value) {
    return value < 0 ? std::nullopt : std::optional<double>(value);
}
}  // namespace

PixelRect GrownToFit(const PixelRect& design, int neededWidth, int neededHeight) {
    PixelRect grown = design;
    grown.width = std::max(design.width, neededWidth);
    grown.height = std::max(design.height, neededHeight);
    grown.top -= (grown.height - design.height) / 2;
    return grown;
}

ColumnWidth FitColumn(std::initializer_list<ColumnItem> items) {
    int design = 0;
    int width = 0;
    for (const ColumnItem& item : items) {
        design = std::max(design, item.designWidth);
        width = std::max({width, item.designWidth, item.neededWidth});
    }
    return {width, width - design};
}

ResizeLayout LayoutForClient(double clientWidth, double clientHeight, double twipsPerPixelY,
                             const TwipsRect& lblColRow, const TwipsRect& lblSelection) {
    ResizeLayout layout;
    layout.txtDocWidth = Size(clientWidth);
    layout.txtDocHeight = Size(clientHeight - lblColRow.height - 4 * twipsPerPixelY);
    layout.lblColRowTop = clientHeight - lblColRow.height;
    layout.lblSelectionLeft = lblColRow.left + lblColRow.width;
    layout.lblSelectionTop = layout.lblColRowTop;
    layout.lblSelectionWidth =
        std::clamp(clientWidth - *layout.lblSelectionLeft, 0.0, lblSelection.width);
    return layout;
}

int ThreeQuartersOf(int screenPixels) {
    return static_cast<int>(std::lround(0.75f * static_cast<float>(screenPixels)));
}

}  // namespace quillet
