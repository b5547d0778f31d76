// Groups of section marks, automatic values of plan marks, and the editing that keeps
// both right: values from the base, moves, the fixed base, erasing, broken links.
#include "tests/module/height/HeightTestEnv.h"

#include "host/db/database/AcDbObjectOpen.h"
#include "host/ed/commands/AcEdCommandStack.h"
#include "host/ed/commands/CommandLine.h"
#include "host/win/WinKeyState.h"
#include "module/app/DbReactor.h"
#include "module/app/HeightLinks.h"

#include <cmath>

using namespace heighttest;

namespace {

AcGePoint3d P(double x, double y, double z = 0) {
    return AcGePoint3d(x, y, z);
}

class HeightGroupTest : public HeightTest {
protected:
    void SetUp() override {
        HeightTest::SetUp();
        if (HasFatalFailure()) return;
        // The test's drawing is watched like an opened one.
        RewatchDb();
        host::releaseAllKeys();
    }
    void TearDown() override {
        host::releaseAllKeys();
        HeightTest::TearDown();
    }

    // A base at `at` with its values, appended.
    AcDbObjectId addBase(const AcGePoint3d& at, double value1, double value2 = 0.0, bool fixed = false) {
        auto base = makeMark(false, 1, at, value1);
        base->SetRole(kHeightRoleBase);
        base->SetHeight(2, value2);
        base->SetParamInt(IND_I_HDimNoModify, fixed ? 1 : 0);
        return append(base.release());
    }
    // A member measured at `at` with its symbol at `symbol`, appended, values from the base.
    AcDbObjectId addMember(AcDbObjectId base, const AcGePoint3d& at, const AcGePoint3d& symbol) {
        auto mark = makeMark(false, 1, at, 0.0);
        mark->SetBaseId(base);
        mark->SetPointDim(symbol);
        mark->SetCurHeight();
        return append(mark.release());
    }
    static double value(AcDbObjectId id, int row = 1) {
        TRdimHeight* mark = ObjectId2TRdimHeight(id);
        if (!mark) return -999.0;
        const double v = row == 2 ? mark->GetHeight2() : mark->GetHeight1();
        mark->close();
        return v;
    }
    static std::wstring rowText(AcDbObjectId id, int row = 1) {
        TRdimHeight* mark = ObjectId2TRdimHeight(id);
        if (!mark) return L"<none>";
        std::wstring main, exponent;
        mark->ComposeRow(row, main, exponent);
        mark->close();
        return main;
    }
    static Acad::ErrorStatus transform(AcDbObjectId id, const AcGeMatrix3d& xform) {
        AcDbEntity* entity = nullptr;
        Acad::ErrorStatus es = acdbOpenObject(entity, id, AcDb::kForWrite);
        if (es != Acad::eOk) return es;
        es = entity->transformBy(xform);
        entity->close();
        return es;
    }
    static void erase(AcDbObjectId id) {
        AcDbEntity* entity = nullptr;
        ASSERT_EQ(acdbOpenObject(entity, id, AcDb::kForWrite), Acad::eOk);
        entity->erase();
        entity->close();
    }
};

AcGeMatrix3d Move(double dx, double dy) {
    return AcGeMatrix3d::translation(AcGeVector3d(dx, dy, 0));
}

// What the commands registered by the test move, and by how much.
AcDbObjectId g_moved;
double g_rise = 0.0;

void moveCommand() {
    AcDbEntity* entity = nullptr;
    if (acdbOpenObject(entity, g_moved, AcDb::kForWrite) != Acad::eOk) return;
    entity->transformBy(Move(0, g_rise));
    entity->close();
}

} // namespace

TEST_F(HeightGroupTest, MembersTakeTheirValuesFromTheBaseAndFollowMoves) {
    const AcDbObjectId base = addBase(P(0, 0), 1.25);
    const AcDbObjectId low = addMember(base, P(5, 1), P(8, 1.7));
    const AcDbObjectId high = addMember(base, P(5, 2.5), P(8, 2.5));
    EXPECT_NEAR(value(low), 2.25, kGeomTol);
    // A base without a second value gives members one from its first.
    EXPECT_NEAR(value(low, 2), 2.25, kGeomTol);
    EXPECT_NEAR(value(high), 3.75, kGeomTol);
    const AcDbObjectIdArray members = GetGroupMembers(base);
    ASSERT_EQ(members.length(), 2);
    EXPECT_EQ(members[0], low);
    EXPECT_EQ(members[1], high);

    // The symbol stands at the level of the measured point, whatever was picked.
    TRdimHeight* mark = ObjectId2TRdimHeight(low);
    ASSERT_NE(mark, nullptr);
    EXPECT_POINT_NEAR(mark->GetPoint(kHPointDim), P(8, 1), kGeomTol);
    mark->close();

    // Moved up by 0.5: both values gain 0.5.
    ASSERT_EQ(transform(low, Move(0, 0.5)), Acad::eOk);
    EXPECT_NEAR(value(low), 2.75, kGeomTol);
    EXPECT_NEAR(value(low, 2), 2.75, kGeomTol);
    // A sideways move changes nothing.
    ASSERT_EQ(transform(high, Move(3, 0)), Acad::eOk);
    EXPECT_NEAR(value(high), 3.75, kGeomTol);

    // The base moved up by 1: every member is 1 lower against it.
    ASSERT_EQ(transform(base, Move(0, 1)), Acad::eOk);
    EXPECT_NEAR(value(low), 1.75, kGeomTol);
    EXPECT_NEAR(value(high), 2.75, kGeomTol);
    EXPECT_EQ(rowText(high), L"+2,75");
}

