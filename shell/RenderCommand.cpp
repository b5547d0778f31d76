// lintaro render DRAWING -o FILE.png|.svg|.pdf [--width PIXELS] [--window x1,y1,x2,y2]:
// draws the drawing's model space as the host shows it, with the add-on loaded so
// that its chains and height marks draw themselves.
#include "host/db/database/AcDbDatabase.h"
#include "host/io/DrawingFile.h"
#include "host/render/DatabasePicture.h"
#include "host/win/Utf8.h"
#include "shell/HostSession.h"
#include "shell/InputFile.h"
#include "shell/Subcommands.h"

#include <CLI/CLI.hpp>

#include <cmath>
#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace shell {

namespace {

struct RenderArgs {
    std::string drawing;
    std::string output;
    int width = 1600;
    std::string window;
};

void error(const std::wstring& text) { std::fprintf(stderr, "lintaro: %s\n", host::toUtf8(text).c_str()); }

// "x1,y1,x2,y2" with finite numbers and a window of some size.
bool parseWindow(const std::string& text, host::render::RenderOptions& options) {
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    double v[4];
    char comma = 0;
    for (int i = 0; i < 4; ++i) {
        if (!(in >> v[i]) || !std::isfinite(v[i])) return false;
        if (i < 3 && (!(in >> comma) || comma != ',')) return false;
    }
    std::string rest;
    if (in >> rest) return false;
    if (v[0] == v[2] || v[1] == v[3]) return false;
    options.hasWindow = true;
    options.x1 = std::fmin(v[0], v[2]);
    options.y1 = std::fmin(v[1], v[3]);
    options.x2 = std::fmax(v[0], v[2]);
    options.y2 = std::fmax(v[1], v[3]);
    return true;
}

int renderDrawing(const RenderArgs& a) {
    host::render::RenderOptions options;
    if (!a.window.empty() && !parseWindow(a.window, options)) {
        error(L"--window needs four numbers x1,y1,x2,y2 that span an area, for example --window 0,0,12000,9000.");
        return kExitUsage;
    }
    if (a.width < 1 || a.width > host::render::RenderOptions::kMaxPixels) {
        error(L"--width must be between 1 and 16384 pixels.");
        return kExitUsage;
    }
    options.widthPx = a.width;
    std::wstring problem;
    if (!checkInputFile(a.drawing, InputKind::Drawing, problem)) {
        error(problem);
        return kExitFailed;
    }

    HostSession session(HostSession::Kind::Batch);
    if (!session.loadModule()) {
        error(L"the add-on could not be loaded.");
        return kExitFailed;
    }
    host::io::DrawingReadReport report;
    std::unique_ptr<AcDbDatabase> db = host::io::readDrawingFile(host::fromUtf8(a.drawing), report);
    if (!db) {
        error(report.error);
        return kExitFailed;
    }
    for (const std::wstring& w : report.warnings) error(w);
    std::vector<std::wstring> notes;
    std::wstring sizeNote;
    if (!host::render::renderDatabaseToFile(db.get(), host::fromUtf8(a.output), options, problem, &notes, &sizeNote)) {
        error(problem);
        return kExitFailed;
    }
    for (const std::wstring& note : notes) error(L"note: " + note);
    if (!sizeNote.empty()) std::printf("%s\n", host::toUtf8(sizeNote).c_str());
    return kExitOk;
}

} // namespace

void addRenderCommand(CLI::App& app, int& exitCode) {
    auto args = std::make_shared<RenderArgs>();
    CLI::App* cmd = app.add_subcommand("render", "Draw a drawing's model space to PNG, SVG or PDF");
    cmd->add_option("DRAWING", args->drawing, "The drawing (.dwg of this host)")->required();
    cmd->add_option("-o,--output", args->output, "The picture: FILE.png, FILE.svg or FILE.pdf")->required();
    cmd->add_option("--width", args->width, "Width of the picture in pixels (default 1600)");
    cmd->add_option("--window", args->window, "The part of the drawing to show: x1,y1,x2,y2");
    cmd->callback([args, &exitCode] { exitCode = renderDrawing(*args); });
}

} // namespace shell
