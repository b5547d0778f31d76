// Documents: what modules and reactors hear when drawings come and go, which
// database is the working one, and how locks nest.
#include "host/ap/AcApDocManager.h"

#include "host/ap/AcApDocManagerReactor.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/db/database/DrawingFileMessage.h"
#include "host/ed/commands/AcEdCommandStack.h"
#include "host/ed/SysVars.h"
#include "tests/host/ap/DocSession.h"

#include <fstream>

using namespace aptest;

namespace {

using Log = std::vector<std::wstring>;

AcDbDatabase* working() {
    return acdbHostApplicationServices()->workingDatabase();
}

std::wstring textVar(const wchar_t* name) {
    auto v = host::sysVars().get(name);
    return v ? v->text : L"<undefined>";
}
int shortVar(const wchar_t* name) {
    auto v = host::sysVars().get(name);
    return v ? v->integer : -1;
}

// A drawing file with one more layer than a new drawing, made without documents.
void makeDrawing(const std::wstring& path) {
    AcDbDatabase db;
    std::wstring error;
    ASSERT_TRUE(host::io::saveDrawingFile(&db, path, false, error))
        << std::string(error.begin(), error.end());
}

} // namespace

TEST_F(DocSession, NewAndOpenedDrawingsBecomeCurrentAndModulesHearOfThem) {
    makeDrawing(file("plan.dwg"));
    ASSERT_EQ(acDocManager->appContextNewDocument(nullptr), Acad::eOk);
    AcApDocument* first = acDocManager->curDocument();
    ASSERT_TRUE(first);
    EXPECT_STREQ(first->docTitle(), L"Drawing1.dwg");
    EXPECT_FALSE(first->isNamed());
    EXPECT_EQ(working(), first->database());
    EXPECT_TRUE(first->database()->modelSpaceId().isValid());

    ASSERT_EQ(acDocManager->appContextOpenDocument(file("plan.dwg").c_str()), Acad::eOk);
    AcApDocument* plan = acDocManager->curDocument();
    ASSERT_NE(plan, first);
    EXPECT_EQ(std::wstring(plan->fileName()), file("plan.dwg"));
    EXPECT_TRUE(plan->isNamed());
    EXPECT_EQ(working(), plan->database());
    EXPECT_EQ(acDocManager->documentCount(), 2);
    EXPECT_EQ(acDocManager->document(plan->database()), plan);
    EXPECT_EQ(moduleLog(), (Log{L"load Drawing1.dwg", L"load plan.dwg"}));
    EXPECT_EQ(log.events, (Log{L"beginDwgOpen plan.dwg", L"endDwgOpen plan.dwg db"}));
    // The host variables describe the current drawing.
    EXPECT_EQ(textVar(L"DWGNAME"), L"plan.dwg");
    EXPECT_EQ(textVar(L"DWGPREFIX"), folder.wstring() + L"/");
    EXPECT_EQ(shortVar(L"DWGTITLED"), 1);
    EXPECT_EQ(shortVar(L"DBMOD"), 0);

    // The same file again is the open document, not a second copy.
    EXPECT_EQ(acDocManager->appContextOpenDocument(file("plan.dwg").c_str()), Acad::eOk);
    EXPECT_EQ(acDocManager->documentCount(), 2);

    // Switching documents switches the working database.
    ASSERT_EQ(acDocManager->activateDocument(first), Acad::eOk);
    EXPECT_EQ(working(), first->database());
    EXPECT_EQ(textVar(L"DWGNAME"), L"Drawing1.dwg");
    EXPECT_EQ(shortVar(L"DWGTITLED"), 0);
    first->database()->setModifiedSinceSave(true);
    EXPECT_NE(shortVar(L"DBMOD"), 0);

    // A module loaded now hears of every open drawing.
    acrxDynamicLinker->unloadModule(L"doclog.arx");
    moduleLog().clear();
    acrxDynamicLinker->loadModule(L"doclog.arx", &logModuleEntry);
    EXPECT_EQ(moduleLog(), (Log{L"load Drawing1.dwg", L"load plan.dwg"}));

    // Closing: beginClose and kUnloadDwgMsg, then the other drawing is current.
    moduleLog().clear();
    log.events.clear();
    ASSERT_EQ(acDocManager->closeDocument(first), Acad::eOk);
    EXPECT_EQ(moduleLog(), (Log{L"unload Drawing1.dwg"}));
    EXPECT_EQ(log.events, (Log{L"beginClose db"}));
    EXPECT_EQ(acDocManager->curDocument(), plan);
    EXPECT_EQ(working(), plan->database());
    ASSERT_EQ(acDocManager->closeDocument(plan), Acad::eOk);
    EXPECT_EQ(acDocManager->curDocument(), nullptr);
    EXPECT_EQ(working(), nullptr);
    EXPECT_EQ(acDocManager->closeDocument(plan), Acad::eInvalidInput) << "a closed document is gone";
}

