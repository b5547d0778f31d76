// The colour index table as plans are printed with it.
#include "host/gi/AciColors.h"

#include <gtest/gtest.h>

using host::gi::aciToRgb;
using host::gi::Rgb;
using host::gi::rgbToAci;

TEST(AciColors, StandardColoursForegroundAndWheel) {
    EXPECT_EQ(aciToRgb(1, true), (Rgb{255, 0, 0}));
    EXPECT_EQ(aciToRgb(2, true), (Rgb{255, 255, 0}));
    EXPECT_EQ(aciToRgb(3, true), (Rgb{0, 255, 0}));
    EXPECT_EQ(aciToRgb(4, true), (Rgb{0, 255, 255}));
    EXPECT_EQ(aciToRgb(5, true), (Rgb{0, 0, 255}));
    EXPECT_EQ(aciToRgb(6, true), (Rgb{255, 0, 255}));
    // 7 is black on paper and white on the dark screen; ByLayer and ByBlock that
    // reach the table unresolved draw the same way.
    EXPECT_EQ(aciToRgb(7, true), (Rgb{0, 0, 0}));
    EXPECT_EQ(aciToRgb(7, false), (Rgb{255, 255, 255}));
    EXPECT_EQ(aciToRgb(256, true), (Rgb{0, 0, 0}));
    EXPECT_EQ(aciToRgb(0, false), (Rgb{255, 255, 255}));
    EXPECT_EQ(aciToRgb(-3, true), (Rgb{0, 0, 0}));
    EXPECT_EQ(aciToRgb(8, true), (Rgb{128, 128, 128}));
    EXPECT_EQ(aciToRgb(9, true), (Rgb{192, 192, 192}));
    // The wheel: red, then every 15 degrees; pale and dark variants in between.
    EXPECT_EQ(aciToRgb(10, true), (Rgb{255, 0, 0}));
    EXPECT_EQ(aciToRgb(11, true), (Rgb{255, 127, 127}));
    EXPECT_EQ(aciToRgb(12, true), (Rgb{165, 0, 0}));
    EXPECT_EQ(aciToRgb(30, true), (Rgb{255, 127, 0}));
    EXPECT_EQ(aciToRgb(50, true), (Rgb{255, 255, 0}));
    EXPECT_EQ(aciToRgb(90, true), (Rgb{0, 255, 0}));
    EXPECT_EQ(aciToRgb(130, true), (Rgb{0, 255, 255}));
    EXPECT_EQ(aciToRgb(170, true), (Rgb{0, 0, 255}));
    EXPECT_EQ(aciToRgb(210, true), (Rgb{255, 0, 255}));
    // Greys from dark to white; paper does not change them.
    for (int i = 250; i < 255; ++i)
        EXPECT_LT(aciToRgb(i, true).r, aciToRgb(i + 1, true).r);
    EXPECT_EQ(aciToRgb(255, true), (Rgb{255, 255, 255}));
    EXPECT_EQ(aciToRgb(250, false), aciToRgb(250, true));
}

TEST(AciColors, NearestIndexForRgb) {
    EXPECT_EQ(rgbToAci({255, 0, 0}), 1);
    EXPECT_EQ(rgbToAci({0, 0, 250}), 5);
    EXPECT_NE(rgbToAci({0, 0, 0}), 7) << "7 changes with the paper; black is a fixed colour";
    // Every table colour finds a colour with the same RGB.
    for (int i = 1; i <= 255; ++i) {
        if (i == 7) continue;
        EXPECT_EQ(aciToRgb(rgbToAci(aciToRgb(i, true)), true), aciToRgb(i, true)) << i;
    }
}
