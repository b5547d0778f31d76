#include "module/services/DocLocks.h"

#include "module/base/LintaroLog.h"

#include "host/ap/AcApDocManager.h"

#include <algorithm>
#include <memory>

namespace {

// A document that keeps reporting a write lock is given up on after this many rounds.
constexpr int kMaxUnlockRounds = 10;

std::vector<std::wstring>& lockedList() {
    static std::vector<std::wstring> list;
    return list;
}

// The document whose database this is, found as the host's iterator lists them.
AcApDocument* documentOf(AcDbDatabase* db) {
    if (!db || !acDocManager) return nullptr;
    std::unique_ptr<AcApDocumentIterator> it(acDocManager->newAcApDocumentIterator());
    for (; it && !it->done(); it->step())
        if (it->document() && it->document()->database() == db) return it->document();
    return nullptr;
}

int modeOf(const AcApDocument* doc) {
    return static_cast<int>(doc->lockMode());
}
int myModeOf(const AcApDocument* doc) {
    return static_cast<int>(doc->myLockMode());
}

void forget(const std::wstring& name) {
    auto& list = lockedList();
    list.erase(std::remove(list.begin(), list.end(), name), list.end());
}

// Gives back the document's write locks, at most kMaxUnlockRounds of them.
void releaseWriteLocks(AcApDocument* doc) {
    for (int round = 0; round < kMaxUnlockRounds && doc->myLockMode() == AcAp::kWrite; ++round)
        if (acDocManager->unlockDocument(doc) != Acad::eOk) break;
}

} // namespace

const std::vector<std::wstring>& LockedDocuments() {
    return lockedList();
}

bool IsLocked(AcDbDatabase* db) {
    try {
        AcApDocument* doc = documentOf(db);
        if (!doc) return true;
        if (doc->myLockMode() == AcAp::kWrite) return true;
        LogFmt(L"\n !IS LOCKED '%s'", doc->fileName());
        return false;
    } catch (...) {
        LogMsg(L"\n *** ANY ERROR ON IS LOCKED DB...");
        return true;
    }
}

bool LockDb(AcDbDatabase* db) {
    if (!db) {
        LogMsg(L"\n !!!! LockDb !pDb  !!!!! ");
        return false;
    }
    try {
        if (!acDocManager) {
            LogMsg(L"\n !!!! LockDb !iter  !!!!! ");
            return false;
        }
        AcApDocument* doc = documentOf(db);
        if (!doc) return false;
        LogFmt(L"\n LOCK '%s'  mode=%d my=%d ", doc->fileName(), modeOf(doc), myModeOf(doc));
        const AcAp::DocLockMode my = doc->myLockMode();
        if (my != AcAp::kWrite && my != AcAp::kAutoWrite) {
            const Acad::ErrorStatus es =
                acDocManager->lockDocument(doc, AcAp::kWrite, nullptr, nullptr, true);
            LogFmt(L" /// es=%d mode=%d my=%d ", static_cast<int>(es), modeOf(doc), myModeOf(doc));
        }
        const std::wstring name = doc->fileName();
        if (std::find(lockedList().begin(), lockedList().end(), name) == lockedList().end())
            lockedList().push_back(name);
        return true;
    } catch (...) {
        LogMsg(L"\n *** ANY ERROR ON LOCK DB...");
        return false;
    }
}

bool UnlockDB(AcDbDatabase* db) {
    try {
        AcApDocument* doc = documentOf(db);
        if (!doc) return false;
        LogFmt(L"\n UNLOCK '%s'  mode=%d my=%d ", doc->fileName(), modeOf(doc), myModeOf(doc));
        releaseWriteLocks(doc);
        forget(doc->fileName());
        return true;
    } catch (...) {
        LogMsg(L"\n *** ANY ERROR ON LOCK DB...");
        return false;
    }
}

bool LockIfNeeded(AcDbDatabase* db, const wchar_t* label) {
    if (IsLocked(db)) return true;
    LogFmt(L"\n!TEST LOCKED  %s ", label ? label : L"");
    LockDb(db);
    return false;
}

void UnlockAll() {
    LogFmt(L"\n UNLOCK ALL locked=%d ", static_cast<int>(lockedList().size()));
    try {
        if (acDocManager) {
            std::unique_ptr<AcApDocumentIterator> it(acDocManager->newAcApDocumentIterator());
            for (; it && !it->done(); it->step()) {
                AcApDocument* doc = it->document();
                if (!doc) continue;
                LogFmt(L"\n UNLOCK '%s'  mode=%d my=%d inputPending=%d ", doc->fileName(), modeOf(doc),
                       myModeOf(doc), acDocManager->inputPending(doc));
                releaseWriteLocks(doc);
            }
        }
    } catch (...) {
        LogMsg(L"\n *** ANY ERROR ON LOCK DB...");
    }
    lockedList().clear();
    LogMsg(L"\n UNLOCK ALL \tEND");
}
