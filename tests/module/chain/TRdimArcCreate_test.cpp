// XOTA_dimArc the way a user runs it: at the host's command line with its answers from a
// script, in the loaded module, on a fresh drawing and settings.
#include "module/chain/TRdimCreate.h"

#include "tests/module/chain/ScriptTestEnv.h"

#include "host/db/entities/AcDbArc.h"
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/entities/AcDbCircle.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/entities/AcDbPolyline.h"
#include "host/ed/selection/AcEdSelectionSet.h"
#include "host/ed/commands/CommandLine.h"
#include "host/ed/DrawingView.h"
#include "host/ed/commands/HostDrawCommands.h"
#include "host/ed/commands/HostEditCommands.h"
#include "host/ed/input/HostInput.h"
#include "host/ed/input/InputSource.h"
#include "host/rx/AcRxDynamicLinker.h"
#include "host/win/Transcript.h"
#include "module/app/LintaroApp.h"
#include "module/ui/PaletteApp.h"
#include "module/chain/TRdim.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/IniStorage.h"
#include "module/options/OptionIndices.h"
#include "module/ui/CDlgMain.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

namespace {

// Points typed in a script land exactly; points derived from them carry rounding.
constexpr double kTol = 1e-6;
// The arc of the script tests is picked with eight decimals of its middle point.
constexpr double kPickedArcTol = 1e-7;
constexpr double kPi = std::numbers::pi;

class ArcCreateTest : public scripttest::ScriptTest {
protected:
    struct ArcFacts {
        int type = -1;
        std::vector<AcGePoint3d> inputs, dims;
        double length = 0;
        bool fullCircle = false;
        std::uint32_t asCircle = 0;
        AcDbObjectId curve;
        int subent = -1;
    };
    static ArcFacts factsOf(AcDbObjectId id) {
        ArcFacts f;
        TRdim* c = nullptr;
        if (acdbOpenObject(c, id, AcDb::kForRead) != Acad::eOk) return f;
        f.type = c->GetDimType();
        for (int i = 0; i < c->GetExtensions(); ++i) {
            f.inputs.push_back(c->GetPointInput(i));
            f.dims.push_back(c->GetPointDim(i));
        }
        c->close();
        // Measuring may refresh what the chain caches of its curve.
        if (acdbOpenObject(c, id, AcDb::kForWrite) != Acad::eOk) return f;
        f.length = c->GetDistance(1);
        f.fullCircle = c->IsFullCircle();
        f.asCircle = c->GetParamInt(IND_I_ArcDimAsCircle);
        f.curve = c->GetArcObjectId();
        f.subent = c->GetArcSubent();
        c->close();
        return f;
    }

    static bool follows(AcDbObjectId curve, AcDbObjectId chain) {
        AcDbObject* obj = nullptr;
        if (acdbOpenObject(obj, curve, AcDb::kForRead) != Acad::eOk) return false;
        const bool yes = obj->hasPersistentReactor(chain);
        obj->close();
        return yes;
    }
};

::testing::AssertionResult PlanPointAt(const AcGePoint3d& p, double x, double y, double tol = kTol) {
    if (std::fabs(p.x - x) <= tol && std::fabs(p.y - y) <= tol) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "actual (" << p.x << ", " << p.y << ") expected (" << x << ", " << y << ") tolerance " << tol;
}
#define EXPECT_POINT(point, px, py) EXPECT_TRUE(PlanPointAt((point), (px), (py)))

// The middle of the quarter arc about (10,0) with radius 2, as a script types it.
const std::wstring kArcPick = L"11.41421356,1.41421356\n";

} // namespace

