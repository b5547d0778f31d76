// The chain's context menu driven as a user drives it: right clicks and menu choices in
// the script, the timer run when the host is idle, the chosen operation run by the
// popup command; and the classification that picks the menu.
#include "tests/module/ui/PaletteWindowTestEnv.h"

#include "host/db/entities/AcDbArc.h"
#include "host/db/tables/AcDbLayerTableRecord.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/dimensions/AcDbRotatedDimension.h"
#include "host/db/entities/AcDbText.h"
#include "host/db/database/HighlightedParts.h"
#include "host/db/database/acutResbuf.h"
#include "host/ge/AcGeTol.h"
#include "host/ed/input/RightClick.h"
#include "host/mfc/WinTimer.h"
#include "host/win/ScriptUiDriver.h"
#include "host/win/UiEventQueue.h"
#include "host/win/UiPalette.h"
#include "module/app/FormatMarks.h"
#include "module/chain/PopupState.h"
#include "module/options/OptionIndices.h"
#include "module/resources/ContextMenuResources.h"
#include "module/ui/CDlgAutoPosOrder.h"
#include "module/ui/CDlgMovement.h"
#include "module/ui/ChainPopup.h"
#include "module/ui/ContextMenu.h"
#include "module/ui/PaletteChainPicks.h"
#include "module/ui/TextMoves.h"
#include "module/services/XDataServices.h"

#include <cmath>
#include <functional>
#include <numbers>
#include <optional>

namespace {

using palettetest::PaletteWindowTest;

class ChainPopupTest : public PaletteWindowTest {
protected:
    void SetUp() override {
        PaletteWindowTest::SetUp();
        if (HasFatalFailure()) return;
        host::hostInput().setEventHandler(
            [](const std::wstring& e) { return host::handleRightClickEvent(e) || host::handlePaletteEvent(e); });
        host::commandLine().setIdleHandler([] { host::mfc::runIdleWork(); });
        // Menus and dialogs take their answers from the script lines that follow them.
        host::uiEventQueue().setFeeder([] { return host::hostInput().nextUiEvent(); });
        m_driverScope = std::make_unique<host::UiDriverScope>(m_driver);
        run(L"XOTA_Hdim\n0,0\n10,0\n5,-5\n16,0\n\n");
        ASSERT_EQ(chains().size(), 1u) << transcript();
        m_chain = chains()[0];
    }
    void TearDown() override {
        m_driverScope.reset();
        host::uiEventQueue().setFeeder(nullptr);
        host::commandLine().setIdleHandler(nullptr);
        PaletteWindowTest::TearDown();
    }
    int status(int index) const {
        return read<int>(m_chain, [index](TRdim& c) { return static_cast<int>(c.GetParamInt(index)); });
    }
    AcDbObjectId m_chain;
    host::ScriptUiDriver m_driver{&host::uiEventQueue()};
    std::unique_ptr<host::UiDriverScope> m_driverScope;
};

} // namespace

// The sum, background and alternate-unit items switch their state: a shown state
// becomes 2, a hidden one 1; "Alle Maßzahländerungen zurück" clears every manual value.
TEST_F(ChainPopupTest, SwitchesAndClearingRunOnTheRightClickedChain) {
    change(m_chain, [](TRdim& c) {
        c.SetParamInt(IND_I_SumStatus, 1);
        c.SetDimTextUser(1, L"ca. 3");
        c.SetDimTextUser(2, L"x");
    });
    run(L"@rclick 2,-5\n@menu 32880\n");
    EXPECT_EQ(status(IND_I_SumStatus), 2) << transcript();
    run(L"@rclick 2,-5\n@menu 32880\n");
    EXPECT_EQ(status(IND_I_SumStatus), 1);
    run(L"@rclick 2,-5\n@menu 32886\n");
    const int background = status(IND_I_WipeOutStatus);
    EXPECT_TRUE(background == 1 || background == 2);
    run(L"@rclick 2,-5\n@menu 32886\n");
    EXPECT_EQ(status(IND_I_WipeOutStatus), background == 1 ? 2 : 1);
    run(L"@rclick 2,-5\n@menu 32801\n");
    EXPECT_EQ(read<std::wstring>(m_chain, [](TRdim& c) { return c.GetDimTextUser(1) + c.GetDimTextUser(2); }), L"");
    // Dismissed: nothing runs, nothing stays pending.
    run(L"@rclick 2,-5\n");
    EXPECT_TRUE(GetPopupOperation().objectId.isNull());
    EXPECT_EQ(host::mfc::timerCount(), 0);
}

