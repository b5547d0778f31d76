#include "SelectionTestDrawing.h"

#include "host/db/entities/AcDbArc.h"
#include "host/db/entities/AcDbBlockReference.h"
#include "host/db/tables/AcDbBlockTable.h"
#include "host/db/entities/AcDbCircle.h"
#include "host/db/tables/AcDbLayerTable.h"
#include "host/db/tables/AcDbLayerTableRecord.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/entities/EntityIndex.h"
#include "host/db/database/UndoManager.h"
#include "host/db/entities/AcDbPolyline.h"
#include "host/db/entities/AcDbText.h"
#include "host/db/database/acutResbuf.h"
#include "host/ed/input/AcEdFilterWinMsg.h"
#include "host/ed/input/EditorInput.h"
#include "host/ed/selection/acedEntSel.h"
#include "host/ed/selection/acedSSGet.h"

#include <algorithm>
#include <array>
#include <limits>
#include <numbers>

namespace {

// A small plan: two lines, a half circle, a polyline whose second segment is an arc
// bulging to the right, a circle and a text.
class SelectionTest : public SelectionDrawing {
protected:
    void SetUp() override {
        SelectionDrawing::SetUp();
        shortLine = append(new AcDbLine(AcGePoint3d(10, 10, 0), AcGePoint3d(30, 10, 0)));
        longLine = append(new AcDbLine(AcGePoint3d(10, 20, 0), AcGePoint3d(80, 20, 0)));
        halfCircle = append(new AcDbArc(AcGePoint3d(50, 50, 0), 10.0, 0.0, std::numbers::pi));
        auto* pl = new AcDbPolyline;
        pl->addVertexAt(0, AcGePoint2d(60, 60));
        pl->addVertexAt(1, AcGePoint2d(90, 60), 0.5);
        pl->addVertexAt(2, AcGePoint2d(90, 90));
        polyline = append(pl);
        circle = append(new AcDbCircle(AcGePoint3d(30, 50, 0), AcGeVector3d::kZAxis, 5.0));
        text = append(new AcDbText(AcGePoint3d(10, 80, 0), L"Wand", AcDbObjectId::kNull, 2.0));
    }

    // Runs acedSSGet on the script; the members' ids, empty when it returned no set.
    std::vector<AcDbObjectId> select(const std::wstring& lines, const wchar_t* mode = nullptr,
                                     const resbuf* filter = nullptr, int* result = nullptr) {
        script(lines);
        ads_name ss;
        const int rc = acedSSGet(mode, nullptr, nullptr, filter, ss);
        if (result) *result = rc;
        std::vector<AcDbObjectId> ids;
        if (rc == RTNORM) {
            ids = idsOf(ss);
            acedSSFree(ss);
        }
        return ids;
    }

    AcDbObjectId shortLine, longLine, halfCircle, polyline, circle, text;
};

using Ids = std::vector<AcDbObjectId>;

struct RbDeleter {
    void operator()(resbuf* rb) const { acutRelRb(rb); }
};
using Rb = std::unique_ptr<resbuf, RbDeleter>;

} // namespace