TEST_F(DocSession, AFileThatCannotBeReadOpensNothing) {
    ASSERT_EQ(acDocManager->appContextNewDocument(nullptr), Acad::eOk);
    AcApDocument* doc = acDocManager->curDocument();
    moduleLog().clear();
    {
        std::ofstream out(folder / "other.dwg", std::ios::binary);
        out << "AC1027" << std::string(100, '\0');
    }
    EXPECT_EQ(acDocManager->appContextOpenDocument(file("other.dwg").c_str()), Acad::eInvalidDwgVersion);
    EXPECT_NE(host::drawingFileMessage().find(L"DXF"), std::wstring::npos);
    EXPECT_EQ(acDocManager->appContextOpenDocument(file("missing.dwg").c_str()), Acad::eFileNotFound);
    EXPECT_EQ(acDocManager->appContextOpenDocument(L""), Acad::eInvalidInput);
    EXPECT_EQ(acDocManager->documentCount(), 1);
    EXPECT_EQ(acDocManager->curDocument(), doc);
    EXPECT_EQ(working(), doc->database());
    EXPECT_TRUE(moduleLog().empty());
}

TEST_F(DocSession, LocksNestAndUnlockGivesBackOnlyWhatWasTaken) {
    ASSERT_EQ(acDocManager->appContextNewDocument(nullptr), Acad::eOk);
    AcApDocument* doc = acDocManager->curDocument();
    EXPECT_EQ(doc->myLockMode(), AcAp::kNotLocked);
    EXPECT_EQ(acDocManager->unlockDocument(doc), Acad::eNotApplicable);

    EXPECT_EQ(acDocManager->lockDocument(doc, AcAp::kWrite), Acad::eOk);
    EXPECT_EQ(acDocManager->lockDocument(doc, AcAp::kWrite), Acad::eOk);
    EXPECT_EQ(doc->myLockMode(), AcAp::kWrite);
    EXPECT_EQ(acDocManager->unlockDocument(doc), Acad::eOk);
    EXPECT_EQ(doc->myLockMode(), AcAp::kWrite) << "a double lock needs two unlocks";
    EXPECT_EQ(acDocManager->unlockDocument(doc), Acad::eOk);
    EXPECT_EQ(doc->myLockMode(), AcAp::kNotLocked);

    // Unlocking "while the mode is kWrite, at most 10 times" leaves the rest of 12.
    for (int i = 0; i < 12; ++i)
        acDocManager->lockDocument(doc, AcAp::kWrite);
    int rounds = 0;
    while (doc->myLockMode() == AcAp::kWrite && rounds < 10) {
        acDocManager->unlockDocument(doc);
        ++rounds;
    }
    EXPECT_EQ(doc->lockCount(), 2u);
    while (acDocManager->unlockDocument(doc) == Acad::eOk) {
    }
    EXPECT_EQ(doc->lockCount(), 0u);

    EXPECT_EQ(acDocManager->lockDocument(doc, AcAp::DocLockMode(3)), Acad::eInvalidInput);
    EXPECT_EQ(acDocManager->lockDocument(nullptr), Acad::eInvalidInput);
    EXPECT_EQ(doc->lockCount(), 0u);

    // A database read from disk has no document (so counts as locked for the module).
    std::wstring error;
    ASSERT_TRUE(host::io::saveDrawingFile(doc->database(), file("ext.dwg"), false, error));
    AcDbDatabase external(false, true);
    ASSERT_EQ(external.readDwgFile(file("ext.dwg").c_str()), Acad::eOk);
    EXPECT_EQ(acDocManager->document(&external), nullptr);
}