TEST_F(HeightGroupTest, LevelsAreMeasuredInTheMarksOwnSystem) {
    // A UCS turned by a quarter turn: "up" is world -X.
    m_db->setUcs(P(0, 0), AcGeVector3d::kYAxis, -AcGeVector3d::kXAxis);
    const AcDbObjectId base = addBase(P(0, 0), 0.0, 10.0);
    const AcDbObjectId member = addMember(base, P(-2, 7), P(-2, 9));
    EXPECT_NEAR(value(member), 2.0, kGeomTol);
    EXPECT_NEAR(value(member, 2), 12.0, kGeomTol);
    // A move of (-0.5, 3) in the world is 0.5 up in the mark's system.
    TRdimHeight* mark = nullptr;
    ASSERT_EQ(acdbOpenObject(mark, member, AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(mark->DimMoved(AcGeVector3d(-0.5, 3, 0)), 0);
    EXPECT_NEAR(mark->GetHeight1(), 2.5, kGeomTol);
    EXPECT_NEAR(mark->GetHeight2(), 12.5, kGeomTol);
    mark->close();
}

TEST_F(HeightGroupTest, TheExtensionLineKeepsItsGapsAndShortLinesShareThem) {
    std::vector<double>& d = pGlobDimOptions->GetOptionSet(OPT_MODE_HEIGHT).arrayOptDouble;
    d[IND_D_OffsetFromOrigin] = 2.0; // 0.2 at 1:100
    d[IND_D_ExtendBeyondDimLine] = 1.0;
    auto mark = makeMark(false, 1, P(0, 0), 0.0);
    mark->SetPointDim(P(4, 3));
    EXPECT_POINT_NEAR(mark->GetPoint(kHPointDim), P(4, 0), kGeomTol);
    EXPECT_POINT_NEAR(mark->GetPoint(kHPointExt1), P(0.2, 0), kGeomTol);
    EXPECT_POINT_NEAR(mark->GetPoint(kHPointExt2), P(3.9, 0), kGeomTol);
    mark->SetPointDim(P(0.15, 0));
    EXPECT_POINT_NEAR(mark->GetPoint(kHPointExt1), P(0.05, 0), kGeomTol);
    EXPECT_POINT_NEAR(mark->GetPoint(kHPointExt2), P(0.10, 0), kGeomTol);
    // A plan mark stands on its measured point.
    auto plan = makeMark(true, 1, P(1, 1), 0.0);
    plan->SetPointDim(P(2, 5));
    EXPECT_POINT_NEAR(plan->GetPoint(kHPointInput), P(2, 5), kGeomTol);
}

TEST_F(HeightGroupTest, AFixedBaseMovesOnlyWithCtrlOrAsACopy) {
    const AcDbObjectId base = addBase(P(0, 0), 1.0, 0.0, true);
    const AcDbObjectId member = addMember(base, P(5, 2), P(8, 2));
    ASSERT_EQ(transform(base, Move(0, 1)), Acad::eOk);
    TRdimHeight* mark = ObjectId2TRdimHeight(base);
    ASSERT_NE(mark, nullptr);
    EXPECT_POINT_NEAR(mark->GetPoint(kHPointInput), P(0, 0), kGeomTol);
    AcDbEntity* copy = nullptr;
    // A copy is a new base, wherever it goes; the original stays.
    ASSERT_EQ(mark->getTransformedCopy(Move(0, 4), copy), Acad::eOk);
    std::unique_ptr<AcDbEntity> owned(copy);
    mark->close();
    const auto* copied = TRdimHeight::cast(copy);
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->GetRole(), kHeightRoleBase);
    EXPECT_NEAR(value(member), 3.0, kGeomTol);
    // Grips are refused as well.
    AcDbEntity* entity = nullptr;
    ASSERT_EQ(acdbOpenObject(entity, base, AcDb::kForWrite), Acad::eOk);
    AcDbIntArray grips;
    grips.append(0);
    EXPECT_EQ(entity->moveGripPointsAt(grips, AcGeVector3d(0, 2, 0)), Acad::eOk);
    entity->close();
    EXPECT_NEAR(value(member), 3.0, kGeomTol);

    host::setKeyHeld(VK_CONTROL, true);
    ASSERT_EQ(transform(base, Move(0, 1)), Acad::eOk);
    host::setKeyHeld(VK_CONTROL, false);
    mark = ObjectId2TRdimHeight(base);
    ASSERT_NE(mark, nullptr);
    EXPECT_POINT_NEAR(mark->GetPoint(kHPointInput), P(0, 1), kGeomTol);
    mark->close();
    EXPECT_NEAR(value(member), 2.0, kGeomTol);
}

TEST_F(HeightGroupTest, ErasingKeepsGroupsWhole) {
    const AcDbObjectId base = addBase(P(0, 0), 0.0);
    const AcDbObjectId a = addMember(base, P(5, 1), P(8, 1));
    const AcDbObjectId b = addMember(base, P(5, 2), P(8, 2));
    erase(a);
    EXPECT_FALSE(base.isErased());
    clearTranscript();
    erase(b);
    EXPECT_TRUE(base.isErased());
    EXPECT_NE(transcript().find(L"keine Symbole mehr"), std::wstring::npos) << std::wstring(transcript());

    const AcDbObjectId base2 = addBase(P(0, 10), 0.0);
    const AcDbObjectId members[] = {addMember(base2, P(5, 11), P(8, 11)), addMember(base2, P(5, 12), P(8, 12)),
                                    addMember(base2, P(5, 13), P(8, 13))};
    clearTranscript();
    erase(base2);
    for (const AcDbObjectId& id : members)
        EXPECT_TRUE(id.isErased());
    EXPECT_NE(transcript().find(L"auch  3 von restlichen"), std::wstring::npos) << std::wstring(transcript());
}

TEST_F(HeightGroupTest, APlanMarkFollowsItsSourceAndMarksABrokenLink) {
    const AcDbObjectId base = addBase(P(0, 0), 0.0);
    const AcDbObjectId source = addMember(base, P(5, 1.25), P(8, 1.25));
    const AcDbObjectId keep = addMember(base, P(5, 3), P(8, 3));
    const AcDbObjectId plan = append(makeMark(true, 1, P(20, 0), 0.0).release());
    TRdimHeight* mark = nullptr;
    ASSERT_EQ(acdbOpenObject(mark, plan, AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(mark->SetAutoValue(1, source), 1);
    mark->RefreshAutoValue(true);
    mark->close();
    EXPECT_EQ(rowText(plan), L"+1,25");
    AcDbObject* src = nullptr;
    ASSERT_EQ(acdbOpenObject(src, source, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(src->hasPersistentReactor(plan));
    src->close();

    // The source moves up to 1.50: the follower shows it at once.
    ASSERT_EQ(transform(source, Move(0, 0.25)), Acad::eOk);
    EXPECT_NEAR(value(plan), 1.5, kGeomTol);
    EXPECT_EQ(rowText(plan), L"+1,50");

    // A source at the zero level shows its zero text with the sign rule of levels.
    const AcDbObjectId zero = addMember(base, P(5, 0), P(8, 0));
    const AcDbObjectId plan0 = append(makeMark(true, 1, P(20, 5), 3.0).release());
    ASSERT_EQ(acdbOpenObject(mark, plan0, AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(mark->SetAutoValue(1, zero), 1);
    mark->RefreshAutoValue(true);
    mark->close();
    EXPECT_EQ(rowText(plan0), L"\u00B10,00");

    // The source erased: one "#", however often the links are refreshed.
    erase(source);
    EXPECT_FALSE(keep.isErased());
    RefreshHDimAutoValues(nullptr);
    RefreshHDimAutoValues(nullptr);
    EXPECT_EQ(rowText(plan), L"+1,50#");
    TRdimHeight* follower = ObjectId2TRdimHeight(plan);
    ASSERT_NE(follower, nullptr);
    // The link stays: a broken link is shown, never dropped.
    EXPECT_TRUE(follower->IsAutoValue(1));
    EXPECT_FALSE(follower->GetAutoLink(1).empty());
    follower->close();

    // Cleared: the source no longer carries the follower.
    ASSERT_EQ(acdbOpenObject(mark, plan, AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(mark->SetAutoValue(2, keep), 1);
    EXPECT_EQ(mark->ClearAutoValue(2), 1);
    EXPECT_FALSE(mark->IsAutoValue(2));
    mark->close();
    ASSERT_EQ(acdbOpenObject(src, keep, AcDb::kForRead), Acad::eOk);
    EXPECT_FALSE(src->hasPersistentReactor(plan));
    src->close();
}

TEST_F(HeightGroupTest, AMirroredOrTurnedSectionMarkStaysUprightAtItsLevel) {
    const AcDbObjectId base = addBase(P(0, 0), 0.0);
    const AcDbObjectId member = addMember(base, P(5, 2), P(8, 2));
    // Mirrored about the line x = 10.
    AcGeMatrix3d mirror;
    mirror(0, 0) = -1.0;
    mirror(0, 3) = 20.0;
    ASSERT_EQ(transform(member, mirror), Acad::eOk);
    TRdimHeight* mark = ObjectId2TRdimHeight(member);
    ASSERT_NE(mark, nullptr);
    EXPECT_POINT_NEAR(mark->GetPoint(kHPointInput), P(15, 2), kGeomTol);
    EXPECT_POINT_NEAR(mark->GetPoint(kHPointDim), P(12, 2), kGeomTol);
    EXPECT_TRUE(mark->GetAxis(0).isEqualTo(AcGeVector3d::kXAxis));
    EXPECT_TRUE(mark->GetAxis(1).isEqualTo(AcGeVector3d::kYAxis));
    EXPECT_NEAR(mark->GetRotation(), 0.0, kGeomTol);
    mark->close();
    EXPECT_NEAR(value(member), 2.0, kGeomTol);
    // Turned by a quarter turn about its measured point: the level stays.
    ASSERT_EQ(transform(member, AcGeMatrix3d::rotation(M_PI / 2, AcGeVector3d::kZAxis, P(15, 2))), Acad::eOk);
    mark = ObjectId2TRdimHeight(member);
    ASSERT_NE(mark, nullptr);
    EXPECT_NEAR(mark->GetRotation(), 0.0, kGeomTol);
    // The symbol is put back at the level of the measured point.
    EXPECT_NEAR(mark->GetPoint(kHPointDim).y, mark->GetPoint(kHPointInput).y, kGeomTol);
    mark->close();
    EXPECT_NEAR(value(member), 2.0, kGeomTol);
}

// Binding references and replacing blocks take the sources they move along with
// them: a plan mark that follows a section mark keeps its value through any command
// whose name holds BIND or BLOCK, and follows the same move made by any other.
TEST_F(HeightGroupTest, BindAndBlockCommandsDoNotUpdateFollowers) {
    const AcDbObjectId base = addBase(P(0, 0), 0.0);
    const AcDbObjectId source = addMember(base, P(5, 1.25), P(8, 1.25));
    const AcDbObjectId plan = append(makeMark(true, 1, P(20, 0), 0.0).release());
    TRdimHeight* mark = nullptr;
    ASSERT_EQ(acdbOpenObject(mark, plan, AcDb::kForWrite), Acad::eOk);
    ASSERT_EQ(mark->SetAutoValue(1, source), 1);
    mark->RefreshAutoValue(true);
    mark->close();
    ASSERT_EQ(rowText(plan), L"+1,25");

    AcEdCommandStack& stack = host::hostCommands();
    for (const wchar_t* name : {L"BIND", L"BLOCKREPLACE", L"SHIFTUP"})
        ASSERT_EQ(stack.addCommand(L"HEIGHT_TEST", name, name, ACRX_CMD_MODAL, &moveCommand), Acad::eOk);
    g_moved = source;
    g_rise = 0.25;
    host::commandLine().execute(L"BIND");
    EXPECT_NEAR(value(source), 1.5, kGeomTol) << "the command did move the source";
    EXPECT_NEAR(value(plan), 1.25, kGeomTol);
    EXPECT_EQ(rowText(plan), L"+1,25");
    // Block commands leave even the moved section mark's own value alone.
    host::commandLine().execute(L"BLOCKREPLACE");
    TRdimHeight* moved = ObjectId2TRdimHeight(source);
    ASSERT_NE(moved, nullptr);
    EXPECT_NEAR(moved->GetPoint(kHPointInput).y, 1.75, kGeomTol) << "the command did move the source";
    moved->close();
    EXPECT_EQ(rowText(plan), L"+1,25");
    // Any other command: the follower takes the source's value.
    host::commandLine().execute(L"SHIFTUP");
    stack.removeGroup(L"HEIGHT_TEST");
    EXPECT_NEAR(value(source), 2.0, kGeomTol);
    EXPECT_NEAR(value(plan), 2.0, kGeomTol);
    EXPECT_EQ(rowText(plan), L"+2,00");
}