TEST_F(SelectionTest, WindowTakesWhatLiesInsideCrossingAlsoWhatCrossesTheEdge) {
    EXPECT_EQ(select(L"W\n5,5\n35,25\n\n"), Ids{shortLine}) << "the long line reaches out of the window";
    EXPECT_TRUE(said(L"Specify first corner: ") && said(L"Specify opposite corner: "));
    EXPECT_EQ(select(L"C\n5,5\n35,25\n\n"), (Ids{shortLine, longLine}));
    EXPECT_EQ(select(L"c 35,25 5,5\n\n"), (Ids{shortLine, longLine}))
        << "corners on the option's line, any order";
    EXPECT_EQ(select(L"_W 41,40 59,60\n\n"), Ids{}) << "the half circle is 20 wide";
    EXPECT_EQ(select(L"W 39,49 61,61\n\n"), Ids{halfCircle}) << "its lower side is open";
    // A window inside a circle does not cross it; one inside the text's box does.
    EXPECT_EQ(select(L"C 29,49 31,51\n\n"), Ids{});
    EXPECT_EQ(select(L"C 11,80.5 11.2,80.7\n\n"), Ids{text});

    ads_name ss;
    const ads_point a = {5, 5, 0}, b = {35, 25, 0};
    ASSERT_EQ(acedSSGet(L"W", a, b, nullptr, ss), RTNORM);
    EXPECT_EQ(idsOf(ss), Ids{shortLine});
    acedSSFree(ss);
    ASSERT_EQ(acedSSGet(L"_C", a, b, nullptr, ss), RTNORM);
    EXPECT_EQ(idsOf(ss), (Ids{shortLine, longLine}));
    acedSSFree(ss);
    EXPECT_EQ(host::openSelectionSetCount(), 0);
}

TEST_F(SelectionTest, FencesFindPolylineSegmentsAndArcsTheyCross) {
    // Through the top of the half circle and the polyline's first segment.
    EXPECT_EQ(select(L"F\n50,45\n50,65\n75,65\n75,55\n\n\n"), (Ids{halfCircle, polyline}));
    EXPECT_TRUE(said(L"Specify first fence point: ") && said(L"Specify next fence point or [Undo]: "));
    // Inside the half circle, touching nothing.
    EXPECT_EQ(select(L"F 45,52 55,52\n\n"), Ids{});
    // Across the bulge of the polyline's arc segment, right of its chord.
    EXPECT_EQ(select(L"F 95,75 100,75\n\n"), Ids{polyline});
    EXPECT_EQ(select(L"F 91,75 93,75\n\n"), Ids{}) << "between the chord and the bulge";
    // Undo takes the last fence point back.
    EXPECT_EQ(select(L"F\n95,75\n200,200\nU\n100,75\n\n\n"), Ids{polyline});

    // The module's cutting line: a fence given as a point list.
    const ads_point p1 = {20, 5, 0}, p2 = {20, 25, 0};
    Rb fence(acutBuildList(RTPOINT, p1, RT3DPOINT, p2, 0));
    ads_name ss;
    ASSERT_EQ(acedSSGet(L"_F", fence.get(), nullptr, nullptr, ss), RTNORM);
    EXPECT_EQ(idsOf(ss), (Ids{shortLine, longLine})) << "in the order of the drawing";
    resbuf* how = nullptr;
    ASSERT_EQ(acedSSNameX(&how, ss, 0), RTNORM);
    ASSERT_NE(how, nullptr);
    EXPECT_EQ(how->rbnext->restype, RTSHORT);
    EXPECT_EQ(how->rbnext->resval.rint, host::kSelectFence);
    acutRelRb(how);
    acedSSFree(ss);

    Rb onePoint(acutBuildList(RTPOINT, p1, 0));
    EXPECT_EQ(acedSSGet(L"_F", onePoint.get(), nullptr, nullptr, ss), RTERROR) << "a fence needs two points";
}

