#pragma once
// The command line: reads the input at the "Command: " prompt and runs what it names.
// A name finds, in this order, a module's command (global or local name, without
// regard to case; "_" asks for the global name first), one of the host's own
// commands, and an AutoLISP function "C:name". A "." prefix asks for the host's own
// command first. While commands run, CMDNAMES holds their names, nested ones joined
// with "'". Every command runs between the command hooks (undo groups, reactors)
// and inside a catch: nothing a command does can end the host.
#include <functional>
#include <string>
#include <vector>

// Queues text for the command line (see host::HostInput::post); true.
bool acedPostCommand(const wchar_t* pszCommand);
// Asks for the command prompt to be shown again. The command line shows it whenever
// it waits for a command, so there is nothing more to do.
void acedPostCommandPrompt();

namespace host {

class CommandLine {
public:
    CommandLine();

    // Reads and runs commands until the input ends or QUIT.
    void run();
    // Runs `text` as typed at the command prompt. RTNORM when a command ran (also if
    // it was cancelled), RTERROR when nothing has that name (the host's answer is
    // printed) or the commands are nested too deep.
    int execute(const std::wstring& text);

    // The names of the running commands as CMDNAMES shows them ("LINE'ZOOM").
    std::wstring activeNames() const;
    int depth() const { return static_cast<int>(m_active.size()); }

    void requestQuit() { m_quit = true; }
    bool quitRequested() const { return m_quit; }
    void clearQuit() { m_quit = false; }

    // Runs before every command prompt: where timers fire and the host catches up.
    void setIdleHandler(std::function<void()> idle) { m_idle = std::move(idle); }

private:
    struct Target;
    bool resolve(const std::wstring& text, Target& target) const;
    int runTarget(const Target& target);
    bool runTransparent(const std::wstring& text);
    void setCmdNames();
    // "Unknown command", with the names it was probably meant to be.
    void sayUnknown(const std::wstring& text) const;

    std::vector<std::wstring> m_active;
    std::wstring m_last; // the last command typed at the prompt, for Enter to repeat
    bool m_quit = false;
    std::function<void()> m_idle;
};

CommandLine& commandLine();

// Strips the "_", "." and "'" prefixes of a typed command name; tells which were there.
std::wstring commandNameOf(const std::wstring& typed, bool* global, bool* builtIn);

} // namespace host
