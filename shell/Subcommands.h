#pragma once
// The program's subcommands, one file each. Each adds itself to the parser; when it
// is chosen, its callback runs and sets the program's exit code.
namespace CLI {
class App;
}

namespace shell {

// Exit codes of the program.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;
// A run stopped by Ctrl-C (128 + SIGINT, as shells report it).
inline constexpr int kExitInterrupted = 130;

// lintaro run SCRIPT [--dwg FILE] [--save FILE]
void addRunCommand(CLI::App& app, int& exitCode);

// lintaro render DRAWING -o FILE [--width PIXELS] [--window x1,y1,x2,y2]
void addRenderCommand(CLI::App& app, int& exitCode);

// lintaro import PLAN.dxf -o PLAN.dwg
void addImportCommand(CLI::App& app, int& exitCode);
// lintaro export DRAWING -o FILE.dxf
void addExportCommand(CLI::App& app, int& exitCode);

// lintaro replace --search TEXT --replace TEXT [--whole-words] [--case] [--types T] FILES...
void addReplaceCommand(CLI::App& app, int& exitCode);

// lintaro serve [DRAWING] [--port N]: the host worked from a browser
void addServeCommand(CLI::App& app, int& exitCode);

// The host's commands DXFIN, DXFOUT and DIMLINEAR ... DIMARC.
void registerDrawingExchangeCommands();

// lintaro (no subcommand): the interactive command line.
int runInteractive();
// lintaro --version
void printVersion();

} // namespace shell
