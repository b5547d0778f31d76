#include "module/chain/TRdimParams.h"

#include "module/chain/ChainScale.h"
#include "module/options/OptionIndices.h"

#include <gtest/gtest.h>

namespace {
constexpr double kSizeTol = 1e-12;
} // namespace

TEST(TRdimParams, CopyParamsTakesTheStyleButKeepsTheChainsArcSettings) {
    TRdimParams target{std::vector<double>(OPT_DOUBLE_COUNT, 1.0),
                       std::vector<std::wstring>(OPT_STRING_COUNT, L"own"),
                       std::vector<std::uint32_t>(OPT_INT_COUNT, 1)};
    const TRdimParams source{std::vector<double>(OPT_DOUBLE_COUNT, 2.5),
                             std::vector<std::wstring>(OPT_STRING_COUNT, L"other"),
                             std::vector<std::uint32_t>(OPT_INT_COUNT, 7)};
    CopyParams(target, source);
    EXPECT_EQ(target.arrayDouble, source.arrayDouble);
    EXPECT_EQ(target.arrayString, source.arrayString);
    for (int i = 0; i < OPT_INT_COUNT; ++i) {
        const bool arc = i == IND_I_ArcDimMinPoint || i == IND_I_ArcDimMaxPoint ||
                         i == IND_I_ArcDimAsCircle || i == IND_I_ArcDimCW ||
                         i == IND_I_ArcDimInputArcIsCircle;
        EXPECT_EQ(target.arrayInt[i], arc ? 1u : 7u) << "index " << i;
    }
    // A target too short to have arc settings takes the source's.
    TRdimParams shortTarget;
    shortTarget.arrayInt = {3, 3};
    CopyParams(shortTarget, source);
    EXPECT_EQ(shortTarget.arrayInt, source.arrayInt);
    EXPECT_FALSE(TRdimParams().IsComplete());
}

TEST(TRdimParams, StatusOneIsOnTwoIsOffZeroFollowsTheGlobalFlag) {
    EXPECT_TRUE(IsStatusOn(1, true, false));
    EXPECT_FALSE(IsStatusOn(2, true, true));
    EXPECT_TRUE(IsStatusOn(0, true, true));
    EXPECT_FALSE(IsStatusOn(0, true, false));
    EXPECT_TRUE(IsStatusOn(0, false, false)); // no global options: on
    EXPECT_FALSE(IsStatusOn(9, true, true));  // the loaded default of the slot
}

TEST(ChainScale, PaperSizesBecomeDrawingUnitsAndZerosAreRepaired) {
    // 5 mm text (50 tenths) at 1:100 in a metre drawing is 0.5 m; in a millimetre drawing 500.
    EXPECT_NEAR(PaperToModelSize(50.0 / 10, 0.01, 0.001), 0.5, kSizeTol);
    EXPECT_NEAR(PaperToModelSize(5.0, 0.01, 1.0), 500.0, kSizeTol);
    EXPECT_NEAR(PaperToModelSize(5.0, 0.02, 0.0), 0.25, kSizeTol); // AcadUnits 0 is a metre drawing
    EXPECT_NEAR(PaperToModelSize(5.0, 0.0, 0.001), 0.5, kSizeTol); // scale 0 is 1:100
    EXPECT_NEAR(ChainScale(0.02, true, 0.5), 0.5, kSizeTol);       // annotative: the drawing's scale
    EXPECT_NEAR(ChainScale(0.0, false, 0.5), kRepairedScale, kSizeTol);

    std::vector<double> d(OPT_DOUBLE_COUNT, 0.0);
    EXPECT_TRUE(RepairScale(d));
    EXPECT_TRUE(RepairAcadUnits(d));
    EXPECT_EQ(d[IND_D_ScaleVal], kRepairedScale);
    EXPECT_EQ(d[IND_D_AcadUnits], kDefaultAcadUnits);
    EXPECT_FALSE(RepairScale(d));
    std::vector<double> tooShort = {0.0};
    EXPECT_FALSE(RepairAcadUnits(tooShort));
    EXPECT_EQ(tooShort.size(), 1u);
}