TEST_F(SelectionTest, APickTakesTheNearestEntityAndTheMarkerOfThePrimitiveHit) {
    ads_name ss;
    const ads_point nearFirst = {75, 60.2, 0};
    ASSERT_EQ(acedSSGet(nullptr, nearFirst, nullptr, nullptr, ss), RTNORM);
    ASSERT_EQ(idsOf(ss), Ids{polyline});
    resbuf* how = nullptr;
    ASSERT_EQ(acedSSNameX(&how, ss, 0), RTNORM);
    // (1 <ename> marker (0 (x y z)))
    const resbuf* rb = how->rbnext;
    EXPECT_EQ(rb->resval.rint, host::kSelectPick);
    rb = rb->rbnext;
    EXPECT_EQ(rb->restype, RTENAME);
    rb = rb->rbnext;
    ASSERT_EQ(rb->restype, RTLONG);
    EXPECT_EQ(rb->resval.rlong, 1) << "the first segment";
    rb = rb->rbnext->rbnext->rbnext;
    ASSERT_EQ(rb->restype, RT3DPOINT);
    EXPECT_NEAR(rb->resval.rpoint[0], 75, kPointTol);
    EXPECT_NEAR(rb->resval.rpoint[1], 60.2, kPointTol);
    acutRelRb(how);
    acedSSFree(ss);

    // The arc segment bulges to x = 97.5 at its middle.
    const ads_point onBulge = {97.4, 75, 0};
    ASSERT_EQ(acedSSGet(nullptr, onBulge, nullptr, nullptr, ss), RTNORM);
    ASSERT_EQ(acedSSNameX(&how, ss, 0), RTNORM);
    EXPECT_EQ(how->rbnext->rbnext->rbnext->resval.rlong, 2) << "the second segment";
    acutRelRb(how);
    acedSSFree(ss);

    // Beyond the pick box nothing is found; inside it, the nearer of two lines wins.
    EXPECT_EQ(select(L"20,10.4\n\n"), Ids{});
    EXPECT_TRUE(said(L"0 found"));
    EXPECT_EQ(select(L"20,10.25\n\n"), Ids{shortLine});
    EXPECT_EQ(select(L"20,19.8\n20,10.1\n20,10.2\n\n"), (Ids{longLine, shortLine}));
    EXPECT_TRUE(said(L"1 found, 2 total"));
    EXPECT_TRUE(said(L"1 found (1 duplicate), 2 total"));
}

TEST_F(SelectionTest, EverythingUnderTheBoxAndSingleSelection) {
    // Where the long line and a short crossing line meet, ":E" takes both.
    const AcDbObjectId cross = append(new AcDbLine(AcGePoint3d(70, 15, 0), AcGePoint3d(70, 25, 0)));
    ads_name ss;
    const ads_point meet = {70.1, 20.1, 0};
    ASSERT_EQ(acedSSGet(L":E", meet, nullptr, nullptr, ss), RTNORM);
    EXPECT_EQ(idsOf(ss), (Ids{longLine, cross}));
    acedSSFree(ss);
    ASSERT_EQ(acedSSGet(nullptr, meet, nullptr, nullptr, ss), RTNORM);
    EXPECT_EQ(idsOf(ss).size(), 1u) << "without :E only the nearest";
    acedSSFree(ss);

    // ":S" ends at the first selection that finds something: the rest stays unread.
    int rc = 0;
    EXPECT_EQ(select(L"5,95\n20,10\nNOT_READ\n", L"_-W-C:S:E", nullptr, &rc), Ids{shortLine});
    EXPECT_EQ(rc, RTNORM);
    EXPECT_EQ(host::hostInput().readAnswer().text, L"NOT_READ") << "the prompt ended before it";
    const Rb chainsOnly(acutBuildList(RTDXF0, L"XOTA_LINTARO", 0));
    EXPECT_EQ(select(L"20,10\n\n", L":S", chainsOnly.get(), &rc), Ids{});
    EXPECT_EQ(rc, RTERROR) << "nothing selected";
    EXPECT_TRUE(said(L"1 was filtered out."));
}

