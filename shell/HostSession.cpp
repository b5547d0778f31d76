#include "shell/HostSession.h"

#include "host/ap/AcApDocManager.h"
#include "host/db/AcDbMatchProperties.h"
#include "host/db/DrawingFileMessage.h"
#include "host/ed/CommandLine.h"
#include "host/ed/HostDrawCommands.h"
#include "host/ed/HostInput.h"
#include "host/ed/InputCommands.h"
#include "host/ed/RightClick.h"
#include "host/io/DrawingFile.h"
#include "host/mfc/WinTimer.h"
#include "host/rx/AcRxDynamicLinker.h"
#include "host/win/FormatW.h"
#include "host/win/Transcript.h"
#include "host/win/UiPalette.h"
#include "host/win/UiEventQueue.h"
#include "shell/ModuleEntry.h"
#include "shell/PlotCommand.h"

namespace shell {

HostSession::HostSession() : m_driver(&host::uiEventQueue()) {
    m_driverScope = std::make_unique<host::UiDriverScope>(m_driver);
    // Dialogs and boxes take their answers from the input lines that follow them.
    host::uiEventQueue().setFeeder([] { return host::hostInput().nextUiEvent(); });
    // "@rclick x,y" is a right click in the drawing window; "@palette ..." lines at
    // the command line go to the open palette.
    host::hostInput().setEventHandler(
        [](const std::wstring& event) { return host::handleRightClickEvent(event) || host::handlePaletteEvent(event); });
    // Between input lines the host is idle: posted messages and timers run then.
    host::commandLine().setIdleHandler([] { host::mfc::runIdleWork(); });
    // Drawings are the host's drawing files; the document manager tells every
    // module that loads of the drawings that are open.
    host::io::installDrawingFileHooks();
    acDocManager->documentCount();
    // MATCHPROP's application is part of the host here, so its service is there
    // before any module loads.
    host::registerMatchPropertiesService();
    registerPlotCommand();
    // UCS and ZOOM: scripts set the coordinate system and the view their picks use.
    host::registerInputCommands();
    // LINE, ARC, PLINE ...: scripts draw the plans they dimension.
    host::registerDrawCommands();
}

HostSession::~HostSession() {
    // Leaving: every module gets kUnloadDwgMsg, kUnloadAppMsg and kQuitMsg, then its exit.
    acrxDynamicLinker->unloadAllForQuit();
    acDocManager->closeAllDocuments();
    host::uiEventQueue().setFeeder(nullptr);
    host::transcriptWrite(L"\n");
}

bool HostSession::openDrawing(const std::wstring& path, std::wstring& error) {
    const Acad::ErrorStatus es = acDocManager->appContextOpenDocument(path.c_str());
    if (es != Acad::eOk) {
        error = host::drawingFileMessage();
        if (error.empty())
            error = host::FormatW(L"\"%s\" could not be opened (error status %d).", path.c_str(), int(es));
        return false;
    }
    // Notices about the drawing (objects kept as proxies) belong in the transcript.
    if (!host::drawingFileMessage().empty()) host::transcriptWrite(host::drawingFileMessage() + L"\n");
    return true;
}

bool HostSession::saveDrawing(const std::wstring& path, std::wstring& error) {
    AcApDocument* doc = acDocManager->curDocument();
    if (!doc) {
        error = L"no drawing is open to save (the script closed it).";
        return false;
    }
    const Acad::ErrorStatus es = acDocManager->saveDocument(doc, path.c_str());
    if (es == Acad::eOk) return true;
    error = host::drawingFileMessage();
    if (error.empty())
        error = host::FormatW(L"\"%s\" could not be saved (error status %d).", path.c_str(), int(es));
    return false;
}

bool HostSession::loadModule() {
    // The host starts with a new drawing unless one was opened.
    if (!acDocManager->curDocument()) acDocManager->appContextNewDocument(nullptr);
    m_loaded = acrxDynamicLinker->loadModule(kModuleFileName, &acrxEntryPoint, true, &lintaroModuleExit);
    return m_loaded;
}

void HostSession::runCommandLine() {
    host::commandLine().run();
}

} // namespace shell
