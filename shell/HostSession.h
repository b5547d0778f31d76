#pragma once
// One run of the host: the transcript, the UI driver on the scripted events, the
// module loaded as the host loads it, and, when the session ends, the module
// unloaded the way the host does when it quits.
#include "host/win/ScriptUiDriver.h"

#include <memory>
#include <string>

namespace shell {

class HostSession {
public:
    HostSession();
    ~HostSession();
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    // Opens a drawing file as the session's drawing (before the add-on loads);
    // false with the reason in `error`, and nothing opened.
    bool openDrawing(const std::wstring& path, std::wstring& error);
    // Saves the current drawing to `path` (the old file kept as .bak); false with
    // the reason in `error`.
    bool saveDrawing(const std::wstring& path, std::wstring& error);
    // Loads the add-on (kInitAppMsg, then kLoadDwgMsg for the drawing, a new one
    // unless one was opened); false when it refused to load, with the reason in
    // the transcript.
    bool loadModule();
    // Runs the command line until the input ends or QUIT.
    void runCommandLine();

private:
    host::ScriptUiDriver m_driver;
    std::unique_ptr<host::UiDriverScope> m_driverScope;
    bool m_loaded = false;
};

} // namespace shell
