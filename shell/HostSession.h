#pragma once
// One run of the host: the transcript, the UI driver on the scripted events, the
// module loaded as the host loads it, and, when the session ends, the module
// unloaded the way the host does when it quits.
#include "host/win/ScriptUiDriver.h"

#include "host/win/Transcript.h"

#include <memory>
#include <string>

namespace shell {

class HostSession {
public:
    enum class Kind {
        // `lintaro` and `lintaro run`: the transcript is the program's output.
        CommandLine,
        // render, export, import: standard output carries the result alone; what
        // the host or the add-on would print on the command line goes to standard
        // error, without load messages and blank lines.
        Batch,
    };
    explicit HostSession(Kind kind = Kind::CommandLine);
    ~HostSession();
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    // Opens a drawing file as the session's drawing; false with the reason in
    // `error`, and nothing opened.
    bool openDrawing(const std::wstring& path, std::wstring& error);
    // Saves the current drawing to `path` (the old file kept as .bak); false with
    // the reason in `error`.
    bool saveDrawing(const std::wstring& path, std::wstring& error);
    // Loads the add-on (kInitAppMsg, then kLoadDwgMsg for each open drawing); with
    // `newDrawing` the host first starts a new drawing when none is open, else a
    // drawing opened afterwards gets its kLoadDwgMsg when it opens. False when it
    // refused to load, with the reason in the transcript.
    bool loadModule(bool newDrawing = true);
    // Runs the command line until the input ends or QUIT.
    void runCommandLine();

private:
    Kind m_kind;
    host::ScriptUiDriver m_driver;
    std::unique_ptr<host::UiDriverScope> m_driverScope;
    bool m_loaded = false;
    host::TranscriptSink m_previousSink;
};

} // namespace shell
