#include "core/layout/layout.h"

#include <cmath>

namespace quillet {

namespace {
std::optional<double> Size(double value) {
    return value < 0 ? std::nullopt : std::optional<double>(value);
}
}  // namespace

ResizeLayout LayoutForClient(double clientWidth, double clientHeight, double twipsPerPixelY,
                             const TwipsRect& lblColRow) {
    ResizeLayout layout;
    layout.txtDocWidth = Size(clientWidth);
    layout.txtDocHeight = Size(clientHeight - lblColRow.height - 4 * twipsPerPixelY);
    layout.lblColRowTop = clientHeight - lblColRow.height;
    layout.lblSelectionLeft = lblColRow.left + lblColRow.width;
    layout.lblSelectionTop = layout.lblColRowTop;
    return layout;
}

int ThreeQuartersOf(int screenPixels) {
    return static_cast<int>(std::lround(0.75f * static_cast<float>(screenPixels)));
}

}  // namespace quillet
