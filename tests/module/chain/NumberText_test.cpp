#include "module/chain/NumberText.h"

#include <gtest/gtest.h>

#include <string>

namespace {
constexpr double kNumberTol = 1e-12;

bool userNumber(const std::wstring& text, double& v, const std::wstring& delimiter = L",") {
    return ParseUserNumber(text, delimiter, v);
}
} // namespace

TEST(NumberText, FormatNumber_DecimalsTrimmingSignAndDelimiter) {
    EXPECT_EQ(FormatNumber(1.234, 2, false, L","), L"1,23");
    EXPECT_EQ(FormatNumber(1.5, 0, false, L","), L"2");
    EXPECT_EQ(FormatNumber(1.20, 3, true, L","), L"1,2");
    EXPECT_EQ(FormatNumber(3.0, 2, true, L","), L"3");
    // Without a decimal sign there is nothing to trim: 100 stays 100.
    EXPECT_EQ(FormatNumber(100.0, 0, true, L","), L"100");
    // A negative value that prints as zero loses its sign.
    EXPECT_EQ(FormatNumber(-0.004, 2, false, L","), L"0,00");
    EXPECT_EQ(FormatNumber(-0.004, 2, true, L","), L"0");
    EXPECT_EQ(FormatNumber(-0.0, 1, false, L"."), L"0.0");
    EXPECT_EQ(FormatNumber(-1.5, 1, false, L","), L"-1,5");
    // Decimals outside 0 ... 14 print as "%f" and are trimmed.
    EXPECT_EQ(FormatNumber(2.5, -1, false, L","), L"2,5");
    EXPECT_EQ(FormatNumber(2.5, 15, false, L","), L"2,5");
    EXPECT_EQ(FormatNumber(2.5, 14, false, L"."), L"2.50000000000000");
    EXPECT_EQ(FormatNumber(2.5, 1, false, L""), L"2.5");
}

TEST(NumberText, ParseDisplayNumber_SuperscriptBecomesDecimals) {
    EXPECT_NEAR(ParseDisplayNumber(L"87^5"), 87.5, kNumberTol);
    EXPECT_NEAR(ParseDisplayNumber(L"1,23^4"), 1.234, kNumberTol);
    EXPECT_NEAR(ParseDisplayNumber(L"1.23^45"), 1.2345, kNumberTol);
    EXPECT_NEAR(ParseDisplayNumber(L"88"), 88.0, kNumberTol);
    EXPECT_NEAR(ParseDisplayNumber(L"-2,5"), -2.5, kNumberTol);
    EXPECT_NEAR(ParseDisplayNumber(L"3,50 m"), 3.5, kNumberTol);
    EXPECT_EQ(ParseDisplayNumber(L""), 0.0);
    EXPECT_EQ(ParseDisplayNumber(L"ca. 3"), 0.0);
    EXPECT_EQ(ParseDisplayNumber(L"^"), 0.0);
}

TEST(NumberText, ParseUserNumber_PlainNumbersOnly) {
    double v = -1;
    EXPECT_TRUE(userNumber(L"3.5", v));
    EXPECT_NEAR(v, 3.5, kNumberTol);
    EXPECT_TRUE(userNumber(L"3,5", v));
    EXPECT_NEAR(v, 3.5, kNumberTol);
    EXPECT_TRUE(userNumber(L"-2", v));
    EXPECT_NEAR(v, -2.0, kNumberTol);
    EXPECT_TRUE(userNumber(L" 3.5 ", v));
    EXPECT_NEAR(v, 3.5, kNumberTol);
    EXPECT_TRUE(userNumber(L"+.5", v));
    EXPECT_NEAR(v, 0.5, kNumberTol);
    EXPECT_TRUE(userNumber(L"2'5", v, L"'")); // the drawing's own delimiter
    EXPECT_NEAR(v, 2.5, kNumberTol);

    v = 42;
    for (const wchar_t* text : {L"ca. 3", L"3.5m", L"", L"   ", L"-", L".", L"1,2,3", L"1.2.3", L"1,23^4",
                                L"1e3", L"- 3", L"3 5", L"2'5", L"inf", L"nan"}) {
        EXPECT_FALSE(userNumber(text, v))
            << "accepted: \"" << std::string(text, text + std::wcslen(text)) << "\"";
    }
    EXPECT_EQ(v, 42.0); // a refused text leaves the value alone
    EXPECT_FALSE(userNumber(std::wstring(400, L'9'), v));
}
