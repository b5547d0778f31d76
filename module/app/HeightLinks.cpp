#include "module/app/HeightLinks.h"

#include "host/ap/AcApDocManager.h"
#include "host/ap/AcApDocument.h"
#include "host/db/tables/AcDbBlockTable.h"
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/rx/AcRxClass.h"
#include "module/services/DbServices.h"
#include "module/services/DocLocks.h"
#include "module/base/LintaroLog.h"
#include "module/height/TRdimHeight.h"
#include "module/options/OptionIndices.h"
#include "module/options/ScaleMaps.h"
#include "module/resources/resource.h"

namespace {

// The databases of the open documents.
std::vector<AcDbDatabase*> OpenDatabases();

// Row r of a plan mark from its source, or its broken-link mark.
void RefreshRow(TRdimHeight* mark, int row, CExtDWGList* external) {
    const std::wstring link = mark->GetAutoLink(row);
    AcDbObjectId sourceId = Handle2ObjectId(mark->database(), link);
    if (sourceId.isNull() && external && HeightLinkNamesOtherDrawing(link)) {
        const std::size_t colon = link.rfind(L':');
        if (AcDbDatabase* db = external->find(link.substr(0, colon)))
            sourceId = Handle2ObjectId(db, link.substr(colon + 1));
    }
    AcDbObject* object = nullptr;
    if (sourceId.isNull() || sourceId.isErased() || acdbOpenObject(object, sourceId, AcDb::kForRead) != Acad::eOk) {
        mark->UpdateAutoValue(nullptr, row);
        return;
    }
    const TRdimHeight* source = TRdimHeight::cast(object);
    if (!source)
        mark->UpdateAutoValue(nullptr, row);
    else if (!source->IsPlan() && source->GetRole() != kHeightRoleBase && mark->IsPlan())
        mark->UpdateAutoValue(source, row);
    object->close();
}

void RefreshDatabase(AcDbDatabase* db, CExtDWGList* external) {
    LogFmt(L"\n db=%p ", static_cast<void*>(db));
    CDbLockScope lock(db, L"RefreshHDimAutoValues");
    const AcDbObjectIdArray marks = HeightMarksOf(db);
    LogFmt(L" nCount =%d ", marks.length());
    int n = 0;
    for (const AcDbObjectId& id : marks) {
        ++n;
        TRdimHeight* mark = nullptr;
        const Acad::ErrorStatus es = acdbOpenObject(mark, id, AcDb::kForWrite);
        if (es != Acad::eOk) {
            LogFmt(L"\n!!!RefreshHDimAutoValues %d./%d openEnt=%d ", n, marks.length(), static_cast<int>(es));
            continue;
        }
        for (int row = 1; row <= 2; ++row)
            if (mark->IsAutoValue(row)) RefreshRow(mark, row, external);
        mark->close();
    }
}

std::vector<AcDbDatabase*> OpenDatabases() {
    std::vector<AcDbDatabase*> dbs;
    AcApDocumentIterator* it = acDocManager->newAcApDocumentIterator();
    if (!it) return dbs;
    for (; !it->done(); it->step())
        if (AcDbDatabase* db = it->document()->database()) dbs.push_back(db);
    delete it;
    return dbs;
}

// Whether the link names a section mark that is there (a group member or a lone mark).
bool LinkFindsSource(AcDbDatabase* db, const std::wstring& link) {
    const AcDbObjectId sourceId = Handle2ObjectId(db, link);
    AcDbObject* object = nullptr;
    if (sourceId.isNull() || sourceId.isErased() || acdbOpenObject(object, sourceId, AcDb::kForRead) != Acad::eOk)
        return false;
    const TRdimHeight* source = TRdimHeight::cast(object);
    const bool found = source && !source->IsPlan() && source->GetRole() != kHeightRoleBase;
    object->close();
    return found;
}

} // namespace

std::vector<BrokenHeightLink> BrokenHeightLinks(AcDbDatabase* db) {
    std::vector<BrokenHeightLink> broken;
    for (const AcDbObjectId& id : HeightMarksOf(db)) {
        TRdimHeight* mark = nullptr;
        if (acdbOpenObject(mark, id, AcDb::kForRead) != Acad::eOk) continue;
        std::vector<BrokenHeightLink> rows;
        for (int row = 1; mark->IsPlan() && row <= 2; ++row) {
            const std::wstring link = mark->GetAutoLink(row);
            if (mark->IsAutoValue(row) && !link.empty()) rows.push_back({GetHandleString(mark), row, link});
        }
        mark->close();
        // Resolving may read another drawing: the mark is closed by then.
        for (BrokenHeightLink& row : rows)
            if (!LinkFindsSource(db, row.link)) broken.push_back(std::move(row));
    }
    return broken;
}

AcDbObjectIdArray HeightMarksOf(AcDbDatabase* db) {
    return ModelSpaceEntities(db, TRdimHeight::desc()->dxfName());
}

int RefreshHDimAutoValues(CExtDWGList* external) {
    for (AcDbDatabase* db : OpenDatabases())
        RefreshDatabase(db, external);
    LogMsg(L"\n RefreshAutoValues END ");
    return 1;
}

HDimCheckResult CheckHeightGroups(bool eraseLone, bool sameScaleAndLayer, const std::wstring& layerFor0) {
    HDimCheckResult result;
    AcDbDatabase* db = acdbCurDwg();
    CDbLockScope lock(db, L"HK Checker");
    const AcDbObjectIdArray marks = HeightMarksOf(db);
    result.all = marks.length();
    for (const AcDbObjectId& id : marks) {
        if (id.isErased()) continue;
        TRdimHeight* base = nullptr;
        if (acdbOpenObject(base, id, AcDb::kForWrite) != Acad::eOk) continue;
        if (base->IsPlan() || base->GetRole() == kHeightRoleMark) {
            base->close();
            continue;
        }
        const AcDbObjectIdArray members = GetGroupMembers(id);
        if (!layerFor0.empty() && GetLayerName(base->layerId()) == L"0") {
            const std::wstring layer = layerFor0 == LoadStr(IDS_LAYER_BY_SCALE)
                                           ? GetLayerForScale(base->GetParamString(IND_S_Scale))
                                           : layerFor0;
            if (!layer.empty() && SetEntityLayer(db, base, layer, GetColorForLayer(layer))) ++result.changed;
        }
        if (eraseLone && members.isEmpty()) {
            base->erase();
            base->close();
            ++result.erased;
            continue;
        }
        if (sameScaleAndLayer) result.changed += base->ScaleOrLayerChanged() ? 1 : 0;
        base->close();
    }
    result.broken = BrokenHeightLinks(db);
    return result;
}
