// DXF interchange with a real plan: importing the largest plan beside the project
// (reading, checking and building its entities), and writing it out again.
#include "host/db/database/AcDbDatabase.h"
#include "host/io/dxf/DxfExport.h"
#include "host/io/dxf/DxfImport.h"
#include "host/win/FileBytes.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// The plans lie beside the repository (../shared/plans); LINTARO_SHARED_PLANS may say otherwise.
std::string planPath() {
    if (const char* dir = std::getenv("LINTARO_SHARED_PLANS")) return std::string(dir) + "/woodshed_plan_R2007.dxf";
    const std::filesystem::path repo = std::filesystem::path(__FILE__).parent_path().parent_path();
    return (repo.parent_path() / "shared" / "plans" / "woodshed_plan_R2007.dxf").string();
}

bool planBytes(std::string& bytes) {
    return host::readFileBytes(planPath(), bytes, size_t(1) << 30) == host::ReadResult::Ok;
}

void BM_ImportLargestPlan(benchmark::State& state) {
    std::string bytes;
    if (!planBytes(bytes)) {
        state.SkipWithError("the real plans are not beside the project");
        return;
    }
    size_t entities = 0;
    for (auto _ : state) {
        AcDbDatabase db;
        host::dxf::DxfImportReport report;
        std::wstring error;
        if (!host::dxf::importDxf(bytes, &db, report, error)) {
            state.SkipWithError("the plan was refused");
            return;
        }
        entities = 0;
        for (const auto& [type, n] : report.imported) entities += n;
        benchmark::DoNotOptimize(db.approxNumObjects());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
    state.counters["entities"] = double(entities);
    state.counters["us_per_entity"] = benchmark::Counter(double(entities) * 1e-6,
                                                         benchmark::Counter::kIsIterationInvariantRate |
                                                             benchmark::Counter::kInvert);
}
BENCHMARK(BM_ImportLargestPlan)->Unit(benchmark::kMillisecond);

void BM_ExportLargestPlan(benchmark::State& state) {
    std::string bytes;
    if (!planBytes(bytes)) {
        state.SkipWithError("the real plans are not beside the project");
        return;
    }
    AcDbDatabase db;
    host::dxf::DxfImportReport report;
    std::wstring error;
    if (!host::dxf::importDxf(bytes, &db, report, error)) {
        state.SkipWithError("the plan was refused");
        return;
    }
    size_t written = 0;
    for (auto _ : state) {
        std::string out;
        host::dxf::DxfExportReport exported;
        host::dxf::exportDxf(&db, out, exported, error);
        written = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(written));
}
BENCHMARK(BM_ExportLargestPlan)->Unit(benchmark::kMillisecond);

} // namespace
