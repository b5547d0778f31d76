#include "module/app/DocLocks.h"

#include "module/app/LintaroLog.h"

namespace {
std::vector<std::wstring>& lockedList() {
    static std::vector<std::wstring> list;
    return list;
}
} // namespace

const std::vector<std::wstring>& LockedDocuments() { return lockedList(); }

void UnlockAll() {
    LogFmt(L"\n UNLOCK ALL locked=%d ", static_cast<int>(lockedList().size()));
    lockedList().clear();
    LogMsg(L"\n UNLOCK ALL \tEND");
}
