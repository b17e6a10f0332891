// Window layout arithmetic in twips.
#include <gtest/gtest.h>

#include <tuple>

#include "core/layout/layout.h"

using namespace quillet;

TEST(Layout, TwipsPerPixelFollowsTheScreensResolution) {
    EXPECT_DOUBLE_EQ(TwipsPerPixel(96), 15.0);
    EXPECT_DOUBLE_EQ(TwipsPerPixel(120), 12.0);
    EXPECT_EQ(TwipsToPixels(216, 15.0), 14);
    EXPECT_EQ(TwipsToPixels(7176, 15.0), 478);
    EXPECT_EQ(TwipsToPixels(1620, 12.0), 135);
}

TEST(Layout, TextBoxEndsFourPixelsAboveTheLabels) {
    // 600 x 400 pixel client at 15 twips per pixel: the gap is 60 twips.
    const ResizeLayout at15 = LayoutForClient(9000, 6000, 15.0);
    EXPECT_EQ(at15.txtDocWidth, 9000);
    EXPECT_EQ(at15.txtDocHeight, 6000 - 216 - 60);
    EXPECT_EQ(at15.lblColRowTop, 6000 - 216);
    EXPECT_EQ(at15.lblSelectionLeft, 1620);
    EXPECT_EQ(at15.lblSelectionTop, at15.lblColRowTop);
    // At 12 twips per pixel the gap is 48.
    EXPECT_EQ(LayoutForClient(9000, 6000, 12.0).txtDocHeight, 6000 - 216 - 48);
}

TEST(Layout, AWindowTooShortKeepsTheTextBoxHeightButMovesTheLabels) {
    const ResizeLayout tiny = LayoutForClient(3000, 150, 15.0);
    EXPECT_FALSE(tiny.txtDocHeight.has_value());
    EXPECT_EQ(tiny.txtDocWidth, 3000);
    EXPECT_EQ(tiny.lblColRowTop, 150 - 216);
    // Minimised: an empty client area.
    const ResizeLayout minimised = LayoutForClient(0, 0, 15.0);
    EXPECT_FALSE(minimised.txtDocHeight.has_value());
    EXPECT_EQ(minimised.txtDocWidth, 0);
    // Exactly the labels plus the gap: a text box of height 0 is still allowed.
    EXPECT_EQ(LayoutForClient(3000, 276, 15.0).txtDocHeight, 0);
}

TEST(Layout, WindowOpensAtThreeQuartersOfTheScreen) {
    EXPECT_EQ(ThreeQuartersOf(800), 600);
    EXPECT_EQ(ThreeQuartersOf(600), 450);
    EXPECT_EQ(ThreeQuartersOf(1366), 1025);
}

TEST(Layout, ControlsGrowOnlyWhereTheirTextsNeedIt) {
    // Wider to the right, taller about the middle; a need within the design keeps it.
    const PixelRect label{12, 16, 64, 13};
    const struct {
        int width, height;
        PixelRect grown;
    } rows[] = {{50, 10, {12, 16, 64, 13}}, {76, 13, {12, 16, 76, 13}}, {64, 21, {12, 12, 64, 21}}};
    for (const auto& row : rows) {
        const PixelRect r = GrownToFit(label, row.width, row.height);
        EXPECT_EQ(std::make_tuple(r.left, r.top, r.width, r.height),
                  std::make_tuple(row.grown.left, row.grown.top, row.grown.width, row.grown.height))
            << row.width << " x " << row.height;
    }
    // A column takes its widest member; what stands right of it moves by the growth
    // over the widest design width, not over each member's own.
    EXPECT_EQ(FitColumn({{69, 50}, {64, 78}}).width, 78);
    EXPECT_EQ(FitColumn({{69, 50}, {64, 78}}).growth, 9);
    EXPECT_EQ(FitColumn({{69, 50}, {64, 60}}).growth, 0);
}

TEST(Layout, TheLineColumnLabelComesFirstInANarrowWindow) {
    // A line/column label grown to 1890 twips: the selection label follows it and takes
    // only the room left, none once the window is narrower than the first label.
    const TwipsRect colRow{0, 4584, 1890, 216};
    const TwipsRect selection{1890, 4584, 1200, 216};
    const struct {
        double clientWidth, selectionWidth;
    } rows[] = {{9000, 1200}, {3090, 1200}, {2500, 610}, {1500, 0}};
    for (const auto& row : rows) {
        const ResizeLayout layout = LayoutForClient(row.clientWidth, 6000, 15.0, colRow, selection);
        EXPECT_EQ(layout.lblSelectionLeft, 1890);
        EXPECT_EQ(layout.lblSelectionWidth, row.selectionWidth) << row.clientWidth;
    }
}
