// lintaro run SCRIPT [--dwg FILE] [--save FILE]: runs a command script with the
// add-on loaded, as the host runs a script at start-up. Script and drawing are
// checked before anything loads; the add-on loads before the drawing opens.
#include "host/ed/input/HostInput.h"
#include "host/ed/input/InputSource.h"
#include "host/win/FormatW.h"
#include "host/win/Utf8.h"
#include "shell/HostSession.h"
#include "shell/InputFile.h"
#include "shell/Subcommands.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>
#include <string>

namespace shell {

namespace {

struct RunOptions {
    std::string script;
    std::string dwg;
    std::string save;
};

void error(const std::wstring& text) {
    std::fprintf(stderr, "lintaro: %s\n", host::toUtf8(text).c_str());
}

int runScript(const RunOptions& o) {
    std::wstring problem;
    std::unique_ptr<host::ScriptSource> source = host::ScriptSource::open(o.script, problem);
    if (!source) {
        error(problem);
        return kExitUsage;
    }
    if (!o.dwg.empty() && !checkInputFile(o.dwg, InputKind::Drawing, problem)) {
        error(problem);
        return kExitFailed;
    }
    HostSession session;
    // The add-on first, so that the drawing's chains and height marks open alive;
    // the host starts a new drawing only when none is named.
    if (!session.loadModule(o.dwg.empty())) {
        error(L"the add-on could not be loaded.");
        return kExitFailed;
    }
    if (!o.dwg.empty() && !session.openDrawing(host::fromUtf8(o.dwg), problem)) {
        error(problem);
        return kExitFailed;
    }
    host::hostInput().setEcho(true);
    host::hostInput().pushSource(std::move(source));
    session.runCommandLine();
    // Saved while the add-on is still loaded: its objects file themselves.
    if (!o.save.empty() && !session.saveDrawing(host::fromUtf8(o.save), problem)) {
        error(problem);
        return kExitFailed;
    }
    return kExitOk;
}

} // namespace

void addRunCommand(CLI::App& app, int& exitCode) {
    auto opts = std::make_shared<RunOptions>();
    CLI::App* run = app.add_subcommand("run", "Run a command script with the add-on loaded");
    run->add_option("SCRIPT", opts->script, "The command script (one input per line)")->required();
    run->add_option("--dwg", opts->dwg, "Open this drawing before the script runs");
    run->add_option("--save", opts->save, "Save the drawing to this file when the script has ended");
    run->callback([opts, &exitCode] { exitCode = runScript(*opts); });
}

} // namespace shell