namespace {
AcAp::DocLockMode g_modeInCommand = AcAp::kNone;
void lockingCommand() {
    AcApDocument* doc = acDocManager->curDocument();
    g_modeInCommand = doc->myLockMode();
    // A module may take a lock in a command and leave it for its next "UNLOCK ALL".
    acDocManager->lockDocument(doc, AcAp::kWrite);
}
} // namespace

TEST_F(DocSession, ACommandHoldsAnAutomaticLockThatOnlyTheHostReleases) {
    ASSERT_EQ(acDocManager->appContextNewDocument(nullptr), Acad::eOk);
    AcApDocument* doc = acDocManager->curDocument();
    acedRegCmds->addCommand(L"TEST_DOCS", L"LOCKME", L"LOCKME", ACRX_CMD_MODAL, &lockingCommand);
    run(L"LOCKME\n");
    acedRegCmds->removeGroup(L"TEST_DOCS");
    EXPECT_EQ(g_modeInCommand, AcAp::kAutoWrite);
    EXPECT_EQ(doc->myLockMode(), AcAp::kWrite)
        << "the module's lock outlives the command, the host's does not";
    EXPECT_EQ(doc->lockCount(), 1u);
    EXPECT_EQ(log.events, (Log{L"start LOCKME", L"end LOCKME"}));
    EXPECT_EQ(acDocManager->unlockDocument(doc), Acad::eOk);
    EXPECT_EQ(doc->myLockMode(), AcAp::kNotLocked);
}

namespace {
struct LockWatcher : AcApDocManagerReactor {
    std::vector<std::pair<int, int>> changes;
    void documentLockModeChanged(AcApDocument*, AcAp::DocLockMode before, AcAp::DocLockMode now,
                                 AcAp::DocLockMode, const wchar_t*) override {
        changes.push_back({before, now});
    }
};
} // namespace

TEST_F(DocSession, LockChangesAreTold) {
    ASSERT_EQ(acDocManager->appContextNewDocument(nullptr), Acad::eOk);
    AcApDocument* doc = acDocManager->curDocument();
    LockWatcher watcher;
    acDocManager->addReactor(&watcher);
    acDocManager->lockDocument(doc, AcAp::kWrite);
    acDocManager->unlockDocument(doc);
    acDocManager->removeReactor(&watcher);
    acDocManager->lockDocument(doc, AcAp::kRead);
    acDocManager->unlockDocument(doc);
    EXPECT_EQ(watcher.changes, (std::vector<std::pair<int, int>>{{AcAp::kNotLocked, AcAp::kWrite},
                                                                 {AcAp::kWrite, AcAp::kNotLocked}}));
}

TEST_F(DocSession, SavingTellsTheReactorsAndNamesTheDocument) {
    ASSERT_EQ(acDocManager->appContextNewDocument(nullptr), Acad::eOk);
    AcApDocument* doc = acDocManager->curDocument();
    ASSERT_EQ(acDocManager->saveDocument(doc, file("saved.dwg").c_str()), Acad::eOk);
    EXPECT_TRUE(doc->isNamed());
    EXPECT_STREQ(doc->docTitle(), L"saved.dwg");
    EXPECT_TRUE(std::filesystem::exists(folder / "saved.dwg"));
    EXPECT_FALSE(doc->database()->isModifiedSinceSave());

    // A save into a folder that does not exist fails, says why and keeps the name.
    EXPECT_NE(acDocManager->saveDocument(doc, file("no/such/folder/x.dwg").c_str()), Acad::eOk);
    EXPECT_NE(host::drawingFileMessage().find(L"x.dwg"), std::wstring::npos);
    EXPECT_STREQ(doc->docTitle(), L"saved.dwg");
    EXPECT_EQ(log.events,
              (Log{L"beginSave saved.dwg", L"saveComplete saved.dwg", L"beginSave x.dwg", L"abortSave"}));
}
