#pragma once
// Help at the command line. A terminal has no help viewer, so the host keeps one line
// per command: its own commands' lines are built in, a module gives the lines of its
// commands with acedSetFunHelp (the topic is the line, so it follows the module's
// language). HELP (also "?") lists every command or explains one, and the command line
// asks nearestCommands for what an unknown name was probably meant to be.
#include "host/ed/acedSetFunHelp.h"

#include <string>
#include <vector>

namespace host {

struct CommandHelpEntry {
    std::wstring name;     // as listed: the global name, upper-case
    std::wstring line;     // one line of help, empty when none is known
    bool hostCommand = false;
};

// Every command of the host and the modules, sorted by name, each once.
std::vector<CommandHelpEntry> commandHelpEntries();
// The help line of a command (global name or "C:" function), empty when none.
std::wstring commandHelpLine(const std::wstring& name);
// Up to `most` known command names (and aliases) closest to `typed`, best first;
// none when nothing is close enough to be a slip of the keyboard.
std::vector<std::wstring> nearestCommands(const std::wstring& typed, size_t most = 3);
// Adds HELP and "?" to the host's commands. Later calls change nothing.
void registerHelpCommands();

} // namespace host
