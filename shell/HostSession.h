#pragma once
// One run of the host: the transcript, the UI driver on the scripted events, the
// module loaded as the host loads it, and, when the session ends, the module
// unloaded the way the host does when it quits.
#include "host/win/ScriptUiDriver.h"

#include <memory>

namespace shell {

class HostSession {
public:
    HostSession();
    ~HostSession();
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    // Loads the add-on (kInitAppMsg, then kLoadDwgMsg for the drawing); false when
    // it refused to load, with the reason in the transcript.
    bool loadModule();
    // Runs the command line until the input ends or QUIT.
    void runCommandLine();

private:
    host::ScriptUiDriver m_driver;
    std::unique_ptr<host::UiDriverScope> m_driverScope;
    bool m_loaded = false;
};

} // namespace shell
