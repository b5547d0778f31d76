#include "module/services/XDataServices.h"

#include "tests/module/services/ServicesTestEnv.h"

#include "module/services/ReactorSuspension.h"

#include "host/db/entities/AcDbLine.h"
#include "host/db/tables/AcDbRegAppTable.h"
#include "host/db/entities/AcDbText.h"
#include "host/db/database/acutResbuf.h"
#include "host/ed/input/HostInput.h"
#include "host/ed/input/InputSource.h"

#include <string>
#include <vector>

namespace {

constexpr double kRealTol = 1e-12;

class XData : public ServicesTestEnv {
protected:
    void TearDown() override {
        host::hostInput().reset();
        ServicesTestEnv::TearDown();
    }
    // The answers the next prompts read, one a line.
    static void script(const std::wstring& text) {
        host::hostInput().clearSources();
        host::hostInput().pushSource(std::make_unique<host::ScriptSource>(text, L"test.scr"));
    }
};

AcDbText* newText(const wchar_t* s = L"2,50") {
    return new AcDbText(AcGePoint3d(1, 2, 0), s);
}

// The record of one application as the entity holds it now.
std::vector<short> groupCodes(AcDbObjectId id, const wchar_t* app) {
    std::vector<short> codes;
    AcDbEntity* ent = nullptr;
    if (acdbOpenObject(ent, id, AcDb::kForRead) != Acad::eOk) return codes;
    resbuf* chain = ent->xData(app);
    for (resbuf* rb = chain; rb; rb = rb->rbnext)
        codes.push_back(rb->restype);
    acutRelRb(chain);
    ent->close();
    return codes;
}

TEST_F(XData, RecordIsWrittenReadAndRemovedByAnEmptyText) {
    const AcDbObjectId id = append(newText());
    AcDbEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenObject(ent, id, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(SetXData(ent, L"LINTARO_OBJECT", L"1A2F", 7));
    EXPECT_TRUE(SetXData(ent, L"LINTARO_TEMP", L"other", 1));
    EXPECT_FALSE(ent->isWriteEnabled()) << "the entity is left open as it was";
    std::wstring text;
    int code = 0;
    EXPECT_TRUE(GetXData(ent, L"LINTARO_OBJECT", text, code));
    EXPECT_EQ(text, L"1A2F");
    EXPECT_EQ(code, 7);
    ent->close();
    EXPECT_EQ(groupCodes(id, L"LINTARO_OBJECT"), (std::vector<short>{1001, 1000, 1070}));

    AcDbRegAppTable* apps = nullptr;
    ASSERT_EQ(db()->getRegAppTable(apps, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(apps->has(L"LINTARO_OBJECT"));
    apps->close();

    ASSERT_EQ(acdbOpenObject(ent, id, AcDb::kForWrite), Acad::eOk);
    EXPECT_TRUE(SetXData(ent, L"LINTARO_OBJECT", L"", 0));
    EXPECT_TRUE(ent->isWriteEnabled());
    EXPECT_FALSE(GetXData(ent, L"LINTARO_OBJECT", text, code));
    EXPECT_EQ(text, L"");
    ent->close();
    EXPECT_TRUE(groupCodes(id, L"LINTARO_OBJECT").empty());
    EXPECT_EQ(groupCodes(id, L"LINTARO_TEMP").size(), 3u) << "other applications keep their data";
    EXPECT_EQ(AreReactorsSuspended(), 0) << "the suspension ends with the change";
}

TEST_F(XData, TextsShorterThanTwoCharactersReadAsNone) {
    AcDbText text(AcGePoint3d(0, 0, 0), L"x");
    std::wstring got = L"stale";
    int code = -1;
    EXPECT_TRUE(SetXData(&text, L"LINTARO_OBJECT", L"A", 3));
    EXPECT_FALSE(GetXData(&text, L"LINTARO_OBJECT", got, code));
    EXPECT_EQ(got, L"");
    EXPECT_EQ(code, 3);
    EXPECT_TRUE(SetXData(&text, L"LINTARO_OBJECT", L"B \t", 3));
    EXPECT_FALSE(GetXData(&text, L"LINTARO_OBJECT", got, code)) << "trailing blanks do not count";
    EXPECT_FALSE(GetXData(&text, L"NOTHING_HERE", got, code));
    EXPECT_FALSE(GetXData(nullptr, L"LINTARO_OBJECT", got, code));

    // The first text of 2 or more characters wins; a short one before it is passed over.
    resbuf* chain = acutBuildList(1001, L"APP", 1000, L"1", 1000, L"3F  ", 1000, L"later", 1070, 12, 0);
    EXPECT_TRUE(Resbuf2Handle(chain, got, code));
    EXPECT_EQ(got, L"3F");
    EXPECT_EQ(code, 12);
}

TEST_F(XData, MarkingOnFrozenOrLockedLayersLeavesTheLayerAsItWas) {
    const AcDbObjectId locked = addLayer(L"Gesperrt");
    const AcDbObjectId frozen = addLayer(L"Gefroren");
    const AcDbObjectId onLocked = append(newText(), L"Gesperrt");
    const AcDbObjectId onFrozen = append(newText(), L"Gefroren");
    setLayerState(locked, false, true);
    setLayerState(frozen, true, true);

    for (AcDbObjectId id : {onLocked, onFrozen}) {
        AcDbEntity* ent = nullptr;
        ASSERT_EQ(acdbOpenObject(ent, id, AcDb::kForRead), Acad::eOk);
        EXPECT_TRUE(SetXData(ent, L"LINTARO_OBJECT", L"AB", 1));
        ent->close();
        EXPECT_EQ(groupCodes(id, L"LINTARO_OBJECT").size(), 3u);
    }
    AcDbLayerTableRecord* layer = nullptr;
    ASSERT_EQ(acdbOpenObject(layer, locked, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(layer->isLocked());
    EXPECT_FALSE(layer->isFrozen());
    layer->close();
    ASSERT_EQ(acdbOpenObject(layer, frozen, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(layer->isLocked());
    EXPECT_TRUE(layer->isFrozen());
    layer->close();
}

TEST_F(XData, ARecordThatDoesNotFitLeavesTheOldData) {
    const AcDbObjectId id = append(newText());
    AcDbEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenObject(ent, id, AcDb::kForWrite), Acad::eOk);
    ASSERT_TRUE(SetXData(ent, L"LINTARO_DATA", L"old text", 5));
    EXPECT_FALSE(SetXData(ent, L"LINTARO_DATA", std::wstring(20000, L'W'), 6));
    EXPECT_NE(transcript().find(L"SetXData - Acad::eXdataSizeExceeded"), std::wstring::npos) << transcript();
    std::wstring text;
    int code = 0;
    EXPECT_TRUE(GetXData(ent, L"LINTARO_DATA", text, code));
    EXPECT_EQ(text, L"old text");
    EXPECT_EQ(code, 5);
    ent->close();
    EXPECT_FALSE(SetXData(nullptr, L"LINTARO_DATA", L"x1", 1));
}

TEST_F(XData, ListsReadInterleavedRecordsAndCompleteParameterRecords) {
    AcDbText text(AcGePoint3d(0, 0, 0), L"x");
    ASSERT_EQ(RegisterApp(db(), L"LINTARO_UT_MARK"), Acad::eOk);
    ASSERT_EQ(RegisterApp(db(), L"LINTARO_DATA"), Acad::eOk);
    ASSERT_EQ(RegisterApp(db(), L"LINTARO_DATA"), Acad::eOk) << "registering twice is fine";
    resbuf* chain = acutBuildList(1001, L"LINTARO_UT_MARK", 1000, L"a ", 1040, 2.5, 1070, 4, 1000, L"b", 0);
    ASSERT_EQ(text.setXData(chain), Acad::eOk);
    acutRelRb(chain);
    std::vector<std::wstring> texts;
    std::vector<int> codes;
    std::vector<double> reals;
    EXPECT_EQ(GetXDataLists(&text, L"LINTARO_UT_MARK", &texts, &codes, &reals), 4);
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"a", L"b"}));
    EXPECT_EQ(codes, (std::vector<int>{4}));
    ASSERT_EQ(reals.size(), 1u);
    EXPECT_NEAR(reals[0], 2.5, kRealTol);
    EXPECT_EQ(GetXDataLists(&text, L"LINTARO_UT_MARK", nullptr, &codes, nullptr), 4);

    // A parameter record of an older version: 5 strings, 10 ints, 3 doubles.
    CGlobDimOptions& o = loadOptions();
    resbuf* head = acutBuildList(1001, L"LINTARO_DATA", 0);
    resbuf* tail = head;
    auto add = [&](resbuf* rb) {
        tail->rbnext = rb;
        tail = rb;
    };
    for (int i = 0; i < 5; ++i)
        add(acutBuildList(1000, (L"s" + std::to_wstring(i)).c_str(), 0));
    for (int i = 0; i < 10; ++i)
        add(acutBuildList(1070, 100 + i, 0));
    for (int i = 0; i < 3; ++i)
        add(acutBuildList(1040, 0.5 * i, 0));
    ASSERT_EQ(text.setXData(head), Acad::eOk);
    acutRelRb(head);
    EXPECT_EQ(GetXDataLists(&text, L"LINTARO_DATA", &texts, &codes, &reals), 18);
    ASSERT_EQ(texts.size(), static_cast<std::size_t>(OPT_STRING_COUNT));
    ASSERT_EQ(codes.size(), static_cast<std::size_t>(OPT_INT_COUNT));
    ASSERT_EQ(reals.size(), static_cast<std::size_t>(OPT_DOUBLE_COUNT));
    EXPECT_EQ(texts[4], L"s4");
    EXPECT_EQ(texts[5], o.m_setChain.arrayOptString[5]);
    EXPECT_EQ(codes[9], 109);
    EXPECT_EQ(codes[IND_I_AltUnitsStatus], 9) << "taken from the chain set";
    EXPECT_NEAR(reals[2], 1.0, kRealTol);
    EXPECT_NEAR(reals[IND_D_TextHeight + 2], o.m_setChain.arrayOptDouble[IND_D_TextHeight + 2], kRealTol);
}

TEST_F(XData, AppendingPutsEntitiesIntoTheRightBlockOnce) {
    const int before = modelSpaceCount();
    AcDbObjectId id;
    auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(5, 0, 0));
    ASSERT_EQ(posToDb(line, id), Acad::eOk);
    EXPECT_TRUE(line->isWriteEnabled()) << "the caller closes it";
    line->close();
    EXPECT_EQ(line->ownerId(), db()->modelSpaceId());
    EXPECT_NE(addToDb(line, id), Acad::eOk) << "an entity already in the drawing is not appended again";

    auto* text = newText();
    ASSERT_EQ(addToDb(text, id), Acad::eOk);
    text->close();
    auto* inPaper = newText();
    ASSERT_EQ(addToTable(inPaper, db()->paperSpaceId()), Acad::eOk);
    EXPECT_EQ(inPaper->ownerId(), db()->paperSpaceId());
    inPaper->close();
    auto* byDefault = newText();
    ASSERT_EQ(addToTable(byDefault, AcDbObjectId::kNull), Acad::eOk);
    byDefault->close();
    EXPECT_EQ(modelSpaceCount(), before + 3);

    // Without a working drawing nothing is appended.
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    AcDbLine loose(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0));
    EXPECT_EQ(addToDb(&loose, id), Acad::eInvalidInput);
    EXPECT_TRUE(id.isNull());
    EXPECT_FALSE(loose.isPersistent());
    acdbHostApplicationServices()->setWorkingDatabase(db());
}

TEST_F(XData, SelectionKindsOfferTheRightTypes) {
    const std::vector<std::wstring> all = {
        L"DIMENSION", L"ARC_DIMENSION", L"XOTA_LINTARO", L"XOTA_DIM_HEIGHT",
        L"TEXT",      L"MTEXT",         L"LINE",         L"INSERT"};
    auto admitted = [&](int kind) {
        std::vector<std::wstring> out;
        for (const std::wstring& name : all)
            if (DxfNameMatchesKind(name, kind)) out.push_back(name);
        return out;
    };
    EXPECT_EQ(admitted(1), (std::vector<std::wstring>{L"DIMENSION", L"ARC_DIMENSION", L"XOTA_LINTARO",
                                                      L"XOTA_DIM_HEIGHT", L"TEXT", L"MTEXT"}));
    EXPECT_EQ(admitted(2), (std::vector<std::wstring>{L"DIMENSION", L"ARC_DIMENSION", L"XOTA_LINTARO"}));
    EXPECT_EQ(admitted(3), (std::vector<std::wstring>{L"XOTA_DIM_HEIGHT"}));
    EXPECT_EQ(admitted(4), admitted(3));
    EXPECT_EQ(admitted(5), (std::vector<std::wstring>{L"TEXT", L"MTEXT"}));
    EXPECT_TRUE(admitted(0).empty());
    EXPECT_TRUE(DxfNameMatchesKind(L"mtext", 5)) << "type names compare without case";

    EXPECT_TRUE(SelectionKindFilters(7).empty());
}

TEST_F(XData, SelectionOffersOnlyTheKindAsked) {
    const AcDbObjectId line = append(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0)));
    const AcDbObjectId text = append(newText());
    AcDbObjectIdArray ids;
    ids.append(line);
    // Everything is selected; only the texts are taken, after what the list held.
    script(L"ALL\n\n");
    EXPECT_EQ(SelectEntitiesOfKind(ids, L"\nTexte w\u00E4hlen: ", 5), 1);
    ASSERT_EQ(ids.length(), 2);
    EXPECT_EQ(ids[1], text);
    EXPECT_NE(transcript().find(L"Texte w\u00E4hlen: "), std::wstring::npos);

    script(L"ALL\n\n");
    EXPECT_EQ(SelectEntitiesOfKind(ids, nullptr, 1), 1) << "either filter lets an entity through";
    EXPECT_EQ(ids[2], text);
    ids.removeLast();
    script(L"ALL\n\n");
    EXPECT_EQ(SelectEntitiesOfKind(ids, nullptr, 2), 0) << "no dimensions or chains here";
    script(L"ALL\n\n");
    EXPECT_EQ(SelectEntities(ids, nullptr), 2);
    EXPECT_EQ(ids.length(), 4);
    script(L"ESC\n");
    EXPECT_EQ(SelectEntities(ids, nullptr), 0) << "a cancelled selection adds nothing";
    EXPECT_EQ(SelectEntitiesOfKind(ids, nullptr, 9), 0);
    EXPECT_EQ(ids.length(), 4);
}

} // namespace
