#include "host/db/database/acdbRToS.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

std::wstring rtos(double val, int unit, int prec) {
    wchar_t buf[64];
    EXPECT_EQ(acdbRToS(val, unit, prec, buf), RTNORM) << val << " unit " << unit << " prec " << prec;
    return buf;
}

std::wstring rtosZ(double val, int unit, int prec, int dimzin) {
    std::wstring out;
    EXPECT_TRUE(host::RealToString(val, unit, prec, dimzin, out));
    return out;
}

} // namespace

// The five unit modes on the value the host's own documentation uses.
TEST(acdbRToS, EveryUnitModeWritesSeventeenAndAHalfInches) {
    EXPECT_EQ(rtos(17.5, 1, 4), L"1.7500E+01");
    EXPECT_EQ(rtos(17.5, 2, 2), L"17.50");
    EXPECT_EQ(rtos(17.5, 3, 2), L"1'-5.50\"");
    EXPECT_EQ(rtos(17.5, 4, 2), L"1'-5 1/2\"");
    EXPECT_EQ(rtos(17.5, 5, 2), L"17 1/2");
    // Unit and precision -1 take a new drawing's LUNITS 2 and LUPREC 4.
    EXPECT_EQ(rtos(17.5, -1, -1), L"17.5000");
}

TEST(acdbRToS, ArchitecturalFractionsUseTwoToThePrecisionAndReduce) {
    EXPECT_EQ(rtos(0.375, 4, 3), L"3/8\"");
    EXPECT_EQ(rtos(0.375, 4, 2), L"1/2\""); // 1.5/4 rounds half away from zero to 2/4
    EXPECT_EQ(rtos(0.375, 4, 0), L"0\"");
    EXPECT_EQ(rtos(1.0 / 256, 4, 8), L"1/256\"");
    EXPECT_EQ(rtos(1.0 / 256, 4, 7), L"1/128\""); // half of 1/128 rounds up
    EXPECT_EQ(rtos(12 + 0.5, 4, 8), L"1'-0 1/2\"");
    EXPECT_EQ(rtos(48.582677, 4, 4), L"4'-0 9/16\""); // 1234 mm
    // Precision beyond the host's limit is held at 1/256.
    EXPECT_EQ(rtos(0.1, 4, 12), L"13/128\"");
}

TEST(acdbRToS, CarriesRoundedInchesIntoFeet) {
    EXPECT_EQ(rtos(11.999, 4, 4), L"1'");
    EXPECT_EQ(rtos(23.99, 3, 1), L"2'");
    EXPECT_EQ(rtos(0.9999, 5, 3), L"1");
}

// A new drawing leaves out zero feet and exactly zero inches; the other DIMZIN values
// show them as asked.
TEST(acdbRToS, ZeroFeetAndZeroInchesFollowDimzin) {
    EXPECT_EQ(rtos(6.5, 4, 1), L"6 1/2\"");
    EXPECT_EQ(rtos(24, 4, 4), L"2'");
    EXPECT_EQ(rtos(0, 4, 4), L"0\"");
    EXPECT_EQ(rtos(0, 3, 2), L"0.00\"");

    EXPECT_EQ(rtosZ(6.5, 4, 1, 1), L"0'-6 1/2\"");
    EXPECT_EQ(rtosZ(24, 4, 4, 1), L"2'-0\"");
    EXPECT_EQ(rtosZ(0.5, 4, 1, 1), L"0'-0 1/2\"");
    EXPECT_EQ(rtosZ(24, 4, 4, 2), L"2'");
    EXPECT_EQ(rtosZ(6.5, 4, 1, 3), L"6 1/2\"");
    EXPECT_EQ(rtosZ(24, 4, 4, 3), L"2'-0\"");
    // Leading and trailing zeros of decimals.
    EXPECT_EQ(rtosZ(0.5, 2, 3, host::kDimzinNoLeadingZero), L".500");
    EXPECT_EQ(rtosZ(17.5, 2, 4, host::kDimzinNoTrailingZeros), L"17.5");
    EXPECT_EQ(rtosZ(17.5, 3, 3, host::kDimzinNoTrailingZeros), L"1'-5.5\"");
}

TEST(acdbRToS, NegativeValuesCarryOneSignInFront) {
    EXPECT_EQ(rtos(-17.5, 4, 2), L"-1'-5 1/2\"");
    EXPECT_EQ(rtos(-17.5, 3, 2), L"-1'-5.50\"");
    EXPECT_EQ(rtos(-17.5, 5, 2), L"-17 1/2");
    EXPECT_EQ(rtos(-17.5, 1, 2), L"-1.75E+01");
    // A value that rounds to zero is written without a sign.
    EXPECT_EQ(rtos(-0.001, 2, 2), L"0.00");
    EXPECT_EQ(rtos(-0.001, 4, 2), L"0\"");
    EXPECT_EQ(rtos(-0.0, 1, 2), L"0.00E+00");
}

TEST(acdbRToS, RefusesBadRequestsWithoutWritingPastTheBuffer) {
    wchar_t buf[64] = L"unchanged";
    EXPECT_EQ(acdbRToS(1.0, 0, 2, buf), RTERROR);
    EXPECT_EQ(acdbRToS(std::nan(""), 2, 2, buf), RTERROR);
    EXPECT_EQ(acdbRToS(std::numeric_limits<double>::infinity(), 4, 2, buf), RTERROR);
    EXPECT_EQ(acdbRToS(1e300, 4, 8, buf), RTERROR);
    EXPECT_EQ(acdbRToS(1.0, 2, 2, nullptr, 10), RTERROR);
    // Too small a buffer gets an empty text, never a cut one.
    wchar_t small[5] = L"abcd";
    EXPECT_EQ(acdbRToS(17.5, 4, 2, small), RTERROR);
    EXPECT_EQ(small[0], L'\0');
    wchar_t exact[6];
    EXPECT_EQ(acdbRToS(17.5, 2, 2, exact), RTNORM);
    EXPECT_EQ(std::wstring(exact), L"17.50");
    // Large decimal values are written in full.
    EXPECT_EQ(rtos(1e12, 2, 0), L"1000000000000");
}