// The chain label goes in with its side code, the last side is remembered; Cancel and
// a label with no side change nothing; removing the label empties it.
TEST_F(ChainPopupTest, ChainLabelKeepsItsSideCodeAndCancelChangesNothing) {
    auto label = [this] { return read<std::wstring>(m_chain, [](TRdim& c) { return c.GetParamString(IND_S_DimDescription); }); };
    run(L"@rclick 2,-5\n@menu 32881\n@dialog 1001 = Achse A\n@dialog check 1162 0\n@dialog check 1163 1\n"
        L"@dialog click 1\n");
    EXPECT_EQ(label(), L"2Achse A") << transcript();
    run(L"@rclick 2,-5\n@menu 32881\n@dialog 1001 = Neu\n@dialog click 2\n");
    EXPECT_EQ(label(), L"2Achse A");
    run(L"@rclick 2,-5\n@menu 32881\n@dialog check 1163 0\n@dialog click 1\n");
    EXPECT_EQ(label(), L"2Achse A");
    EXPECT_TRUE(said(L"nichts ge\u00E4ndert"));
    run(L"@rclick 2,-5\n@menu 32885\n");
    EXPECT_EQ(label(), L"");
}

// Ticks, leaders and hidden extension lines go to the picked parts only; picking the
// same part twice leaves it out.
TEST_F(ChainPopupTest, SegmentSwitchesReachOnlyThePickedParts) {
    run(L"@rclick 2,-5\n@menu 32859\n10,-4.5\n16,-4.5\n16,-4.5\n\n");
    EXPECT_EQ(read<int>(m_chain, [](TRdim& c) { return c.GetTickSymbol(1); }), 4) << transcript();
    EXPECT_NE(read<int>(m_chain, [](TRdim& c) { return c.GetTickSymbol(2); }), 4);
    run(L"@rclick 2,-5\n@menu 32853\n10,-4.5\n\n");
    EXPECT_FALSE(read<bool>(m_chain, [](TRdim& c) { return c.IsExtVisible(1); }));
    EXPECT_TRUE(read<bool>(m_chain, [](TRdim& c) { return c.IsExtVisible(2); }));
    run(L"@rclick 2,-5\n@menu 32852\n5,-4.6\n\n"); // the value of segment 1
    EXPECT_TRUE(read<bool>(m_chain, [](TRdim& c) { return c.IsExtVisible(1); }));
}

// The kinds the menu is chosen by: chains by type and kind, an arc chain's menu is 134,
// host objects without the module's mark and nothing at all are no kind.
TEST_F(ChainPopupTest, ObjectKindsChooseTheirMenus) {
    int sub = -1;
    const int type = status(IND_I_LastType);
    EXPECT_EQ(GetObjectType(m_chain, sub), 100 + type);
    EXPECT_EQ(sub, 0);
    int mode = 0;
    EXPECT_EQ(ContextMenuResource(100, 0, mode), IDR_MENU_CHAIN);
    EXPECT_EQ(mode, 2);
    EXPECT_EQ(ContextMenuResource(103, 3, mode), IDR_MENU_CHAIN_ARC);
    EXPECT_EQ(ContextMenuResource(251, 2, mode), IDR_MENU_HEIGHT_BASE);
    EXPECT_EQ(mode, 3);
    EXPECT_EQ(ContextMenuResource(302, 0, mode), IDR_MENU_HEIGHT_PLAN);
    EXPECT_EQ(mode, 4);
    EXPECT_EQ(ContextMenuResource(0, 60, mode), IDR_MENU_HOST_RADIAL);
    EXPECT_EQ(ContextMenuResource(0, 10, mode), IDR_MENU_HOST_TEXT);
    EXPECT_EQ(mode, 5);
    EXPECT_EQ(ContextMenuResource(0, 0, mode), 0);
    EXPECT_EQ(GetObjectType(AcDbObjectId::kNull, sub), 0);
    EXPECT_EQ(sub, 0);
    const AcDbObjectId line = add(new AcDbLine(AcGePoint3d(0, 8, 0), AcGePoint3d(10, 8, 0)));
    EXPECT_EQ(GetObjectType(line, sub), 0);
    EXPECT_EQ(sub, 0);
    run(L"@rclick 5,8\n");
    EXPECT_TRUE(said(host::hostContextMenuLine()));
}

