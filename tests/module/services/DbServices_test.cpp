#include "module/services/DbServices.h"

#include "tests/module/options/OptionsTestEnv.h"

#include "module/app/Regenerate.h"
#include "module/services/DocLocks.h"

#include "host/ap/AcApDocManager.h"
#include "host/db/tables/AcDbBlockTable.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/db/tables/AcDbLayerTable.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/tables/AcDbSortentsTable.h"
#include "host/db/entities/AcDbText.h"
#include "host/ed/commands/AcEdCommandStack.h"
#include "host/ed/selection/AcEdSelectionSet.h"
#include "host/ed/commands/CommandLine.h"
#include "host/ed/DrawingView.h"
#include "host/ed/SysVars.h"
#include "host/io/DrawingFile.h"

#include <string>

namespace {

// Documents of one test: none open at the start or at the end, drawing files in the
// test's folder, no drawing read from disk left over.
class DocServices : public OptionsTestEnv {
protected:
    void SetUp() override {
        OptionsTestEnv::SetUp();
        host::io::installDrawingFileHooks();
        acDocManager->closeAllDocuments();
        ExternalDrawings().clear();
    }
    void TearDown() override {
        UnlockAll();
        ExternalDrawings().clear();
        acDocManager->closeAllDocuments();
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
        OptionsTestEnv::TearDown();
    }

    AcApDocument* newDocument() {
        EXPECT_EQ(acDocManager->appContextNewDocument(nullptr), Acad::eOk);
        return acDocManager->curDocument();
    }

    static AcDbObjectId appendLine(AcDbDatabase* db, const wchar_t* layer = nullptr) {
        AcDbBlockTableRecord* space = nullptr;
        EXPECT_EQ(acdbOpenObject(space, db->modelSpaceId(), AcDb::kForWrite), Acad::eOk);
        auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0));
        AcDbObjectId id;
        EXPECT_EQ(space->appendAcDbEntity(id, line), Acad::eOk);
        if (layer) line->setLayer(layer);
        line->close();
        space->close();
        return id;
    }

    // A drawing on disk with one line; the line's handle text.
    std::wstring drawingWithLine(const std::string& name, std::wstring& handle) {
        AcDbDatabase db;
        const AcDbObjectId id = appendLine(&db);
        handle = id.handle().text();
        const std::wstring path = wpath(name);
        EXPECT_EQ(SaveDwgAs(&db, path), Acad::eOk);
        return path;
    }
};

AcApDocument* g_docInCommand = nullptr;
size_t g_locksInCommand = 0;
bool g_wasLockedInCommand = false;

// A command that marks something: the host already holds its automatic lock.
void lockInsideCommand() {
    AcDbDatabase* db = g_docInCommand->database();
    g_wasLockedInCommand = LockIfNeeded(db, L"test");
    g_locksInCommand = g_docInCommand->lockCount();
    UnlockDB(db);
}

TEST_F(DocServices, DoubleLocksAreOneAndUnlockingGivesBackUpToTen) {
    AcApDocument* doc = newDocument();
    ASSERT_NE(doc, nullptr);
    AcDbDatabase* db = doc->database();
    EXPECT_FALSE(IsLocked(db));
    EXPECT_FALSE(LockIfNeeded(db, L"first")) << "it was not locked before";
    EXPECT_EQ(doc->myLockMode(), AcAp::kWrite);
    EXPECT_TRUE(IsLocked(db));
    EXPECT_TRUE(LockDb(db));
    EXPECT_EQ(doc->lockCount(), 1u) << "a document locked for write is not locked again";
    EXPECT_TRUE(LockIfNeeded(db, L"second"));
    ASSERT_EQ(LockedDocuments().size(), 1u);
    EXPECT_EQ(LockedDocuments()[0], doc->fileName());
    EXPECT_TRUE(UnlockDB(db));
    EXPECT_EQ(doc->lockCount(), 0u);
    EXPECT_TRUE(LockedDocuments().empty());

    for (int i = 0; i < 12; ++i)
        acDocManager->lockDocument(doc, AcAp::kWrite);
    EXPECT_TRUE(UnlockDB(db));
    EXPECT_EQ(doc->lockCount(), 2u) << "unlocking stops after 10 rounds";

    // "UNLOCK ALL" reaches every open document.
    AcApDocument* other = newDocument();
    acDocManager->lockDocument(other, AcAp::kWrite);
    LockDb(other->database());
    UnlockAll();
    EXPECT_EQ(doc->lockCount(), 0u);
    EXPECT_EQ(other->lockCount(), 0u);
    EXPECT_TRUE(LockedDocuments().empty());
}

