#include "module/options/OptStrings.h"

#include <gtest/gtest.h>

#include <climits>
#include <clocale>

namespace {

constexpr double kNumberTol = 1e-12;

TEST(OptStrings, NumbersReadLikeTheRuntimeDoesAndNeverThrow)
{
    EXPECT_EQ(OptToInt(L"  42abc"), 42);
    EXPECT_EQ(OptToInt(L"-7"), -7);
    EXPECT_EQ(OptToInt(L"+3"), 3);
    EXPECT_EQ(OptToInt(L"x1"), 0);
    EXPECT_EQ(OptToInt(L""), 0);
    EXPECT_EQ(OptToInt(L"99999999999999999999"), INT_MAX);
    EXPECT_EQ(OptToInt(L"-99999999999999999999"), INT_MIN);

    EXPECT_NEAR(OptToDouble(L"0.001"), 0.001, kNumberTol);
    EXPECT_NEAR(OptToDouble(L" -2.5e2mm"), -250.0, kNumberTol);
    EXPECT_NEAR(OptToDouble(L".5"), 0.5, kNumberTol);
    EXPECT_NEAR(OptToDouble(L"3e"), 3.0, kNumberTol);
    EXPECT_EQ(OptToDouble(L"1,5"), 1.0); // the C locale: ',' ends the number
    EXPECT_EQ(OptToDouble(L"."), 0.0);
    EXPECT_EQ(OptToDouble(L"nan"), 0.0);
    EXPECT_EQ(OptToDouble(L"1e400"), 0.0);
}

TEST(OptStrings, DoublesAreWrittenWithoutTrailingZerosInAnyLocale)
{
    EXPECT_EQ(FormatOptDouble(50.0), L"50");
    EXPECT_EQ(FormatOptDouble(0.001), L"0.001");
    EXPECT_EQ(FormatOptDouble(2.5), L"2.5");
    EXPECT_EQ(FormatOptDouble(-12.125), L"-12.125");
    EXPECT_EQ(FormatOptDouble(0.0000001), L"0");
    EXPECT_EQ(FormatOptDouble(-0.0000001), L"0");
    EXPECT_EQ(FormatOptDouble(1234567.0), L"1234567");
    if (std::setlocale(LC_ALL, "de_DE.UTF-8")) {
        EXPECT_EQ(FormatOptDouble(2.5), L"2.5");
        EXPECT_NEAR(OptToDouble(L"2.5"), 2.5, kNumberTol);
        std::setlocale(LC_ALL, "C");
    }
}

TEST(OptStrings, NamesCompareWithoutCaseIncludingUmlauts)
{
    EXPECT_TRUE(OptEqualNoCase(L"MainOptions", L"MAINOPTIONS"));
    EXPECT_TRUE(OptEqualNoCase(L"Höhe", L"HÖHE"));
    EXPECT_FALSE(OptEqualNoCase(L"Höhe", L"Hohe"));
    EXPECT_TRUE(OptContainsNoCase(L"C:/Users/X/LINTARO.INI", L"/lintaro.ini"));
    EXPECT_EQ(OptTrim(L" \t a b \r\n"), L"a b");
}

} // namespace
