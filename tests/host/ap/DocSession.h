#pragma once
// One test's documents: drawing files in a scratch folder, no document open at the
// start or the end, a module that logs the drawing messages it gets, and an
// editor reactor that logs what it hears.
#include "host/ap/AcApDocManager.h"
#include "host/ed/AcEditorReactor.h"
#include "host/ed/commands/CommandLine.h"
#include "host/ed/input/HostInput.h"
#include "host/ed/input/InputSource.h"
#include "host/io/DrawingFile.h"
#include "host/rx/AcRxDynamicLinker.h"
#include "host/win/Transcript.h"
#include "host/win/UiEventQueue.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace aptest {

inline std::wstring baseName(const wchar_t* path) {
    std::wstring p = path ? path : L"";
    const size_t slash = p.find_last_of(L"/\\");
    return slash == std::wstring::npos ? p : p.substr(slash + 1);
}

// The messages of the module, with the document's title: "load Drawing1.dwg".
inline std::vector<std::wstring>& moduleLog() {
    static std::vector<std::wstring> log;
    return log;
}

inline AcRx::AppRetCode logModuleEntry(AcRx::AppMsgCode msg, void* pkt) {
    auto* doc = static_cast<AcApDocument*>(pkt);
    switch (msg) {
    case AcRx::kInitAppMsg:
        acrxDynamicLinker->unlockApplication(pkt);
        break;
    case AcRx::kLoadDwgMsg:
        moduleLog().push_back(L"load " + std::wstring(doc ? doc->docTitle() : L"?"));
        break;
    case AcRx::kUnloadDwgMsg:
        moduleLog().push_back(L"unload " + std::wstring(doc ? doc->docTitle() : L"?"));
        break;
    default:
        break;
    }
    return AcRx::kRetOK;
}

class EventLog : public AcEditorReactor {
public:
    std::vector<std::wstring> events;
    void commandWillStart(const wchar_t* cmd) override { events.push_back(L"start " + std::wstring(cmd)); }
    void commandEnded(const wchar_t* cmd) override { events.push_back(L"end " + std::wstring(cmd)); }
    void beginDwgOpen(wchar_t* name) override { events.push_back(L"beginDwgOpen " + baseName(name)); }
    void endDwgOpen(const wchar_t* name, AcDbDatabase* db) override {
        events.push_back(L"endDwgOpen " + baseName(name) + (db ? L" db" : L" null"));
    }
    void beginClose(AcDbDatabase* db) override {
        events.push_back(db ? L"beginClose db" : L"beginClose null");
    }
    void beginSave(AcDbDatabase*, const wchar_t* name) override {
        events.push_back(L"beginSave " + baseName(name));
    }
    void saveComplete(AcDbDatabase*, const wchar_t* name) override {
        events.push_back(L"saveComplete " + baseName(name));
    }
    void abortSave(AcDbDatabase*) override { events.push_back(L"abortSave"); }
};

class DocSession : public ::testing::Test {
protected:
    void SetUp() override {
        host::io::installDrawingFileHooks();
        acDocManager->closeAllDocuments();
        host::commandLine().clearQuit();
        host::hostInput().reset();
        host::uiEventQueue().clear();
        // Message boxes take their answers ("@yes") from the script, as in the shell.
        host::uiEventQueue().setFeeder([] { return host::hostInput().nextUiEvent(); });
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/lintaro-ap-XXXXXX";
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        ASSERT_TRUE(::mkdtemp(name.data()));
        folder = name.data();
        acrxDynamicLinker->loadModule(L"doclog.arx", &logModuleEntry);
        moduleLog().clear();
        acedEditor->addReactor(&log);
    }
    void TearDown() override {
        acedEditor->removeReactor(&log);
        acDocManager->closeAllDocuments();
        acrxDynamicLinker->unloadModule(L"doclog.arx");
        host::hostInput().reset();
        host::uiEventQueue().setFeeder(nullptr);
        host::uiEventQueue().clear();
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
    std::wstring file(const std::string& name) const { return (folder / name).wstring(); }
    // Runs the lines at the command line as a script.
    void run(const std::wstring& text) {
        host::hostInput().pushSource(std::make_unique<host::ScriptSource>(text, L"test.scr"));
        host::commandLine().run();
        host::commandLine().clearQuit();
    }
    bool said(const std::wstring& text) const { return transcript.text().find(text) != std::wstring::npos; }

    std::filesystem::path folder;
    EventLog log;
    host::TranscriptCapture transcript;
};

} // namespace aptest
