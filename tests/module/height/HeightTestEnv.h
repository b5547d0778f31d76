#pragma once
// Height-mark tests run in the loaded module like the chain tests: the same fixture, and
// marks made the way the creation command will make them.
#include "tests/module/chain/TRdimTestEnv.h"

#include "module/height/TRdimHeight.h"

#include <memory>

namespace heighttest {

using chaintest::kGeomTol;

// Sizes at 1:100 in a drawing in metres: a symbol of 3 mm is 0.3, a text of 2.5 mm 0.25.
inline constexpr double kSymbolMm = 3.0;
inline constexpr double kSymbol = 0.3;
inline constexpr double kTextTenths = 25.0;
inline constexpr double kText = 0.25;

class HeightTest : public chaintest::ChainTest {
protected:
    void SetUp() override {
        ChainTest::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_NE(TRdimHeight::desc(), nullptr);
        std::vector<double>& d = pGlobDimOptions->GetOptionSet(OPT_MODE_HEIGHT).arrayOptDouble;
        d[IND_D_HDimSize] = kSymbolMm;
        d[IND_D_HDimDiameter] = 2 * kSymbolMm;
        d[IND_D_ExtendBeyondDimLine] = 1.0;
        d[IND_D_ExpTextHeight] = 0.0;
    }

    // A mark at `at` with the global height-mark parameters, fixed to exact values.
    static std::unique_ptr<TRdimHeight> makeMark(bool plan, int type, const AcGePoint3d& at, double value) {
        auto mark = std::make_unique<TRdimHeight>();
        mark->SetPlan(plan);
        mark->Initialize(false);
        mark->SetParamDouble(IND_D_ScaleVal, 0.01);
        mark->SetParamDouble(IND_D_AcadUnits, 0.001);
        mark->SetParamDouble(IND_D_TextHeight, kTextTenths);
        mark->SetParamDouble(IND_D_TextOffset, 20.0);
        mark->SetParamString(IND_S_Measure, L"m");
        mark->SetParamString(IND_S_Delimiter, L",");
        mark->SetParamInt(IND_I_Decimals, 2);
        mark->SetParamInt(IND_I_RoundMM, 0);
        mark->SetParamInt(IND_I_HIsReducedSize, 0);
        mark->SetParamInt(IND_I_Format, 1);
        // Plan marks have no extension line (reading one back forces this too).
        if (plan) mark->SetParamInt(IND_I_ExtLine, 0);
        mark->SetParamInt(IND_I_TextAlign, plan ? 9 : 12);
        mark->SetType(type);
        for (int i = 0; i < kHeightPointCount; ++i)
            mark->SetPoint(i, at);
        mark->SetHeight(1, value);
        mark->InitPointText();
        return mark;
    }
};

} // namespace heighttest
