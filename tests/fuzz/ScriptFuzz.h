#pragma once
// The script interpreter under arbitrary input: the text runs as a command script
// against a fresh drawing, with the add-on loaded on fresh settings and scripted GUI
// events answered, as `lintaro run` does. Whatever the lines say, the run ends
// without a crash or a sanitizer report. Shared by the libFuzzer target, the corpus
// replay and the random-script test.
#include "host/db/database/AcDbDatabase.h"
#include "host/db/entities/AcDbMatchProperties.h"
#include "host/ed/selection/AcEdSelectionSet.h"
#include "host/ed/commands/CommandLine.h"
#include "host/ed/DrawingView.h"
#include "host/ed/commands/HostDrawCommands.h"
#include "host/ed/input/HostInput.h"
#include "host/ed/input/InputCommands.h"
#include "host/ed/input/InputSource.h"
#include "host/win/ScriptUiDriver.h"
#include "host/win/Transcript.h"
#include "host/win/UiEventQueue.h"
#include "host/win/UiPalette.h"
#include "host/win/Utf8.h"
#include "tests/fuzz/AddOnFuzz.h"

#include <cstdint>
#include <memory>
#include <string>

namespace fuzz {

// The step budget: a script runs at most this many input lines. Every line is one
// answer, and a command that runs out of input is cancelled, so the run is bounded.
inline constexpr size_t kMaxScriptLines = 200;

// The lines a run may take: up to the budget, and none that names a file (a path
// with '/' or '\'): the fuzzer must not write over files outside its scratch folder.
inline std::wstring scriptLines(const std::wstring& text) {
    std::wstring kept;
    size_t lines = 0, pos = 0;
    while (pos <= text.size() && lines < kMaxScriptLines) {
        size_t end = text.find_first_of(L"\r\n", pos);
        if (end == std::wstring::npos) end = text.size();
        const std::wstring line = text.substr(pos, end - pos);
        if (line.find_first_of(L"/\\") == std::wstring::npos) {
            kept += line;
            kept += L'\n';
        }
        ++lines;
        pos = end + 1;
    }
    return kept;
}

// Runs the script text; the transcript goes into `transcript` (cleared first).
inline void runScript(const std::wstring& text, std::wstring* transcript = nullptr) {
    static host::ScriptUiDriver driver(&host::uiEventQueue());
    static const bool once = [] {
        host::uiEventQueue().setFeeder([] { return host::hostInput().nextUiEvent(); });
        host::hostInput().setEventHandler(host::handlePaletteEvent);
        host::registerMatchPropertiesService();
        host::registerInputCommands();
        host::registerDrawCommands();
        return true;
    }();
    (void)once;
    host::UiDriverScope scope(driver);
    host::TranscriptCapture capture;
    freshSettings();
    auto db = std::make_unique<AcDbDatabase>();
    host::commandLine().clearQuit(); // a QUIT ended the run before
    host::hostInput().reset();
    host::resetSelectionSets();
    if (!loadAddOn(db.get())) std::abort();
    host::drawingView() = host::gi::View(AcGePoint2d(5, 0), 40.0, 1000, 1000);
    host::hostInput().setEcho(true);
    host::hostInput().pushSource(std::make_unique<host::ScriptSource>(scriptLines(text), L"fuzz.scr"));
    host::commandLine().run();
    host::hostInput().reset();
    unloadAddOn();
    host::resetSelectionSets();
    if (transcript) *transcript = capture.text();
}

inline int fuzzScript(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    if (bytes.find('\0') != std::string::npos) return 0; // refused as binary before it runs
    runScript(host::fromUtf8(bytes));
    return 0;
}

} // namespace fuzz
