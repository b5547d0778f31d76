// Rebuilding chains (DimRefresh, Regenerate) and an arc chain following the curve it
// measures through the host's notifications, with undo.
#include "tests/module/chain/TRdimTestEnv.h"

#include "host/db/entities/AcDbArc.h"
#include "host/db/database/UndoManager.h"
#include "module/services/CommandObjects.h"

#include <cmath>
#include <numbers>

using namespace chaintest;

namespace {

constexpr double kPi = std::numbers::pi;
// Lengths along arcs agree to far below a millimetre (parameters come from angles).
constexpr double kLengthTol = 1e-8;

AcGePoint3d P(double x, double y) {
    return AcGePoint3d(x, y, 0);
}

class RefreshTest : public ChainTest {
protected:
    void TearDown() override {
        ClearAppendedList();
        ChainTest::TearDown();
    }

    // A quarter arc about (10,10) with radius 2 and an arc chain on it from its start to
    // its end (and through its middle when asked), linked as the arc's reactor, both in
    // the drawing. The dimension arc has radius 3.
    void makeLinkedArcChain(bool middlePoint = false) {
        m_arcId = append(new AcDbArc(P(10, 10), 2, 0, kPi / 2));
        auto chain = std::make_unique<TRdim>(P(12, 10), P(10, 12), m_arcId, 0, P(13, 10), AcGeMatrix3d());
        setChainParams(*chain, false);
        chain->ChangePointMainDim(P(13, 10), false);
        chain->Refresh();
        if (middlePoint) chain->AddPointInput(P(10, 10) + AcGeVector3d(std::sqrt(2.0), std::sqrt(2.0), 0));
        m_chainId = append(chain.release());
        AcDbObject* arc = nullptr;
        ASSERT_EQ(acdbOpenObject(arc, m_arcId, AcDb::kForWrite), Acad::eOk);
        arc->addPersistentReactor(m_chainId);
        arc->close();
    }

    // Runs `change` on the arc opened for write, as one command with an undo group.
    template <typename Fn> void changeArc(Fn change, bool erased = false) {
        host::beginUndoGroup(m_db.get());
        AcDbArc* arc = nullptr;
        ASSERT_EQ(acdbOpenObject(arc, m_arcId, AcDb::kForWrite, erased), Acad::eOk);
        change(*arc);
        arc->close();
        host::endUndoGroup(m_db.get());
    }

    // A copy of the chain's state, read through the open/close protocol.
    struct ChainState {
        AcGePoint3dArray points;
        std::vector<std::wstring> texts;
    };
    ChainState chainState() const {
        ChainState state;
        TRdim* chain = nullptr;
        EXPECT_EQ(acdbOpenObject(chain, m_chainId, AcDb::kForRead), Acad::eOk);
        if (!chain) return state;
        state.points = chain->Points();
        state.texts = chain->Texts();
        chain->close();
        return state;
    }

    bool arcHasChainReactor() const {
        AcDbObject* arc = nullptr;
        if (acdbOpenObject(arc, m_arcId, AcDb::kForRead, true) != Acad::eOk) return false;
        const bool has = arc->hasPersistentReactor(m_chainId);
        arc->close();
        return has;
    }

    AcDbObjectId m_arcId;
    AcDbObjectId m_chainId;
};

} // namespace

TEST_F(RefreshTest, DimRefreshKeepsHandPlacedTextsOrCentresThem) {
    auto chain = makeChain({P(0, 0), P(4, 0), P(9, 0)}, kDimHorizontal, P(0, 2));
    const AcGePoint3d centred = chain->GetPointTextPos(2);
    const AcGePoint3d byHand = P(7.5, 3.2);
    chain->SetPointText(2, byHand, false);
    const AcGePoint3dArray inputsBefore = chain->Points();

    EXPECT_EQ(chain->DimRefresh(0), 1);
    EXPECT_POINT_NEAR(chain->GetPointTextPos(2), byHand, kGeomTol);
    for (int i = 0; i < 3; ++i) {
        EXPECT_POINT_NEAR(chain->GetPointInput(i), inputsBefore[4 * i], kGeomTol) << i;
        EXPECT_POINT_NEAR(chain->GetPointDim(i), inputsBefore[4 * i + 2], kGeomTol) << i;
    }
    EXPECT_EQ(valueOf(*chain, 2), L"5,00");

    // A text put back across the dimension line is mirrored off it.
    chain->SetPointText(2, P(6.5, 1.95), false);
    EXPECT_EQ(chain->DimRefresh(0), 1);
    EXPECT_POINT_NEAR(chain->GetPointTextPos(2), P(6.5, 2.05), kGeomTol);

    EXPECT_EQ(chain->DimRefresh(1), 1);
    EXPECT_POINT_NEAR(chain->GetPointTextPos(2), centred, kGeomTol);
}

TEST_F(RefreshTest, RegenerateRefusesAChainItCannotWrite) {
    auto made = makeChain({P(0, 0), P(4, 0)}, kDimHorizontal, P(0, 2));
    made->SetPointText(1, P(1, 3), false);
    const AcDbObjectId id = append(made.release());
    // Two readers: no one may write it now.
    TRdim* first = nullptr;
    TRdim* second = nullptr;
    ASSERT_EQ(acdbOpenObject(first, id, AcDb::kForRead), Acad::eOk);
    ASSERT_EQ(acdbOpenObject(second, id, AcDb::kForRead), Acad::eOk);
    const AcGePoint3dArray before = first->Points();
    EXPECT_EQ(first->Regenerate(0), 0);
    EXPECT_EQ(first->Refresh(), 0);
    EXPECT_EQ(first->DimRefresh(1), 0);
    EXPECT_TRUE(first->Points() == before);
    EXPECT_FALSE(first->isWriteEnabled()) << "the open state is left as it was";
    second->close();

    // One reader: raised for the change and put back to reading afterwards; the text
    // placed by hand stays where it is.
    EXPECT_EQ(first->Regenerate(0), 1);
    EXPECT_FALSE(first->isWriteEnabled());
    EXPECT_POINT_NEAR(first->GetPointTextPos(1), P(1, 3), kGeomTol);
    first->close();
}

