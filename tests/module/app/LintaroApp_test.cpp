// The module's life in the host: what loading registers, what unloading undoes, the
// AutoLISP table and the guard against running into a foreign command.
#include "module/app/CommandTable.h"
#include "module/services/ActiveCommand.h"
#include "module/app/LintaroApp.h"
#include "module/app/MatchProp.h"
#include "module/ui/PaletteApp.h"
#include "module/app/Reactors.h"
#include "module/base/ModuleInfo.h"
#include "module/ui/CDlgMain.h"

#include "host/db/entities/AcDbMatchProperties.h"
#include "host/ed/commands/AcEdCommandStack.h"
#include "host/ed/input/AcEdFilterWinMsg.h"
#include "host/ed/commands/CommandLine.h"
#include "host/ed/lisp/LispFunctions.h"
#include "host/mfc/PaletteWindow.h"
#include "host/rx/AcRxDynamicLinker.h"
#include "host/rx/AcRxService.h"
#include "host/win/UiDriver.h"
#include "host/win/UiForm.h"
#include "host/win/WinMessageBox.h"

#include "tests/module/options/OptionsTestEnv.h"

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr const wchar_t* kModule = L"lintaro.arx";

// Answers every box with a fixed button and remembers the texts.
class RecordingDriver : public host::UiDriver {
public:
    int messageBox(HWND, const std::wstring& text, const std::wstring& caption, UINT type) override {
        texts.push_back(text);
        captions.push_back(caption);
        return (type & MB_TYPEMASK) == MB_YESNO ? IDNO : IDOK;
    }
    // Dialogs are cancelled, as a person who closes them at once.
    void runDialog(host::UiForm& form) override {
        dialogs.push_back(form.formCaption());
        form.formCancel();
    }
    std::vector<std::wstring> texts;
    std::vector<std::wstring> captions;
    std::vector<std::wstring> dialogs;
};

class ModuleLifecycle : public OptionsTestEnv {
protected:
    void SetUp() override {
        OptionsTestEnv::SetUp();
        m_ui = std::make_unique<host::UiDriverScope>(m_driver);
        host::registerMatchPropertiesService();
    }
    void TearDown() override {
        if (acrxDynamicLinker->isModuleLoaded(kModule)) unload();
        m_ui.reset();
        OptionsTestEnv::TearDown();
    }
    bool load() { return acrxDynamicLinker->loadModule(kModule, &acrxEntryPoint, false, &lintaroModuleExit); }
    void unload() {
        acrxDynamicLinker->unloadModule(kModule);
        lintaroModuleExit();
    }
    static std::vector<const AcEdCommand*> moduleCommands() {
        std::vector<const AcEdCommand*> out;
        std::unique_ptr<AcEdCommandIterator> it(acedRegCmds->iterator());
        for (; !it->done(); it->next())
            if (std::wstring(it->commandGroup()) == kLintaroGroup) out.push_back(it->command());
        return out;
    }

    RecordingDriver m_driver;
    std::unique_ptr<host::UiDriverScope> m_ui;
};

} // namespace

TEST_F(ModuleLifecycle, LoadingRegistersServiceCommandsFilterAndWritesTheSettings) {
    ASSERT_TRUE(load());
    EXPECT_FALSE(IsModuleStopped());
    EXPECT_TRUE(acrxServiceIsRegistered(L"XOTA_LINTARO"));
    ASSERT_NE(pGlobDimOptions, nullptr);
    EXPECT_EQ(host::filterWinMsgCount(), 1);
    EXPECT_TRUE(AreReactorsInstalled());
    EXPECT_TRUE(IsMatchExtensionAdded());

    // All 26 commands, in the table's order, with their names and flags.
    const auto commands = moduleCommands();
    ASSERT_EQ(commands.size(), 26u);
    ASSERT_EQ(commands.size(), LintaroCommands().size());
    for (size_t i = 0; i < commands.size(); ++i) {
        EXPECT_STREQ(commands[i]->globalName(), LintaroCommands()[i].globalName) << i;
        EXPECT_STREQ(commands[i]->localName(), LintaroCommands()[i].localName) << i;
        EXPECT_EQ(commands[i]->commandFlags(), LintaroCommands()[i].flags) << i;
    }
    EXPECT_STREQ(commands.front()->globalName(), L"XOTA_Adim");
    EXPECT_STREQ(commands.back()->globalName(), L"XOTA_ProxyAcad2Lintaro");
    EXPECT_EQ(commands[5]->commandFlags(), ACRX_CMD_USEPICKSET | ACRX_CMD_REDRAW);

    // Global and local names differing in case only, or wholly, name one command.
    EXPECT_EQ(acedRegCmds->lookupGlobalCmd(L"XOTA_vdim"), acedRegCmds->lookupLocalCmd(L"XOTA_Vdim"));
    EXPECT_EQ(acedRegCmds->lookupLocalCmd(L"XOTA_DimSelectObjects"),
              acedRegCmds->lookupGlobalCmd(L"XOTA_SelectLintaroObjects"));

    // The main INI now holds the General Info entries and the option sections.
    EXPECT_EQ(onDisk(settingsIni(), L"General Info", L"DefaultSection"), L"Decimal");
    EXPECT_EQ(onDisk(settingsIni(), L"MainOptions", L"Scale"), L"1:100");
    EXPECT_EQ(onDisk(settingsIni(), L"DH_MainOptions", L"HDimSize"), L"5");
}

