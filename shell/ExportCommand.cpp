// lintaro export DRAWING -o FILE.dxf: writes a drawing of this host (or a DXF file
// read in first) as DXF R2000 for other CAD programs, with the add-on loaded so
// that its chains and height marks go out as the geometry they draw; with
// --chains dimensions the chains go out as the host's own dimensions, made by the
// add-on's conversion command in the open drawing (the file itself is not changed).
#include "host/ap/AcApDocManager.h"
#include "host/ap/AcApDocument.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/acutResbuf.h"
#include "host/ed/selection/AcEdSelectionSet.h"
#include "host/ed/input/HostInput.h"
#include "host/ed/input/InputSource.h"
#include "host/ed/selection/acedSSGet.h"
#include "host/io/DrawingFile.h"
#include "host/io/dxf/DxfExport.h"
#include "host/io/dxf/DxfImport.h"
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

struct ExportArgs {
    std::string drawing;
    std::string output;
    std::string chains = "geometry";
};

void error(const std::wstring& text) { std::fprintf(stderr, "lintaro: %s\n", host::toUtf8(text).c_str()); }

std::unique_ptr<AcDbDatabase> openDrawing(const std::string& path) {
    if (isDxfPath(path)) {
        auto db = std::make_unique<AcDbDatabase>();
        host::dxf::DxfImportReport report;
        std::wstring problem;
        if (!host::dxf::importDxfFile(path, db.get(), report, problem)) {
            error(host::fromUtf8(path) + L": " + problem);
            return nullptr;
        }
        const std::wstring left = report.notImportedLine();
        if (!left.empty()) std::printf("%s\n", host::toUtf8(left).c_str());
        return db;
    }
    host::io::DrawingReadReport report;
    std::unique_ptr<AcDbDatabase> db = host::io::readDrawingFile(host::fromUtf8(path), report);
    if (!db) error(report.error);
    for (const std::wstring& w : report.warnings) error(w);
    return db;
}

// Every chain of the open drawing made the pick-first selection, then the add-on's
// conversion command run on it, as a user would select and convert.
bool convertChains(HostSession& session) {
    resbuf* filter = acutBuildList(RTDXF0, L"XOTA_LINTARO", 0);
    ads_name ss = {0, 0};
    const int rc = acedSSGet(L"X", nullptr, nullptr, filter, ss);
    acutRelRb(filter);
    if (rc != RTNORM) return true; // no chains: nothing to convert
    acedSSSetFirst(ss, nullptr);
    acedSSFree(ss);
    host::hostInput().pushSource(std::make_unique<host::ScriptSource>(L"XOTA_Lintaro2Acad\n", L"export"));
    session.runCommandLine();
    return true;
}

int exportDimensions(const ExportArgs& a) {
    std::wstring problem;
    HostSession session(HostSession::Kind::Batch);
    if (!session.loadModule(false)) {
        error(L"the add-on could not be loaded.");
        return kExitFailed;
    }
    if (!session.openDrawing(host::fromUtf8(a.drawing), problem)) {
        error(problem);
        return kExitFailed;
    }
    convertChains(session);
    AcApDocument* doc = acDocManager->curDocument();
    if (!doc) {
        error(L"the drawing was closed before it could be written.");
        return kExitFailed;
    }
    host::dxf::DxfExportReport report;
    if (!host::dxf::exportDxfFile(doc->database(), a.output, report, problem)) {
        error(host::fromUtf8(a.output) + L": " + problem);
        return kExitFailed;
    }
    std::printf("%s\n", host::toUtf8(report.line()).c_str());
    return kExitOk;
}

int exportDrawing(const ExportArgs& a) {
    std::wstring problem;
    if (!checkInputFile(a.drawing, isDxfPath(a.drawing) ? InputKind::Dxf : InputKind::Drawing, problem)) {
        error(problem);
        return kExitFailed;
    }
    if (a.chains == "dimensions" && !isDxfPath(a.drawing)) return exportDimensions(a);
    HostSession session(HostSession::Kind::Batch);
    if (!session.loadModule()) {
        error(L"the add-on could not be loaded.");
        return kExitFailed;
    }
    std::unique_ptr<AcDbDatabase> db = openDrawing(a.drawing);
    if (!db) return kExitFailed;
    host::dxf::DxfExportReport report;
    if (!host::dxf::exportDxfFile(db.get(), a.output, report, problem)) {
        error(host::fromUtf8(a.output) + L": " + problem);
        return kExitFailed;
    }
    std::printf("%s\n", host::toUtf8(report.line()).c_str());
    return kExitOk;
}

} // namespace

void addExportCommand(CLI::App& app, int& exitCode) {
    auto args = std::make_shared<ExportArgs>();
    CLI::App* cmd = app.add_subcommand("export", "Write a drawing as DXF for other CAD programs");
    cmd->add_option("DRAWING", args->drawing, "The drawing (.dwg of this host, or a .dxf to pass through)")
        ->required();
    cmd->add_option("-o,--output", args->output, "The DXF file to write (R2000)")->required();
    cmd->add_option("--chains", args->chains,
                    "How chains go out: their drawn geometry, or the host's own dimensions, one per segment")
        ->check(CLI::IsMember({"geometry", "dimensions"}));
    cmd->callback([args, &exitCode] { exitCode = exportDrawing(*args); });
}

} // namespace shell
