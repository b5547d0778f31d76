// Saving, draw order, product information and showing the module's objects anew.
#include "module/services/DbServices.h"

#include "module/services/DocLocks.h"
#include "module/base/LintaroLog.h"
#include "module/options/OptStrings.h"

#include "host/db/tables/AcDbBlockTable.h"
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/entities/AcDbEntity.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/tables/AcDbSortentsTable.h"
#include "host/ed/acutPrintf.h"
#include "host/ed/acutWcMatch.h"
#include "host/rx/AcRxClass.h"
#include "host/rx/adscodes.h"
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

void DwgRefresh() {
    // The host draws from the database whenever it shows the drawing; nothing is
    // cached that could be stale, and the focus never leaves its window here.
    LogMsg(L"\n DwgRefresh ");
}

AcDbObjectIdArray ModelSpaceEntities(AcDbDatabase* db, const wchar_t* patterns) {
    AcDbObjectIdArray ids;
    AcDbBlockTable* table = nullptr;
    if (!db || db->getBlockTable(table, AcDb::kForRead) != Acad::eOk) return ids;
    AcDbBlockTableRecord* space = nullptr;
    const Acad::ErrorStatus es = table->getAt(ACDB_MODEL_SPACE, space, AcDb::kForRead);
    table->close();
    if (es != Acad::eOk) return ids;
    const std::vector<AcDbObjectId> entities = space->entityIds();
    space->close();
    for (AcDbObjectId id : entities) {
        AcDbEntity* entity = nullptr;
        if (acdbOpenObject(entity, id, AcDb::kForRead) != Acad::eOk) continue;
        if (acutWcMatchEx(entity->isA()->dxfName(), patterns, true) == RTNORM) ids.append(id);
        entity->close();
    }
    return ids;
}
