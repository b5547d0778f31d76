#include "module/app/Reactors.h"

#include "module/app/LintaroLog.h"

namespace {
bool g_installed = false;
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
