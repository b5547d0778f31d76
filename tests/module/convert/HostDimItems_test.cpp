// The context menu's switches on a marked host dimension: the tick table, and what
// each switch leaves the dimension drawing.
#include "module/convert/HostDimItems.h"

#include "host/db/dimensions/AcDbRotatedDimension.h"
#include "module/resources/ContextMenuResources.h"
#include "tests/module/chain/TRdimTestEnv.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using chaintest::ChainTest;

// Sizes compared to this: far below a tick's size, far above rounding.
constexpr double kSizeTol = 1e-12;

// A format mark's parameters at 1:50 in a drawing in metres with a 2 mm tick.
TRdimParams TickParams() {
    TRdimParams params;
    params.arrayString = {L"1:50"};
    params.arrayInt.assign(20, 0);
    params.arrayDouble.assign(20, 0.0);
    params.arrayDouble[IND_D_TickSize] = 2.0;
    params.arrayDouble[IND_D_ScaleVal] = 0.02;
    params.arrayDouble[IND_D_AcadUnits] = 0.001;
    return params;
}

size_t ExtensionLines(const AcDbDimension* dim) {
    const host::DimGraphics g = dim->graphics();
    return std::count_if(g.lines.begin(), g.lines.end(), [](const host::DimGraphics::Line& l) {
        return l.part == host::DimPart::ExtensionLine1 || l.part == host::DimPart::ExtensionLine2;
    });
}

} // namespace

TEST(HostDimItems, TickTableGivesBlockArrowAndTickSizes) {
    const struct {
        int code;
        const wchar_t* block;
        double arrow, tick;
    } rows[] = {{0, L"_NONE", 0, 0},       {1, L"_OBLIQUE", 0.5, 0.5}, {2, L"_DOT", 0.5, 0},
                {3, L"_DOTBLANK", 0.5, 0}, {4, L"", 1.0, 0},           {5, L"_BOXBLANK", 0.5, 0}};
    for (const auto& row : rows) {
        const HostDimTick tick = HostDimTickOf(row.code, 1.0);
        EXPECT_STREQ(tick.block, row.block) << row.code;
        EXPECT_NEAR(tick.arrowSize, row.arrow, kSizeTol) << row.code;
        EXPECT_NEAR(tick.tickSize, row.tick, kSizeTol) << row.code;
    }
    // An unknown code draws nothing rather than something wrong.
    EXPECT_STREQ(HostDimTickOf(9, 1.0).block, L"_NONE");
    // The menu's order is dot, oblique, circle, arrow, cross, none.
    EXPECT_EQ(HostDimTickCodeOfItem(ID_CTX_TICK_DOT), 2);
    EXPECT_EQ(HostDimTickCodeOfItem(ID_CTX_TICK_OBLIQUE), 1);
    EXPECT_EQ(HostDimTickCodeOfItem(ID_CTX_TICK_CIRCLE), 3);
    EXPECT_EQ(HostDimTickCodeOfItem(ID_CTX_TICK_ARROW), 4);
    EXPECT_EQ(HostDimTickCodeOfItem(ID_CTX_TICK_CROSS), 5);
    EXPECT_EQ(HostDimTickCodeOfItem(ID_CTX_TICK_NONE), 0);
    EXPECT_EQ(HostDimTickCodeOfItem(ID_CTX_EXT_SHOW), -1);
}

class HostDimSwitches : public ChainTest {};

TEST_F(HostDimSwitches, SwitchesChangeWhatTheDimensionDraws) {
    const AcDbObjectId id = append(
        new AcDbRotatedDimension(0.0, AcGePoint3d(0, 0, 0), AcGePoint3d(4, 0, 0), AcGePoint3d(2, 1, 0)));
    ASSERT_FALSE(id.isNull());
    const TRdimParams params = TickParams();
    AcDbDimension* dim = nullptr;
    ASSERT_EQ(acdbOpenObject(dim, id, AcDb::kForWrite), Acad::eOk);
    const size_t shown = ExtensionLines(dim);
    EXPECT_EQ(shown, 2u);

    EXPECT_TRUE(ApplyHostDimSwitch(dim, ID_CTX_EXT_HIDE, params));
    EXPECT_TRUE(dim->dimse1() && dim->dimse2());
    EXPECT_EQ(ExtensionLines(dim), 0u);
    EXPECT_TRUE(ApplyHostDimSwitch(dim, ID_CTX_EXT_SHOW, params));
    EXPECT_EQ(ExtensionLines(dim), shown);

    EXPECT_TRUE(ApplyHostDimSwitch(dim, ID_CTX_LEADER_ON, params));
    EXPECT_EQ(dim->dimtmove(), 1);
    EXPECT_TRUE(ApplyHostDimSwitch(dim, ID_CTX_LEADER_OFF, params));
    EXPECT_EQ(dim->dimtmove(), 2);

    // 2 mm at 1:50 in metres is 0.1: the oblique tick and its arrow size are half that.
    EXPECT_TRUE(ApplyHostDimSwitch(dim, ID_CTX_TICK_OBLIQUE, params));
    EXPECT_NEAR(dim->dimtsz(), 0.05, kSizeTol);
    EXPECT_NEAR(dim->dimasz(), 0.05, kSizeTol);
    EXPECT_FALSE(dim->dimsah());
    // The arrow is the full size and no tick, so the host draws arrows again.
    EXPECT_TRUE(ApplyHostDimSwitch(dim, ID_CTX_TICK_ARROW, params));
    EXPECT_NEAR(dim->dimtsz(), 0.0, kSizeTol);
    EXPECT_NEAR(dim->dimasz(), 0.1, kSizeTol);
    EXPECT_TRUE(dim->dimblk().isNull());

    EXPECT_TRUE(ApplyHostDimSwitch(dim, ID_CTX_HOST_TEXT_PLACE + 4, params));
    EXPECT_EQ(dim->dimtad(), 4);
    EXPECT_TRUE(ApplyHostDimSwitch(dim, ID_CTX_HOST_TEXT_FIT + 3, params));
    EXPECT_EQ(dim->dimatfit(), 3);

    // Every change is the dimension's own: its style is shared and stays as it was.
    EXPECT_TRUE(dim->dimVarOverrides().has(host::kDimVar_dimtmove));
    // An id that is no switch changes nothing.
    const host::DimVars before = dim->effectiveDimVars();
    EXPECT_FALSE(ApplyHostDimSwitch(dim, ID_CTX_VALUE_CHANGE, params));
    EXPECT_FALSE(ApplyHostDimSwitch(dim, ID_CTX_HOST_TEXT_FIT_LAST + 1, params));
    EXPECT_EQ(dim->effectiveDimVars().dimtad, before.dimtad);
    EXPECT_EQ(dim->effectiveDimVars().dimatfit, before.dimatfit);
    dim->close();
}