TEST_F(RefreshTest, AnArcChainFollowsItsMovedCurveAndUndoPutsItBack) {
    makeLinkedArcChain();
    const ChainState before = chainState();
    ASSERT_EQ(before.points.length(), 8);

    // The arc moved on its own: the chain goes with it and measures the same.
    const AcGeVector3d shift(5, -3, 0);
    changeArc([&](AcDbArc& arc) { ASSERT_EQ(arc.transformBy(AcGeMatrix3d::translation(shift)), Acad::eOk); });
    const ChainState moved = chainState();
    ASSERT_EQ(moved.points.length(), 8);
    for (int i = 0; i < 2; ++i) {
        EXPECT_POINT_NEAR(moved.points[4 * i], before.points[4 * i] + shift, kFarGeomTol) << i;
        EXPECT_POINT_NEAR(moved.points[4 * i + 2], before.points[4 * i + 2] + shift, kFarGeomTol) << i;
    }
    EXPECT_EQ(moved.texts, before.texts);

    // The radius grown: the points stay at their angles on the bigger arc and the
    // value grows with it.
    changeArc([](AcDbArc& arc) { ASSERT_EQ(arc.setRadius(2.5), Acad::eOk); });
    const ChainState grown = chainState();
    EXPECT_POINT_NEAR(grown.points[0], P(17.5, 7), kFarGeomTol);
    EXPECT_POINT_NEAR(grown.points[4], P(15, 9.5), kFarGeomTol);
    TRdim* chain = nullptr;
    ASSERT_EQ(acdbOpenObject(chain, m_chainId, AcDb::kForRead), Acad::eOk);
    EXPECT_NEAR(chain->GetDistance(1), 1.25 * kPi, kLengthTol);
    chain->close();

    // Undo restores the chain from its own record, not by following the curve again.
    ASSERT_EQ(host::undoLastGroup(m_db.get()), Acad::eOk);
    const ChainState undone = chainState();
    ASSERT_EQ(undone.points.length(), moved.points.length());
    for (int s = 0; s < moved.points.length(); ++s)
        EXPECT_POINT_NEAR(undone.points[s], moved.points[s], 0.0) << s;
    EXPECT_EQ(undone.texts, moved.texts);
}

TEST_F(RefreshTest, AChainTransformedWithItsCurveIsNotMovedTwice) {
    makeLinkedArcChain(true);
    const ChainState before = chainState();
    ASSERT_EQ(before.points.length(), 12);
    // ROTATE of both: the command turns the chain first, then the curve.
    const AcGeMatrix3d turn = AcGeMatrix3d::rotation(kPi / 2, AcGeVector3d::kZAxis, P(0, 0));
    TRdim* chain = nullptr;
    ASSERT_EQ(acdbOpenObject(chain, m_chainId, AcDb::kForWrite), Acad::eOk);
    ASSERT_EQ(chain->transformBy(turn), Acad::eOk);
    chain->close();
    AddToAppendedList(m_chainId); // what the transformation records while a command runs
    changeArc([&](AcDbArc& arc) { ASSERT_EQ(arc.transformBy(turn), Acad::eOk); });
    const ChainState after = chainState();
    ASSERT_EQ(after.points.length(), before.points.length());
    for (int s = 0; s < before.points.length(); ++s)
        EXPECT_POINT_NEAR(after.points[s], turn * before.points[s], kFarGeomTol) << s;
}

TEST_F(RefreshTest, ErasingTheCurveUnlinksTheChainAndUndoLinksItAgain) {
    makeLinkedArcChain();
    ASSERT_TRUE(arcHasChainReactor());
    changeArc([](AcDbArc& arc) { ASSERT_EQ(arc.erase(), Acad::eOk); });
    EXPECT_FALSE(arcHasChainReactor());
    const ChainState orphan = chainState();
    EXPECT_EQ(orphan.points.length(), 8) << "the chain itself stays";

    ASSERT_EQ(host::undoLastGroup(m_db.get()), Acad::eOk);
    EXPECT_TRUE(arcHasChainReactor());
    // Linked again, it follows the next change of the curve.
    const ChainState before = chainState();
    changeArc([](AcDbArc& arc) {
        ASSERT_EQ(arc.transformBy(AcGeMatrix3d::translation(AcGeVector3d(0, 4, 0))), Acad::eOk);
    });
    EXPECT_POINT_NEAR(chainState().points[0], before.points[0] + AcGeVector3d(0, 4, 0), kFarGeomTol);

    // Told of an un-erase (the host tells its reactors), the chain links itself again.
    changeArc([](AcDbArc& arc) { ASSERT_EQ(arc.erase(), Acad::eOk); });
    ASSERT_FALSE(arcHasChainReactor());
    changeArc(
        [&](AcDbArc& arc) {
            ASSERT_EQ(arc.erase(false), Acad::eOk);
            TRdim* chain = nullptr;
            ASSERT_EQ(acdbOpenObject(chain, m_chainId, AcDb::kForRead), Acad::eOk);
            chain->erased(&arc, false);
            chain->close();
        },
        true);
    EXPECT_TRUE(arcHasChainReactor());
}