TEST_F(ModuleLifecycle, UnloadingUndoesLoadingAndASecondUnloadOnlyLogs) {
    ASSERT_TRUE(load());
    ASSERT_EQ(acrxDynamicLinker->sendModuleMessage(kModule, AcRx::kUnloadAppMsg, nullptr), AcRx::kRetOK);
    EXPECT_TRUE(IsModuleStopped());
    EXPECT_FALSE(acrxServiceIsRegistered(L"XOTA_LINTARO"));
    EXPECT_EQ(host::filterWinMsgCount(), 0);
    EXPECT_FALSE(AreReactorsInstalled());
    // The options live until the module's exit, so a late entity can still file itself.
    EXPECT_NE(pGlobDimOptions, nullptr);

    // Something the first unload removed, put back: a second unload must not touch it.
    acrxRegisterService(L"XOTA_LINTARO");
    EXPECT_EQ(acrxDynamicLinker->sendModuleMessage(kModule, AcRx::kQuitMsg, nullptr), AcRx::kRetOK);
    EXPECT_TRUE(acrxServiceIsRegistered(L"XOTA_LINTARO"));
    acrxUnregisterService(L"XOTA_LINTARO");

    // The module's exit removes the command group and the options.
    unload();
    EXPECT_TRUE(moduleCommands().empty());
    EXPECT_EQ(pGlobDimOptions, nullptr);
}

TEST_F(ModuleLifecycle, InitialisingTwiceRegistersNothingTwice) {
    ASSERT_TRUE(load());
    CGlobDimOptions* options = pGlobDimOptions;
    EXPECT_EQ(acrxDynamicLinker->sendModuleMessage(kModule, AcRx::kInitAppMsg, nullptr), AcRx::kRetOK);
    EXPECT_EQ(pGlobDimOptions, options);
    EXPECT_EQ(moduleCommands().size(), 26u);
    EXPECT_EQ(host::filterWinMsgCount(), 1);
}

TEST_F(ModuleLifecycle, AutoLispFunctionsLiveFromLoadDwgToUnloadDwg) {
    ASSERT_TRUE(load());
    auto& lisp = host::lispFunctions();
    EXPECT_FALSE(lisp.isDefined(L"C:XOTA_LintaroPopUp"));
    acrxDynamicLinker->sendModuleMessage(kModule, AcRx::kLoadDwgMsg, nullptr);
    EXPECT_TRUE(lisp.isDefined(L"C:XOTA_LintaroPopUp"));
    EXPECT_TRUE(lisp.isDefined(L"C:XOTA_LintaroPopUpH"));
    EXPECT_TRUE(lisp.isDefined(L"XOTA_LintaroMakeDimByLine"));
    EXPECT_EQ(lisp.definingModule(L"XOTA_LintaroMakeDimByLine"), kModule);
    acrxDynamicLinker->sendModuleMessage(kModule, AcRx::kUnloadDwgMsg, nullptr);
    EXPECT_FALSE(lisp.isDefined(L"C:XOTA_LintaroPopUp"));
    EXPECT_FALSE(lisp.isDefined(L"XOTA_LintaroMakeDimByLine"));
}

namespace {
int g_dispatchResult = 0;
int g_dispatchCalls = 0;
int dispatchProbe() {
    ++g_dispatchCalls;
    g_dispatchResult = DispatchLispFunction();
    return RSRSLT;
}
} // namespace

TEST_F(ModuleLifecycle, AFunctionCodeOutsideTheTableIsAnError) {
    ASSERT_TRUE(load());
    {
        host::ModuleContextScope scope(kModule);
        ASSERT_EQ(acedDefun(L"XOTA_NOSUCHFUNCTION", 3), RTNORM);
        ASSERT_EQ(acedRegFunc(&dispatchProbe, 3), RTNORM);
    }
    g_dispatchCalls = 0;
    host::lispFunctions().invoke(L"XOTA_NOSUCHFUNCTION");
    EXPECT_EQ(g_dispatchCalls, 1);
    EXPECT_EQ(g_dispatchResult, RTERROR);
}