TEST_F(ArcCreateTest, AnArcPickedWithTwoPointsAndAPlacementBecomesAChainThatFollowsIt) {
    const AcDbObjectId arcId = add(new AcDbArc(AcGePoint3d(10, 0, 0), 2, 0, kPi / 2));
    run(L"XOTA_dimArc\n" + kArcPick + L"12,0\n10,2\n13,0\n");
    EXPECT_TRUE(said(L"Objekt zur Ausrichtung der Ma\u00DFkette zeigen:11.41421356,1.41421356"));
    EXPECT_TRUE(said(L"Erster Ma\u00DFpunkt oder Enter:12,0\nZweiter Ma\u00DFpunkt:10,2"));
    EXPECT_TRUE(said(L"Ma\u00DFkette w\u00E4hlen oder die Position der Ma\u00DFlinie bestimmen: 13,0"));
    const auto ids = chains();
    ASSERT_EQ(ids.size(), 1u);
    const ArcFacts f = factsOf(ids[0]);
    EXPECT_EQ(f.type, kDimArc);
    ASSERT_EQ(f.inputs.size(), 2u);
    EXPECT_POINT(f.inputs[0], 12, 0);
    EXPECT_POINT(f.inputs[1], 10, 2);
    EXPECT_POINT(f.dims[0], 13, 0);
    EXPECT_POINT(f.dims[1], 10, 3);
    EXPECT_NEAR(f.length, kPi, kTol);
    EXPECT_EQ(f.curve, arcId);
    EXPECT_EQ(f.asCircle, 0u);
    EXPECT_TRUE(follows(arcId, ids[0])) << "the chain is told when its arc changes";
    EXPECT_EQ(dlgMyApp, nullptr) << "a run without the palette leaves none";

    // Points off the arc land on it along the line from its centre; a second point at
    // the centre means the arc's end.
    run(L"XOTA_dimArc\n" + kArcPick + L"16,0\n10,0\n7,0\n");
    const auto more = chains();
    ASSERT_EQ(more.size(), 2u);
    const ArcFacts g = factsOf(more[1]);
    ASSERT_EQ(g.inputs.size(), 2u);
    EXPECT_POINT(g.inputs[0], 12, 0);
    EXPECT_TRUE(PlanPointAt(g.inputs[1], 10, 2, kPickedArcTol));
    EXPECT_NEAR(g.dims[0].distanceTo(AcGePoint3d(10, 0, 0)), 3, kTol);

    // Placed by a click on the first chain's line: through its nearest dimension point,
    // not where the click was.
    run(L"XOTA_dimArc\n" + kArcPick + L"12,0\n10,2\n13.05,0.01\n");
    const auto all = chains();
    ASSERT_EQ(all.size(), 3u);
    EXPECT_POINT(factsOf(all[2]).dims[0], 13, 0);
}

TEST_F(ArcCreateTest, ACircleWithEnterAtTheSecondPointIsMeasuredAllRound) {
    const AcDbObjectId circleId = add(new AcDbCircle(AcGePoint3d(20, 0, 0), AcGeVector3d::kZAxis, 2));
    run(L"XOTA_dimArc\n22,0\n22,0\n\n23,0\n");
    EXPECT_TRUE(said(L"Zweiter Ma\u00DFpunkt:\nEndpunkt der F\u00FChrungslinie:23,0"));
    auto ids = chains();
    ASSERT_EQ(ids.size(), 1u);
    ArcFacts f = factsOf(ids[0]);
    EXPECT_EQ(f.asCircle, 1u);
    EXPECT_TRUE(f.fullCircle);
    EXPECT_NEAR(f.length, 2 * 3.1415926535 * 2, kTol);
    EXPECT_TRUE(follows(circleId, ids[0]));

    // Enter at the first point asks for the start of a leader instead. (The circle is
    // picked away from the first chain, which lies over it at (22,0).)
    run(L"XOTA_dimArc\n18,0\n\n20,3\n24,4\n");
    EXPECT_TRUE(said(L"Erster Ma\u00DFpunkt oder Enter:\nStartpunkt der F\u00FChrungslinie:20,3"));
    ids = chains();
    ASSERT_EQ(ids.size(), 2u);
    f = factsOf(ids[1]);
    EXPECT_TRUE(f.fullCircle);
    EXPECT_NEAR(f.length, 2 * 3.1415926535 * 2, kTol);
    EXPECT_POINT(f.inputs[0], 20, 2);

    // Two points on the circle: counter-clockwise from the first.
    run(L"XOTA_dimArc\n18,0\n22,0\n20,2\n23,0\n");
    ids = chains();
    ASSERT_EQ(ids.size(), 3u);
    f = factsOf(ids[2]);
    EXPECT_FALSE(f.fullCircle);
    EXPECT_NEAR(f.length, kPi, kTol);
}

TEST_F(ArcCreateTest, APolylineArcSegmentIsPickedByItsSegment) {
    // A straight wall, then a clockwise half circle from (4,10) over (5,11) to (6,10).
    auto* poly = new AcDbPolyline();
    poly->addVertexAt(0, AcGePoint2d(0, 10));
    poly->addVertexAt(1, AcGePoint2d(4, 10), -1.0);
    poly->addVertexAt(2, AcGePoint2d(6, 10));
    const AcDbObjectId polyId = add(poly);
    run(L"XOTA_dimArc\n5,11\n5,11\n6,10\n5,13\n");
    const auto ids = chains();
    ASSERT_EQ(ids.size(), 1u);
    const ArcFacts f = factsOf(ids[0]);
    EXPECT_EQ(f.subent, 1);
    EXPECT_EQ(f.curve, polyId);
    EXPECT_NEAR(f.length, kPi / 2, kTol);
    EXPECT_NEAR(f.dims[0].distanceTo(AcGePoint3d(5, 10, 0)), 3, kTol);
    EXPECT_TRUE(follows(polyId, ids[0]));

    // The straight segment has no arc: said, and nothing is drawn.
    run(L"XOTA_dimArc\n2,10\n");
    EXPECT_TRUE(said(L"kein Bogen"));
    EXPECT_EQ(chains().size(), 1u);
}

