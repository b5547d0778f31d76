#include "module/app/PaletteApp.h"

#include "host/db/AcDbDatabase.h"
#include "host/db/AcDbHostApplicationServices.h"
#include "host/ed/CommandLine.h"
#include "host/ed/acutPrintf.h"
#include "module/app/CommandTable.h"
#include "module/app/DocLocks.h"
#include "module/app/LanguageModule.h"
#include "module/app/LintaroLog.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/IniStorage.h"
#include "module/ui/CDlgMain.h"

#include <memory>

CDlgMain* dlgMyApp = nullptr;

namespace {
// Whether HideDlgMain hid the palette, so that ShowDlgMain shows it again.
bool g_paletteWasVisible = false;
} // namespace

bool StartApp(bool bShow) {
    LoadLanguageModule();
    CTemporaryResourceOverride resources;
    AcDbDatabase* db =
        acdbHostApplicationServices() ? acdbHostApplicationServices()->workingDatabase() : nullptr;
    LogFmt(L"\nStartApp **** approxNumObjects=%d **** ", db ? static_cast<int>(db->approxNumObjects()) : -1);
    if (dlgMyApp) {
        UnlockAll();
        if (bShow) dlgMyApp->ShowWindow(SW_SHOW);
        return true;
    }
    SetIniFile(L"");
    if (pGlobDimOptions) pGlobDimOptions->LoadOptions();
    auto palette = std::make_unique<CDlgMain>();
    if (!palette->Create()) {
        LogMsg(L" ERROR!!!!! ");
        acutPrintf(L" \n ERROR on CDlgMain::Create");
        LogMsg(L" END!!! ");
        return false;
    }
    dlgMyApp = palette.release();
    if (bShow) dlgMyApp->ShowWindow(SW_SHOW);
    LogMsg(L"\n StartAppEND ");
    return true;
}

void EndApp(bool bDestroy, bool bSaveState) {
    LogMsg(L"\nEndApp1 ");
    if (!pGlobDimOptions) return;
    if (bDestroy && bSaveState)
        SetIniGeneral(L"ShowAppWindow", dlgMyApp && dlgMyApp->IsWindowVisible() ? L"1" : L"0");
    if (!dlgMyApp) return;
    if (!bDestroy) {
        dlgMyApp->ShowWindow(SW_HIDE);
        return;
    }
    LogMsg(L"\nEndApp Pred DestroyWindow ");
    if (bSaveState) UnlockAll();
    delete dlgMyApp;
    dlgMyApp = nullptr;
    g_paletteWasVisible = false;
    LogMsg(L" EndAppEND ");
}

void SaveShowAppWindowState() {
    SetIniGeneral(L"ShowAppWindow", dlgMyApp ? L"1" : L"0");
}

void HideDlgMain() {
    g_paletteWasVisible = false;
    if (!dlgMyApp) return;
    const std::wstring command = GetActiveCommand(false);
    if (!command.empty()) LogFmt(L"\nHideDlgMain strCommand='%s'", command.c_str());
    if (dlgMyApp->IsWindowVisible()) {
        g_paletteWasVisible = true;
        dlgMyApp->ShowWindow(SW_HIDE);
    }
    if (pGlobDimOptions) pGlobDimOptions->m_bDlgMainHidden = true;
}

void ShowDlgMain() {
    if (g_paletteWasVisible && dlgMyApp) dlgMyApp->ShowWindow(SW_SHOW);
    g_paletteWasVisible = false;
    acedPostCommandPrompt();
    if (pGlobDimOptions) pGlobDimOptions->m_bDlgMainHidden = false;
}
