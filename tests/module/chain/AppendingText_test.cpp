#include "module/chain/AppendingText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

AppendingText rec(int segment, const wchar_t* text) {
    AppendingText a;
    a.m_iSegment = segment;
    a.m_strText = text;
    return a;
}

std::vector<std::wstring> g_log;
void record(const wchar_t* text) {
    g_log.emplace_back(text);
}

} // namespace

TEST(AppendingText, SegmentZeroIsSegmentOneAndDuplicatesGo) {
    AppendingTextList list = {rec(0, L"first"), rec(3, L"third"), rec(1, L"again"), rec(3, L"third again")};
    g_log.clear();
    EXPECT_EQ(FindAppendingText(list, 0, &record), 0);
    EXPECT_EQ(list[0].m_iSegment, 1);
    ASSERT_EQ(list.size(), 3u); // the second record of segment 1 was dropped
    EXPECT_EQ(list[1].m_strText, L"third");
    ASSERT_EQ(g_log.size(), 1u);
    EXPECT_EQ(g_log[0], L"\n***Duplicita GetAppendingText iExt=0  appTexts=4 i=2 ");

    EXPECT_EQ(FindAppendingText(list, 3), 1);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[1].m_strText, L"third");
    EXPECT_EQ(FindAppendingText(list, 2), -1);
    EXPECT_EQ(FindAppendingText(list, 1), 0);
}

TEST(AppendingText, StoringReplacesTheSegmentsRecordOrAddsOne) {
    AppendingTextList list;
    AppendingText a = rec(9, L"Zusatz");
    a.m_strText3 = L"scratch";
    a.m_position = AcGePoint3d(1, 2, 0);
    EXPECT_EQ(StoreAppendingText(list, 0, &a), 0);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].m_iSegment, 1);
    EXPECT_EQ(list[0].m_strText, L"Zusatz");
    EXPECT_EQ(list[0].m_strText3, L"");
    EXPECT_EQ(list[0].m_position.x, 1.0);

    AppendingText b = rec(0, L"BMaß");
    EXPECT_EQ(StoreAppendingText(list, 2, &b), 1);
    AppendingText c = rec(0, L"neu");
    EXPECT_EQ(StoreAppendingText(list, 1, &c), 0);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].m_strText, L"neu");
    EXPECT_EQ(list[1].m_iSegment, 2);

    EXPECT_EQ(StoreAppendingText(list, 1, nullptr), -1);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].m_strText, L"BMaß");
    EXPECT_EQ(StoreAppendingText(list, 5, nullptr), -1);
    EXPECT_EQ(list.size(), 1u);
}
