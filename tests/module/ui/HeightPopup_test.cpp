// The height marks' context menu driven as a user drives it: a group made with
// XOTA_HdimFront, right clicks on its marks and the chosen items with their picks.
#include "tests/module/ui/PaletteWindowTestEnv.h"

#include "host/ed/input/RightClick.h"
#include "host/ge/AcGeTol.h"
#include "host/mfc/WinTimer.h"
#include "host/win/ScriptUiDriver.h"
#include "host/win/UiEventQueue.h"
#include "host/win/UiPalette.h"
#include "module/chain/PopupState.h"
#include "module/height/TRdimHeight.h"
#include "module/options/OptionIndices.h"
#include "module/resources/ContextMenuResources.h"
#include "module/ui/CDlgTextPosition.h"
#include "module/ui/ContextMenu.h"
#include "module/ui/HeightPopup.h"

namespace {

using palettetest::PaletteWindowTest;

// The script driver, remembering the last menu it was shown.
class MenuRecordingDriver : public host::ScriptUiDriver {
public:
    using host::ScriptUiDriver::ScriptUiDriver;
    unsigned trackPopupMenu(const host::UiMenuView& menu) override {
        m_last = menu;
        return host::ScriptUiDriver::trackPopupMenu(menu);
    }
    // -1 when the item is not in the last menu, else 1 checked, 0 not.
    int checked(unsigned id) const {
        for (const host::UiMenuItem& item : m_last)
            if (item.id == id) return item.checked ? 1 : 0;
        return -1;
    }
    host::UiMenuView m_last;
};

constexpr double kTol = 1e-9;

class HeightPopupTest : public PaletteWindowTest {
protected:
    void SetUp() override {
        PaletteWindowTest::SetUp();
        if (HasFatalFailure()) return;
        host::hostInput().setEventHandler([](const std::wstring& e) {
            return host::handleRightClickEvent(e) || host::handlePaletteEvent(e);
        });
        host::commandLine().setIdleHandler([] { host::mfc::runIdleWork(); });
        host::uiEventQueue().setFeeder([] { return host::hostInput().nextUiEvent(); });
        m_driverScope = std::make_unique<host::UiDriverScope>(m_driver);
        // Input points shown: a base has its circle to be picked and windowed by.
        run(L"@palette check 1017 1\n");
        // Group A: base ±0.00 at the origin, members measured at 1 and 2 with their
        // symbols at x 8 and 10. Group B: base 5.00 at (0,10) with two members.
        run(L"XOTA_HdimFront\n0,0\n@dialog 1212 = 0\n@dialog click 1\n5,1\n8,1\n5,2\n10,2\n\n");
        run(L"XOTA_HdimFront\n0,10\n@dialog 1212 = 5\n@dialog click 1\n5,11\n8,11\n5,12\n8,12\n\n");
        ASSERT_EQ(marks().size(), 6u) << transcript();
        m_baseA = marks()[0];
        m_a1 = marks()[1];
        m_a2 = marks()[2];
        m_baseB = marks()[3];
    }
    void TearDown() override {
        m_driverScope.reset();
        host::uiEventQueue().setFeeder(nullptr);
        host::commandLine().setIdleHandler(nullptr);
        PaletteWindowTest::TearDown();
    }
    std::vector<AcDbObjectId> marks() const {
        std::vector<AcDbObjectId> out;
        for (const AcDbObjectId& id : entities())
            if (TRdimHeight* mark = ObjectId2TRdimHeight(id)) {
                mark->close();
                out.push_back(id);
            }
        return out;
    }
    template <typename T, typename F> static T mark(AcDbObjectId id, F&& f) {
        TRdimHeight* m = ObjectId2TRdimHeight(id);
        if (!m) return T();
        T value = f(*m);
        m->close();
        return value;
    }
    static double height1(AcDbObjectId id) {
        return mark<double>(id, [](TRdimHeight& m) { return m.GetHeight1(); });
    }
    static AcGePoint3d symbol(AcDbObjectId id) {
        return mark<AcGePoint3d>(id, [](TRdimHeight& m) { return m.GetPoint(kHPointDim); });
    }
    static AcDbObjectId baseOf(AcDbObjectId id) {
        return mark<AcDbObjectId>(id, [](TRdimHeight& m) { return m.GetBaseId(); });
    }

