// The chain's geometry as a value, built by hand without a drawing: slots, lengths, the
// plane of a chain in a tilted UCS, transformations (a mirror turns the normal over) and
// the coordinate system a degenerate matrix leaves behind.
#include "module/chain/ChainGeometry.h"

#include "host/ge/AcGeTol.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

// Geometry near the origin: far below a drawing's precision and far above rounding.
constexpr double kTol = 1e-9;

::testing::AssertionResult Near(const AcGePoint3d& a, const AcGePoint3d& e) {
    if (a.distanceTo(e) <= kTol) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "actual (" << a.x << ", " << a.y << ", " << a.z << ") expected ("
                                         << e.x << ", " << e.y << ", " << e.z << ") tolerance " << kTol;
}

// An aligned chain along (3, 4) / 5 with extensions at 0, 5 and 15 along it, its dimension
// line 2 to the left of the objects, each text point 1 above its dimension point.
ChainGeometry AlignedThree() {
    ChainGeometry g;
    g.dimType = kDimAligned;
    g.vectorDim = AcGeVector3d(0.6, 0.8, 0);
    g.zAxis = AcGeVector3d::kZAxis;
    const AcGeVector3d left(-0.8, 0.6, 0);
    for (double s : {0.0, 5.0, 15.0}) {
        const AcGePoint3d input = AcGePoint3d::kOrigin + g.vectorDim * s;
        g.points.append(input);
        g.points.append(input + left * 0.5);
        g.points.append(input + left * 2.0);
        g.points.append(input + left * 3.0);
    }
    g.extFlags.assign(3, 0);
    return g;
}

TEST(ChainGeometry, SlotsAndLengthsOfAnAlignedChain) {
    const ChainGeometry g = AlignedThree();
    EXPECT_EQ(g.Extensions(), 3);
    EXPECT_FALSE(g.IsArc());
    EXPECT_EQ(g.Slot(0, kSlotInput), 0);
    EXPECT_EQ(g.Slot(2, kSlotText), 11);
    EXPECT_EQ(g.Slot(3, kSlotInput), -1) << "past the last extension";
    EXPECT_EQ(g.Slot(-1, kSlotInput), -1);
    EXPECT_EQ(g.Slot(1, 4), -1) << "an extension has four points";
    // Segment lengths between dimension points; segment 0 is segment 1, none past the end.
    EXPECT_NEAR(g.StraightLength(1), 5.0, kTol);
    EXPECT_NEAR(g.StraightLength(2), 10.0, kTol);
    EXPECT_NEAR(g.StraightLength(0), 5.0, kTol);
    EXPECT_EQ(g.StraightLength(3), 0.0);
    EXPECT_EQ(g.InputPointCount(AcGePoint3d(3, 4, 0)), 1);
    EXPECT_EQ(g.InputPointCount(AcGePoint3d(3, 4.1, 0)), 0);
    EXPECT_EQ(ChainGeometry().Extensions(), 0);
    EXPECT_EQ(ChainGeometry().StraightLength(1), 0.0) << "an empty chain measures nothing";
}

