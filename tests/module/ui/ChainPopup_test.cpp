// The chain's context menu driven as a user drives it: right clicks and menu choices in
// the script, the timer run when the host is idle, the chosen operation run by the
// popup command; and the classification that picks the menu.
#include "tests/module/ui/PaletteWindowTestEnv.h"

#include "host/db/AcDbLine.h"
#include "host/ed/RightClick.h"
#include "host/mfc/WinTimer.h"
#include "host/win/ScriptUiDriver.h"
#include "host/win/UiEventQueue.h"
#include "host/win/UiPalette.h"
#include "module/chain/PopupState.h"
#include "module/options/OptionIndices.h"
#include "module/resources/ContextMenuResources.h"
#include "module/ui/CDlgAutoPosOrder.h"
#include "module/ui/CDlgMovement.h"
#include "module/ui/ChainPopup.h"
#include "module/ui/ContextMenu.h"
#include "module/ui/PaletteChainPicks.h"

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