TEST_F(SelectionTest, FiltersOnTheTypeNameWithWildcardsAndOrGroups) {
    const Rb texts(acutBuildList(RTDXF0, L"*TEXT", 0));
    ads_name ss;
    ASSERT_EQ(acedSSGet(L"X", nullptr, nullptr, texts.get(), ss), RTNORM);
    EXPECT_EQ(idsOf(ss), Ids{text});
    acedSSFree(ss);

    const Rb curves(acutBuildList(-4, L"<or", RTDXF0, L"ARC", RTDXF0, L"*POLYLINE", -4, L"or>", 0));
    EXPECT_EQ(select(L"ALL\n\n", nullptr, curves.get()), (Ids{halfCircle, polyline}));
    EXPECT_TRUE(said(L"4 were filtered out."));
    EXPECT_EQ(select(L"C 0,0 100,100\n\n", nullptr, curves.get()), (Ids{halfCircle, polyline}));

    const Rb broken(acutBuildList(-4, L"<or", RTDXF0, L"ARC", 0));
    transcript.clear();
    int rc = 0;
    EXPECT_EQ(select(L"ALL\n\n", nullptr, broken.get(), &rc), Ids{});
    EXPECT_EQ(rc, RTERROR);
    EXPECT_TRUE(said(L"*Invalid selection filter*"));
    EXPECT_FALSE(said(L"Select objects: ")) << "refused before asking";
}

TEST_F(SelectionTest, LastPreviousAllAndThePickFirstSelection) {
    EXPECT_EQ(select(L"L\n\n"), Ids{text});
    EXPECT_EQ(select(L"W 5,5 35,25\n\n"), Ids{shortLine});
    EXPECT_EQ(select(L"P\nL\n\n"), (Ids{shortLine, text}));
    EXPECT_EQ(select(L"ALL\n\n").size(), 6u);

    ads_name last;
    ASSERT_EQ(acdbEntLast(last), RTNORM);
    AcDbObjectId lastId;
    ASSERT_EQ(acdbGetObjectId(lastId, last), Acad::eOk);
    EXPECT_EQ(lastId, text);

    // The pick-first selection, made from entity names as the module does.
    ads_name set, e1, e2;
    ASSERT_EQ(acdbGetAdsName(e1, circle), Acad::eOk);
    ASSERT_EQ(acdbGetAdsName(e2, polyline), Acad::eOk);
    ASSERT_EQ(acedSSAdd(nullptr, nullptr, set), RTNORM);
    EXPECT_EQ(acedSSAdd(e1, set, set), RTNORM);
    EXPECT_EQ(acedSSAdd(e2, set, set), RTNORM);
    EXPECT_EQ(acedSSAdd(e2, set, set), RTNORM) << "once only";
    EXPECT_EQ(idsOf(set), (Ids{circle, polyline}));
    EXPECT_EQ(acedSSMemb(e1, set), RTNORM);
    EXPECT_EQ(acedSSDel(e1, set), RTNORM);
    EXPECT_EQ(acedSSMemb(e1, set), RTERROR);
    EXPECT_EQ(acedSSDel(e1, set), RTERROR);
    ASSERT_EQ(acedSSSetFirst(set, nullptr), RTNORM);
    acedSSFree(set);
    ads_name ss;
    ASSERT_EQ(acedSSGet(L"_I", nullptr, nullptr, nullptr, ss), RTNORM);
    EXPECT_EQ(idsOf(ss), Ids{polyline});
    acedSSFree(ss);
    resbuf *gset = nullptr, *pset = nullptr;
    ASSERT_EQ(acedSSGetFirst(&gset, &pset), RTNORM);
    ASSERT_NE(pset, nullptr);
    EXPECT_EQ(pset->restype, RTPICKS);
    EXPECT_EQ(idsOf(pset->resval.rlname), Ids{polyline});
    acedSSFree(gset->resval.rlname);
    acedSSFree(pset->resval.rlname);
    acutRelRb(gset);
    acutRelRb(pset);
    ASSERT_EQ(acedSSSetFirst(nullptr, nullptr), RTNORM);
    EXPECT_EQ(acedSSGet(L"I", nullptr, nullptr, nullptr, ss), RTERROR);
    EXPECT_EQ(host::openSelectionSetCount(), 0);
}