TEST(ChainGeometry, ThePlaneOfAChainInATiltedUcs) {
    ChainGeometry g = AlignedThree();
    // A UCS turned 90 degrees about the world X axis: its XY plane is the world XZ plane.
    AcGeMatrix3d ucs;
    ucs.setCoordSystem(AcGePoint3d(0, 7, 0), AcGeVector3d::kXAxis, AcGeVector3d::kZAxis,
                       -AcGeVector3d::kYAxis);
    g.SetCoordSystem(ucs);
    EXPECT_TRUE(Near(AcGePoint3d::kOrigin + g.UcsNormal(), AcGePoint3d(0, -1, 0)));
    EXPECT_FALSE(g.IsUcsMirrored());
    // The plane runs through the first dimension point; a point projects straight onto it.
    const AcGePoint3d dim0 = g.points[kSlotDim];
    const AcGePoint3d p(4, 9, 2);
    EXPECT_TRUE(Near(g.ProjectToPlane(p), AcGePoint3d(4, dim0.y, 2)));
    EXPECT_TRUE(Near(g.UcsMatrix() * AcGePoint3d(1, 2, 3), AcGePoint3d(1, 4, 2)));

    // Y pointing the other way makes a mirrored UCS: its normal points down.
    AcGeMatrix3d mirrored;
    mirrored.setCoordSystem(AcGePoint3d::kOrigin, AcGeVector3d::kXAxis, -AcGeVector3d::kYAxis,
                            -AcGeVector3d::kZAxis);
    g.SetCoordSystem(mirrored);
    EXPECT_TRUE(g.IsUcsMirrored());

    // A degenerate matrix leaves the world's axes, not a chain without directions.
    AcGeMatrix3d flat;
    flat.setCoordSystem(AcGePoint3d(1, 2, 3), AcGeVector3d::kXAxis, AcGeVector3d(0, 0, 0),
                        AcGeVector3d::kZAxis);
    g.SetCoordSystem(flat);
    EXPECT_TRUE(Near(AcGePoint3d::kOrigin + g.axis[1], AcGePoint3d(0, 1, 0)));
    EXPECT_TRUE(Near(AcGePoint3d::kOrigin + g.axis[2], AcGePoint3d(0, 0, 1)));
    EXPECT_TRUE(Near(g.origin, AcGePoint3d(1, 2, 3)));
}

TEST(ChainGeometry, TransformsMoveEveryPointAndAMirrorTurnsTheNormalOver) {
    const ChainGeometry before = AlignedThree();
    ChainGeometry g = before;
    const AcGeMatrix3d move = AcGeMatrix3d::translation(AcGeVector3d(10, -3, 2));
    const AcGeMatrix3d turn =
        AcGeMatrix3d::rotation(std::numbers::pi / 2, AcGeVector3d::kZAxis, AcGePoint3d::kOrigin);
    g.Transform(turn * move);
    for (int i = 0; i < g.points.length(); ++i) {
        const AcGePoint3d& p = before.points[i];
        EXPECT_TRUE(Near(g.points[i], AcGePoint3d(-(p.y - 3), p.x + 10, p.z + 2))) << "point " << i;
    }
    EXPECT_NEAR(g.StraightLength(2), 10.0, kTol) << "a rigid motion keeps lengths";
    EXPECT_TRUE(Near(AcGePoint3d::kOrigin + g.zAxis, AcGePoint3d(0, 0, 1)));
    EXPECT_TRUE(Near(g.origin, before.origin)) << "the UCS the chain was made in stays";

    // Scaled by 2 about the origin: twice the lengths.
    g = before;
    g.Transform(AcGeMatrix3d::scaling(2.0, AcGePoint3d::kOrigin));
    EXPECT_NEAR(g.StraightLength(1), 10.0, kTol);
    EXPECT_NEAR(g.StraightLength(2), 20.0, kTol);

    // Mirrored in the YZ plane: the normal turns over with its plane.
    g = before;
    g.Transform(AcGeMatrix3d::mirroring(AcGePlane(AcGePoint3d::kOrigin, AcGeVector3d::kXAxis)));
    EXPECT_TRUE(Near(AcGePoint3d::kOrigin + g.zAxis, AcGePoint3d(0, 0, -1)));
    EXPECT_TRUE(Near(g.points[4], AcGePoint3d(-3, 4, 0)));

    // Arc points move with an arc chain only; a linear chain's are not its own.
    g = before;
    g.arcPoints.append(AcGePoint3d(1, 1, 0));
    g.Transform(move);
    EXPECT_TRUE(Near(g.arcPoints[0], AcGePoint3d(1, 1, 0)));
    g.dimType = kDimArc;
    g.Transform(move);
    EXPECT_TRUE(Near(g.arcPoints[0], AcGePoint3d(11, -2, 2)));

    // A zero normal (a chain not yet initialised) stays zero.
    EXPECT_TRUE(TransformNormal(AcGeVector3d(0, 0, 0), turn).isZeroLength());
}

} // namespace
