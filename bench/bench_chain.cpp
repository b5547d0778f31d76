// Filing of chains, as a save, an undo or a copy of a large plan does it: 10,000 chains
// of 10 extensions written through the host's filer and read back into new chains;
// building such a chain point by point, as the creation jig does; and picking one chain
// in a drawing of N chains, as every new chain's "select or place" prompt does, and the
// first pick in such a drawing just read from its file (N = 1,000 and 10,000;
// LINTARO_BENCH_BIG=1 adds 100,000).
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/entities/EntityIndex.h"
#include "host/db/filing/DwgBufferFiler.h"
#include "host/ed/selection/AcEdSelectionSet.h"
#include "host/ed/selection/acedSSGet.h"
#include "host/rx/adscodes.h"
#include "host/io/DrawingReader.h"
#include "host/io/DrawingWriter.h"
#include "host/rx/AcRxDynamicLinker.h"
#include "module/app/LintaroApp.h"
#include "module/ui/PaletteApp.h"
#include "module/chain/TRdim.h"
#include "module/options/IniStorage.h"
#include "tests/module/IniStorageReset.h"

#include "bench/BenchModule.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kChains = 10000;
constexpr int kExtensions = 10;

bench::LoadedModule& module() {
    static bench::LoadedModule loaded("chain");
    return loaded;
}

// A horizontal chain of kExtensions points 0.5 apart, its line 3 above them.
std::unique_ptr<TRdim> makeChain(double y) {
    auto chain = std::make_unique<TRdim>(AcGePoint3d(0, y, 0), AcGePoint3d(0.5, y, 0), kDimHorizontal,
                                         AcGePoint3d(0, y + 3, 0), AcGeMatrix3d());
    for (int i = 2; i < kExtensions; ++i)
        chain->AddPointInput(AcGePoint3d(0.5 * i + 0.01 * (i % 3), y, 0));
    return chain;
}

std::vector<std::unique_ptr<TRdim>>& chains() {
    static std::vector<std::unique_ptr<TRdim>> all = [] {
        module();
        std::vector<std::unique_ptr<TRdim>> made;
        for (int i = 0; i < kChains; ++i)
            made.push_back(makeChain(10.0 * i));
        return made;
    }();
    return all;
}

void BM_FileOutChains(benchmark::State& state) {
    const auto& all = chains();
    size_t bytes = 0;
    for (auto _ : state) {
        host::DwgBufferFiler out(AcDb::kFileFiler, module().db.get());
        for (const auto& chain : all)
            chain->dwgOut(&out);
        bytes = out.bytes().size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    state.SetItemsProcessed(state.iterations() * kChains);
}
BENCHMARK(BM_FileOutChains)->Unit(benchmark::kMillisecond);

void BM_FileInChains(benchmark::State& state) {
    const auto& all = chains();
    host::DwgBufferFiler out(AcDb::kFileFiler, module().db.get());
    for (const auto& chain : all)
        chain->dwgOut(&out);
    const std::vector<uint8_t> bytes = out.bytes();
    for (auto _ : state) {
        host::DwgBufferFiler in(bytes, AcDb::kFileFiler, module().db.get());
        std::vector<std::unique_ptr<TRdim>> read;
        read.reserve(kChains);
        for (int i = 0; i < kChains; ++i) {
            read.push_back(std::make_unique<TRdim>());
            read.back()->dwgIn(&in);
        }
        benchmark::DoNotOptimize(read.back()->GetExtensions());
    }
    state.SetItemsProcessed(state.iterations() * kChains);
}
BENCHMARK(BM_FileInChains)->Unit(benchmark::kMillisecond);

void BM_BuildChainPointByPoint(benchmark::State& state) {
    module();
    for (auto _ : state)
        benchmark::DoNotOptimize(makeChain(0.0)->GetExtensions());
}
BENCHMARK(BM_BuildChainPointByPoint)->Unit(benchmark::kMicrosecond);

// A drawing of n chains in model space, the working database while it lives.
struct ChainDrawing {
    std::unique_ptr<AcDbDatabase> db = std::make_unique<AcDbDatabase>();
    explicit ChainDrawing(int n) {
        module();
        acdbHostApplicationServices()->setWorkingDatabase(db.get());
        AcDbBlockTableRecord* ms = nullptr;
        acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForWrite);
        for (int i = 0; i < n; ++i) {
            TRdim* chain = makeChain(10.0 * i).release();
            if (ms->appendAcDbEntity(chain) == Acad::eOk)
                chain->close();
            else
                delete chain;
        }
        ms->close();
    }
    ~ChainDrawing() { acdbHostApplicationServices()->setWorkingDatabase(module().db.get()); }
};

// The same pick on the dimension line of the middle chain; the first pick, which
// finds every chain's extents once, is made before timing.
void BM_PickAmongChains(benchmark::State& state) {
    const int n = int(state.range(0));
    ChainDrawing d(n);
    const ads_point at = {1.25, 10.0 * (n / 2) + 3.0, 0.0};
    auto pick = [&] {
        ads_name ss;
        if (acedSSGet(L":E", at, nullptr, nullptr, ss) == RTNORM) acedSSFree(ss);
    };
    pick();
    for (auto _ : state)
        pick();
    state.counters["chains"] = n;
}
void pickSizes(benchmark::internal::Benchmark* b) {
    b->Arg(1000)->Arg(10000);
    if (std::getenv("LINTARO_BENCH_BIG")) b->Arg(100000);
}
BENCHMARK(BM_PickAmongChains)->Apply(pickSizes)->Unit(benchmark::kMicrosecond);

// The first pick in a drawing of n chains just read from its file (the reading is not
// timed). The file keeps every chain's box, so the pick draws only the chain under it;
// "drawn" counts the chains it drew.
void BM_FirstPickAfterReading(benchmark::State& state) {
    const int n = int(state.range(0));
    std::vector<uint8_t> bytes;
    {
        ChainDrawing d(n);
        d.db->entityIndex().update(); // every chain drawn once, as on the screen: the file keeps their boxes
        std::wstring error;
        if (!host::io::drawingToBytes(d.db.get(), bytes, error)) state.SkipWithError("save failed");
    }
    const ads_point at = {1.25, 10.0 * (n / 2) + 3.0, 0.0};
    double drawn = 0;
    for (auto _ : state) {
        state.PauseTiming();
        host::io::DrawingReadReport report;
        std::unique_ptr<AcDbDatabase> db = host::io::drawingFromBytes(bytes.data(), bytes.size(), L"chains.dwg", report);
        if (!db) state.SkipWithError("read failed");
        acdbHostApplicationServices()->setWorkingDatabase(db.get());
        state.ResumeTiming();
        ads_name ss;
        if (acedSSGet(L":E", at, nullptr, nullptr, ss) == RTNORM) acedSSFree(ss);
        state.PauseTiming();
        drawn = double(db->entityIndex().drawCount());
        acdbHostApplicationServices()->setWorkingDatabase(module().db.get());
        db.reset();
        state.ResumeTiming();
    }
    state.counters["chains"] = n;
    state.counters["drawn"] = drawn;
}
BENCHMARK(BM_FirstPickAfterReading)->Apply(pickSizes)->Unit(benchmark::kMicrosecond);

} // namespace
