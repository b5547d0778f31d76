// Writes a drawing holding two height marks of known values (a section mark at
// 2,3 of +2.50 and a plan mark at 8,3 of -0.45), made with the add-on loaded as the
// host loads it. The scenarios open it in later runs: height marks have no
// creation command a script could run yet.
//
// With --linked it writes two drawings whose height marks are linked across them, both
// drawings open at once: SECTION holds a group whose base of ±0.00 is at the origin and
// whose member is at 2,1.25 (+1.25), PLAN a plan mark at 8,3 whose first row follows
// that member. A script cannot make that link: the value
// dialog picks its source in the current drawing only.
//
// usage: marks_drawing OUT.dwg
//        marks_drawing --linked SECTION.dwg PLAN.dwg
#include "host/ap/AcApDocManager.h"
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/database/DrawingFileMessage.h"
#include "host/io/DrawingFile.h"
#include "host/rx/AcRxDynamicLinker.h"
#include "host/win/Utf8.h"
#include "module/height/TRdimHeight.h"
#include "shell/ModuleEntry.h"

#include <cstdio>
#include <string>

namespace {

AcDbObjectId appendMark(AcDbDatabase* db, bool plan, const AcGePoint3d& at, double value) {
    auto* mark = new TRdimHeight();
    mark->SetPlan(plan);
    mark->Initialize(false);
    mark->SetType(1);
    for (int i = 0; i < kHeightPointCount; ++i)
        mark->SetPoint(i, at);
    mark->SetHeight(1, value);
    mark->InitPointText();
    AcDbBlockTableRecord* space = nullptr;
    AcDbObjectId id;
    if (acdbOpenObject(space, db->modelSpaceId(), AcDb::kForWrite) != Acad::eOk) {
        delete mark;
        return id;
    }
    const bool ok = space->appendAcDbEntity(id, mark) == Acad::eOk;
    space->close();
    if (ok)
        mark->close();
    else
        delete mark;
    return id;
}

bool save(const char* path) {
    return acDocManager->saveDocument(acDocManager->curDocument(), host::fromUtf8(path).c_str()) == Acad::eOk;
}

bool makeDrawings(const char* sectionPath, const char* planPath) {
    // The section drawing: a group base of ±0.00 at the origin and a member at 1.25.
    AcDbDatabase* sectionDb = acdbHostApplicationServices()->workingDatabase();
    const AcDbObjectId base =
        sectionDb ? appendMark(sectionDb, false, AcGePoint3d(0, 0, 0), 0.0) : AcDbObjectId();
    const AcDbObjectId source =
        base.isNull() ? base : appendMark(sectionDb, false, AcGePoint3d(2, 1.25, 0), 1.25);
    TRdimHeight* mark = nullptr;
    if (source.isNull() || acdbOpenObject(mark, base, AcDb::kForWrite) != Acad::eOk) return false;
    mark->SetRole(kHeightRoleBase);
    mark->close();
    if (acdbOpenObject(mark, source, AcDb::kForWrite) != Acad::eOk) return false;
    mark->SetBaseId(base);
    mark->close();
    // The link names the source's drawing file: it is saved first.
    if (!save(sectionPath)) return false;
    if (acDocManager->appContextNewDocument(nullptr) != Acad::eOk) return false;
    AcDbDatabase* planDb = acdbHostApplicationServices()->workingDatabase();
    const AcDbObjectId follower = appendMark(planDb, true, AcGePoint3d(8, 3, 0), 0.0);
    if (follower.isNull() || acdbOpenObject(mark, follower, AcDb::kForWrite) != Acad::eOk) return false;
    const bool linked = mark->SetAutoValue(1, source) == 1 && mark->IsAutoValue(1);
    mark->close();
    return linked && save(planPath);
}

} // namespace

int main(int argc, char** argv) {
    const bool linked = argc == 4 && std::string(argv[1]) == "--linked";
    if (argc != 2 && !linked) {
        std::fprintf(stderr, "usage: marks_drawing OUT.dwg | --linked SECTION.dwg PLAN.dwg\n");
        return 2;
    }
    host::io::installDrawingFileHooks();
    acDocManager->appContextNewDocument(nullptr);
    if (!acrxDynamicLinker->loadModule(shell::kModuleFileName, &acrxEntryPoint, false, &lintaroModuleExit)) {
        std::fprintf(stderr, "marks_drawing: the add-on did not load\n");
        return 1;
    }
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    bool ok = false;
    if (linked) {
        ok = makeDrawings(argv[2], argv[3]);
    } else {
        ok = db && !appendMark(db, false, AcGePoint3d(2, 3, 0), 2.5).isNull() &&
             !appendMark(db, true, AcGePoint3d(8, 3, 0), -0.45).isNull();
        if (ok) ok = save(argv[1]);
    }
    if (!ok) std::fprintf(stderr, "marks_drawing: %s\n", host::toUtf8(host::drawingFileMessage()).c_str());
    acrxDynamicLinker->unloadAllForQuit();
    acDocManager->closeAllDocuments();
    return ok ? 0 : 1;
}
