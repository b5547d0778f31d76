#pragma once
// Document locks. Changes made from the palette or a reactor need the document of the
// database locked for write; every change follows one rule:
//     bool wasLocked = IsLocked(db); if (!wasLocked) LockDb(db);
//     ... change ...
//     if (!wasLocked) UnlockDB(db);
// (CDbLockScope does exactly that). The module remembers the documents it locked, so
// that "UNLOCK ALL" can release every lock it took before the user gets control back.
#include <string>
#include <vector>

class AcDbDatabase;

// True when the database's document holds the module's write lock. A database without
// a document (a drawing read from disk) counts as locked, and so does any error, so no
// lock is ever attempted for it.
bool IsLocked(AcDbDatabase* db);
// Locks the database's document for write unless it already has a write lock, and
// lists it. False when the database has no document.
bool LockDb(AcDbDatabase* db);
// Releases the document's write locks (at most 10 rounds) and takes it off the list.
bool UnlockDB(AcDbDatabase* db);
// True when the database was locked already; otherwise locks it and returns false.
bool LockIfNeeded(AcDbDatabase* db, const wchar_t* label);
// "UNLOCK ALL": releases the write locks of every open document and empties the list.
void UnlockAll();
// The file names of the documents the module has locked.
const std::vector<std::wstring>& LockedDocuments();

// The locking rule for one change: locks when needed, unlocks at the end of the scope
// what it locked.
class CDbLockScope {
public:
    CDbLockScope(AcDbDatabase* db, const wchar_t* label) : m_db(db), m_wasLocked(LockIfNeeded(db, label)) {}
    ~CDbLockScope() {
        if (!m_wasLocked) UnlockDB(m_db);
    }
    CDbLockScope(const CDbLockScope&) = delete;
    CDbLockScope& operator=(const CDbLockScope&) = delete;

private:
    AcDbDatabase* m_db;
    bool m_wasLocked;
};
