#include "shell/HostSession.h"

#include "host/db/AcDbMatchProperties.h"
#include "host/ed/CommandLine.h"
#include "host/ed/HostInput.h"
#include "host/rx/AcRxDynamicLinker.h"
#include "host/win/Transcript.h"
#include "host/win/UiEventQueue.h"
#include "shell/ModuleEntry.h"

namespace shell {

HostSession::HostSession() : m_driver(&host::uiEventQueue()) {
    m_driverScope = std::make_unique<host::UiDriverScope>(m_driver);
    // Dialogs and boxes take their answers from the input lines that follow them.
    host::uiEventQueue().setFeeder([] { return host::hostInput().nextUiEvent(); });
    // One drawing is open from the start; documents will take this over.
    acrxDynamicLinker->setOpenDrawingsProvider([] { return std::vector<void*>{nullptr}; });
    // MATCHPROP's application is part of the host here, so its service is there
    // before any module loads.
    host::registerMatchPropertiesService();
}

HostSession::~HostSession() {
    // Leaving: every module gets kUnloadDwgMsg, kUnloadAppMsg and kQuitMsg, then its exit.
    acrxDynamicLinker->unloadAllForQuit();
    acrxDynamicLinker->setOpenDrawingsProvider(nullptr);
    host::uiEventQueue().setFeeder(nullptr);
    host::transcriptWrite(L"\n");
}

bool HostSession::loadModule() {
    m_loaded = acrxDynamicLinker->loadModule(kModuleFileName, &acrxEntryPoint, true, &lintaroModuleExit);
    return m_loaded;
}

void HostSession::runCommandLine() { host::commandLine().run(); }

} // namespace shell
