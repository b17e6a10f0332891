// Window layout arithmetic in twips.
#include <gtest/gtest.h>

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