TEST_F(SelectionTest, BadAnswersAndBadNamesChangeNothing) {
    int rc = 0;
    EXPECT_EQ(select(L"abc\n1,,2\nNaN,1\nW 1,1 bad\n20,10\n\n", nullptr, nullptr, &rc), Ids{shortLine});
    EXPECT_EQ(rc, RTNORM);
    EXPECT_TRUE(said(L"*Invalid selection*"));
    EXPECT_TRUE(said(L"Select objects: abc\n*Invalid selection*\nExpects a point or "
                     L"Window/Last/Crossing/ALL/Fence/Previous"));
    EXPECT_EQ(select(L"20,10\nESC\n", nullptr, nullptr, &rc), Ids{});
    EXPECT_EQ(rc, RTCAN) << "a cancel drops what was picked";
    EXPECT_EQ(host::openSelectionSetCount(), 0);
    // A script that ends while selecting ends the selection as Enter does.
    EXPECT_EQ(select(L"20,10\n", nullptr, nullptr, &rc), Ids{shortLine});

    ads_name ss, bogus = {12345, 0x5353}, e;
    EXPECT_EQ(acedSSGet(L"Q", nullptr, nullptr, nullptr, ss), RTERROR) << "unknown mode";
    EXPECT_EQ(acedSSGet(L":Z", nullptr, nullptr, nullptr, ss), RTERROR);
    const ads_point nan = {std::numeric_limits<double>::quiet_NaN(), 0, 0}, ok = {1, 1, 0};
    EXPECT_EQ(acedSSGet(L"W", nan, ok, nullptr, ss), RTERROR);
    EXPECT_EQ(acedSSGet(L"W", ok, nullptr, nullptr, ss), RTERROR);
    Adesk::Int32 n = 0;
    EXPECT_EQ(acedSSLength(bogus, &n), RTERROR);
    EXPECT_EQ(acedSSName(bogus, 0, e), RTERROR);
    EXPECT_EQ(acedSSFree(bogus), RTERROR);
    ads_name someEntity;
    ASSERT_EQ(acdbGetAdsName(someEntity, shortLine), Acad::eOk);
    EXPECT_EQ(acedSSLength(someEntity, &n), RTERROR) << "an entity's name is no set";
    ASSERT_EQ(acedSSGet(L"X", nullptr, nullptr, nullptr, ss), RTNORM);
    EXPECT_EQ(acedSSName(ss, 6, e), RTERROR);
    EXPECT_EQ(acedSSName(ss, -1, e), RTERROR);
    EXPECT_EQ(acedSSFree(ss), RTNORM);
    EXPECT_EQ(acedSSFree(ss), RTERROR) << "freed twice";
    const ads_name notAnEntity = {999999, reinterpret_cast<LONG_PTR>(m_db.get())};
    EXPECT_EQ(acedSSAdd(notAnEntity, nullptr, ss), RTERROR);
}

TEST_F(SelectionTest, HiddenLayersAreNotSelectedLockedOnesOnlyWhenAllowed) {
    AcDbLayerTable* layers = nullptr;
    ASSERT_EQ(m_db->getLayerTable(layers, AcDb::kForWrite), Acad::eOk);
    auto* off = new AcDbLayerTableRecord;
    off->setName(L"OFF");
    off->setIsOff(true);
    layers->add(off);
    off->close();
    auto* locked = new AcDbLayerTableRecord;
    locked->setName(L"LOCKED");
    locked->setIsLocked(true);
    layers->add(locked);
    locked->close();
    layers->close();
    auto* hidden = new AcDbLine(AcGePoint3d(10, 30, 0), AcGePoint3d(30, 30, 0));
    hidden->setLayer(L"OFF");
    const AcDbObjectId hiddenId = append(hidden);
    auto* fixed = new AcDbLine(AcGePoint3d(10, 35, 0), AcGePoint3d(30, 35, 0));
    fixed->setLayer(L"LOCKED");
    const AcDbObjectId lockedId = append(fixed);

    EXPECT_EQ(select(L"W 5,28 35,37\n\n"), Ids{lockedId});
    EXPECT_EQ(select(L"W 5,28 35,37\n\n", L":L"), Ids{});
    ads_name ss;
    ASSERT_EQ(acedSSGet(L"_X", nullptr, nullptr, nullptr, ss), RTNORM);
    const Ids all = idsOf(ss);
    acedSSFree(ss);
    EXPECT_NE(std::find(all.begin(), all.end(), hiddenId), all.end()) << "X takes everything";
}