TEST_F(DocServices, InsideACommandTheHostsLockServesAndNothingIsLeftLocked) {
    g_docInCommand = newDocument();
    ASSERT_EQ(host::hostCommands().addCommand(L"SVC_TEST", L"SVCLOCK", L"SVCLOCK", ACRX_CMD_MODAL,
                                              &lockInsideCommand),
              Acad::eOk);
    host::commandLine().execute(L"SVCLOCK");
    host::hostCommands().removeGroup(L"SVC_TEST");
    EXPECT_FALSE(g_wasLockedInCommand);
    EXPECT_EQ(g_locksInCommand, 1u) << "only the command's own lock";
    EXPECT_EQ(g_docInCommand->lockCount(), 0u);
}

TEST_F(DocServices, DrawingsFromDiskCountAsLockedAndAreReadOnce) {
    newDocument();
    std::wstring handle;
    const std::wstring path = drawingWithLine("Schnitt A.dwg", handle);

    const AcDbObjectId id = Handle2ObjectId(nullptr, path + L":" + handle);
    ASSERT_FALSE(id.isNull());
    AcDbDatabase* external = id.database();
    EXPECT_NE(external, acdbCurDwg());
    EXPECT_EQ(ExternalDrawings().count(), 1);
    EXPECT_EQ(Handle2ObjectId(nullptr, path + L":" + handle), id) << "the drawing is read once and reused";
    EXPECT_EQ(GetExternalDwg(ExternalDrawings(), path), external);
    EXPECT_EQ(ExternalDrawings().count(), 1);

    EXPECT_TRUE(IsLocked(external)) << "a drawing without a document needs no lock";
    EXPECT_TRUE(LockIfNeeded(external, L"ext"));
    EXPECT_FALSE(LockDb(external));
    EXPECT_TRUE(LockedDocuments().empty());

    AcDbEntity* line = nullptr;
    ASSERT_EQ(acdbOpenObject(line, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(EntityHandleFor(line, acdbCurDwg()), path + L":" + handle);
    EXPECT_EQ(EntityHandleFor(line, external), handle);
    line->close();

    // Texts that name no drawing that can be read.
    EXPECT_TRUE(Handle2ObjectId(nullptr, wpath("fehlt.dwg") + L":" + handle).isNull());
    EXPECT_EQ(GetExternalDwg(ExternalDrawings(), wpath("plan.txt")), nullptr);
    const std::wstring damaged = wpath("kaputt.dwg");
    writeBytes(damaged, "not a drawing at all");
    EXPECT_EQ(GetExternalDwg(ExternalDrawings(), damaged + L":1F"), nullptr);
    EXPECT_EQ(ExternalDrawings().count(), 1) << "a drawing that cannot be read is not kept";
}

TEST_F(DocServices, HandleTextsOfTheWorkingDrawing) {
    AcDbDatabase* db = newDocument()->database();
    const AcDbObjectId id = appendLine(db);
    AcDbEntity* line = nullptr;
    ASSERT_EQ(acdbOpenObject(line, id, AcDb::kForRead), Acad::eOk);
    const std::wstring handle = GetHandleString(line);
    EXPECT_EQ(handle, id.handle().text());
    EXPECT_EQ(EntityXref2Handle(line), handle);
    EXPECT_EQ(EntityHandleFor(line, db), handle);
    line->close();

    EXPECT_EQ(Handle2ObjectId(nullptr, handle), id);
    EXPECT_EQ(Handle2ObjectId(db, L" " + handle + L" "), id);
    for (const wchar_t* bad : {L"", L"xyz", L"1F)", L"-1", L"FFFFF", L"12345678901234567", L"7:"})
        EXPECT_TRUE(Handle2ObjectId(db, bad).isNull()) << bad;
    EXPECT_EQ(GetHandleString(nullptr), L"");
}

TEST_F(DocServices, NewLayersGetTheirColourAndTheEntityItsLayer) {
    AcDbDatabase* db = newDocument()->database();
    const AcDbObjectId id = appendLine(db);
    AcDbEntity* line = nullptr;
    ASSERT_EQ(acdbOpenObject(line, id, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(SetEntityLayer(db, line, L"DIM_1_50", 300));
    EXPECT_FALSE(line->isWriteEnabled()) << "left open as it was";
    EXPECT_EQ(GetLayerName(line->layerId()), L"DIM_1_50");
    EXPECT_TRUE(SetEntityLayer(db, line, L"BMASS", 3));
    EXPECT_TRUE(SetEntityLayer(db, line, L"Null", 0));

    // A name the drawing cannot take changes nothing.
    EXPECT_FALSE(SetEntityLayer(db, line, L"a<b", 1));
    EXPECT_NE(transcript().find(L"pri vytv\u00E1ran\u00ED vrstvy a<b"), std::wstring::npos) << transcript();
    EXPECT_EQ(GetLayerName(line->layerId()), L"Null");
    line->close();

    AcDbLayerTable* table = nullptr;
    ASSERT_EQ(db->getLayerTable(table, AcDb::kForRead), Acad::eOk);
    EXPECT_FALSE(table->has(L"a<b"));
    for (auto [name, colour] : {std::pair{L"DIM_1_50", 7}, std::pair{L"BMASS", 3}, std::pair{L"Null", 7}}) {
        AcDbLayerTableRecord* layer = nullptr;
        ASSERT_EQ(table->getAt(name, layer, AcDb::kForRead), Acad::eOk);
        EXPECT_EQ(layer->color().colorIndex(), colour) << name;
        EXPECT_FALSE(layer->isFrozen());
        EXPECT_FALSE(layer->isLocked());
        EXPECT_FALSE(layer->isOff());
        EXPECT_EQ(layer->linetypeObjectId(), db->continuousLinetype());
        layer->close();
    }
    table->close();
    EXPECT_EQ(GetLayerName(AcDbObjectId::kNull), L"");
}

TEST_F(DocServices, WorkingDrawingAndCurrentDocument) {
    EXPECT_EQ(acdbCurDwg(), nullptr) << "no drawing open";
    EXPECT_EQ(GetCurrentDWGName(), L"");
    AcApDocument* first = newDocument();
    AcApDocument* second = newDocument();
    EXPECT_EQ(CountOpenDocuments(), 2);
    EXPECT_EQ(acdbCurDwg(), second->database());
    EXPECT_EQ(GetCurrentDWGName(), second->fileName());

    // Without a working database the first document's takes its place.
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    EXPECT_EQ(acdbCurDwg(), first->database());

    LockDb(second->database());
    EXPECT_TRUE(MakeCurrentDB(first->database()));
    EXPECT_EQ(acDocManager->curDocument(), first);
    EXPECT_EQ(acdbHostApplicationServices()->workingDatabase(), first->database());
    EXPECT_EQ(first->myLockMode(), AcAp::kWrite);
    EXPECT_EQ(second->lockCount(), 0u) << "every lock the module held was released first";
    AcDbDatabase loose;
    EXPECT_FALSE(MakeCurrentDB(&loose));
    UnlockAll();
    EXPECT_EQ(first->lockCount(), 0u);
}

TEST_F(DocServices, HostVariablesAndProduct) {
    EXPECT_EQ(GetAcadVarI(L"TILEMODE"), 1);
    EXPECT_EQ(GetAcadVarI(L"NO_SUCH_VARIABLE"), 0);
    EXPECT_EQ(GetAcadVarI(L"CLAYER"), 0) << "a text is no number";
    EXPECT_FALSE(IsPaperSpaceActive());
    host::sysVars().setStored(L"TILEMODE", host::VarValue::ofShort(0));
    host::sysVars().setStored(L"CVPORT", host::VarValue::ofShort(1));
    EXPECT_TRUE(IsPaperSpaceActive());
    host::sysVars().setStored(L"CVPORT", host::VarValue::ofShort(2));
    EXPECT_FALSE(IsPaperSpaceActive()) << "a viewport on the layout is model space";
    host::sysVars().setStored(L"TILEMODE", host::VarValue::ofShort(1));

    EXPECT_NE(GetProductInfo().find(L"  release: "), std::wstring::npos);
    EXPECT_FALSE(IsAutoCADLT());
}

TEST_F(DocServices, SavingDrawOrderAndRegenerating) {
    AcDbDatabase* db = newDocument()->database();
    const AcDbObjectId id = appendLine(db);
    const std::wstring path = wpath("Grundriss.dwg");
    EXPECT_EQ(SaveDwgAs(db, path), Acad::eOk);
    EXPECT_TRUE(fs::exists(fs::path(path)));
    EXPECT_NE(SaveDwgAs(db, wpath("fehlt/Grundriss.dwg")), Acad::eOk);
    EXPECT_NE(transcript().find(L"Save error"), std::wstring::npos) << transcript();
    AcDbDatabase* back = GetExternalDwg(ExternalDrawings(), path);
    ASSERT_NE(back, nullptr);
    AcDbObjectId again;
    EXPECT_EQ(back->getAcDbObjectId(again, false, id.handle()), Acad::eOk);

    AcDbEntity* line = nullptr;
    ASSERT_EQ(acdbOpenObject(line, id, AcDb::kForRead), Acad::eOk);
    AcDbSortentsTable* sortents = GetSortentsTable(line);
    ASSERT_NE(sortents, nullptr);
    EXPECT_EQ(sortents->blockId(), db->modelSpaceId());
    sortents->close();
    line->close();
    AcDbLine loose(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
    EXPECT_EQ(GetSortentsTable(&loose), nullptr);

    EXPECT_EQ(DwgRegenVargo(0), 0) << "a drawing without chains";
    AcDbObjectIdArray ids;
    ids.append(id);
    ObjectsGraphicsModified(ids);
    DwgRefresh();
}

TEST_F(DocServices, PickingInTheWindowAndShowingObjectsSelected) {
    AcDbDatabase* db = newDocument()->database();
    const AcDbObjectId id = appendLine(db);
    const double pixel = host::drawingView().unitsPerPixel();
    const POINT onLine = host::clientPointOf(AcGePoint3d(5, 0, 0));
    const AcGePoint3d world = ScreenToWorld(onLine);
    EXPECT_NEAR(world.x, 5, pixel);
    EXPECT_NEAR(world.y, 0, pixel);
    EXPECT_EQ(GetEntityAtPoint(onLine), id);
    EXPECT_TRUE(GetEntityAtPoint(host::clientPointOf(AcGePoint3d(5, 30, 0))).isNull());

    AcDbObjectIdArray ids;
    EXPECT_FALSE(SetPickfirst(ids)) << "nothing to show";
    ids.append(id);
    EXPECT_TRUE(SetPickfirst(ids));
    EXPECT_TRUE(ids.isEmpty());
    ASSERT_EQ(host::pickFirstSelection().size(), 1u);
    AcDbObjectId shown;
    ASSERT_EQ(acdbGetObjectId(shown, host::pickFirstSelection()[0].name), Acad::eOk);
    EXPECT_EQ(shown, id);

    ids.append(AcDbObjectId::kNull);
    EXPECT_FALSE(SetPickfirst(ids));
    EXPECT_NE(transcript().find(L"Cannot get entity name from objectID!"), std::wstring::npos);
    EXPECT_TRUE(ids.isEmpty()) << "the list is emptied in every case";
    host::resetSelectionSets();
}

} // namespace