namespace {
std::wstring g_foreignSeen, g_ownSeen, g_ownWithOwn;
bool g_activeInForeign = false;
void foreignCommand() {
    g_foreignSeen = GetActiveCommand(false);
    g_activeInForeign = IsCommandActive(true);
}
void ownCommand() {
    g_ownSeen = GetActiveCommand(false);
    g_ownWithOwn = GetActiveCommand(true);
}
} // namespace

TEST_F(ModuleLifecycle, TheGuardSeesForeignCommandsButNotTheModulesOwn) {
    ASSERT_TRUE(load());
    ASSERT_EQ(acedRegCmds->addCommand(L"TEST_GROUP", L"Foreign", L"Foreign", ACRX_CMD_MODAL, &foreignCommand),
              Acad::eOk);
    ASSERT_EQ(
        acedRegCmds->addCommand(L"TEST_GROUP", L"XOTA_Probe", L"XOTA_Probe", ACRX_CMD_MODAL, &ownCommand),
        Acad::eOk);
    EXPECT_TRUE(GetActiveCommand(true).empty()) << "nothing runs at the command prompt";
    EXPECT_FALSE(IsCommandActive(false));

    m_driver.texts.clear();
    host::commandLine().execute(L"foreign");
    EXPECT_EQ(g_foreignSeen, L"FOREIGN");
    EXPECT_TRUE(g_activeInForeign);
    ASSERT_EQ(m_driver.texts.size(), 1u);
    EXPECT_EQ(m_driver.texts[0], L"Befehl FOREIGN is aktiv!\nBitte beenden Sie zuerst diesen Befehl.");
    EXPECT_EQ(m_driver.captions[0], L"lintaro");

    host::commandLine().execute(L"XOTA_Probe");
    EXPECT_EQ(g_ownSeen, L"");
    EXPECT_EQ(g_ownWithOwn, L"XOTA_PROBE");
    acedRegCmds->removeGroup(L"TEST_GROUP");
}

TEST_F(ModuleLifecycle, UnbuiltCommandsSayItAndCreationLeavesNoPalette) {
    ASSERT_TRUE(load());
    host::TranscriptCapture capture;
    // The options dialog needs no palette: it opens on the options file in use and,
    // cancelled, makes none.
    host::commandLine().execute(L"XOTA_Doption");
    ASSERT_EQ(m_driver.dialogs.size(), 1u) << capture.text();
    const std::wstring& title = m_driver.dialogs[0];
    EXPECT_EQ(title.rfind(L"Globale Einstellungen: /", 0), 0u) << title;
    EXPECT_EQ(title.substr(title.size() - 12), L"/lintaro.ini") << title;
    EXPECT_EQ(capture.text().find(L"not available yet"), std::wstring::npos) << capture.text();
    EXPECT_EQ(dlgMyApp, nullptr);
    capture.clear();
    // The properties dialog is built: it opens (and is cancelled) without a palette.
    host::commandLine().execute(L"_XOTA_DimProp");
    EXPECT_EQ(capture.text().find(L"XOTA_DimProp: not available yet"), std::wstring::npos) << capture.text();
    EXPECT_EQ(dlgMyApp, nullptr);
}

TEST_F(ModuleLifecycle, ShowAppWindowAsksForThePaletteAtLoad) {
    loadOptions();
    SetIniGeneral(L"ShowAppWindow", L"1");
    SaveAllIniBuffers();
    freshRun();
    host::TranscriptCapture capture;
    ASSERT_TRUE(load());
    EXPECT_EQ(capture.text().find(L"not available"), std::wstring::npos) << capture.text();
    ASSERT_NE(dlgMyApp, nullptr) << "the palette is open";
    EXPECT_TRUE(dlgMyApp->IsWindowVisible());
    EXPECT_EQ(host::mfc::paletteWindow(), dlgMyApp) << "the host's palette takes the script's events";

    // Unloading remembers that it was open; hidden, it is not opened at the next load.
    acrxDynamicLinker->unloadAllForQuit();
    EXPECT_EQ(dlgMyApp, nullptr);
    EXPECT_EQ(GetIniGeneralInt(L"ShowAppWindow"), 1);
    ASSERT_TRUE(load());
    ASSERT_NE(dlgMyApp, nullptr);
    dlgMyApp->ShowWindow(false);
    acrxDynamicLinker->unloadAllForQuit();
    EXPECT_EQ(GetIniGeneralInt(L"ShowAppWindow"), 0);
}
