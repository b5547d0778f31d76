// lintaro import PLAN.dxf -o PLAN.dwg: brings a DXF file of another program into a
// new drawing of this host and saves it. What the drawing cannot hold is named on
// the way; a file that cannot be read writes nothing.
#include "host/db/database/AcDbDatabase.h"
#include "host/io/DrawingFile.h"
#include "host/io/dxf/DxfImport.h"
#include "host/win/Utf8.h"
#include "shell/InputFile.h"
#include "shell/Subcommands.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>
#include <string>

namespace shell {

namespace {

struct ImportArgs {
    std::string dxf;
    std::string output;
};

void error(const std::wstring& text) { std::fprintf(stderr, "lintaro: %s\n", host::toUtf8(text).c_str()); }

int importPlan(const ImportArgs& a) {
    std::wstring problem;
    if (!checkInputFile(a.dxf, InputKind::Dxf, problem)) {
        error(problem);
        return kExitFailed;
    }
    auto db = std::make_unique<AcDbDatabase>();
    host::dxf::DxfImportReport report;
    if (!host::dxf::importDxfFile(a.dxf, db.get(), report, problem)) {
        error(host::fromUtf8(a.dxf) + L": " + problem);
        return kExitFailed;
    }
    std::printf("%s\n", host::toUtf8(report.importedLine()).c_str());
    const std::wstring left = report.notImportedLine();
    if (!left.empty()) std::printf("%s\n", host::toUtf8(left).c_str());
    if (!host::io::saveDrawingFile(db.get(), host::fromUtf8(a.output), true, problem)) {
        error(host::fromUtf8(a.output) + L": " + problem);
        return kExitFailed;
    }
    return kExitOk;
}

} // namespace

void addImportCommand(CLI::App& app, int& exitCode) {
    auto args = std::make_shared<ImportArgs>();
    CLI::App* cmd = app.add_subcommand("import", "Bring a DXF file into a new drawing of this host");
    cmd->add_option("DXF", args->dxf, "The DXF file (ASCII, AutoCAD R12 to 2018)")->required();
    cmd->add_option("-o,--output", args->output, "The drawing to write (.dwg of this host)")->required();
    cmd->callback([args, &exitCode] { exitCode = importPlan(*args); });
}

} // namespace shell
