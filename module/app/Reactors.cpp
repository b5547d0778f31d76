#include "module/app/Reactors.h"

#include "module/app/LintaroLog.h"

#include <algorithm>
#include <vector>

namespace {
bool g_installed = false;
std::vector<AcDbObjectId> g_appended;
} // namespace

// The reactors themselves come with the entities they keep right; until then the
// module only remembers that it was asked, so start and stop pair up as they will.
void InstallReactors() {
    LogMsg(L"\n DRStart ");
    g_installed = true;
}

void RemoveReactors() {
    LogMsg(L"\n DRStop ");
    g_installed = false;
}

bool AreReactorsInstalled() { return g_installed; }

bool IsInAppendedList(AcDbObjectId id) {
    return !id.isNull() && std::find(g_appended.begin(), g_appended.end(), id) != g_appended.end();
}

void AddToAppendedList(AcDbObjectId id) {
    if (id.isNull() || IsInAppendedList(id)) return;
    g_appended.push_back(id);
}

void ClearAppendedList() { g_appended.clear(); }
