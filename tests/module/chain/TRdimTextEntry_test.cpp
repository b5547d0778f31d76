#include "module/chain/TRdimTextEntry.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

TEST(TRdimTextEntry, ReadsValueCodeAndTheThreeUserParts) {
    const TRdimTextEntry full(L"1,23^4#-5@3,50@ca.@ m");
    EXPECT_EQ(full.PartCount(), 4);
    EXPECT_EQ(full.GetValueText(), L"1,23^4");
    EXPECT_EQ(full.GetPositionCode(), -5);
    EXPECT_EQ(full.GetPositionCode(true), 5);
    EXPECT_EQ(full.GetUserText(), L"3,50");
    EXPECT_EQ(full.GetPrefix(), L"ca.");
    EXPECT_EQ(full.GetSuffix(), L" m");

    // A bare value (older entries): one part, position code 0, empty user parts.
    const TRdimTextEntry bare(L"2,50");
    EXPECT_EQ(bare.PartCount(), 1);
    EXPECT_FALSE(bare.HasPositionCode());
    EXPECT_EQ(bare.GetPositionCode(), 0);
    EXPECT_EQ(bare.GetValueText(), L"2,50");
    EXPECT_EQ(bare.GetUserText(), L"");
    EXPECT_EQ(bare.GetSuffix(), L"");

    const TRdimTextEntry empty(L"");
    EXPECT_EQ(empty.PartCount(), 1);
    EXPECT_EQ(empty.GetValueText(), L"");
    EXPECT_EQ(TRdimTextEntry(L"88#").GetPositionCode(), 0);
    EXPECT_EQ(TRdimTextEntry(L"88#x7").GetPositionCode(), 0);
    EXPECT_EQ(TRdimTextEntry(L"88#14@").GetPositionCode(), 14);
    // A "#" in a later part is text, not a code.
    EXPECT_EQ(TRdimTextEntry(L"88@@Nr.#3").GetPositionCode(), 0);
    EXPECT_EQ(TRdimTextEntry(L"88#99999999999999").GetPositionCode(), INT_MAX);
    EXPECT_EQ(TRdimTextEntry(L"88#-99999999999999").GetPositionCode(true), INT_MAX);
}

TEST(TRdimTextEntry, UnchangedEntriesWriteBackExactly) {
    for (const wchar_t* text : {L"", L"2,50", L"1,23^4#5", L"88#5@@@", L"88#5@a@b@c",
                                L"88#5@a@b@c@extra@more", L"@@@", L"ß#1@±@²@BMaß"}) {
        EXPECT_EQ(TRdimTextEntry(text).ToString(), text);
    }
}

TEST(TRdimTextEntry, SettingOnePartKeepsAllOthers) {
    TRdimTextEntry e(L"1,23#7");
    ASSERT_TRUE(e.SetSuffix(L"m"));
    EXPECT_EQ(e.ToString(), L"1,23#7@@@m");
    ASSERT_TRUE(e.SetPrefix(L"ca."));
    EXPECT_EQ(e.ToString(), L"1,23#7@@ca.@m");
    ASSERT_TRUE(e.SetUserText(L"3,5"));
    EXPECT_EQ(e.ToString(), L"1,23#7@3,5@ca.@m");
    // A new measured value keeps the position code and every user part.
    ASSERT_TRUE(e.SetValueText(L"1,24^5"));
    EXPECT_EQ(e.ToString(), L"1,24^5#7@3,5@ca.@m");
    e.SetPositionCode(-14);
    EXPECT_EQ(e.ToString(), L"1,24^5#-14@3,5@ca.@m");
    // Clearing a part stores an empty string there, the parts after it stay.
    ASSERT_TRUE(e.SetUserText(L""));
    EXPECT_EQ(e.ToString(), L"1,24^5#-14@@ca.@m");
    ASSERT_TRUE(e.SetPrefix(L""));
    EXPECT_EQ(e.ToString(), L"1,24^5#-14@@@m");

    // A value on an entry without a code gets code 0; an empty value is stored as "0".
    TRdimTextEntry bare(L"2,50");
    ASSERT_TRUE(bare.SetValueText(L"2,55"));
    EXPECT_EQ(bare.ToString(), L"2,55#0");
    ASSERT_TRUE(bare.SetValueText(L""));
    EXPECT_EQ(bare.ToString(), L"0#0");
    TRdimTextEntry coded(L"2,50@x");
    coded.SetPositionCode(3);
    EXPECT_EQ(coded.ToString(), L"2,50#3@x");
    // Parts the chain does not know survive a change to a known one.
    TRdimTextEntry longer(L"1#1@a@b@c@d");
    ASSERT_TRUE(longer.SetPrefix(L"B"));
    EXPECT_EQ(longer.ToString(), L"1#1@a@B@c@d");
}

TEST(TRdimTextEntry, TextsThatWouldBreakTheEntryAreRefused) {
    TRdimTextEntry e(L"1,23#7@u@p@s");
    const std::wstring before = e.ToString();
    EXPECT_FALSE(e.SetPrefix(L"a@b"));
    EXPECT_FALSE(e.SetUserText(L"@"));
    EXPECT_FALSE(e.SetSuffix(L"x@"));
    EXPECT_FALSE(e.SetValueText(L"1#2"));
    EXPECT_FALSE(e.SetValueText(L"1@2"));
    EXPECT_FALSE(e.SetPart(0, L"x"));
    EXPECT_FALSE(e.SetPart(4, L"x"));
    EXPECT_FALSE(e.SetPart(1 << 30, L"x"));
    EXPECT_FALSE(e.SetPart(-1, L"x"));
    EXPECT_EQ(e.ToString(), before);
    // "#" is harmless outside the value.
    EXPECT_TRUE(e.SetPrefix(L"Nr. #4"));
    EXPECT_EQ(e.GetPositionCode(), 7);
    EXPECT_EQ(TRdimTextEntry(e.ToString()).GetPrefix(), L"Nr. #4");
}

TEST(TRdimTextEntry, SumGivesWayToTheLabelAndToALastTextAtFourteen) {
    EXPECT_EQ(SumPositionCode(L"2Wohnen", 14), 6);
    EXPECT_EQ(SumPositionCode(L"1Wohnen", 14), 4);
    EXPECT_EQ(SumPositionCode(L"", -14), 4);
    EXPECT_EQ(SumPositionCode(L"", 5), 5);
    EXPECT_EQ(SumPositionCode(L"Wohnen", 0), 5); // no digit: no label code
    EXPECT_EQ(StoredPositionCode(-3, true), 8);
    EXPECT_EQ(StoredPositionCode(-3, false), -3);
    EXPECT_EQ(StoredPositionCode(12, true), 12);
}
