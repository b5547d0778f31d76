// lintaro with no arguments: the interactive command line. One input per line at the
// "Command: " prompt; QUIT or the end of the input leaves.
#include "host/ed/input/HostInput.h"
#include "host/ed/input/InputSource.h"
#include "host/win/ConsoleUiDriver.h"
#include "shell/HostSession.h"
#include "shell/Subcommands.h"

#include <iostream>
#include <memory>
#include <unistd.h>

namespace shell {

int runInteractive() {
    HostSession session;
    // A person answers boxes, dialogs, menus and file choosers where they type: a
    // dialog shows as a text form of its fields, values and choices.
    host::ConsoleUiDriver console(std::cin);
    host::UiDriverScope consoleScope(console);
    session.loadModule();
    console.startupDone();
    // At a terminal the person's typing is already on the screen; piped input is not.
    const bool terminal = ::isatty(STDIN_FILENO) != 0;
    host::hostInput().setEcho(!terminal);
    host::hostInput().pushSource(std::make_unique<host::StreamSource>(std::cin, terminal));
    session.runCommandLine();
    return kExitOk;
}

} // namespace shell
