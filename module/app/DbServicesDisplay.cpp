// Saving, draw order, product information and showing the module's objects anew.
#include "module/app/DbServices.h"

#include "module/app/DocLocks.h"
#include "module/base/LintaroLog.h"
#include "module/chain/TRdim.h"
#include "module/height/TRdimHeight.h"
#include "module/options/OptStrings.h"

#include "host/db/AcDbBlockTable.h"
#include "host/db/AcDbDatabase.h"
#include "host/db/AcDbEntity.h"
#include "host/db/AcDbHostApplicationServices.h"
#include "host/db/AcDbObjectOpen.h"
#include "host/db/AcDbSortentsTable.h"
#include "host/ed/acutPrintf.h"
#include "host/win/FormatW.h"

#include <vector>

Acad::ErrorStatus SaveDwgAs(AcDbDatabase* db, const std::wstring& path) {
    if (!db || path.empty()) return Acad::eInvalidInput;
    try {
        LogFmt(L"\n*** SAVE: %s", path.c_str());
        // The preview stored in the drawing stays as it is.
        db->setRetainOriginalThumbnailBitmap(true);
        const Acad::ErrorStatus es = db->saveAs(path.c_str(), true, AcDb::kDHL_CURRENT, nullptr);
        if (es != Acad::eOk)
            acutPrintf(L"\nSave error: %s ", host::FormatW(L"error %d", static_cast<int>(es)).c_str());
        return es;
    } catch (...) {
        LogFmt(L"\n ANY ERROR ON SAVEAS(%s) NormalDb:%d!!!! \n", path.c_str(), 1);
        MsgBoxFmt(L"ANY ERROR: SaveAs(%s) ", path.c_str());
        return Acad::eInvalidInput;
    }
}

AcDbSortentsTable* GetSortentsTable(const AcDbEntity* entity) {
    if (!entity || entity->blockId().isNull()) {
        LogMsg(L" get_sort_1");
        return nullptr;
    }
    AcDbBlockTableRecord* block = nullptr;
    if (acdbOpenObject(block, entity->blockId(), AcDb::kForRead) != Acad::eOk) {
        LogMsg(L" get_sort_2");
        return nullptr;
    }
    AcDbSortentsTable* table = nullptr;
    const Acad::ErrorStatus es = block->getSortentsTable(table, AcDb::kForWrite, true);
    block->close();
    if (es != Acad::eOk) {
        LogFmt(L" gST=%d ", static_cast<int>(es));
        return nullptr;
    }
    return table;
}

std::wstring GetProductInfo() {
    const AcDbHostApplicationServices* services = acdbHostApplicationServices();
    const std::wstring product = services ? services->product() : L"";
    const std::wstring release = services ? services->releaseMarker() : L"";
    return product + L"  release: " + release;
}

bool IsAutoCADLT() {
    return OptContainsNoCase(GetProductInfo(), L"autocad lt");
}

void ObjectsGraphicsModified(const AcDbObjectIdArray& ids) {
    LogFmt(L"\nObjectsGraphicsModified(%d)", ids.length());
    for (int i = 0; i < ids.length(); ++i) {
        AcDbObject* object = nullptr;
        if (acdbOpenAcDbObject(object, ids[i], AcDb::kForWrite) != Acad::eOk) continue;
        object->recordGraphicsModified();
        object->close();
    }
}

int DwgRegenVargo(int mode) {
    AcDbDatabase* db = acdbCurDwg();
    if (!db) return 0;
    CDbLockScope lock(db, L"DwgRegenVargo");
    AcDbBlockTable* table = nullptr;
    if (db->getBlockTable(table, AcDb::kForRead) != Acad::eOk) {
        acutPrintf(L"\nCannot get block table.");
        return 0;
    }
    AcDbBlockTableRecord* space = nullptr;
    const Acad::ErrorStatus es = table->getAt(ACDB_MODEL_SPACE, space, AcDb::kForRead);
    table->close();
    if (es != Acad::eOk) {
        acutPrintf(L"\nCannot get block table.");
        return 0;
    }
    // A snapshot: regenerating may append or erase nothing here, but the list must not
    // move under the walk either way.
    const std::vector<AcDbObjectId> ids = space->entityIds();
    space->close();
    int asked = 0;
    for (AcDbObjectId id : ids) {
        if (id.isErased()) continue;
        AcDbEntity* entity = nullptr;
        if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk) continue;
        if (TRdim* chain = TRdim::cast(entity)) {
            chain->Regenerate(mode);
            ++asked;
        } else if (TRdimHeight* mark = TRdimHeight::cast(entity)) {
            mark->Regenerate(mode);
            ++asked;
        }
        entity->close();
    }
    return asked;
}

void DwgRefresh() {
    // The host draws from the database whenever it shows the drawing; nothing is
    // cached that could be stale, and the focus never leaves its window here.
    LogMsg(L"\n DwgRefresh ");
}
