#include "module/chain/TRdimParams.h"

#include "module/chain/ChainScale.h"
#include "module/options/OptionIndices.h"

#include <gtest/gtest.h>

namespace {

constexpr double kSizeTol = 1e-12;

TRdimParams filled(std::uint32_t intValue, double doubleValue, const wchar_t* text) {
    TRdimParams p;
    p.arrayInt.assign(OPT_INT_COUNT, intValue);
    p.arrayDouble.assign(OPT_DOUBLE_COUNT, doubleValue);
    p.arrayString.assign(OPT_STRING_COUNT, text);
    return p;
}

} // namespace

TEST(TRdimParams, CopyParamsTakesTheStyleButKeepsTheChainsArcSettings) {
    TRdimParams target = filled(1, 1.0, L"own");
    const TRdimParams source = filled(7, 2.5, L"other");
    CopyParams(target, source);
    EXPECT_EQ(target.arrayDouble, source.arrayDouble);
    EXPECT_EQ(target.arrayString, source.arrayString);
    for (int i = 0; i < OPT_INT_COUNT; ++i) {
        const bool arc = i == IND_I_ArcDimMinPoint || i == IND_I_ArcDimMaxPoint || i == IND_I_ArcDimAsCircle ||
                         i == IND_I_ArcDimCW || i == IND_I_ArcDimInputArcIsCircle;
        EXPECT_EQ(target.arrayInt[i], arc ? 1u : 7u) << "index " << i;
    }
    // A target too short to have arc settings takes the source's.
    TRdimParams shortTarget;
    shortTarget.arrayInt = {3, 3};
    CopyParams(shortTarget, source);
    EXPECT_EQ(shortTarget.arrayInt, source.arrayInt);
    // Copying onto itself changes nothing.
    TRdimParams self = filled(4, 4.0, L"x");
    CopyParams(self, self);
    EXPECT_EQ(self.arrayInt[IND_I_Decimals], 4u);
    EXPECT_TRUE(self.IsComplete());
    EXPECT_FALSE(TRdimParams().IsComplete());
}

TEST(TRdimParams, StatusOneIsOnTwoIsOffZeroFollowsTheGlobalFlag) {
    EXPECT_TRUE(IsStatusOn(1, true, false));
    EXPECT_FALSE(IsStatusOn(2, true, true));
    EXPECT_TRUE(IsStatusOn(0, true, true));
    EXPECT_FALSE(IsStatusOn(0, true, false));
    EXPECT_TRUE(IsStatusOn(0, false, false)); // no global options: on
    EXPECT_FALSE(IsStatusOn(9, true, true));   // the loaded default of the slot
}

TEST(TRdimParams, ViewReadsOutsideTheArraysAsNeutralValues) {
    const TRdimParams p = filled(5, 0.5, L"s");
    const ParamArraysView v(p);
    EXPECT_EQ(v.Int(IND_I_Decimals), 5u);
    EXPECT_EQ(v.Double(IND_D_AcadUnits), 0.5);
    EXPECT_EQ(v.String(IND_S_Measure), L"s");
    EXPECT_EQ(v.Int(OPT_INT_COUNT), 0u);
    EXPECT_EQ(v.Int(-1), 0u);
    EXPECT_EQ(v.Double(1000), 0.0);
    EXPECT_EQ(v.String(-5), L"");
}

TEST(ChainScale, PaperSizesBecomeDrawingUnits) {
    // 5 mm text (50 tenths) at 1:100 in a metre drawing is 0.5 m; in a millimetre drawing 500.
    EXPECT_NEAR(PaperToModelSize(50.0 / 10, 0.01, 0.001), 0.5, kSizeTol);
    EXPECT_NEAR(PaperToModelSize(5.0, 0.01, 1.0), 500.0, kSizeTol);
    EXPECT_NEAR(PaperToModelSize(5.0, 0.02, 0.0), 0.25, kSizeTol); // AcadUnits 0 is a metre drawing
    EXPECT_NEAR(PaperToModelSize(5.0, 0.0, 0.001), 0.5, kSizeTol); // scale 0 is 1:100
    EXPECT_NEAR(ChainScale(0.02, false, 0.5), 0.02, kSizeTol);
    EXPECT_NEAR(ChainScale(0.02, true, 0.5), 0.5, kSizeTol);
    EXPECT_NEAR(ChainScale(0.0, false, 0.5), kRepairedScale, kSizeTol);
    EXPECT_NEAR(ChainScale(0.02, true, 0.0), kRepairedScale, kSizeTol);
}

TEST(ChainScale, ZeroScaleAndUnitsAreRepairedInTheChainsOwnArray) {
    std::vector<double> d(OPT_DOUBLE_COUNT, 0.0);
    EXPECT_TRUE(RepairScale(d));
    EXPECT_TRUE(RepairAcadUnits(d));
    EXPECT_EQ(d[IND_D_ScaleVal], kRepairedScale);
    EXPECT_EQ(d[IND_D_AcadUnits], kDefaultAcadUnits);
    EXPECT_FALSE(RepairScale(d));
    EXPECT_FALSE(RepairAcadUnits(d));
    std::vector<double> tooShort = {0.0};
    EXPECT_FALSE(RepairAcadUnits(tooShort));
    EXPECT_EQ(tooShort.size(), 1u);
    EXPECT_TRUE(RepairScale(tooShort));
}
