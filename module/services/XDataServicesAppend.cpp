// Appending entities to the drawing and selecting the module's objects by kind.
#include "module/services/XDataServices.h"

#include "module/services/DbServices.h"
#include "module/services/DocLocks.h"
#include "module/base/LintaroLog.h"
#include "module/services/PalettePort.h"
#include "module/options/CGlobDimOptions.h"

#include "host/db/tables/AcDbBlockTable.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/entities/AcDbEntity.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/database/acutResbuf.h"
#include "host/ed/selection/AcEdSelectionSet.h"
#include "host/ed/selection/acedSSGet.h"
#include "host/ed/acutPrintf.h"
#include "host/ed/acutWcMatch.h"
#include "host/rx/adscodes.h"

namespace {

// Model space of the database, opened for write; the logs name the step that failed.
Acad::ErrorStatus openModelSpace(AcDbDatabase* db, AcDbBlockTableRecord*& space, const wchar_t* formats[3]) {
    space = nullptr;
    AcDbBlockTable* table = nullptr;
    Acad::ErrorStatus es = db->getBlockTable(table, AcDb::kForRead);
    if (es != Acad::eOk) {
        LogFmt(formats[0], static_cast<int>(es));
        return es;
    }
    es = table->getAt(ACDB_MODEL_SPACE, space, AcDb::kForWrite);
    if (es != Acad::eOk) LogFmt(formats[1], static_cast<int>(es));
    const Acad::ErrorStatus closed = table->close();
    if (closed != Acad::eOk && formats[2]) LogFmt(formats[2], static_cast<int>(closed));
    return es;
}

Acad::ErrorStatus appendTo(AcDbBlockTableRecord* space, AcDbEntity* entity, AcDbObjectId& id,
                           const wchar_t* format) {
    const Acad::ErrorStatus es = space->appendAcDbEntity(id, entity);
    if (es != Acad::eOk) LogFmt(format, static_cast<int>(es));
    space->close();
    return es;
}

} // namespace

Acad::ErrorStatus posToDb(AcDbEntity* entity, AcDbObjectId& id) {
    id = AcDbObjectId::kNull;
    AcDbDatabase* db = acdbCurDwg();
    if (!db || !entity) return Acad::eInvalidInput;
    const wchar_t* formats[3] = {L"\nposToDb1 es=%d ", L"\nposToDb2 es=%d ", L"\nposToDb3 es=%d "};
    AcDbBlockTableRecord* space = nullptr;
    const Acad::ErrorStatus es = openModelSpace(db, space, formats);
    if (es != Acad::eOk) return es;
    return appendTo(space, entity, id, L"\nposToDb4 es=%d ");
}

Acad::ErrorStatus addToDb(AcDbEntity* entity, AcDbObjectId& id) {
    id = AcDbObjectId::kNull;
    AcDbDatabase* db = acdbCurDwg();
    if (!db || !entity) return Acad::eInvalidInput;
    CDbLockScope lock(db, L"addToDb");
    const wchar_t* formats[3] = {L"\n addToDb 1 es=%d ", L"\n addToDb 2 es=%d ", nullptr};
    AcDbBlockTableRecord* space = nullptr;
    const Acad::ErrorStatus es = openModelSpace(db, space, formats);
    if (es != Acad::eOk) return es;
    return appendTo(space, entity, id, L"\n addToDb appendAcDbEntity es=%d ");
}

Acad::ErrorStatus addToTable(AcDbEntity* entity, AcDbObjectId ownerId) {
    AcDbObjectId id;
    if (!ownerId.isValid()) return posToDb(entity, id);
    if (!entity) return Acad::eInvalidInput;
    AcDbBlockTableRecord* block = nullptr;
    Acad::ErrorStatus es = acdbOpenObject(block, ownerId, AcDb::kForWrite);
    if (es != Acad::eOk) {
        LogFmt(L"\n!!!AcDbBlockTableRecord=%d ", static_cast<int>(es));
        return es;
    }
    return appendTo(block, entity, id, L"\n  addToTable es=%d ");
}

std::vector<std::wstring> SelectionKindFilters(int kind) {
    switch (kind) {
    case 1:
        // Every type name with "DIM" (dimensions, height marks) and the chains, plus texts.
        return {L"*DIM*,XOTA_LINTARO", L"*TEXT"};
    case 2:
        return {L"*DIMENSION,XOTA_LINTARO"};
    case 3:
    case 4:
        return {L"XOTA_DIM_HEIGHT"};
    case 5:
        return {L"*TEXT"};
    default:
        return {};
    }
}

bool DxfNameMatchesKind(const std::wstring& dxfName, int kind) {
    for (const std::wstring& filter : SelectionKindFilters(kind))
        if (acutWcMatchEx(dxfName.c_str(), filter.c_str(), true) == RTNORM) return true;
    return false;
}

namespace {

// Appends the ids of the selection set and frees it; returns how many.
int takeSelection(const ads_name ss, AcDbObjectIdArray& ids) {
    Adesk::Int32 length = 0;
    acedSSLength(ss, &length);
    int added = 0;
    for (Adesk::Int32 i = 0; i < length; ++i) {
        ads_name ent = {0, 0};
        AcDbObjectId id;
        if (acedSSName(ss, i, ent) == RTNORM && acdbGetObjectId(id, ent) == Acad::eOk) {
            ids.append(id);
            ++added;
        }
    }
    acedSSFree(ss);
    return added;
}

} // namespace

int SelectEntities(AcDbObjectIdArray& ids, const wchar_t* prompt, const wchar_t* typeFilter,
                   const wchar_t* typeFilter2) {
    // The palette steps aside while the user picks in the drawing.
    const bool hidden = Palette().Exists();
    if (hidden) Palette().Hide();
    if (prompt && *prompt) acutPrintf(L"%s", prompt);
    resbuf* filter = nullptr;
    if (typeFilter && typeFilter2)
        filter = acutBuildList(-4, L"<or", RTDXF0, typeFilter, RTDXF0, typeFilter2, -4, L"or>", 0);
    else if (typeFilter)
        filter = acutBuildList(RTDXF0, typeFilter, 0);
    ads_name ss = {0, 0};
    const int rc = acedSSGet(nullptr, nullptr, nullptr, filter, ss);
    acutRelRb(filter);
    if (hidden) Palette().Show();
    if (rc != RTNORM) return 0;
    return takeSelection(ss, ids);
}

int SelectImplied(AcDbObjectIdArray& ids, const wchar_t* typeFilter) {
    resbuf* filter = typeFilter ? acutBuildList(RTDXF0, typeFilter, 0) : nullptr;
    ads_name ss = {0, 0};
    const bool implied = acedSSGet(L"_I", nullptr, nullptr, filter, ss) == RTNORM;
    acutRelRb(filter);
    if (!implied) return 0;
    return takeSelection(ss, ids);
}

int SelectEntitiesOfKind(AcDbObjectIdArray& ids, const wchar_t* prompt, int kind) {
    const std::vector<std::wstring> filters = SelectionKindFilters(kind);
    if (filters.empty()) {
        LogFmt(L"\n SelectEntitiesOfKind: unknown kind %d ", kind);
        return 0;
    }
    return SelectEntities(ids, prompt, filters[0].c_str(), filters.size() > 1 ? filters[1].c_str() : nullptr);
}
