#include "module/options/ScaleMaps.h"

#include "tests/module/options/OptionsTestEnv.h"

namespace {

constexpr double kScaleTol = 1e-12;

using ScaleText = OptionsTestEnv;

TEST_F(ScaleText, ScaleTextsGiveTheirFactorAndNeverZero)
{
    EXPECT_NEAR(ScaleStr2Double(L"1:100"), 0.01, kScaleTol);
    EXPECT_NEAR(ScaleStr2Double(L"1:50"), 0.02, kScaleTol);
    EXPECT_NEAR(ScaleStr2Double(L"2:1"), 2.0, kScaleTol);
    EXPECT_NEAR(ScaleStr2Double(L" 1 : 20 "), 0.05, kScaleTol);
    EXPECT_NEAR(ScaleStr2Double(L"0.5"), 0.5, kScaleTol);
    // Missing parts: nothing before the colon counts as 1, a zero after it as 100.
    EXPECT_NEAR(ScaleStr2Double(L":50"), 0.02, kScaleTol);
    EXPECT_NEAR(ScaleStr2Double(L"1:0"), 0.01, kScaleTol);
    // The annotative scale, in any case.
    EXPECT_NEAR(ScaleStr2Double(L"AnnoScale"), 0.01, kScaleTol);
    EXPECT_NEAR(ScaleStr2Double(L"bmaß"), 0.01, kScaleTol);
    // Nothing usable gives 1, so nothing is divided by zero later.
    EXPECT_NEAR(ScaleStr2Double(L""), 1.0, kScaleTol);
    EXPECT_NEAR(ScaleStr2Double(L"Maßstab"), 1.0, kScaleTol);
    EXPECT_NEAR(ScaleStr2Double(L"0:0"), 0.01, kScaleTol);
    EXPECT_NEAR(ScaleStr2Double(L"1e999"), 1.0, kScaleTol);
    EXPECT_NEAR(ScaleStr2Double(L"1e300:1e-300"), 1.0, kScaleTol);
}

} // namespace
