#include "host/ed/input/InputParse.h"
#include "host/ge/AcGeTol.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
// Parsed points are exact but for the rounding of a sine or cosine.
constexpr double kPointTol = lintaro::tol::kHostEqualPoint;

void expectPoint(const std::optional<host::Point3>& p, double x, double y, double z, const char* what) {
    ASSERT_TRUE(p.has_value()) << what;
    EXPECT_NEAR((*p)[0], x, kPointTol) << what;
    EXPECT_NEAR((*p)[1], y, kPointTol) << what;
    EXPECT_NEAR((*p)[2], z, kPointTol) << what;
}
} // namespace

TEST(InputParse, NumbersAreReadInTheCLocaleOnly) {
    EXPECT_EQ(host::parseReal(L"12"), 12.0);
    EXPECT_EQ(host::parseReal(L" -3.5 "), -3.5);
    EXPECT_EQ(host::parseReal(L"+.5"), 0.5);
    EXPECT_EQ(host::parseReal(L"1e3"), 1000.0);
    EXPECT_EQ(host::parseReal(L"1,5"), std::nullopt) << "a decimal comma is not a number here";
    EXPECT_EQ(host::parseReal(L"12abc"), std::nullopt);
    EXPECT_EQ(host::parseReal(L""), std::nullopt);
    EXPECT_EQ(host::parseReal(L"+"), std::nullopt);
    EXPECT_EQ(host::parseReal(L"+-1"), std::nullopt);
    EXPECT_EQ(host::parseReal(L"nan"), std::nullopt);
    EXPECT_EQ(host::parseReal(L"inf"), std::nullopt);
    EXPECT_EQ(host::parseReal(L"1e999"), std::nullopt) << "an overflow is refused, not infinite";
    EXPECT_EQ(host::parseReal(L"\u00B2"), std::nullopt);

    EXPECT_EQ(host::parseInt(L"-32768"), -32768);
    EXPECT_EQ(host::parseInt(L"32767"), 32767);
    EXPECT_EQ(host::parseInt(L"32768"), std::nullopt);
    EXPECT_EQ(host::parseInt(L"2.0"), std::nullopt);
    EXPECT_EQ(host::parseInt(L"2.5"), std::nullopt);
}

TEST(InputParse, PointsAbsoluteRelativeAndPolar) {
    const host::Point3 last{10.0, 20.0, 5.0};
    expectPoint(host::parsePoint(L"1,2", last), 1, 2, 0, "2D point lies at elevation 0");
    expectPoint(host::parsePoint(L"1.5,-2,3", last), 1.5, -2, 3, "3D point");
    expectPoint(host::parsePoint(L"@1,2", last), 11, 22, 5, "relative to the last point");
    expectPoint(host::parsePoint(L"@ 1 , 2 , 3", last), 11, 22, 8, "blanks inside");
    expectPoint(host::parsePoint(L"@", last), 10, 20, 5, "@ alone is the last point");
    expectPoint(host::parsePoint(L"10<90", last), 0, 10, 0, "polar from the origin");
    expectPoint(host::parsePoint(L"@2<180", last), 8, 20, 5, "polar from the last point");
    expectPoint(host::parsePoint(L"@5<-45", last), 10 + 5 * std::sqrt(0.5), 20 - 5 * std::sqrt(0.5), 5, "negative angle");

    EXPECT_EQ(host::parsePoint(L"1", last), std::nullopt);
    EXPECT_EQ(host::parsePoint(L"1,2,3,4", last), std::nullopt);
    EXPECT_EQ(host::parsePoint(L"1,,2", last), std::nullopt);
    EXPECT_EQ(host::parsePoint(L"a,b", last), std::nullopt);
    EXPECT_EQ(host::parsePoint(L"<45", last), std::nullopt);
    EXPECT_EQ(host::parsePoint(L"1e308,0", {1e308, 0, 0}), (host::Point3{1e308, 0, 0}));
    EXPECT_EQ(host::parsePoint(L"@1e308,0", {1e308, 0, 0}), std::nullopt) << "an overflowing sum is refused";
}

TEST(InputParse, KeywordsByAbbreviationAndGlobalName) {
    const auto kws = host::parseKeywordList(L"Zurueck LTyp eXit _ Undo LType Exit");
    ASSERT_EQ(kws.size(), 3u);
    EXPECT_EQ(host::matchKeyword(kws, L"z"), std::optional<std::wstring>(L"Undo"));
    EXPECT_EQ(host::matchKeyword(kws, L"zur"), std::optional<std::wstring>(L"Undo"));
    EXPECT_EQ(host::matchKeyword(kws, L"ZURUECK"), std::optional<std::wstring>(L"Undo"));
    EXPECT_EQ(host::matchKeyword(kws, L"l"), std::nullopt) << "shorter than the capitals";
    EXPECT_EQ(host::matchKeyword(kws, L"lt"), std::optional<std::wstring>(L"LType"));
    EXPECT_EQ(host::matchKeyword(kws, L"lty"), std::optional<std::wstring>(L"LType"));
    EXPECT_EQ(host::matchKeyword(kws, L"ltx"), std::nullopt);
    EXPECT_EQ(host::matchKeyword(kws, L"x"), std::optional<std::wstring>(L"Exit")) << "capitals inside the word";
    EXPECT_EQ(host::matchKeyword(kws, L"exit"), std::optional<std::wstring>(L"Exit"));
    EXPECT_EQ(host::matchKeyword(kws, L"_undo"), std::optional<std::wstring>(L"Undo")) << "global by underscore";
    EXPECT_EQ(host::matchKeyword(kws, L"_Zurueck"), std::nullopt) << "an underscore asks for global names only";
    EXPECT_EQ(host::matchKeyword(kws, L""), std::nullopt);

    const auto plain = host::parseKeywordList(L"  Ja   Nein ");
    ASSERT_EQ(plain.size(), 2u);
    EXPECT_EQ(host::matchKeyword(plain, L"n"), std::optional<std::wstring>(L"Nein"));
    EXPECT_TRUE(host::parseKeywordList(L"").empty());
}
