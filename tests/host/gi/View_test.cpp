// The view maps window pixels to drawing points and back.
#include "host/gi/View.h"

#include <gtest/gtest.h>

#include <limits>

using host::gi::View;

namespace {
constexpr double kTol = 1e-9;
}

TEST(View, ScreenAndDrawingPointsRoundTrip) {
    View v(AcGePoint2d(100, 50), 20.0, 800, 400); // 0.05 drawing units per pixel
    EXPECT_NEAR(v.unitsPerPixel(), 0.05, kTol);
    EXPECT_NEAR(v.width(), 40.0, kTol);
    AcGePoint3d mid = v.screenToDrawing(400, 200);
    EXPECT_NEAR(mid.x, 100, kTol);
    EXPECT_NEAR(mid.y, 50, kTol);
    AcGePoint3d topLeft = v.screenToDrawing(0, 0);
    EXPECT_NEAR(topLeft.x, 80, kTol);
    EXPECT_NEAR(topLeft.y, 60, kTol) << "screen y runs downwards";
    for (double px : {0.0, 13.5, 799.0})
        for (double py : {0.0, 7.25, 399.0}) {
            AcGePoint2d back = v.drawingToScreen(v.screenToDrawing(px, py));
            EXPECT_NEAR(back.x, px, kTol);
            EXPECT_NEAR(back.y, py, kTol);
        }
    EXPECT_NEAR(v.pixelsToUnits(3), 0.15, kTol);

    // Zooming to a box keeps the window's proportions and shows all of it.
    ASSERT_TRUE(v.zoomExtents(AcGePoint3d(0, 0, 0), AcGePoint3d(100, 10, 0), 0.0));
    EXPECT_NEAR(v.width(), 100, kTol);
    EXPECT_NEAR(v.height(), 50, kTol);
    EXPECT_NEAR(v.center().x, 50, kTol);

    // Broken settings are refused and change nothing.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(v.setHeight(0));
    EXPECT_FALSE(v.setHeight(nan));
    EXPECT_FALSE(v.setWindowSize(0, 100));
    EXPECT_FALSE(v.setCenter(AcGePoint2d(nan, 0)));
    EXPECT_FALSE(v.zoomExtents(AcGePoint3d(nan, 0, 0), AcGePoint3d(1, 1, 0)));
    EXPECT_NEAR(v.height(), 50, kTol);
    EXPECT_EQ(v.windowWidth(), 800);
    EXPECT_NEAR(v.center().x, 50, kTol);
}