// The position dialog's buttons: nine codes in three columns and rows, eight arrows of
// unit length; the palette's point removal counts down later picks on the same chain.
TEST(ChainPopupPieces, PositionButtonsArrowsAndRemovalOrder) {
    EXPECT_EQ(CDlgMovement::PositionCodeOf(1026), 8);
    EXPECT_EQ(CDlgMovement::PositionCodeOf(1044), 1);
    EXPECT_EQ(CDlgMovement::PositionCodeOf(1053), 15);
    EXPECT_EQ(CDlgMovement::PositionCodeOf(1001), 0);
    double dx = 0, dy = 0;
    ASSERT_TRUE(CDlgMovement::ArrowDirection(1055, dx, dy));
    EXPECT_EQ(dx, 0.0);
    EXPECT_EQ(dy, 1.0);
    ASSERT_TRUE(CDlgMovement::ArrowDirection(1058, dx, dy));
    EXPECT_EQ(dx, 1.0);
    EXPECT_FALSE(CDlgMovement::ArrowDirection(1070, dx, dy));
    EXPECT_EQ(LabelLocationCode(true, true), 3);
    EXPECT_EQ(LabelLocationCode(false, false), 0);

    AcDbObjectId a, b;
    a.setFromOldId(1);
    b.setFromOldId(2);
    const DimSegmentList order = RemovalOrder({{a, 1, 2}, {b, 3, 2}, {a, 3, 2}, {a, 0, 2}, {a, 2, 2}});
    ASSERT_EQ(order.size(), 5u);
    EXPECT_EQ(order[0].index, 1);
    EXPECT_EQ(order[1].index, 3);
    EXPECT_EQ(order[2].index, 2); // 3, after the point before it went
    EXPECT_EQ(order[3].index, 0);
    EXPECT_EQ(order[4].index, 0); // 2, after two points before it went
}

// The automatic order: the side code first, then the places by rank; only "Rechts"
// starts with 2; a place clicked gets the next rank, "Entfernen" takes it away and
// closes the gap; Cancel gives an empty text.
TEST_F(ChainPopupTest, AutomaticOrderStartsWithTheSideCodeAndCancelGivesNothing) {
    EXPECT_EQ(CDlgAutoPosOrder::BuildOrderText(false, true, {1, 2, 3, 4, 5, 0, 0, 0}), L"2,1,2,3,4,5");
    EXPECT_EQ(CDlgAutoPosOrder::BuildOrderText(true, true, {0, 0, 2, 0, 0, 0, 0, 1}), L"3,8,3");
    EXPECT_EQ(CDlgAutoPosOrder::BuildOrderText(false, false, {}), L"0");

    auto dialog = [](const std::wstring& events, std::wstring& order) {
        host::hostInput().pushSource(std::make_unique<host::ScriptSource>(events, L"test.scr"));
        CDlgAutoPosOrder dlg;
        const INT_PTR result = dlg.DoModal();
        order = dlg.m_strOrder;
        return result;
    };
    std::wstring order;
    EXPECT_EQ(dialog(L"@dialog check 1163 1\n@dialog click 1\n", order), IDOK);
    EXPECT_EQ(order, L"2,1,2,3,4,5");
    EXPECT_EQ(dialog(L"@dialog click 1171\n@dialog click 1166\n@dialog click 1049\n@dialog click 1\n", order), IDOK);
    EXPECT_EQ(order, L"0,1,3,4,5,7");
    EXPECT_EQ(dialog(L"@dialog check 1162 1\n@dialog click 2\n", order), IDCANCEL);
    EXPECT_EQ(order, L"");
}

namespace {

// Geometry the operations compute: far below a drawing's precision, far above rounding.
constexpr double kGeomTol = 1e-9;

// The appended text of segment k, if the chain has one.
std::optional<AppendingText> AppendedText(TRdim& chain, int k) {
    AppendingTextList records = chain.AppTexts();
    const int at = FindAppendingText(records, k);
    if (at < 0) return std::nullopt;
    return records[static_cast<size_t>(at)];
}

} // namespace