    AcDbObjectId m_baseA, m_a1, m_a2, m_baseB;
    MenuRecordingDriver m_driver{&host::uiEventQueue()};
    std::unique_ptr<host::UiDriverScope> m_driverScope;
};

} // namespace

// A base that is not fixed (kind 250) shows "Bezugsebene fixiert" unchecked; choosing it
// fixes the base, after which the item shows checked and the base refuses MOVE. A member
// shows menu 131, whose background item follows the mark's state.
TEST_F(HeightPopupTest, FixedItemFollowsTheBaseAndMenusFollowTheKind) {
    int sub = 0;
    EXPECT_EQ(GetObjectType(m_baseA, sub), 250);
    run(L"@rclick 0,0\n@menu 32825\n");
    EXPECT_EQ(m_driver.checked(ID_CTX_BASE_FIXED), 0) << transcript();
    EXPECT_EQ(GetObjectType(m_baseA, sub), 251);
    run(L"@rclick 0,0\n");
    EXPECT_EQ(m_driver.checked(ID_CTX_BASE_FIXED), 1);
    run(L"MOVE\nW -0.5,-0.5 0.5,0.5\n\n0,0\n0,1\n");
    EXPECT_NEAR(symbol(m_baseA).y, 0.0, kTol);
    // A member: menu 131 with the aligning items; the background switched on and off.
    run(L"@rclick 8,1\n");
    EXPECT_EQ(m_driver.checked(32822), 0) << transcript();
    EXPECT_EQ(m_driver.checked(ID_CTX_BASE_FIXED), -1);
    const int before = m_driver.checked(ID_CTX_BACKGROUND);
    run(L"@rclick 8,1\n@menu 32886\n@rclick 8,1\n");
    EXPECT_EQ(m_driver.checked(ID_CTX_BACKGROUND), before == 1 ? 0 : 1);
}

// 32822 runs at once from the menu: the picked marks move along their own X axis onto
// the vertical through the clicked mark, keeping their levels and values; 32824 with
// equal points changes nothing.
TEST_F(HeightPopupTest, AligningMovesMarksSidewaysOntoTheLine) {
    const double value2 = height1(m_a2);
    run(L"@rclick 8,1\n@menu 32822\nC 9.5,1.5 10.5,2.5\n\n");
    EXPECT_TRUE(GetPopupOperation().objectId.isNull());
    const AcGePoint3d moved = symbol(m_a2);
    EXPECT_NEAR(moved.x, 8.0, kTol) << transcript();
    EXPECT_NEAR(moved.y, 2.0, kTol);
    EXPECT_NEAR(height1(m_a2), value2, kTol);
    EXPECT_NEAR(height1(m_a2), 2.0, kTol);
    // An aligning line through two equal points: nothing moves.
    run(L"@rclick 8,1\n@menu 32824\n3,0\n3,0\n");
    EXPECT_TRUE(said(L"sind gleich")) << transcript();
    EXPECT_NEAR(symbol(m_a1).x, 8.0, kTol);
    // A slanted line from (4,0) to (6,2): the member at level 1 meets it at x 5.
    run(L"@rclick 8,1\n@menu 32824\n4,0\n6,2\nC 7.5,0.5 8.5,1.5\n\n");
    EXPECT_NEAR(symbol(m_a1).x, 5.0, kTol) << transcript();
    EXPECT_NEAR(symbol(m_a1).y, 1.0, kTol);
}

// 32844: a picked base brings its whole group into the clicked mark's group; its
// members take their values from their new base and the emptied base is erased with the
// message.
TEST_F(HeightPopupTest, TakingMarksFromAnotherGroupErasesItsEmptyBase) {
    const AcDbObjectId b1 = marks()[4], b2 = marks()[5];
    run(L"@rclick 8,1\n@menu 32844\nW -0.5,9.5 0.5,10.5\n\n");
    EXPECT_EQ(baseOf(b1), m_baseA) << transcript();
    EXPECT_EQ(baseOf(b2), m_baseA);
    EXPECT_NEAR(height1(b1), 11.0, kTol);
    EXPECT_NEAR(height1(b2), 12.0, kTol);
    EXPECT_TRUE(m_baseB.isErased());
    EXPECT_TRUE(said(L"In der Gruppe befinden sich keine Symbole mehr.")) << transcript();
    EXPECT_EQ(marks().size(), 5u);
}

