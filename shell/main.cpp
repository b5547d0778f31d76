// The host's process: parses the command line and hands over to a subcommand.
#include "shell/Settings.h"
#include "shell/Subcommands.h"

#include <CLI/CLI.hpp>

#include <clocale>
#include <csignal>
#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    // Numbers are read and written in the C locale whatever the user's settings.
    std::setlocale(LC_ALL, "C");
    // A file that would grow past the size limit (ulimit -f) makes the write fail with
    // "File too large", which the save reports, instead of killing the process.
    std::signal(SIGXFSZ, SIG_IGN);
    CLI::App app{"lintaro - dimension chains and height marks for the host's drawings"};
    app.set_version_flag("--version", [] {
        shell::printVersion();
        return std::string();
    });
    // Taken as soon as it is read, so the add-on starts in that language.
    app.add_option_function<std::string>(
           "--lang",
           [](const std::string& tag) {
               if (!shell::chooseLanguage(tag))
                   throw CLI::ValidationError("--lang", "the language could not be stored in lintaro.ini");
           },
           "The add-on's language, kept for later runs: en or de (before the subcommand)")
        ->check(CLI::IsMember({"en", "de", "EN", "DE"}))
        ->trigger_on_parse();
    shell::registerDrawingExchangeCommands();
    int exitCode = shell::kExitOk;
    shell::addRunCommand(app, exitCode);
    shell::addRenderCommand(app, exitCode);
    shell::addImportCommand(app, exitCode);
    shell::addExportCommand(app, exitCode);
    shell::addReplaceCommand(app, exitCode);
#ifdef LINTARO_SERVE
    shell::addServeCommand(app, exitCode);
#endif
    app.require_subcommand(0, 1);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForVersion&) {
        return shell::kExitOk;
    } catch (const CLI::ParseError& e) {
        const int rc = app.exit(e);
        return rc == 0 ? shell::kExitOk : shell::kExitUsage;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "lintaro: %s\n", e.what());
        return shell::kExitFailed;
    }
    if (app.get_subcommands().empty()) return shell::runInteractive();
    return exitCode;
}
