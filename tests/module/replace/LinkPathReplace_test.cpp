// The drawing paths in the links of height marks: which marks and paths are offered,
// and that only the path of a link changes.
#include "module/replace/LinkPathReplace.h"

#include "tests/module/height/HeightTestEnv.h"

#include <gtest/gtest.h>

namespace {

TEST(LinkPathReplace, OnlyThePathPartOfALinkIsReplacedWithoutCase) {
    EXPECT_EQ(LinkPathPart(L"/proj/Alt/schnitt.dwg:1F"), L"/proj/Alt/schnitt.dwg");
    EXPECT_EQ(LinkPathPart(L"C:\\proj\\a.dwg:1F"), L"C:\\proj\\a.dwg");
    EXPECT_EQ(LinkPathPart(L"1F"), L"");
    EXPECT_EQ(LinkPathPart(L":1F"), L"");
    EXPECT_EQ(LinkPathPart(L""), L"");
    EXPECT_EQ(LinkFolderOf(L"/proj/Alt/schnitt.dwg"), L"/proj/Alt/");
    EXPECT_EQ(LinkFolderOf(L"schnitt.dwg"), L"");

    int count = 0;
    EXPECT_EQ(ReplaceInLinkPath(L"/proj/alt/schnitt.dwg:1F", L"/PROJ/ALT/", L"/proj/Neu/", &count),
              L"/proj/Neu/schnitt.dwg:1F");
    EXPECT_EQ(count, 1);
    // The reference after the path is never touched, nor a link within the drawing.
    EXPECT_EQ(ReplaceInLinkPath(L"/p/1F.dwg:1F", L"1F", L"2A", &count), L"/p/2A.dwg:1F");
    EXPECT_EQ(ReplaceInLinkPath(L"1F", L"1F", L"2A", &count), L"1F");
    EXPECT_EQ(count, 0);
    EXPECT_EQ(ReplaceInLinkPath(L"/p/a.dwg:1F", L"", L"x", &count), L"/p/a.dwg:1F");
    EXPECT_EQ(count, 0);
}

class LinkedMarksTest : public heighttest::HeightTest {
protected:
    AcDbObjectId addMark(double x, const std::wstring& link1, const std::wstring& link2) {
        auto mark = makeMark(true, 1, {x, 0, 0}, 1.0);
        mark->SetParamString(IND_S_HK_Auto_Handle1, link1);
        mark->SetParamString(IND_S_HK_Auto_Handle2, link2);
        return append(mark.release());
    }
    static std::wstring linkOf(AcDbObjectId id, int index) {
        TRdimHeight* mark = nullptr;
        if (acdbOpenObject(mark, id, AcDb::kForRead) != Acad::eOk) return L"?";
        const std::wstring link = mark->GetParamString(index);
        mark->close();
        return link;
    }
};

TEST_F(LinkedMarksTest, MarksLinkingOtherDrawingsAreOfferedEachPathOnce) {
    const AcDbObjectId second = addMark(0, L"", L"/proj/Alt/schnitt.dwg:1F");
    const AcDbObjectId same = addMark(10, L"/proj/alt/schnitt.dwg:2A", L"");
    const AcDbObjectId local = addMark(20, L"1C", L"");
    const AcDbObjectId mixed = addMark(30, L"/proj/Alt/ansicht.dwg:3B", L"1C");
    const LinkedMarks linked = CollectLinkedMarks(m_db.get());
    ASSERT_EQ(linked.ids.length(), 3);
    EXPECT_FALSE(linked.ids.contains(local));
    EXPECT_EQ(linked.offers,
              (std::vector<std::wstring>{L"/proj/Alt/schnitt.dwg", L"/proj/Alt/", L"/proj/Alt/ansicht.dwg"}));

    m_db->setModifiedSinceSave(false);
    EXPECT_EQ(ReplaceLinkPaths(linked.ids, L"/other/", L"/x/"), 0);
    EXPECT_FALSE(m_db->isModifiedSinceSave());
    EXPECT_EQ(ReplaceLinkPaths(linked.ids, L"/PROJ/ALT/", L"/proj/Neu/"), 3);
    EXPECT_EQ(linkOf(second, IND_S_HK_Auto_Handle2), L"/proj/Neu/schnitt.dwg:1F");
    EXPECT_EQ(linkOf(same, IND_S_HK_Auto_Handle1), L"/proj/Neu/schnitt.dwg:2A");
    EXPECT_EQ(linkOf(mixed, IND_S_HK_Auto_Handle1), L"/proj/Neu/ansicht.dwg:3B");
    EXPECT_EQ(linkOf(mixed, IND_S_HK_Auto_Handle2), L"1C");
    EXPECT_EQ(linkOf(local, IND_S_HK_Auto_Handle1), L"1C");
}

} // namespace