// "Zusatz-Maßtext": entered for the picked values (below each value, showing the number
// it reads as), taken from a drawing text that is then erased, placed by hand, refused
// when empty, unchanged on Cancel, and removed from the picked values only.
TEST_F(ChainPopupTest, AppendedTextsAreEnteredTakenFromTextsAndRemoved) {
    auto record = [this](int k) { return read<std::optional<AppendingText>>(m_chain, [k](TRdim& c) { return AppendedText(c, k); }); };
    run(L"@rclick 2,-5\n@menu 32813\n5,-5\n13,-5\n\n@dialog 1143 = 2,50 m\n@dialog click 1\n");
    for (int k : {1, 2}) {
        const std::optional<AppendingText> r = record(k);
        ASSERT_TRUE(r.has_value()) << "segment " << k << transcript();
        EXPECT_EQ(r->m_strText, L"2,50 m");
        EXPECT_NEAR(r->m_dValue, 2.5, kGeomTol);
        EXPECT_EQ(r->m_iAutoPos, 1);
        const AcGePoint3d value = read<AcGePoint3d>(m_chain, [k](TRdim& c) { return c.GetPointTextPos(k); });
        EXPECT_LT(r->m_position.y, value.y) << "below its value";
    }
    run(L"@rclick 2,-5\n@menu 32813\n5,-5\n\n@dialog 1143 = neu\n@dialog click 2\n");
    EXPECT_EQ(record(1)->m_strText, L"2,50 m");
    // The field starts with the picked segment's text; "eigener Griff" places it by hand.
    run(L"@rclick 2,-5\n@menu 32813\n5,-5\n\n@dialog check 1077 1\n@dialog click 1\n");
    EXPECT_EQ(record(1)->m_strText, L"2,50 m");
    EXPECT_EQ(record(1)->m_iAutoPos, 0);
    run(L"@rclick 2,-5\n@menu 32813\n13,-5\n\n@dialog 1143 = \n@dialog click 1\n");
    EXPECT_TRUE(said(L"Zusatz-Ma\u00DFtext ist leer"));
    EXPECT_EQ(record(2)->m_strText, L"2,50 m");

    const AcDbObjectId door = add(new AcDbText(AcGePoint3d(3, 8, 0), L"T\u00FCr 1", AcDbObjectId::kNull, 1.0));
    run(L"@rclick 2,-5\n@menu 32813\n13,-5\n\n@dialog click 1169\n3.5,8.4\n@dialog check 1078 1\n"
        L"@dialog click 1\n");
    EXPECT_EQ(record(2)->m_strText, L"T\u00FCr 1") << transcript();
    AcDbEntity* erased = nullptr;
    EXPECT_NE(acdbOpenAcDbEntity(erased, door, AcDb::kForRead), Acad::eOk) << "the picked text is erased";
    if (erased) erased->close();

    run(L"@rclick 2,-5\n@menu 32814\n5,-5\n\n");
    EXPECT_FALSE(record(1).has_value());
    EXPECT_TRUE(record(2).has_value());
}

// The pick loop shows what is picked: a value shows its text and its piece of the
// dimension line, a second pick of it takes both away, and the end of the loop leaves
// nothing highlighted.
TEST_F(ChainPopupTest, PickedPartsShowHighlightedUntilThePickingEnds) {
    std::vector<std::vector<Adesk::GsMarker>> seen;
    auto probe = [this, &seen] {
        seen.push_back(read<std::vector<Adesk::GsMarker>>(m_chain, [](TRdim& c) { return host::highlightedMarkers(&c); }));
    };
    class ProbingSource : public host::InputSource {
    public:
        ProbingSource(std::vector<std::wstring> lines, std::function<void()> probe)
            : m_lines(std::move(lines)), m_probe(std::move(probe)) {}
        std::optional<std::wstring> readLine() override {
            if (m_next >= m_lines.size()) return std::nullopt;
            // The state before each answer to a pick prompt (not before the menu lines).
            if (m_next >= 2) m_probe();
            return m_lines[m_next++];
        }

    private:
        std::vector<std::wstring> m_lines;
        std::function<void()> m_probe;
        size_t m_next = 0;
    };
    host::hostInput().pushSource(std::make_unique<ProbingSource>(
        std::vector<std::wstring>{L"@rclick 2,-5", L"@menu 32812", L"13,-5", L"5,-5", L"13,-5", L""}, probe));
    host::commandLine().run();
    probe();
    ASSERT_EQ(seen.size(), 5u) << transcript();
    EXPECT_TRUE(seen[0].empty());
    EXPECT_EQ(seen[1], (std::vector<Adesk::GsMarker>{7, 9})); // segment 2: text 7, line 9
    EXPECT_EQ(seen[2], (std::vector<Adesk::GsMarker>{7, 9, 4, 6}));
    EXPECT_EQ(seen[3], (std::vector<Adesk::GsMarker>{4, 6}));
    EXPECT_TRUE(seen[4].empty());
}

