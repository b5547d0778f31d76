#include "SelectionTestDrawing.h"

#include "host/db/entities/AcDbLine.h"
#include "host/ed/input/InputCommands.h"
#include "host/ed/Ucs.h"

#include <cmath>

namespace {

class UcsTest : public SelectionDrawing {
protected:
    void SetUp() override {
        SelectionDrawing::SetUp();
        host::registerInputCommands();
    }
    static AcGePoint3d origin() {
        AcGeMatrix3d m;
        acedGetCurrentUCS(m);
        return AcGePoint3d::kOrigin + m.translation();
    }
    static AcGeVector3d xAxis() {
        AcGeMatrix3d m;
        acedGetCurrentUCS(m);
        AcGePoint3d o;
        AcGeVector3d x, y, z;
        m.getCoordSystem(o, x, y, z);
        return x;
    }
};

bool near(const AcGePoint3d& a, const AcGePoint3d& b) {
    return a.distanceTo(b) <= kPointTol;
}
bool near(const AcGeVector3d& a, const AcGeVector3d& b) {
    return (a - b).length() <= kPointTol;
}

} // namespace

TEST_F(UcsTest, ConversionsBetweenUcsWorldAndObjectSystems) {
    AcGeMatrix3d ucs;
    ucs.setCoordSystem(AcGePoint3d(10, 20, 0), AcGeVector3d::kYAxis, -AcGeVector3d::kXAxis,
                       AcGeVector3d::kZAxis);
    ASSERT_EQ(acedSetCurrentUCS(ucs), Acad::eOk);

    const ads_point p = {1, 2, 3};
    ads_point w, back;
    ASSERT_TRUE(acdbUcs2Wcs(p, w, false));
    EXPECT_NEAR(w[0], 8, kPointTol);
    EXPECT_NEAR(w[1], 21, kPointTol);
    EXPECT_NEAR(w[2], 3, kPointTol);
    ASSERT_TRUE(acdbWcs2Ucs(w, back, false));
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(back[i], p[i], kPointTol);
    ASSERT_TRUE(acdbUcs2Wcs(p, w, true));
    EXPECT_NEAR(w[0], -2, kPointTol) << "a direction is turned, not moved";
    EXPECT_NEAR(w[1], 1, kPointTol);

    resbuf world{}, user{}, display{}, extrusion{}, bad{};
    world.restype = user.restype = display.restype = bad.restype = RTSHORT;
    world.resval.rint = 0;
    user.resval.rint = 1;
    display.resval.rint = 2;
    bad.resval.rint = 7;
    extrusion.restype = RT3DPOINT;
    extrusion.resval.rpoint[0] = 0;
    extrusion.resval.rpoint[1] = 0;
    extrusion.resval.rpoint[2] = -1;
    ASSERT_EQ(acedTrans(p, &user, &world, 0, w), RTNORM);
    EXPECT_NEAR(w[0], 8, kPointTol);
    ASSERT_EQ(acedTrans(w, &world, &user, 0, back), RTNORM);
    EXPECT_NEAR(back[1], 2, kPointTol);
    ASSERT_EQ(acedTrans(p, &world, &display, 0, w), RTNORM);
    EXPECT_NEAR(w[0], 1, kPointTol) << "the plan view shows the world";
    // Seen from below, X stays and Y and Z turn over.
    ASSERT_EQ(acedTrans(p, &world, &extrusion, 0, w), RTNORM);
    EXPECT_NEAR(std::fabs(w[0]) + std::fabs(w[1]), 3, kPointTol);
    EXPECT_NEAR(w[2], -3, kPointTol);

    ads_point untouched = {42, 42, 42};
    EXPECT_EQ(acedTrans(p, &bad, &world, 0, untouched), RTERROR);
    EXPECT_EQ(untouched[0], 42);
    const ads_point nan = {NAN, 0, 0};
    EXPECT_EQ(acedTrans(nan, &world, &user, 0, untouched), RTERROR);

    // A skewed or squashed system is refused and the UCS stays.
    AcGeMatrix3d skewed;
    skewed.setCoordSystem(AcGePoint3d(0, 0, 0), AcGeVector3d(1, 0, 0), AcGeVector3d(1, 1, 0),
                          AcGeVector3d::kZAxis);
    EXPECT_EQ(acedSetCurrentUCS(skewed), Acad::eInvalidInput);
    EXPECT_TRUE(near(origin(), AcGePoint3d(10, 20, 0)));
}

TEST_F(UcsTest, TheUcsCommandSetsWorldOriginAndRotationAndGoesBack) {
    run(L"UCS\n10,5\n\nUCS\nZ\n90\n");
    EXPECT_TRUE(near(origin(), AcGePoint3d(10, 5, 0)));
    EXPECT_TRUE(near(xAxis(), AcGeVector3d::kYAxis));
    // Points typed now are in the new system.
    ads_point w;
    const ads_point p = {1, 0, 0};
    acdbUcs2Wcs(p, w, false);
    EXPECT_NEAR(w[0], 10, kPointTol);
    EXPECT_NEAR(w[1], 6, kPointTol);

    run(L"UCS\nP\n");
    EXPECT_TRUE(near(xAxis(), AcGeVector3d::kXAxis)) << "the rotation taken back";
    EXPECT_TRUE(near(origin(), AcGePoint3d(10, 5, 0)));
    run(L"UCS\nO\n2,3\nUCS\n\n");
    EXPECT_TRUE(near(origin(), AcGePoint3d::kOrigin)) << "Enter means World";
    run(L"UCS\n1,1\n1,2\n");
    EXPECT_TRUE(near(xAxis(), AcGeVector3d::kYAxis)) << "X axis through the second point";
    run(L"UCS\nW\nUCS\nP\nUCS\nP\nUCS\nP\nUCS\nP\nUCS\nP\nUCS\nP\n");
    EXPECT_TRUE(said(L"No previous UCS saved."));
    run(L"UCS\nnonsense\nW\n");
    EXPECT_TRUE(said(L"Point or option keyword required."));
    EXPECT_TRUE(near(origin(), AcGePoint3d::kOrigin));
}

TEST_F(UcsTest, ZoomSetsTheViewThatPicksAreMeasuredIn) {
    append(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(400, 300, 0)));
    run(L"ZOOM\nE\n");
    const host::gi::View& v = host::drawingView();
    EXPECT_NEAR(v.center().x, 200, kPointTol);
    EXPECT_NEAR(v.center().y, 150, kPointTol);
    EXPECT_NEAR(v.height(), 400 * 1.1, kPointTol) << "the wider side fits, with a margin";
    run(L"ZOOM\n0,0\n10,20\n");
    EXPECT_NEAR(v.height(), 20, kPointTol);
    EXPECT_NEAR(host::pickBoxHalfSize(), 3 * 20.0 / 1000, kPointTol);
    run(L"ZOOM\nC\n5,5\n50\n");
    EXPECT_NEAR(v.center().x, 5, kPointTol);
    EXPECT_NEAR(v.height(), 50, kPointTol);
    run(L"ZOOM\nW\n3,3\n3,3\n");
    EXPECT_TRUE(said(L"The window has no size."));
    EXPECT_NEAR(v.height(), 50, kPointTol);
    run(L"ZOOM\nC\n5,5\n-4\n\n");
    EXPECT_NEAR(v.height(), 50, kPointTol) << "a negative height is refused";
}
