#include "module/app/LintaroApp.h"

#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/ed/input/AcEdFilterWinMsg.h"
#include "host/ed/commands/CommandLine.h"
#include "host/ed/acutPrintf.h"
#include "host/mfc/AfxModuleState.h"
#include "host/rx/AcRxDictionary.h"
#include "host/rx/AcRxDynamicLinker.h"
#include "host/rx/AcRxService.h"
#include "host/win/FormatW.h"
#include "module/app/CommandTable.h"
#include "module/app/ContextMenuPort.h"
#include "module/app/DbReactor.h"
#include "module/services/DocLocks.h"
#include "module/app/EntityClasses.h"
#include "module/base/LanguageModule.h"
#include "module/base/LintaroLog.h"
#include "module/base/ModuleInfo.h"
#include "module/app/LispTable.h"
#include "module/app/MatchProp.h"
#include "module/app/PaletteInstall.h"
#include "module/services/PalettePort.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/IniStorage.h"
#include "module/options/LanguageChoice.h"
#include "module/resources/LintaroStrings.h"

#include <memory>


namespace {

constexpr const wchar_t* kServiceName = L"XOTA_LINTARO";

std::unique_ptr<AppEventCatcher> g_appEventCatcher;
bool g_filterRegistered = false;

void RegisterAppServices() {
    CTemporaryResourceOverride resources;
    if (!acrxServiceIsRegistered(kServiceName)) acrxRegisterService(kServiceName);
    RegisterEntityClasses();
    RegisterDemandLoading();
    if (!addMatchTRdim()) {
        LogMsg(L"\n**MatchProperties has not been registered.\nProtocol extension will be added when MATCHPROP is "
               L"used\n");
        acedPostCommandPrompt();
    }
    AddLintaroCommands();
    RegisterLintaroCommandHelp();
    CmdDRStart();
    g_filterRegistered = acedRegisterFilterWinMsg(&filterProc);
    if (!g_filterRegistered) acutPrintf(L"\nCan\u00B4t register message filter.");
    if (pGlobDimOptions && GetIniGeneralInt(L"ShowAppWindow") == 1) CmdLintaro();
}

void OnkInitApp() {
    SetModuleStopped(false);
    InstallPalette();
    if (pGlobDimOptions) {
        LogMsg(L"\n*****\n ** NIKDY ** \n OnkInitApp - pGlobDimOptions ");
        return;
    }
    pGlobDimOptions = new CGlobDimOptions();
    pGlobDimOptions->LoadOptions();
    AcDbHostApplicationServices* services = acdbHostApplicationServices();
    const std::wstring program =
        services ? host::FormatW(L"%s #%s VER:%s", services->product(), services->releaseMarker(),
                                 services->versionString())
                 : std::wstring();
    LogFmt(L"\n********** PROGRAM: %s **********", program.c_str());
    LoadLanguageModule();
    RegisterAppServices();
    LogFmt(L"\nonLoadDwg INI=%s", GetIniFile().c_str());
}

void initApp(void* pkt) {
    RegisterLintaroResources();
    if (!acrxDynamicLinker->unlockApplication(pkt))
        LogMsg(L"\n ****\n**** !acrxDynamicLinker->unlockApplication ");
    acrxDynamicLinker->registerAppMDIAware(pkt);
    if (!g_appEventCatcher && !acrxClassDictionary->at(L"MatchProperties")) {
        g_appEventCatcher = std::make_unique<AppEventCatcher>();
        acrxDynamicLinker->addReactor(g_appEventCatcher.get());
    }
    OnkInitApp();
}

void UnloadApp() {
    try {
        LogFmt(L"\n   UnloadApp 1 dlgMyApp=%d ", Palette().Exists() ? 1 : 0);
        Palette().Close();
        delete acrxServiceDictionary->remove(kServiceName);
        UnlockAll();
        CmdDRStop();
        SaveAllIniBuffers();
        if (g_filterRegistered) {
            acedRemoveFilterWinMsg(&filterProc);
            g_filterRegistered = false;
        }
        LogFmt(L"\n   UnloadApp 8 pGlobDimOptions=%d ", pGlobDimOptions ? 1 : 0);
    } catch (...) {
        LogMsg(L"unloadApp ERROR !!!!!!");
        MsgBoxFmt(L"\nANY ERROR in unloadApp ");
    }
    LogMsg(L"\n   UnloadApp END ");
}

void unloadSequence() {
    if (IsModuleStopped()) {
        LogMsg(L" kDependencyMsg ");
        return;
    }
    HINSTANCE previous = AfxGetResourceHandle();
    LogFmt(L"\n kUnloadAppMsg appEventCatcher=%d ", g_appEventCatcher ? 1 : 0);
    if (g_appEventCatcher) {
        acrxDynamicLinker->removeReactor(g_appEventCatcher.get());
        g_appEventCatcher.reset();
    }
    LogFmt(L"_hdllInstance=%p   hOld=%p ", static_cast<void*>(AfxGetInstanceHandle()), static_cast<void*>(previous));
    RemoveMatchTRdim();
    UnloadApp();
    SetModuleStopped(true);
    if (previous && previous != AfxGetInstanceHandle()) AfxSetResourceHandle(previous);
}

void handleMessage(AcRx::AppMsgCode msg, void* pkt) {
    switch (msg) {
    case AcRx::kInitAppMsg: initApp(pkt); break;
    case AcRx::kUnloadAppMsg:
    case AcRx::kEndMsg:
    case AcRx::kQuitMsg: unloadSequence(); break;
    case AcRx::kLoadDwgMsg:
        DefineLispFunctions();
        LogMsg(L"\npred rewatchDb");
        RewatchDb();
        LogMsg(L"\nPO rewatchDb");
        break;
    case AcRx::kUnloadDwgMsg: UndefineLispFunctions(); break;
    case AcRx::kInvkSubrMsg: DispatchLispFunction(); break;
    case AcRx::kSaveMsg: LogMsg(L" SaveMsg"); break;
    case AcRx::kDependencyMsg: LogMsg(L" kDependencyMsg "); break;
    case AcRx::kNoDependencyMsg: LogMsg(L" kNoDependencyMsg "); break;
    default: break;
    }
}

} // namespace

extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* pkt) {
    LogFmt(L"\n*** acrxEntryPoint %d START ", static_cast<int>(msg));
    try {
        handleMessage(msg, pkt);
    } catch (...) {
        acutPrintf(L"\nANY PROBLEM on %d message... ", static_cast<int>(msg));
        LogFmt(L"\n****** ANY ERROR on %d message... ", static_cast<int>(msg));
        return AcRx::kRetOK;
    }
    LogMsg(L" acrx-END ");
    return AcRx::kRetOK;
}

extern "C" void lintaroModuleExit() {
    LogMsg(L"\nthis will be called just before unloading long after kUnloadAppMsg ");
    DeleteEntityClasses();
    RemoveLintaroCommands();
    LogFmt(L" pGlobDimOptions=%d ", pGlobDimOptions ? 1 : 0);
    delete pGlobDimOptions;
    pGlobDimOptions = nullptr;
    RemovePalette();
    DeleteLogFile();
    FreeLanguageModule();
}
