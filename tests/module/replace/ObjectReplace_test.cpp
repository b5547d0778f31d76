// Find and replace over the chains and height marks of a drawing: which texts change,
// the value of a changed appended text, which types are searched, and that objects
// without a change are left untouched.
#include "module/replace/ObjectReplace.h"

#include "tests/module/height/HeightTestEnv.h"

#include <gtest/gtest.h>

namespace {

using heighttest::kGeomTol;

class ObjectReplaceTest : public heighttest::HeightTest {
protected:
    // A chain of two segments: appended texts "ab" and "abc", prefixes "2" and "1212",
    // suffix "12" on the first.
    AcDbObjectId addChain() {
        auto chain = makeChain({{0, 0, 0}, {10, 0, 0}, {20, 0, 0}}, kDimHorizontal, {5, -5, 0});
        AppendingText first;
        first.m_strText = L"ab";
        chain->SetAppendingText(1, &first);
        AppendingText second;
        second.m_strText = L"abc";
        chain->SetAppendingText(2, &second);
        chain->SetDimTextPrefix(1, L"2");
        chain->SetDimTextSuffix(1, L"12");
        chain->SetDimTextPrefix(2, L"1212");
        return append(chain.release());
    }
    AcDbObjectId addMark() {
        auto mark = makeMark(true, 1, {0, 20, 0}, 1.25);
        mark->SetText(0, L"2");
        mark->SetText(1, L"12");
        mark->SetText(2, L"1212");
        mark->SetText(3, L"Raum");
        return append(mark.release());
    }
    struct ChainTexts {
        std::wstring app1, app2, prefix1, suffix1, prefix2;
        double value1 = 0, value2 = 0;
        AcGePoint3d at1;
    };
    static ChainTexts textsOf(AcDbObjectId id) {
        ChainTexts t;
        TRdim* chain = nullptr;
        if (acdbOpenObject(chain, id, AcDb::kForRead) != Acad::eOk) return t;
        AppendingText* record = nullptr;
        if (chain->GetAppendingText(1, &record) >= 0 && record) {
            t.app1 = record->m_strText;
            t.value1 = record->m_dValue;
            t.at1 = record->m_position;
        }
        if (chain->GetAppendingText(2, &record) >= 0 && record) {
            t.app2 = record->m_strText;
            t.value2 = record->m_dValue;
        }
        t.prefix1 = chain->GetDimTextPrefix(1);
        t.suffix1 = chain->GetDimTextSuffix(1);
        t.prefix2 = chain->GetDimTextPrefix(2);
        chain->close();
        return t;
    }
    static std::vector<std::wstring> markTexts(AcDbObjectId id) {
        std::vector<std::wstring> out;
        TRdimHeight* mark = nullptr;
        if (acdbOpenObject(mark, id, AcDb::kForRead) != Acad::eOk) return out;
        for (int i = 0; i < 4; ++i)
            out.push_back(mark->GetText(i));
        mark->close();
        return out;
    }
};

TEST_F(ObjectReplaceTest, AppendedTextsAreReplacedWholeWithTheirValueAndPlace) {
    const AcDbObjectId chain = addChain();
    AcDbObjectIdArray chains = CollectChains(m_db.get());
    ASSERT_EQ(chains.length(), 1);
    EXPECT_EQ(AppendedTextsOf(chains), (std::vector<std::wstring>{L"ab", L"abc"}));
    const AcGePoint3d placed = textsOf(chain).at1;

    m_db->setModifiedSinceSave(false);
    EXPECT_EQ(ReplaceAppendedTexts(chains, L"a", L"X", false), 0);
    EXPECT_EQ(ReplaceAppendedTexts(chains, L"", L"X", false), 0);
    EXPECT_FALSE(m_db->isModifiedSinceSave()) << "a chain without a match must stay untouched";

    EXPECT_EQ(ReplaceAppendedTexts(chains, L"AB", L"12,5", true), 0);
    EXPECT_EQ(ReplaceAppendedTexts(chains, L"AB", L"12,5", false), 1);
    ChainTexts t = textsOf(chain);
    EXPECT_EQ(t.app1, L"12,5");
    EXPECT_NEAR(t.value1, 12.5, kGeomTol);
    EXPECT_EQ(t.app2, L"abc") << "\"ab\" must not change \"abc\"";
    EXPECT_POINT_NEAR(t.at1, placed, kGeomTol);
    // Prefixes and suffixes are not appended texts.
    EXPECT_EQ(ReplaceAppendedTexts(chains, L"2", L"3", false), 0);
    EXPECT_TRUE(m_db->isModifiedSinceSave());
}

TEST_F(ObjectReplaceTest, DrawingWideReplaceByTypeWholeOrInParts) {
    const AcDbObjectId chain = addChain();
    const AcDbObjectId mark = addMark();
    EXPECT_EQ(CollectReplaceObjects(m_db.get(), kReplaceAll).length(), 2);
    EXPECT_EQ(CollectReplaceObjects(m_db.get(), kReplaceHeightMarks).length(), 1);

    // Whole texts: "2" leaves "12" and "1212".
    ReplaceCounts c = ReplaceInDatabase(m_db.get(), ReplaceRule{L"2", L"3", true, false}, kReplaceAll);
    EXPECT_EQ(c.texts, 2);
    EXPECT_EQ(c.objects, 2);
    EXPECT_EQ(textsOf(chain).prefix1, L"3");
    EXPECT_EQ(textsOf(chain).suffix1, L"12");
    EXPECT_EQ(markTexts(mark), (std::vector<std::wstring>{L"3", L"12", L"1212", L"Raum"}));

    // Height marks only: the chain keeps its texts.
    c = ReplaceInDatabase(m_db.get(), ReplaceRule{L"2", L"4", false, false}, kReplaceHeightMarks);
    EXPECT_EQ(c.texts, 2);
    EXPECT_EQ(c.objects, 1);
    EXPECT_EQ(markTexts(mark), (std::vector<std::wstring>{L"3", L"14", L"1414", L"Raum"}));
    EXPECT_EQ(textsOf(chain).prefix2, L"1212");

    // Chains, in parts: appended text, prefix and suffix of every segment.
    c = ReplaceInDatabase(m_db.get(), ReplaceRule{L"B", L"-", false, false}, kReplaceChains);
    EXPECT_EQ(c.texts, 2);
    c = ReplaceInDatabase(m_db.get(), ReplaceRule{L"2", L"5", false, false}, kReplaceChains);
    EXPECT_EQ(c.texts, 2);
    const ChainTexts t = textsOf(chain);
    EXPECT_EQ(t.app1, L"a-");
    EXPECT_EQ(t.app2, L"a-c");
    EXPECT_EQ(t.suffix1, L"15");
    EXPECT_EQ(t.prefix2, L"1515");
    EXPECT_EQ(markTexts(mark)[3], L"Raum");

    // A stop asked before the first object changes nothing.
    c = ReplaceInDatabase(m_db.get(), ReplaceRule{L"Raum", L"x", true, true}, kReplaceAll, [] { return true; });
    EXPECT_EQ(c.texts, 0);
    EXPECT_EQ(markTexts(mark)[3], L"Raum");
}

} // namespace