TEST_F(ArcCreateTest, WrongPicksAndEarlyEndsLeaveNothingBehind) {
    add(new AcDbArc(AcGePoint3d(10, 0, 0), 2, 0, kPi / 2));
    add(new AcDbLine(AcGePoint3d(0, -5, 0), AcGePoint3d(20, -5, 0)));
    // A line is no arc.
    run(L"XOTA_dimArc\n5,-5\n");
    EXPECT_TRUE(said(L"Nur ein Bogen, ein Kreis oder eine Polylinie"));
    // Enter on an arc, the same point twice, and a cancelled placement.
    run(L"XOTA_dimArc\n" + kArcPick + L"\n");
    run(L"XOTA_dimArc\n" + kArcPick + L"12,0\n12,0\n");
    EXPECT_TRUE(said(L"Der erste und zweite Punkt d\u00FCrfen nicht identisch sein!"));
    run(L"XOTA_dimArc\n" + kArcPick + L"12,0\n10,2\nESC\n");
    // Nothing under the pick box, then Enter.
    run(L"XOTA_dimArc\n30,30\n\n");
    EXPECT_TRUE(chains().empty());
    EXPECT_EQ(dlgMyApp, nullptr);

    // With the palette open it comes back shown and enabled.
    ASSERT_TRUE(StartApp(true));
    run(L"XOTA_dimArc\n" + kArcPick + L"12,0\n10,2\n13,0\n");
    EXPECT_EQ(chains().size(), 1u);
    ASSERT_NE(dlgMyApp, nullptr);
    EXPECT_TRUE(dlgMyApp->IsWindowVisible());
    EXPECT_TRUE(dlgMyApp->ActionsEnabled());
    EXPECT_EQ(dlgMyApp->m_iCurrentMode, OPT_MODE_CHAIN);
}

TEST_F(ArcCreateTest, AChainMovedByOneCommandStillFollowsItsArcInTheNext) {
    host::registerEditCommands();
    const AcDbObjectId arcId = add(new AcDbArc(AcGePoint3d(10, 0, 0), 2, 0, kPi / 2));
    run(L"XOTA_dimArc\n" + kArcPick + L"12,0\n10,2\n13,0\n");
    const auto ids = chains();
    ASSERT_EQ(ids.size(), 1u);
    // The chain alone is moved away and back: its own transformation marks it as dealt
    // with, for that command only.
    run(L"MOVE\n13,0\n\n0,0\n0,5\nMOVE\n13,5\n\n0,5\n0,0\n");
    EXPECT_POINT(factsOf(ids[0]).inputs[0], 12, 0);
    // Now the arc alone is moved by the next command: the chain comes with it.
    run(L"MOVE\n" + kArcPick + L"\n0,0\n0,4\n");
    AcDbArc* arc = nullptr;
    ASSERT_EQ(acdbOpenObject(arc, arcId, AcDb::kForRead), Acad::eOk);
    EXPECT_POINT(arc->center(), 10, 4);
    arc->close();
    const ArcFacts f = factsOf(ids[0]);
    ASSERT_EQ(f.inputs.size(), 2u);
    EXPECT_POINT(f.inputs[0], 12, 4);
    EXPECT_POINT(f.inputs[1], 10, 6);
    EXPECT_NEAR(f.length, kPi, kTol);
}

TEST_F(ArcCreateTest, AChainMovedTogetherWithItsArcMovesOnceWhateverTheOrder) {
    host::registerDrawCommands(); // with U and the undo groups
    add(new AcDbArc(AcGePoint3d(10, 0, 0), 2, 0, kPi / 2));
    run(L"XOTA_dimArc\n" + kArcPick + L"12,0\n10,2\n13,0\n");
    const auto ids = chains();
    ASSERT_EQ(ids.size(), 1u);
    // A window takes the arc first (it is older), the picks below take the chain first.
    run(L"MOVE\nW 5,-5 20,10\n\n0,0\n0,4\n");
    ArcFacts f = factsOf(ids[0]);
    ASSERT_EQ(f.inputs.size(), 2u);
    EXPECT_POINT(f.inputs[0], 12, 4);
    EXPECT_POINT(f.dims[0], 13, 4);
    EXPECT_NEAR(f.length, kPi, kTol);
    run(L"MOVE\n13,4\n11.41421356,5.41421356\n\n0,0\n0,2\n");
    f = factsOf(ids[0]);
    EXPECT_POINT(f.inputs[0], 12, 6);
    EXPECT_POINT(f.dims[0], 13, 6);

    // One U takes back the move of both, the chain's following included.
    run(L"U\n");
    f = factsOf(ids[0]);
    EXPECT_POINT(f.inputs[0], 12, 4);
    EXPECT_POINT(f.dims[0], 13, 4);
}
