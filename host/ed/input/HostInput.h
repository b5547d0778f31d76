#pragma once
// The command line's one input queue. Every answer (at the command prompt, to
// acedGetPoint, acedGetString ..., to a jig) is read from here, so a script and a
// person at the console drive the host the same way. A line is:
//   a command name or an answer     -> Text
//   an empty line                   -> Enter
//   "ESC"                           -> Cancel (prints "*Cancel*")
//   "; ..."                         -> a comment, skipped
//   "@word ..."                     -> a GUI event, offered to the event handler
//                                      ("@dx,dy" is a relative point, not an event)
// Text posted with acedPostCommand is read before the source: a command posted while
// another runs waits until that one ends; ESC characters cancel at once.
// A script that runs out while a command asks gets Enter, then Cancel, and if the
// command still keeps asking, host::InputExhausted is thrown to end it: never a hang.
#include "host/ed/input/InputSource.h"

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace host {

enum class InputKind { Text, Enter, Cancel, End };

struct InputItem {
    InputKind kind = InputKind::End;
    std::wstring text;
};

// Thrown by HostInput::readAnswer when a command keeps asking after the input ended.
// The command line catches it around every command.
struct InputExhausted {};

class HostInput {
public:
    // Sources nest: a script started from a script is read to its end first.
    void pushSource(std::unique_ptr<InputSource> source);
    void clearSources();
    bool hasSource() const { return !m_sources.empty() || m_peeked.has_value(); }
    // True when the current source is a person at the console.
    bool isInteractive() const;

    // Shows a prompt on the transcript. It is shown again when a GUI event in the
    // input interrupts the wait for an answer.
    void prompt(const std::wstring& text);
    // Shows the last prompt again, on a line of its own.
    void reprompt();
    // The prompt shown last; a transparent command puts back the one it interrupted.
    const std::wstring& lastPrompt() const { return m_prompt; }
    void setLastPrompt(const std::wstring& text) { m_prompt = text; }

    // The next command-prompt input; End when the input is used up.
    InputItem readAtCommandPrompt();
    // The next answer to a prompt inside a command; never End.
    InputItem readAnswer();

    // acedPostCommand: words end at blanks and line ends (an empty word is Enter),
    // ESC characters cancel. Posted during a command, the words wait for its end.
    void post(const std::wstring& text);
    bool hasPosted() const { return !m_ready.empty() || !m_held.empty() || m_cancels > 0; }

    // The command line tells when commands start and end (nesting counts).
    void enterCommand() { ++m_depth; }
    void leaveCommand() {
        if (m_depth > 0) --m_depth;
    }
    int commandDepth() const { return m_depth; }
    // How many GUI events and transparent commands are being handled inside a wait for
    // input: their questions are not the waiting prompt's.
    int handlingDepth() const { return m_handling; }

    // Echo what a script answers after its prompt, so the transcript reads like
    // the command line's history. On by default; off for a person at a terminal.
    void setEcho(bool echo) { m_echo = echo; }
    // How many Cancel answers were read so far; the command line compares it to
    // learn that a command was cancelled.
    long cancelsRead() const { return m_cancelsRead; }

    // acedUsrBrk: true, and the ESC taken, when a posted cancel waits or the next line
    // of a script is "ESC" (comments before it are skipped); any other line stays
    // next. At the console, whose next line would have to be waited for, only an ESC the
    // source has apart from its lines (InputSource::takeBreak) counts.
    bool takeUserBreak();

    // For the UI driver (the UiEventQueue feeder): the next input line if, and
    // only if, it is a GUI event; consumed then. Comments before it are skipped.
    std::optional<std::wstring> nextUiEvent();
    // Handles a GUI event met in the input (the text after '@'); returns false
    // when nothing wanted it, and the line is reported and dropped.
    void setEventHandler(std::function<bool(const std::wstring&)> handler) { m_eventHandler = std::move(handler); }
    // Runs a transparent command ("'name") typed at a prompt; returns false when the
    // name is not one, and the text is then an ordinary answer.
    void setTransparentHandler(std::function<bool(const std::wstring&)> handler) {
        m_transparent = std::move(handler);
    }

    // Forgets sources, posted words and counters (tests, a new session).
    void reset();

private:
    std::optional<std::wstring> rawLine();
    std::optional<InputItem> fromSource(bool atPrompt);
    std::optional<InputItem> fromPosted();
    void echo(const InputItem& item, bool always);
    void onEvent(const std::wstring& event);

    std::vector<std::unique_ptr<InputSource>> m_sources;
    std::optional<std::wstring> m_peeked;
    std::wstring m_prompt;
    std::deque<InputItem> m_ready;
    std::deque<InputItem> m_held;
    int m_cancels = 0;
    int m_depth = 0;
    int m_handling = 0;
    int m_exhausted = 0;
    long m_cancelsRead = 0;
    bool m_echo = true;
    std::function<bool(const std::wstring&)> m_eventHandler;
    std::function<bool(const std::wstring&)> m_transparent;
};

HostInput& hostInput();

// Classifies one input line (no source, no echo): Text, Enter or Cancel; nullopt for
// a comment; an event's text (after '@') in `event`.
std::optional<InputItem> classifyLine(const std::wstring& line, std::wstring* event);
// The words of posted text, as the command line would read them.
std::vector<InputItem> postedWords(const std::wstring& text);

} // namespace host
