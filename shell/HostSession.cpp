#include "shell/HostSession.h"

#include "host/ap/AcApDocManager.h"
#include "host/db/entities/AcDbMatchProperties.h"
#include "host/db/database/DrawingFileMessage.h"
#include "host/ed/commands/CommandAliases.h"
#include "host/ed/commands/CommandHelp.h"
#include "host/ed/commands/CommandLine.h"
#include "host/ed/commands/HostDrawCommands.h"
#include "host/ed/input/HostInput.h"
#include "host/ed/input/InputCommands.h"
#include "host/ed/input/RightClick.h"
#include "host/io/DrawingFile.h"
#include "host/mfc/WinTimer.h"
#include "host/rx/AcRxDynamicLinker.h"
#include "host/win/FormatW.h"
#include "host/win/Transcript.h"
#include "host/win/UiEventQueue.h"
#include "host/win/UiPalette.h"
#include "host/win/Utf8.h"
#include "host/win/WinFiles.h"
#include "shell/ModuleEntry.h"
#include "shell/PlotCommand.h"

#include <cstdio>

namespace shell {

namespace {
// The transcript of a batch run: its text without blank lines, on standard error.
void toStandardError(const std::wstring& text) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) end = text.size();
        const std::wstring line = text.substr(start, end - start);
        if (line.find_first_not_of(L" \t\r") != std::wstring::npos)
            std::fprintf(stderr, "lintaro: %s\n", host::toUtf8(line).c_str());
        start = end + 1;
    }
}
// The alias file lives beside the settings, where a person finds and edits it.
void loadAliases() {
    wchar_t base[1024] = {};
    if (SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, base) != S_OK) return;
    std::wstring folder = std::wstring(base) + L"/tessaron";
    CreateDirectoryW(folder.c_str(), nullptr);
    folder += L"/lintaro";
    CreateDirectoryW(folder.c_str(), nullptr);
    for (const std::wstring& message : host::commandAliases().load(folder + L"/lintaro.pgp"))
        host::transcriptWrite(L"\n" + message + L"\n");
}
} // namespace

HostSession::HostSession(Kind kind) : m_kind(kind), m_driver(&host::uiEventQueue()) {
    if (m_kind == Kind::Batch) m_previousSink = host::setTranscriptSink(&toStandardError);
    // The add-on's file is there to be loaded, also on demand when a drawing
    // holding its objects is opened.
    acrxDynamicLinker->registerModuleImage(kModuleFileName, &acrxEntryPoint, &lintaroModuleExit);
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
    // HELP and ?, and the aliases of lintaro.pgp.
    host::registerHelpCommands();
    loadAliases();
}

HostSession::~HostSession() {
    // Leaving: every module gets kUnloadDwgMsg, kUnloadAppMsg and kQuitMsg, then its exit.
    acrxDynamicLinker->unloadAllForQuit();
    acDocManager->closeAllDocuments();
    host::uiEventQueue().setFeeder(nullptr);
    if (m_kind == Kind::Batch)
        host::setTranscriptSink(m_previousSink);
    else
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

bool HostSession::loadModule(bool newDrawing) {
    if (newDrawing && !acDocManager->curDocument()) acDocManager->appContextNewDocument(nullptr);
    m_loaded = acrxDynamicLinker->loadModule(kModuleFileName, m_kind == Kind::CommandLine);
    return m_loaded;
}

void HostSession::runCommandLine() {
    host::commandLine().run();
}

} // namespace shell
