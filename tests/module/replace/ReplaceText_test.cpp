// The text rules of find and replace and the remembered list of replacements.
#include "module/replace/ReplaceText.h"

#include <gtest/gtest.h>

namespace {

std::wstring applied(const ReplaceRule& rule, std::wstring text, int* count = nullptr) {
    const int n = ApplyReplaceRule(rule, text);
    if (count) *count = n;
    return text;
}

TEST(ReplaceText, WholeTextsCompareTheWholeTextWithOrWithoutCase) {
    const ReplaceRule ab{L"ab", L"X", true, false};
    EXPECT_EQ(applied(ab, L"abc"), L"abc");
    EXPECT_EQ(applied(ab, L"ab"), L"X");
    EXPECT_EQ(applied(ab, L"AB"), L"X");
    const ReplaceRule upper{L"ABC", L"Y", true, false};
    EXPECT_EQ(applied(upper, L"abc"), L"Y");
    const ReplaceRule exact{L"ABC", L"Y", true, true};
    EXPECT_EQ(applied(exact, L"abc"), L"abc");
    EXPECT_EQ(applied(exact, L"ABC"), L"Y");
    // "2" is no whole word of "12".
    const ReplaceRule two{L"2", L"3", true, false};
    int count = -1;
    EXPECT_EQ(applied(two, L"12", &count), L"12");
    EXPECT_EQ(count, 0);
    // German capitals fold too.
    const ReplaceRule umlaut{L"\u00C4NDERUNG", L"neu", true, false};
    EXPECT_EQ(applied(umlaut, L"\u00E4nderung"), L"neu");
}

TEST(ReplaceText, PartsReplaceEveryOccurrenceWithoutOverlapsAndCount) {
    const ReplaceRule two{L"2", L"3", false, false};
    int count = 0;
    EXPECT_EQ(applied(two, L"1212", &count), L"1313");
    EXPECT_EQ(count, 2);
    const ReplaceRule aa{L"aa", L"b", false, true};
    EXPECT_EQ(applied(aa, L"aaaaa", &count), L"bba");
    EXPECT_EQ(count, 2);
    // Without case the original letters around a match stay as they were.
    const ReplaceRule folder{L"ALT", L"Neu", false, false};
    EXPECT_EQ(applied(folder, L"/proj/Alt/alt.dwg", &count), L"/proj/Neu/Neu.dwg");
    EXPECT_EQ(count, 2);
    // A longer replacement containing the search text does not loop.
    const ReplaceRule grow{L"a", L"aa", false, true};
    EXPECT_EQ(applied(grow, L"aba", &count), L"aabaa");
    // An empty search text matches nothing, also an empty text.
    const ReplaceRule empty{L"", L"x", false, false};
    EXPECT_EQ(applied(empty, L"", &count), L"");
    EXPECT_EQ(count, 0);
    EXPECT_EQ(applied(ReplaceRule{L"", L"x", true, false}, L""), L"");
    // An empty replacement removes.
    EXPECT_EQ(applied(ReplaceRule{L"-", L"", false, true}, L"a-b-c"), L"abc");
}

TEST(ReplaceText, RememberedListKeepsEachTextOnceNewestFirst) {
    std::vector<std::wstring> list;
    RememberReplacement(list, L"X");
    RememberReplacement(list, L"X");
    ASSERT_EQ(list, (std::vector<std::wstring>{L"X"}));
    RememberReplacement(list, L"Y");
    RememberReplacement(list, L"");
    RememberReplacement(list, L"X");
    EXPECT_EQ(list, (std::vector<std::wstring>{L"Y", L"X"}));
    for (int i = 0; i < 30; ++i)
        RememberReplacement(list, std::to_wstring(i), 20);
    EXPECT_EQ(list.size(), 20u);
    EXPECT_EQ(list.front(), L"29");
}

TEST(ReplaceText, ListSurvivesTheIniValueWithSeparatorsInsideEntries) {
    const std::vector<std::wstring> list{L"a|b", L"c\\d", L"Ma\u00DF", L"\\", L"|"};
    const std::wstring value = JoinReplacementList(list);
    EXPECT_EQ(SplitReplacementList(value), list);
    EXPECT_TRUE(SplitReplacementList(L"").empty());
    // Oldest entries that would make the value too long are left out, never cut.
    const std::vector<std::wstring> longList{std::wstring(300, L'a'), std::wstring(300, L'b')};
    EXPECT_EQ(SplitReplacementList(JoinReplacementList(longList)),
              (std::vector<std::wstring>{std::wstring(300, L'a')}));
    // A damaged value (a lone backslash at the end, empty entries) still reads.
    EXPECT_EQ(SplitReplacementList(L"a||b\\"), (std::vector<std::wstring>{L"a", L"b\\"}));
}

} // namespace