TEST_F(SelectionTest, PicksReachTheMessageFiltersWithClientCoordinates) {
    static std::vector<MSG> seen;
    seen.clear();
    auto filter = [](MSG* msg) -> BOOL {
        seen.push_back(*msg);
        return FALSE;
    };
    ASSERT_TRUE(acedRegisterFilterWinMsg(filter));
    select(L"20,10\n\n");
    acedRemoveFilterWinMsg(filter);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].message, UINT(WM_LBUTTONDOWN));
    EXPECT_EQ(seen[1].message, UINT(WM_LBUTTONUP));
    EXPECT_EQ(seen[0].hwnd, host::drawingViewWindow());
    // 30 units left of the centre at 10 pixels a unit, 40 units below it.
    EXPECT_EQ(GET_X_LPARAM(seen[0].lParam), 200);
    EXPECT_EQ(GET_Y_LPARAM(seen[0].lParam), 900);
    const AcGePoint3d back = host::worldPointOf(200, 900);
    EXPECT_NEAR(back.x, 20, kUnitsPerPixel / 2);
    EXPECT_NEAR(back.y, 10, kUnitsPerPixel / 2);
}

TEST_F(SelectionTest, EntSelPicksOneEntityNEntSelPLooksIntoBlocks) {
    script(L"20,10.1\n5,95\nEdit\n");
    ads_name e;
    ads_point p;
    ASSERT_EQ(acedEntSel(nullptr, e, p), RTNORM);
    AcDbObjectId id;
    ASSERT_EQ(acdbGetObjectId(id, e), Acad::eOk);
    EXPECT_EQ(id, shortLine);
    EXPECT_NEAR(p[1], 10.1, kPointTol);
    EXPECT_TRUE(said(L"Select object: "));
    EXPECT_EQ(acedEntSel(L"\nPick: ", e, p), RTERROR) << "nothing there";
    acedInitGet(0, L"Edit");
    EXPECT_EQ(acedEntSel(L"\nPick or [Edit]: ", e, p), RTKWORD);

    // A block holding a line from (0,0) to (5,0), inserted at (40,70) turned by 90 degrees.
    AcDbBlockTable* blocks = nullptr;
    ASSERT_EQ(m_db->getBlockTable(blocks, AcDb::kForWrite), Acad::eOk);
    auto* def = new AcDbBlockTableRecord;
    def->setName(L"POST");
    AcDbObjectId defId;
    ASSERT_EQ(blocks->add(defId, def), Acad::eOk);
    blocks->close();
    AcDbObjectId inner;
    auto* post = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(5, 0, 0));
    ASSERT_EQ(def->appendAcDbEntity(inner, post), Acad::eOk);
    post->close();
    def->close();
    auto* ref = new AcDbBlockReference(AcGePoint3d(40, 70, 0), defId);
    ref->setRotation(std::numbers::pi / 2);
    const AcDbObjectId refId = append(ref);

    ads_point at = {40.1, 72, 0};
    ads_matrix xform;
    resbuf* stack = nullptr;
    ASSERT_EQ(acedNEntSelP(nullptr, e, at, 1, xform, &stack), RTNORM);
    ASSERT_EQ(acdbGetObjectId(id, e), Acad::eOk);
    EXPECT_EQ(id, inner);
    ASSERT_NE(stack, nullptr);
    AcDbObjectId outer;
    ASSERT_EQ(acdbGetObjectId(outer, stack->resval.rlname), Acad::eOk);
    EXPECT_EQ(outer, refId);
    EXPECT_EQ(stack->rbnext, nullptr);
    acutRelRb(stack);
    // The block's X axis lies along the world's Y axis, its origin at the insertion.
    EXPECT_NEAR(xform[0][0], 0, kPointTol);
    EXPECT_NEAR(xform[1][0], 1, kPointTol);
    EXPECT_NEAR(xform[0][3], 40, kPointTol);
    EXPECT_NEAR(xform[1][3], 70, kPointTol);

    ads_point onLine = {20, 10, 0};
    ASSERT_EQ(acedNEntSelP(nullptr, e, onLine, 1, xform, &stack), RTNORM);
    ASSERT_EQ(acdbGetObjectId(id, e), Acad::eOk);
    EXPECT_EQ(id, shortLine);
    EXPECT_EQ(stack, nullptr);
    EXPECT_NEAR(xform[0][0], 1, kPointTol);
    EXPECT_NEAR(xform[0][3], 0, kPointTol);
}

