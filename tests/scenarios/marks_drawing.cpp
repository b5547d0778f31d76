// Writes a drawing holding two height marks of known values (a section mark at
// 2,3 of +2.50 and a plan mark at 8,3 of -0.45), made with the add-on loaded as the
// host loads it. The scenarios open it in later runs: height marks have no
// creation command a script could run yet.
//
// usage: marks_drawing OUT.dwg
#include "host/ap/AcApDocManager.h"
#include "host/db/AcDbBlockTableRecord.h"
#include "host/db/AcDbDatabase.h"
#include "host/db/AcDbHostApplicationServices.h"
#include "host/db/AcDbObjectOpen.h"
#include "host/db/DrawingFileMessage.h"
#include "host/io/DrawingFile.h"
#include "host/rx/AcRxDynamicLinker.h"
#include "host/win/Utf8.h"
#include "module/height/TRdimHeight.h"
#include "shell/ModuleEntry.h"

#include <cstdio>

namespace {

bool appendMark(AcDbDatabase* db, bool plan, const AcGePoint3d& at, double value) {
    auto* mark = new TRdimHeight();
    mark->SetPlan(plan);
    mark->Initialize(false);
    mark->SetType(1);
    for (int i = 0; i < kHeightPointCount; ++i)
        mark->SetPoint(i, at);
    mark->SetHeight(1, value);
    mark->InitPointText();
    AcDbBlockTableRecord* space = nullptr;
    if (acdbOpenObject(space, db->modelSpaceId(), AcDb::kForWrite) != Acad::eOk) {
        delete mark;
        return false;
    }
    AcDbObjectId id;
    const bool ok = space->appendAcDbEntity(id, mark) == Acad::eOk;
    space->close();
    if (ok)
        mark->close();
    else
        delete mark;
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: marks_drawing OUT.dwg\n");
        return 2;
    }
    host::io::installDrawingFileHooks();
    acDocManager->appContextNewDocument(nullptr);
    if (!acrxDynamicLinker->loadModule(shell::kModuleFileName, &acrxEntryPoint, false, &lintaroModuleExit)) {
        std::fprintf(stderr, "marks_drawing: the add-on did not load\n");
        return 1;
    }
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    bool ok = db && appendMark(db, false, AcGePoint3d(2, 3, 0), 2.5) &&
              appendMark(db, true, AcGePoint3d(8, 3, 0), -0.45);
    if (ok)
        ok = acDocManager->saveDocument(acDocManager->curDocument(), host::fromUtf8(argv[1]).c_str()) ==
             Acad::eOk;
    if (!ok) std::fprintf(stderr, "marks_drawing: %s\n", host::toUtf8(host::drawingFileMessage()).c_str());
    acrxDynamicLinker->unloadAllForQuit();
    acDocManager->closeAllDocuments();
    return ok ? 0 : 1;
}
