#include "module/ui/PaletteApp.h"

#include "module/app/PaletteInstall.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/ed/commands/CommandLine.h"
#include "host/ed/acutPrintf.h"
#include "host/mfc/CButton.h"
#include "module/services/ActiveCommand.h"
#include "module/services/DocLocks.h"
#include "module/base/LanguageModule.h"
#include "module/base/LintaroLog.h"
#include "module/services/PalettePort.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/IniStorage.h"
#include "module/options/LanguageChoice.h"
#include "module/options/PaletteState.h"
#include "module/ui/CDlgMain.h"
#include "module/ui/PaletteValues.h"

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
    // The next start puts the palette where the user left it.
    if (bSaveState) dlgMyApp->saveWindowPosition();
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

namespace {

class PaletteOfTheModule final : public PalettePort {
public:
    bool Exists() const override { return dlgMyApp != nullptr; }
    bool Start() override { return StartApp(false) && dlgMyApp; }
    bool Open() override {
        if (!StartApp(true) || !dlgMyApp) return false;
        if (!dlgMyApp->IsWindowVisible()) dlgMyApp->ShowWindow(SW_SHOW);
        return true;
    }
    void Discard() override { EndApp(true, false); }
    void Close() override { EndApp(true, true); }
    void SaveShownState() override { SaveShowAppWindowState(); }
    void Hide() override { HideDlgMain(); }
    void Show() override { ShowDlgMain(); }
    bool InitParameters(int mode, AcDbObject* object, bool keepArcSettings) override {
        return dlgMyApp && dlgMyApp->InitParametersInMode(mode, object, keepArcSettings);
    }
    void SelectMode(int mode) override {
        if (dlgMyApp && dlgMyApp->m_iCurrentMode != mode) dlgMyApp->AdjustMode(mode);
    }
    void EnableActions(bool enable) override {
        if (dlgMyApp) dlgMyApp->EnableActions(enable);
    }
    PaletteLayerChoice LayerChoice() const override {
        const std::wstring text = dlgMyApp ? dlgMyApp->GetLayerChoice() : std::wstring();
        return {text == CurrentLayerEntry(), text};
    }
    void SelectObjects(const AcDbObjectIdArray& ids) override {
        if (dlgMyApp) dlgMyApp->SelectObjects(ids);
    }
    void SelectScale() override {
        if (dlgMyApp) dlgMyApp->SelectScale();
    }
    bool ScreenAidChoice(bool& inputPoints, bool& sum) const override {
        const auto* points = dlgMyApp ? dynamic_cast<CButton*>(dlgMyApp->GetDlgItem(1017)) : nullptr;
        const auto* framedSum = dlgMyApp ? dynamic_cast<CButton*>(dlgMyApp->GetDlgItem(1041)) : nullptr;
        if (!points || !framedSum) return false;
        inputPoints = points->GetCheck() == BST_CHECKED;
        sum = framedSum->GetCheck() == BST_CHECKED;
        return true;
    }
};

PaletteState stateOfThePalette() {
    return dlgMyApp ? PaletteState{dlgMyApp->m_iCurrentMode, dlgMyApp->m_iCurrentType} : PaletteState{};
}

} // namespace

void InstallPalette() {
    static PaletteOfTheModule palette;
    InstallPalettePort(&palette);
    SetPaletteStateSource(&stateOfThePalette);
}

void RemovePalette() {
    InstallPalettePort(nullptr);
    SetPaletteStateSource(nullptr);
}