TEST_F(SelectionTest, OpenSetsAreLimitedAsInTheHost) {
    std::vector<std::array<LONG_PTR, 2>> sets;
    ads_name ss;
    while (acedSSAdd(nullptr, nullptr, ss) == RTNORM)
        sets.push_back({ss[0], ss[1]});
    EXPECT_EQ(sets.size(), size_t(kMaxSelectionSets));
    EXPECT_EQ(acedSSGet(L"X", nullptr, nullptr, nullptr, ss), RTERROR);
    const ads_name first = {sets[0][0], sets[0][1]};
    EXPECT_EQ(acedSSFree(first), RTNORM);
    EXPECT_EQ(acedSSGet(L"X", nullptr, nullptr, nullptr, ss), RTNORM) << "a freed set makes room";
}

// Among a thousand more lines, a pick draws only what lies near it and follows every
// change: a moved line is found where it went, an erased one nowhere, an undone move
// where it was.
TEST_F(SelectionTest, PicksInABigDrawingFollowMovesErasesAndUndo) {
    for (int i = 0; i < 1000; ++i) {
        const double x = 0.1 * (i % 100), y = 100 + 0.5 * (i / 100);
        append(new AcDbLine(AcGePoint3d(x, y, 0), AcGePoint3d(x + 0.05, y, 0)));
    }
    host::EntityIndex& index = m_db->entityIndex();
    EXPECT_EQ(select(L"20,10.25\n\n"), Ids{shortLine});
    const uint64_t draws = index.drawCount();
    EXPECT_EQ(select(L"20,19.8\n\n"), Ids{longLine});
    EXPECT_EQ(index.drawCount(), draws) << "nothing changed, nothing is drawn again";

    host::beginUndoGroup(m_db.get());
    AcDbEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(ent, shortLine, AcDb::kForWrite), Acad::eOk);
    ent->transformBy(AcGeMatrix3d::translation(AcGeVector3d(0, 30, 0)));
    ent->close();
    ASSERT_EQ(acdbOpenAcDbEntity(ent, longLine, AcDb::kForWrite), Acad::eOk);
    ent->erase();
    ent->close();
    host::endUndoGroup(m_db.get());
    EXPECT_LE(index.drawCount(), draws + 1) << "only the changed line that still exists is drawn again";
    EXPECT_EQ(select(L"20,10.25\n\n"), Ids{});
    EXPECT_EQ(select(L"20,40.25\n\n"), Ids{shortLine});
    EXPECT_EQ(select(L"20,19.9\n\n"), Ids{}) << "the erased line is not picked";
    EXPECT_EQ(select(L"C 9,9 31,11\n\n"), Ids{}) << "nor does a window find the line where it was";

    ASSERT_EQ(host::undoLastGroup(m_db.get()), Acad::eOk);
    EXPECT_EQ(select(L"20,10.25\n\n"), Ids{shortLine});
    EXPECT_EQ(select(L"20,19.9\n\n"), Ids{longLine});
    EXPECT_EQ(select(L"20,40.25\n\n"), Ids{});
}
