#include "host/ed/commands/CommandLine.h"

#include "host/ed/commands/AcEdCommandStack.h"
#include "host/ed/commands/CommandAliases.h"
#include "host/ed/commands/CommandHelp.h"
#include "host/ed/commands/CommandHooks.h"
#include "host/ed/input/EditorInput.h"
#include "host/ed/input/HostInput.h"
#include "host/ed/input/InputParse.h"
#include "host/ed/lisp/LispExpression.h"
#include "host/ed/lisp/LispFunctions.h"
#include "host/ed/SysVars.h"
#include "host/rx/adscodes.h"
#include "host/rx/AcRxDynamicLinker.h"
#include "host/win/FormatW.h"
#include "host/win/Transcript.h"
#include "host/win/WinCrt.h"

#include <cerrno>
#include <cstdint>
#include <cwchar>
#include <optional>

namespace host {

namespace {
// Deeper nesting than this is a command calling itself, not a drawing session.
constexpr int kMaxDepth = 16;
// Rounds of posted work after the input has ended before the host stops anyway.
constexpr int kMaxIdleAfterEnd = 100;

void quitCommand() { commandLine().requestQuit(); }

std::wstring shownValue(const VarValue& v) {
    switch (v.type) {
    case RTSHORT:
    case RTLONG:
        return std::to_wstring(v.integer);
    case RTREAL:
        return FormatW(L"%.6g", v.real);
    case RTSTR:
        return L"\"" + v.text + L"\"";
    default:
        return FormatW(L"%.6g,%.6g,%.6g", v.point[0], v.point[1], v.point[2]);
    }
}

// The answer typed for a variable of kind `type`; nullopt when it is not one.
std::optional<VarValue> typedValue(const std::wstring& text, short type) {
    if (type == RTSTR) return VarValue::ofString(text);
    wchar_t* end = nullptr;
    const std::wstring t = trimmed(text);
    if (type == RTREAL) {
        const double d = std::wcstod(t.c_str(), &end);
        if (t.empty() || *end) return std::nullopt;
        return VarValue::ofReal(d);
    }
    if (type != RTSHORT && type != RTLONG) return std::nullopt;
    errno = 0;
    const long n = std::wcstol(t.c_str(), &end, 10);
    if (t.empty() || *end || errno == ERANGE || n < INT32_MIN || n > INT32_MAX) return std::nullopt;
    return coerceVarValue(VarValue::ofLong(static_cast<int32_t>(n)), type);
}

// A variable's name at the command prompt asks for its new value, as the host does;
// Enter keeps it, and a value it does not take changes nothing.
int askForVariable(const std::wstring& name) {
    const std::optional<VarValue> current = sysVars().get(name);
    if (!current) return RTERROR;
    const std::wstring upper = toUpperCase(name);
    wchar_t answer[512] = {};
    const std::wstring prompt =
        FormatW(L"\nEnter new value for %s <%s>: ", upper.c_str(), shownValue(*current).c_str());
    if (acedGetString(1, prompt.c_str(), answer, 512) != RTNORM || !*answer) return RTNORM;
    const std::optional<VarValue> value = typedValue(answer, current->type);
    if (!value || sysVars().set(name, *value) != RTNORM) {
        transcriptWrite(FormatW(L"\n%s does not take \"%s\"; it stays %s.", upper.c_str(), answer,
                                shownValue(*current).c_str()));
        return RTREJ;
    }
    return RTNORM;
}
} // namespace

struct CommandLine::Target {
    std::wstring name;        // for CMDNAMES and the hooks
    AcRxFunctionPtr function = nullptr;
    std::wstring app;         // the module the command belongs to
    std::wstring lispName;    // set for a "C:" function
    bool transparent = false;
};

std::wstring commandNameOf(const std::wstring& typed, bool* global, bool* builtIn) {
    if (global) *global = false;
    if (builtIn) *builtIn = false;
    std::wstring t = trimmed(typed);
    size_t i = 0;
    for (; i < t.size(); ++i) {
        if (t[i] == L'_') {
            if (global) *global = true;
        } else if (t[i] == L'.') {
            if (builtIn) *builtIn = true;
        } else if (t[i] != L'\'') {
            break;
        }
    }
    return t.substr(i);
}

CommandLine::CommandLine() {
    hostCommands().addCommand(L"ACAD_MAIN", L"QUIT", L"QUIT", ACRX_CMD_MODAL, &quitCommand);
    hostCommands().addCommand(L"ACAD_MAIN", L"EXIT", L"EXIT", ACRX_CMD_MODAL, &quitCommand);
    hostInput().setTransparentHandler([this](const std::wstring& text) { return runTransparent(text); });
}

bool CommandLine::resolve(const std::wstring& text, Target& target) const {
    bool global = false, builtIn = false;
    const std::wstring name = commandNameOf(text, &global, &builtIn);
    if (name.empty()) return false;
    AcEdCommand* cmd = nullptr;
    if (builtIn) cmd = hostCommands().findForInput(name, global);
    if (!cmd) cmd = acedRegCmds->findForInput(name, global);
    if (!cmd) cmd = hostCommands().findForInput(name, global);
    if (cmd) {
        target.name = cmd->globalName();
        target.function = cmd->functionAddr();
        target.app = cmd->appName();
        target.transparent = (cmd->commandFlags() & ACRX_CMD_TRANSPARENT) != 0;
        return true;
    }
    if (lispFunctions().isDefined(L"C:" + name)) {
        target.name = name;
        target.lispName = L"C:" + name;
        return true;
    }
    // Aliases come last, so that no alias can hide a command; an alias names a
    // command, never another alias.
    const std::wstring aliased = commandAliases().commandFor(name);
    if (!aliased.empty() && !sameCommandName(aliased, name)) {
        const size_t prefix = text.find_first_not_of(L" \t_.'");
        return resolve(text.substr(0, prefix == std::wstring::npos ? 0 : prefix) + aliased, target);
    }
    return false;
}

void CommandLine::setCmdNames() { sysVars().setStored(L"CMDNAMES", VarValue::ofString(activeNames())); }

std::wstring CommandLine::activeNames() const {
    std::wstring names;
    for (const std::wstring& n : m_active) {
        if (!names.empty()) names += L'\'';
        names += n;
    }
    return names;
}

int CommandLine::runTarget(const Target& target) {
    if (depth() >= kMaxDepth) {
        transcriptWrite(FormatW(L"\nCommands nested too deep; %s was not run.", target.name.c_str()));
        return RTERROR;
    }
    m_active.push_back(target.name);
    setCmdNames();
    hostInput().enterCommand();
    const int myDepth = depth();
    commandHooks().fireBegin(target.name, myDepth);
    const long cancelsBefore = hostInput().cancelsRead();
    CommandOutcome outcome = CommandOutcome::Ended;
    try {
        if (!target.lispName.empty()) {
            if (lispFunctions().invoke(target.lispName).status != RTNORM) outcome = CommandOutcome::Failed;
        } else if (target.function) {
            ModuleContextScope scope(target.app.c_str());
            target.function();
        }
    } catch (const InputExhausted&) {
        transcriptWrite(FormatW(L"\nThe input ended while %s was still asking; the command was ended.",
                                target.name.c_str()));
        outcome = CommandOutcome::Cancelled;
    } catch (...) {
        transcriptWrite(FormatW(L"\nCommand %s failed.", target.name.c_str()));
        outcome = CommandOutcome::Failed;
    }
    if (outcome == CommandOutcome::Ended && hostInput().cancelsRead() > cancelsBefore)
        outcome = CommandOutcome::Cancelled;
    commandHooks().fireEnd(target.name, myDepth, outcome);
    hostInput().leaveCommand();
    m_active.pop_back();
    setCmdNames();
    return RTNORM;
}

int CommandLine::execute(const std::wstring& text) {
    // "(name ...)" is an AutoLISP call, as typed at the host's command line.
    if (isLispExpression(text)) return evaluateLispExpression(text);
    Target target;
    if (!resolve(text, target)) {
        if (sysVars().isDefined(trimmed(text))) return askForVariable(trimmed(text));
        sayUnknown(text);
        return RTERROR;
    }
    return runTarget(target);
}

void CommandLine::sayUnknown(const std::wstring& text) const {
    std::wstring said = FormatW(L"\nUnknown command \"%s\".  Type HELP for a list of commands.",
                                toUpperCase(trimmed(text)).c_str());
    const std::vector<std::wstring> near = nearestCommands(commandNameOf(text, nullptr, nullptr));
    for (size_t i = 0; i < near.size(); ++i)
        said += (i == 0 ? L"  Did you mean " : i + 1 == near.size() ? L" or " : L", ") + near[i];
    if (!near.empty()) said += L"?";
    transcriptWrite(said);
}

bool CommandLine::runTransparent(const std::wstring& text) {
    Target target;
    if (!resolve(text, target) || !target.transparent) return false;
    // The transparent command shows its own prompts; the interrupted one's comes back.
    const std::wstring interrupted = hostInput().lastPrompt();
    runTarget(target);
    hostInput().setLastPrompt(interrupted);
    if (!m_active.empty()) {
        transcriptWrite(FormatW(L"\nResuming %s command.", m_active.back().c_str()));
        hostInput().reprompt();
    }
    return true;
}

void CommandLine::run() {
    auto runIdle = [this] {
        if (!m_idle) return;
        try {
            m_idle();
        } catch (...) {
        }
    };
    // When the input has ended the host is idle once more: what that posts still runs.
    int idleAfterEnd = 0;
    while (!m_quit) {
        // Timers and idle work wait, as window timers do, until input already posted
        // (the escapes a right click posts, say) has been read.
        if (!hostInput().hasPosted()) runIdle();
        if (m_quit) break;
        hostInput().prompt(L"\nCommand: ");
        const InputItem item = hostInput().readAtCommandPrompt();
        if (item.kind == InputKind::End) {
            runIdle();
            // Bounded: work that keeps posting more work cannot keep the host alive.
            if (hostInput().hasPosted() && ++idleAfterEnd < kMaxIdleAfterEnd) continue;
            break;
        }
        if (item.kind == InputKind::Text) {
            if (execute(item.text) == RTNORM && !isLispExpression(item.text)) m_last = trimmed(item.text);
        }
        // Enter at the command prompt repeats the last command, as a person at the
        // keyboard expects; in scripts an empty line stays nothing, so that spacing
        // a script never runs a command twice.
        else if (item.kind == InputKind::Enter && hostInput().isInteractive() && !m_last.empty())
            execute(m_last);
    }
}

CommandLine& commandLine() {
    static CommandLine line;
    return line;
}

} // namespace host

bool acedPostCommand(const wchar_t* pszCommand) {
    if (!pszCommand) return false;
    host::hostInput().post(pszCommand);
    return true;
}

void acedPostCommandPrompt() {}
