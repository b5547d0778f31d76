// Drawing a plan-sized recording to a PNG: what `lintaro render` pays per picture.
#include "host/gi/RecordingWorldDraw.h"
#include "host/render/PictureWriter.h"
#include "host/win/Utf8.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

host::gi::GiRecording plan(int segments) {
    host::gi::RecordingWorldDraw wd;
    AcGiWorldGeometry& g = wd.geometry();
    AcGiTextStyle style;
    style.setTextSize(0.25);
    for (int i = 0; i < segments; ++i) {
        double x = (i % 100) * 1.0, y = (i / 100) * 1.0;
        AcGePoint3d pts[2] = {{x, y, 0}, {x + 1.0, y, 0}};
        g.polyline(2, pts);
        g.circle(AcGePoint3d(x, y, 0), 0.05, AcGeVector3d::kZAxis);
        g.text(AcGePoint3d(x + 0.2, y + 0.1, 0), AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, L"1,00", -1,
               false, style);
    }
    return wd.takePrimitives();
}

void BM_RenderPng(benchmark::State& state) {
    host::gi::GiRecording rec = plan(int(state.range(0)));
    const char* tmp = std::getenv("TMPDIR");
    std::string path = std::string(tmp && *tmp ? tmp : "/tmp") + "/lintaro-bench-render.png";
    host::render::RenderOptions options;
    options.widthPx = 2000;
    std::wstring error;
    for (auto _ : state) {
        if (!host::render::renderToFile(rec, host::fromUtf8(path), options, error))
            state.SkipWithError("render failed");
    }
    std::error_code ec;
    state.counters["file_bytes"] = double(std::filesystem::file_size(path, ec));
    std::filesystem::remove(path, ec);
    state.SetItemsProcessed(state.iterations() * int64_t(rec.size()));
}
BENCHMARK(BM_RenderPng)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);

} // namespace