// 32845 changes the group's base values from a member: every member follows; 32835
// adds a member to the clicked mark's group without the value dialog.
TEST_F(HeightPopupTest, BaseValuesAndAddedMembersFollowTheGroup) {
    run(L"@rclick 8,1\n@menu 32845\n@dialog 1212 = 1.5\n@dialog click 1\n");
    EXPECT_NEAR(height1(m_baseA), 1.5, kTol) << transcript();
    EXPECT_NEAR(height1(m_a1), 2.5, kTol);
    EXPECT_NEAR(height1(m_a2), 3.5, kTol);
    // Cancel changes nothing.
    run(L"@rclick 0,0\n@menu 32831\n@dialog 1212 = 9\n@dialog click 2\n");
    EXPECT_NEAR(height1(m_baseA), 1.5, kTol);
    run(L"@rclick 8,1\n@menu 32835\n5,3\n8,3\n\n");
    ASSERT_EQ(marks().size(), 7u) << transcript();
    const AcDbObjectId added = marks()[6];
    EXPECT_EQ(baseOf(added), m_baseA);
    EXPECT_NEAR(height1(added), 4.5, kTol);
}

// 32823: the text position dialog on the clicked member (tip down, its triangle above
// the level). "Links - bei der Spitze" puts the texts below the level by the tip,
// "Links" away from the tip above the triangle, both on the left of the symbol; the
// arrows move them along the mark by the step at the mark's scale; a step that is no
// number moves nothing; the other member is left alone.
TEST_F(HeightPopupTest, TextPositionDialogPlacesAndMovesTheClickedMarksTexts) {
    auto text1 = [](AcDbObjectId id) {
        return mark<AcGePoint3d>(id, [](TRdimHeight& m) { return m.GetPoint(kHPointText1); });
    };
    auto align = [](AcDbObjectId id) {
        return mark<int>(id, [](TRdimHeight& m) { return static_cast<int>(m.GetParamInt(IND_I_TextAlign)); });
    };
    const AcGePoint3d other = text1(m_a2);
    const double symbolSize = mark<double>(m_a1, [](TRdimHeight& m) { return m.GetSymbolSize(); });
    ASSERT_GT(symbolSize, 0.0);
    run(L"@rclick 8,1\n@menu 32823\n@dialog click 1044\n@dialog click 1070\n");
    EXPECT_EQ(align(m_a1), 4) << transcript();
    EXPECT_LT(text1(m_a1).y, 1.0 - kTol) << "by the tip, below the level";
    run(L"@rclick 8,1\n@menu 32823\n@dialog click 1051\n@dialog click 1070\n");
    EXPECT_EQ(align(m_a1), 10) << transcript();
    const AcGePoint3d placed = text1(m_a1);
    EXPECT_GT(placed.y, 1.0 + symbolSize - kTol) << "away from the tip, above the triangle";
    EXPECT_LT(placed.x, 8.0 + kTol) << "on the left of the symbol";
    const double scale = mark<double>(m_a1, [](TRdimHeight& m) { return m.GetParamDouble(IND_D_ScaleVal); });
    ASSERT_GT(scale, 0.0);
    run(L"@rclick 8,1\n@menu 32823\n@dialog 1045 = 2\n@dialog click 1050\n@dialog click 1050\n"
        L"@dialog click 1048\n@dialog 1045 = zwei\n@dialog click 1050\n@dialog click 1070\n");
    const AcGePoint3d moved = text1(m_a1);
    EXPECT_NEAR(moved.x - placed.x, 2.0 / scale, kTol) << transcript();
    EXPECT_NEAR(moved.y, placed.y, kTol);
    EXPECT_TRUE(said(L"Schritt \"zwei\" ist keine positive Zahl - nichts verschoben."));
    EXPECT_TRUE(text1(m_a2).isEqualTo(other));
    // A plan mark has only the left and the right place.
    EXPECT_EQ(CDlgTextPosition::PositionCodeOf(1046, true), 0);
    EXPECT_EQ(CDlgTextPosition::PositionCodeOf(1051, true), 7);
    EXPECT_EQ(CDlgTextPosition::PositionCodeOf(1056, true), 9);
    EXPECT_EQ(CDlgTextPosition::PositionCodeOf(1046, false), 5);
}