// Menus 137 and 138 on the host's texts and dimensions with the module's mark: the
// format mark becomes the default of the text or chain options, a dimension's switch
// changes the dimension, a locked layer refuses, an unmarked text keeps the host's menu.
TEST_F(ChainPopupTest, MarkedHostObjectsRunWhatIsBuilt) {
    auto marked = [this](AcDbEntity* entity, int lastType) {
        const AcDbObjectId id = add(entity);
        AcDbEntity* e = nullptr;
        EXPECT_EQ(acdbOpenAcDbEntity(e, id, AcDb::kForWrite), Acad::eOk);
        EXPECT_TRUE(SetXData(e, L"LINTARO_OBJECT", L"_LINTARO_", 1));
        EXPECT_EQ(RegisterApp(m_db.get(), L"LINTARO_DATA"), Acad::eOk);
        resbuf* data = acutBuildList(1001, L"LINTARO_DATA", 1000, L"1:20", 1070, 0, 1070, 0, 1070, 0, 1070,
                                     lastType, 1040, 0.05, 0);
        EXPECT_EQ(e->setXData(data), Acad::eOk);
        acutRelRb(data);
        e->close();
        return id;
    };
    const AcDbObjectId text = marked(new AcDbText(AcGePoint3d(3, 8, 0), L"Raum", AcDbObjectId::kNull, 1.0), 0);
    int sub = 0;
    EXPECT_EQ(GetObjectType(text, sub), 0);
    EXPECT_EQ(sub, 10);
    run(L"@rclick 3.5,8.4\n@menu 32800\n");
    const COptionSet& texts = pGlobDimOptions->GetOptionSet(OPT_MODE_TEXT);
    EXPECT_EQ(texts.arrayOptString[IND_S_Scale], L"1:20") << transcript();
    EXPECT_NEAR(texts.arrayOptDouble[IND_D_ScaleVal], 0.05, kGeomTol);
    // The properties of the marked text: its height edited in the dialog.
    run(L"@rclick 3.5,8.4\n@menu 32887\n@dialog 1351 = 35\n@dialog click 1\n");
    EXPECT_FALSE(said(L"not available yet")) << transcript();
    {
        AcDbText* t = nullptr;
        ASSERT_EQ(acdbOpenObject(t, text, AcDb::kForRead), Acad::eOk);
        std::optional<TRdimParams> data = GetLintaroData(t);
        t->close();
        ASSERT_TRUE(data.has_value());
        EXPECT_NEAR(data->arrayDouble[IND_D_TextHeight], 35.0, kGeomTol) << transcript();
        EXPECT_EQ(data->arrayString[IND_S_Scale], L"1:20");
    }

    const AcDbObjectId dim = marked(
        new AcDbRotatedDimension(0.0, AcGePoint3d(20, 0, 0), AcGePoint3d(30, 0, 0), AcGePoint3d(25, 3, 0)), 2);
    EXPECT_EQ(GetObjectType(dim, sub), 0);
    EXPECT_EQ(sub, 50);
    run(L"@rclick 25,3\n@menu 32853\n");
    AcDbDimension* hidden = nullptr;
    ASSERT_EQ(acdbOpenObject(hidden, dim, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(hidden->dimse1() && hidden->dimse2()) << transcript();
    hidden->close();
    run(L"@rclick 25,3\n@menu 32800\n");
    EXPECT_EQ(pGlobDimOptions->GetOptionSet(OPT_MODE_CHAIN).arrayOptString[IND_S_Scale], L"1:20");

    // A locked layer refuses before anything runs.
    AcDbEntity* e = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(e, text, AcDb::kForRead), Acad::eOk);
    AcDbLayerTableRecord* layer = nullptr;
    ASSERT_EQ(acdbOpenObject(layer, e->layerId(), AcDb::kForWrite), Acad::eOk);
    e->close();
    layer->setIsLocked(true);
    layer->close();
    // The text is small now (3.5 mm at 1:20): picked at its start.
    run(L"@rclick 3.02,8.02\n@menu 32887\n");
    EXPECT_TRUE(said(L"Objekt auf gesperrtem Layer")) << transcript();

    const AcDbObjectId plain = add(new AcDbText(AcGePoint3d(3, 12, 0), L"frei", AcDbObjectId::kNull, 1.0));
    EXPECT_EQ(GetObjectType(plain, sub), 0);
    EXPECT_EQ(sub, 0);
}

// An arc chain linked to another arc measures along it: the new arc holds the chain
// among its reactors, the old one no more, and the points lie on the new arc.
TEST_F(ChainPopupTest, AnArcChainLinkedToAnotherArcFollowsIt) {
    const AcDbObjectId first = add(new AcDbArc(AcGePoint3d(40, 0, 0), 2.0, 0.0, std::numbers::pi / 2));
    run(L"XOTA_dimArc\n41.41421356,1.41421356\n42,0\n40,2\n43,0\n\n");
    ASSERT_EQ(chains().size(), 2u) << transcript();
    const AcDbObjectId arcChain = chains()[1];
    ASSERT_EQ(read<AcDbObjectId>(arcChain, [](TRdim& c) { return c.GetArcObjectId(); }), first);
    const AcDbObjectId second = add(new AcDbArc(AcGePoint3d(40, 0, 0), 2.5, 0.0, std::numbers::pi / 2));
    run(L"@rclick 43,0\n@menu 32844\n41.76776695,1.76776695\n");
    EXPECT_EQ(read<AcDbObjectId>(arcChain, [](TRdim& c) { return c.GetArcObjectId(); }), second) << transcript();
    auto follows = [arcChain](AcDbObjectId curve) {
        AcDbObject* o = nullptr;
        if (acdbOpenObject(o, curve, AcDb::kForRead) != Acad::eOk) return false;
        const bool found = o->hasPersistentReactor(arcChain);
        o->close();
        return found;
    };
    EXPECT_TRUE(follows(second));
    EXPECT_FALSE(follows(first));
    const std::vector<AcGePoint3d> points = read<std::vector<AcGePoint3d>>(arcChain, [](TRdim& c) {
        std::vector<AcGePoint3d> p;
        for (int i = 0; i < c.GetExtensions(); ++i) p.push_back(c.GetPointInput(i));
        return p;
    });
    ASSERT_EQ(points.size(), 2u);
    for (const AcGePoint3d& p : points)
        EXPECT_NEAR(p.distanceTo(AcGePoint3d(40, 0, 0)), 2.5, kGeomTol);
}

// The arrows along and across the segment, to the other side of the dimension line,
// back home and to the segment's middle, and the step measured in the drawing.
TEST(ChainPopupPieces, SegmentArrowsMoveTextsRelativeToTheirSegment) {
    const AcGePoint3d a(0, 0, 0), b(10, 0, 0), text(3, 1, 0);
    const AcGeVector3d up(0, 0, 1);
    auto near = [](const AcGePoint3d& p, double x, double y) {
        return std::fabs(p.x - x) < kGeomTol && std::fabs(p.y - y) < kGeomTol;
    };
    EXPECT_TRUE(near(MoveBySegment(TextMoveOf(1064), text, a, b, up, 2.0), 5, 1));
    EXPECT_TRUE(near(MoveBySegment(TextMoveOf(1063), text, a, b, up, 2.0), 1, 1));
    EXPECT_TRUE(near(MoveBySegment(TextMoveOf(1065), text, a, b, up, 2.0), 3, 3));
    EXPECT_TRUE(near(MoveBySegment(TextMoveOf(1066), text, a, b, up, 2.0), 3, -1));
    EXPECT_TRUE(near(MoveBySegment(TextMoveOf(1067), text, a, b, up, 2.0), 3, -1));
    EXPECT_TRUE(near(MoveBySegment(TextMoveOf(1069), text, a, b, up, 2.0), 5, 1));
    // A segment running the other way turns "along" and "left" with it.
    EXPECT_TRUE(near(MoveBySegment(TextMoveOf(1064), text, b, a, up, 2.0), 1, 1));
    EXPECT_TRUE(near(MoveBySegment(TextMoveOf(1065), text, b, a, up, 2.0), 3, -1));
    EXPECT_TRUE(near(MoveBySegment(TextMoveOf(1064), text, a, a, up, 2.0), 3, 1)) << "no segment, no move";
    EXPECT_EQ(TextMoveOf(1068).kind, TextMoveKind::kHome);
    EXPECT_EQ(TextMoveOf(1070).kind, TextMoveKind::kNone);
    double dx = 0, dy = 0;
    EXPECT_FALSE(CDlgMovement::ArrowDirection(1064, dx, dy));
}
