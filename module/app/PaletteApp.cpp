#include "module/app/PaletteApp.h"

#include "host/ed/CommandLine.h"
#include "host/ed/acutPrintf.h"
#include "module/app/CommandTable.h"
#include "module/app/DocLocks.h"
#include "module/app/LanguageModule.h"
#include "module/app/LintaroLog.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/IniStorage.h"

// The palette window itself is not part of this build: dlgMyApp stays null and every
// operation below takes its "no palette" path.
CDlgMain* dlgMyApp = nullptr;

namespace {
bool g_paletteWasVisible = false;
} // namespace

bool StartApp(bool bShow) {
    LoadLanguageModule();
    CTemporaryResourceOverride resources;
    LogFmt(L"\nStartApp **** approxNumObjects=%d **** ", -1);
    if (dlgMyApp) {
        UnlockAll();
        return true;
    }
    SetIniFile(L"");
    if (pGlobDimOptions) pGlobDimOptions->LoadOptions();
    // No palette can be created in this build.
    LogMsg(L" ERROR!!!!! ");
    LogMsg(L" END!!! ");
    return false;
}

void EndApp(bool bDestroy, bool bSaveState) {
    LogMsg(L"\nEndApp1 ");
    if (!pGlobDimOptions) return;
    if (bDestroy && bSaveState) SetIniGeneral(L"ShowAppWindow", dlgMyApp ? L"1" : L"0");
    if (!dlgMyApp) return;
    if (bSaveState) UnlockAll();
    LogMsg(L" EndAppEND ");
}

void SaveShowAppWindowState() { SetIniGeneral(L"ShowAppWindow", dlgMyApp ? L"1" : L"0"); }

void HideDlgMain() {
    g_paletteWasVisible = false;
    if (!dlgMyApp) return;
    const std::wstring command = GetActiveCommand(false);
    if (!command.empty()) LogFmt(L"\nHideDlgMain strCommand='%s'", command.c_str());
    if (pGlobDimOptions) pGlobDimOptions->m_bDlgMainHidden = true;
}

void ShowDlgMain() {
    g_paletteWasVisible = false;
    acedPostCommandPrompt();
    if (pGlobDimOptions) pGlobDimOptions->m_bDlgMainHidden = false;
}
