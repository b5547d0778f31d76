// Chains keep the value texts they formatted last and answer the same lengths from them.
// A stale answer would show a wrong measure, so chains are built point by point (every
// point sets its neighbours' texts again), changed and interleaved, and every value is
// checked against the formatter itself and against the same chain built the other way.
#include "tests/module/chain/TRdimTestEnv.h"

#include "host/db/entities/AcDbArc.h"
#include "host/gi/RecordingWorldDraw.h"
#include "module/chain/ValueFormat.h"

#include <cmath>
#include <numbers>

using namespace chaintest;
using host::gi::GiPrimitive;

namespace {

AcGePoint3d P(double x, double y) {
    return AcGePoint3d(x, y, 0);
}

// Every segment's stored value is what the formatter makes of its length now.
void expectFreshValues(TRdim& chain, const char* what) {
    for (int k = 1; k < chain.GetExtensions(); ++k) {
        const std::wstring fresh = FormatValue(2, chain.GetDistance(k), chain.Params(), chain.GetFormatEnv());
        const std::wstring& entry = chain.GetTextEntry(k);
        EXPECT_EQ(entry.substr(0, entry.find_first_of(L"#@")), fresh) << what << ", segment " << k;
    }
}

// Both chains hold the same points, entries and drawn texts.
void expectSameChain(TRdim& a, TRdim& b, const char* what) {
    ASSERT_EQ(a.GetExtensions(), b.GetExtensions()) << what;
    for (int i = 0; i < a.Points().length(); ++i)
        EXPECT_POINT_NEAR(a.Points()[i], b.Points()[i], kGeomTol) << what << ", point " << i;
    EXPECT_EQ(a.Texts(), b.Texts()) << what;
    host::gi::RecordingWorldDraw da, db;
    da.drawDrawable(&a);
    db.drawDrawable(&b);
    std::vector<std::wstring> ta, tb;
    for (const GiPrimitive& p : da.primitives())
        if (p.kind == GiPrimitive::Text) ta.push_back(p.text);
    for (const GiPrimitive& p : db.primitives())
        if (p.kind == GiPrimitive::Text) tb.push_back(p.text);
    EXPECT_FALSE(ta.empty()) << what;
    EXPECT_EQ(ta, tb) << what;
}

void superscriptMillimetres(TRdim& chain) {
    chain.SetParamString(IND_S_Measure, L"m/cm");
    chain.SetParamInt(IND_I_Decimals, 3);
    for (int k = 1; k < chain.GetExtensions(); ++k)
        chain.UpdateDimText(k);
}

} // namespace

TEST_F(ChainTest, AChainBuiltPointByPointEndsAsTheSameChainBuiltTheOtherWay) {
    // Uneven segments: 1.25, 1.517, 0.5 and 2.0, points given left to right and the
    // other way round (each new point then lands before the others).
    const std::vector<AcGePoint3d> points{P(0, 0), P(1.25, 0), P(2.767, 0), P(3.267, 0), P(5.267, 0)};
    auto forwards = makeChain(points, kDimHorizontal, P(0, 2));
    auto backwards = makeChain({points.rbegin(), points.rend()}, kDimHorizontal, P(0, 2));
    expectFreshValues(*forwards, "metres");
    EXPECT_EQ(valueOf(*forwards, 2), L"1,52");
    expectSameChain(*forwards, *backwards, "metres");

    // Superscript millimetres on one of them: the other keeps its own values.
    superscriptMillimetres(*forwards);
    expectFreshValues(*forwards, "superscript");
    EXPECT_EQ(valueOf(*forwards, 2), L"1,51^7") << "millimetres raised";
    backwards->UpdateDimText(2);
    EXPECT_EQ(valueOf(*backwards, 2), L"1,52") << "formatted with its own parameters";
    superscriptMillimetres(*backwards);
    expectSameChain(*forwards, *backwards, "superscript");

    // Built point by point with superscript millimetres from the start.
    auto chain = makeChain({points[0], points[1]}, kDimHorizontal, P(0, 2));
    superscriptMillimetres(*chain);
    for (size_t i = 2; i < points.size(); ++i)
        chain->AddPointInput(points[i]);
    expectSameChain(*chain, *forwards, "superscript point by point");

    // A refresh after the values were changed by hand in the entries writes them anew.
    chain->SetDimTextDim(1, L"9,99");
    chain->SetParamInt(IND_I_Decimals, 2);
    chain->Refresh();
    expectFreshValues(*chain, "refreshed");
    EXPECT_NE(valueOf(*chain, 1), L"9,99");
}

TEST_F(ChainTest, AnArcChainBuiltPointByPointEndsAsTheSameChainBuiltTheOtherWay) {
    const AcGePoint3d centre = P(10, 10);
    const AcDbObjectId arc = append(new AcDbArc(centre, 2, 0, std::numbers::pi));
    auto onArc = [&](double degrees) {
        const double a = degrees * std::numbers::pi / 180.0;
        return centre + AcGeVector3d(std::cos(a), std::sin(a), 0) * 2.0;
    };
    auto arcChain = [&](double first, double second, const std::vector<double>& more) {
        auto chain = std::make_unique<TRdim>(onArc(first), onArc(second), arc, 0, P(13, 10), AcGeMatrix3d());
        setChainParams(*chain, false);
        chain->ChangePointMainDim(P(13, 10), false);
        chain->Refresh();
        for (double degrees : more)
            chain->AddPointInput(onArc(degrees));
        return chain;
    };
    auto forwards = arcChain(0, 20, {55, 90, 170});
    auto backwards = arcChain(170, 90, {55, 20, 0});
    ASSERT_EQ(forwards->GetExtensions(), 5);
    expectFreshValues(*forwards, "arc");
    // 35 degrees of a radius 2: 1.2217 long.
    EXPECT_EQ(valueOf(*forwards, 2), L"1,22");
    expectSameChain(*forwards, *backwards, "arc");
}
