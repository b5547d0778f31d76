// Appending entities to the drawing and selecting the module's objects by kind.
#include "module/app/XDataServices.h"

#include "module/app/DbServices.h"
#include "module/app/DocLocks.h"
#include "module/app/LintaroLog.h"
#include "module/app/PaletteApp.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/OptStrings.h"

#include "host/db/AcDbBlockTable.h"
#include "host/db/AcDbDatabase.h"
#include "host/db/AcDbEntity.h"
#include "host/db/AcDbObjectOpen.h"
#include "host/ed/acutPrintf.h"

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

// "*" matches any run of characters; the rest compares without regard to case, as the
// host's type-name filters do.
bool wildMatch(const std::wstring& pattern, const std::wstring& text) {
    const std::wstring p = OptLower(pattern);
    const std::wstring t = OptLower(text);
    std::size_t pi = 0, ti = 0, star = std::wstring::npos, mark = 0;
    while (ti < t.size()) {
        if (pi < p.size() && p[pi] == L'*') {
            star = pi++;
            mark = ti;
        } else if (pi < p.size() && p[pi] == t[ti]) {
            ++pi;
            ++ti;
        } else if (star != std::wstring::npos) {
            pi = star + 1;
            ti = ++mark;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == L'*')
        ++pi;
    return pi == p.size();
}

// A filter may list several patterns separated by commas.
bool filterMatches(const std::wstring& filter, const std::wstring& name) {
    std::size_t start = 0;
    while (start <= filter.size()) {
        std::size_t end = filter.find(L',', start);
        if (end == std::wstring::npos) end = filter.size();
        if (wildMatch(filter.substr(start, end - start), name)) return true;
        start = end + 1;
    }
    return false;
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
        if (filterMatches(filter, dxfName)) return true;
    return false;
}

int SelectEntities(AcDbObjectIdArray& ids, const wchar_t* prompt, const wchar_t* typeFilter,
                   const wchar_t* typeFilter2) {
    const bool hidden = dlgMyApp != nullptr;
    if (hidden) HideDlgMain();
    if (prompt && *prompt) acutPrintf(L"%s", prompt);
    // This host offers no selection set yet, so nothing can be selected.
    LogFmt(L"\n SelectEntities(%s, %s): no selection available ", typeFilter ? typeFilter : L"",
           typeFilter2 ? typeFilter2 : L"");
    if (hidden) ShowDlgMain();
    (void)ids;
    return 0;
}

int SelectEntitiesOfKind(AcDbObjectIdArray& ids, const wchar_t* prompt, int kind) {
    const std::vector<std::wstring> filters = SelectionKindFilters(kind);
    if (filters.empty()) {
        LogFmt(L"\n SelectEntitiesOfKind: unknown kind %d ", kind);
        return 0;
    }
    return SelectEntities(ids, prompt, filters[0].c_str(), filters.size() > 1 ? filters[1].c_str() : nullptr);
}
