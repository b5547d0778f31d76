#include "module/replace/UserBreak.h"

#include "host/ed/acutPrintf.h"
#include "host/ed/input/EditorInput.h"
#include "module/base/LintaroLog.h"
#include "module/resources/ReplaceResources.h"

namespace {
bool g_cancelled = false;
} // namespace

bool UserBreakConfirmed() {
    if (g_cancelled) return true;
    if (!acedUsrBrk()) return false;
    if (!AskYesNo(IDS_RPL_ASK_CANCEL)) return false;
    acutPrintf(LoadStr(IDS_RPL_CANCELLED));
    g_cancelled = true;
    return true;
}

void ResetUserBreak() {
    g_cancelled = false;
}
