#include "DbTestHelpers.h"
#include "host/db/entities/AcDbFace.h"
#include "host/db/entities/AcDbSolid.h"

#include <gtest/gtest.h>

#include <limits>

using dbtest::kGeomTol;

namespace {
void expectPoint(const AcGePoint3d& actual, const AcGePoint3d& expected, const char* what) {
    EXPECT_NEAR(actual.x, expected.x, kGeomTol) << what;
    EXPECT_NEAR(actual.y, expected.y, kGeomTol) << what;
    EXPECT_NEAR(actual.z, expected.z, kGeomTol) << what;
}

// Corner access, grips and their moves behave alike on faces and solids.
template <class Entity, class Get, class Set>
void checkCorners(Entity& ent, Get get, Set set, const char* what) {
    SCOPED_TRACE(what);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    AcGePoint3d pt;
    EXPECT_EQ(get(ent, 4, pt), Acad::eInvalidIndex);
    EXPECT_EQ(set(ent, 4, AcGePoint3d(9, 9, 0)), Acad::eInvalidIndex);
    EXPECT_EQ(set(ent, 1, AcGePoint3d(nan, 0, 0)), Acad::eInvalidInput);
    ASSERT_EQ(get(ent, 1, pt), Acad::eOk);
    expectPoint(pt, AcGePoint3d(4, 0, 0), "a refused corner leaves the old one");
    ASSERT_EQ(set(ent, 3, AcGePoint3d(0, 3, 0)), Acad::eOk);
    ASSERT_EQ(get(ent, 3, pt), Acad::eOk);
    expectPoint(pt, AcGePoint3d(0, 3, 0), "set corner");

    AcGePoint3dArray grips;
    AcDbIntArray modes, ids;
    ASSERT_EQ(ent.getGripPoints(grips, modes, ids), Acad::eOk);
    ASSERT_EQ(grips.length(), 4);
    expectPoint(grips[2], AcGePoint3d(4, 3, 0), "grip 2 is corner 2");

    AcDbIntArray bad;
    bad.append(0);
    bad.append(4);
    EXPECT_EQ(ent.moveGripPointsAt(bad, AcGeVector3d(1, 1, 0)), Acad::eInvalidIndex);
    ASSERT_EQ(get(ent, 0, pt), Acad::eOk);
    expectPoint(pt, AcGePoint3d(0, 0, 0), "one bad index moves nothing");
    AcDbIntArray two;
    two.append(0);
    two.append(2);
    ASSERT_EQ(ent.moveGripPointsAt(two, AcGeVector3d(1, 1, 0)), Acad::eOk);
    get(ent, 0, pt);
    expectPoint(pt, AcGePoint3d(1, 1, 0), "corner 0 moved");
    get(ent, 2, pt);
    expectPoint(pt, AcGePoint3d(5, 4, 0), "corner 2 moved");
    get(ent, 1, pt);
    expectPoint(pt, AcGePoint3d(4, 0, 0), "corner 1 stayed");

    ASSERT_EQ(ent.transformBy(AcGeMatrix3d::translation(AcGeVector3d(0, 0, 2))), Acad::eOk);
    get(ent, 3, pt);
    expectPoint(pt, AcGePoint3d(0, 3, 2), "every corner transformed");
}
} // namespace

TEST(FourCorners, FacesAndSolidsCheckCornersAndMoveTheirGrips) {
    AcDbFace face(AcGePoint3d(0, 0, 0), AcGePoint3d(4, 0, 0), AcGePoint3d(4, 3, 0));
    AcGePoint3d pt;
    face.getVertexAt(3, pt);
    expectPoint(pt, AcGePoint3d(4, 3, 0), "a triangle repeats corner 2");
    checkCorners(
        face, [](const AcDbFace& f, Adesk::UInt16 i, AcGePoint3d& p) { return f.getVertexAt(i, p); },
        [](AcDbFace& f, Adesk::UInt16 i, const AcGePoint3d& p) { return f.setVertexAt(i, p); }, "face");

    AcDbSolid solid(AcGePoint3d(0, 0, 0), AcGePoint3d(4, 0, 0), AcGePoint3d(4, 3, 0));
    solid.getPointAt(3, pt);
    expectPoint(pt, AcGePoint3d(4, 3, 0), "a triangle repeats corner 2");
    checkCorners(
        solid, [](const AcDbSolid& s, Adesk::UInt16 i, AcGePoint3d& p) { return s.getPointAt(i, p); },
        [](AcDbSolid& s, Adesk::UInt16 i, const AcGePoint3d& p) { return s.setPointAt(i, p); }, "solid");
}
