#include "host/win/FormatW.h"
#include "host/win/Utf8.h"

#include <gtest/gtest.h>

using host::FormatW;

TEST(FormatW, WideRulesForStringsAndCharacters) {
    EXPECT_EQ(FormatW(L"Befehl %s is aktiv!", L"LINE"), L"Befehl LINE is aktiv!");
    EXPECT_EQ(FormatW(L"%S|%hs|%ls", "narrow", "h", L"wide"), L"narrow|h|wide");
    EXPECT_EQ(FormatW(L"%c%C", L'ß', 'x'), L"ßx");
    EXPECT_EQ(FormatW(L"[%-5s][%5s][%.2s]", L"ab", L"ab", L"abcdef"), L"[ab   ][   ab][ab]");
    EXPECT_EQ(FormatW(L"%s", static_cast<const wchar_t*>(nullptr)), L"(null)");
}

TEST(FormatW, NumbersInTheCLocale) {
    EXPECT_EQ(FormatW(L"%d,%d,%d,%d,%d", 1, -2, 30, 400, 1), L"1,-2,30,400,1");
    EXPECT_EQ(FormatW(L"%.3f sec.", 1.23456), L"1.235 sec.");
    EXPECT_EQ(FormatW(L"%f", 0.001), L"0.001000");
    EXPECT_EQ(FormatW(L"%05.1f|%x|%X|%u", 3.14159, 255, 255, 7u), L"003.1|ff|FF|7");
    EXPECT_EQ(FormatW(L"%I64d|%lld|%ld", static_cast<long long>(1) << 40, -5LL, 12), L"1099511627776|-5|12");
    EXPECT_EQ(FormatW(L"100%%"), L"100%");
    EXPECT_EQ(FormatW(L"%*d|%-*d|", 4, 7, 3, 1), L"   7|1  |");
}

TEST(FormatW, NonAsciiRoundTripsThroughUtf8) {
    const std::wstring texts[] = {L"BMaß", L"±0.00", L"m²", L"Schnittpunkte nicht gefunden..."};
    for (const auto& t : texts) EXPECT_EQ(host::fromUtf8(host::toUtf8(t)), t);
    EXPECT_EQ(host::toUtf8(L"ß"), "\xC3\x9F");
    // Broken UTF-8 becomes the replacement character instead of failing.
    EXPECT_EQ(host::fromUtf8("a\xFF" "b"), L"a\xFFFD" L"b");
    EXPECT_EQ(host::fromUtf8("\xC3"), L"\xFFFD");
    EXPECT_EQ(host::fromUtf8("\xC0\xAF"), L"\xFFFD\xFFFD");
}

TEST(FormatW, WideCharToMultiByteWritesUtf8AsWindowsDoes) {
    const wchar_t* text = L"Maß ±";
    const int needed = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    EXPECT_EQ(needed, 8) << "M a \xC3\x9F blank \xC2\xB1 and the terminating 0";
    char buffer[16] = {};
    ASSERT_EQ(WideCharToMultiByte(CP_UTF8, 0, text, -1, buffer, sizeof buffer, nullptr, nullptr), 8);
    EXPECT_STREQ(buffer, "Ma\xC3\x9F \xC2\xB1");
    // A given length converts exactly that many characters, without a 0.
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, text, 3, buffer, sizeof buffer, nullptr, nullptr), 4);
    // Too small a buffer and other code pages convert nothing.
    char small[3] = {'x', 'x', 'x'};
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, text, -1, small, sizeof small, nullptr, nullptr), 0);
    EXPECT_EQ(small[0], 'x');
    EXPECT_EQ(WideCharToMultiByte(1252, 0, text, -1, buffer, sizeof buffer, nullptr, nullptr), 0);
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, nullptr, -1, buffer, sizeof buffer, nullptr, nullptr), 0);
}

TEST(FormatW, CutOffUtf8SequenceKeepsWhatFollows) {
    // A sequence broken off by a byte that does not continue it is one U+FFFD; the
    // breaking byte and everything after it are decoded as usual.
    EXPECT_EQ(host::fromUtf8("ab\xE2" "A"), L"ab\xFFFD" L"A");
    EXPECT_EQ(host::fromUtf8("\xE2\x82" "A\xC3\x9F"), L"\xFFFD" L"A\x00DF");
    EXPECT_EQ(host::fromUtf8("\xF0\x9F" "\xC3\xA4x"), L"\xFFFD\x00E4x");
    // Cut off by the end of the text: one U+FFFD for the unfinished sequence.
    EXPECT_EQ(host::fromUtf8("x\xE2\x82"), L"x\xFFFD");
    EXPECT_EQ(host::fromUtf8("\xE2\x82\xAC"), L"\x20AC");
}
