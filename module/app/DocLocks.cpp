#include "module/app/DocLocks.h"

#include "module/app/LintaroLog.h"

#include <algorithm>

namespace {

std::vector<std::wstring>& lockedList() {
    static std::vector<std::wstring> list;
    return list;
}

// This host has no document manager yet: every database stands alone, as a drawing
// read from disk does, so it counts as locked and nothing is ever locked or unlocked.
bool hasDocument(AcDbDatabase*) {
    return false;
}

} // namespace

const std::vector<std::wstring>& LockedDocuments() {
    return lockedList();
}

bool IsLocked(AcDbDatabase* db) {
    if (!db || !hasDocument(db)) return true;
    return true;
}

bool LockDb(AcDbDatabase* db) {
    if (!db) {
        LogMsg(L"\n !!!! LockDb !pDb  !!!!! ");
        return false;
    }
    return hasDocument(db);
}

bool UnlockDB(AcDbDatabase* db) {
    return db && hasDocument(db);
}

bool LockIfNeeded(AcDbDatabase* db, const wchar_t* label) {
    if (IsLocked(db)) return true;
    LogFmt(L"\n!TEST LOCKED  %s ", label ? label : L"");
    LockDb(db);
    return false;
}

void UnlockAll() {
    LogFmt(L"\n UNLOCK ALL locked=%d ", static_cast<int>(lockedList().size()));
    lockedList().clear();
    LogMsg(L"\n UNLOCK ALL \tEND");
}
