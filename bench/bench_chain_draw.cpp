// Drawing chains and placing their texts: what every regeneration of a plan and every
// re-layout of a long chain pays for.
//
//   BM_DrawChains          10,000 chains of 10 extensions into the recording world draw
//   BM_AutoTextPosition    the automatic code of every segment of one chain of N short
//                          segments; N = 250, 500, 1000 shows the cost growing with N,
//                          not with N squared (only neighbouring texts are compared)
//   BM_AdjustTexts         the same chain laid out again as a whole ('A')
#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/db/database/DatabaseClasses.h"
#include "host/gi/RecordingWorldDraw.h"
#include "host/rx/AcRxDynamicLinker.h"
#include "module/app/LintaroApp.h"
#include "module/ui/PaletteApp.h"
#include "module/chain/TRdim.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/IniStorage.h"
#include "tests/module/IniStorageReset.h"
#include "module/options/OptionIndices.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

// The module loaded into a fresh settings folder with a drawing to work in, once for
// the whole run, as the host has it.
class Host {
public:
    static Host& instance() {
        static Host host;
        return host;
    }
    AcDbDatabase* db() { return m_db.get(); }

private:
    Host() {
        std::string pattern = (std::filesystem::temp_directory_path() / "lintaro-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        m_root = pattern;
        for (const char* sub : {"appdata", "tmp", "module"})
            std::filesystem::create_directories(m_root / sub);
        ::setenv("APPDATA", (m_root / "appdata").c_str(), 1);
        ::setenv("TMPDIR", (m_root / "tmp").c_str(), 1);
        ::setenv("LINTARO_MODULE_DIR", (m_root / "module").c_str(), 1);
        ResetIniStorageForTests();
        host::registerDatabaseClasses();
        if (!acrxDynamicLinker->loadModule(L"lintaro.arx", &acrxEntryPoint, false, &lintaroModuleExit) ||
            !pGlobDimOptions || !StartApp(false))
            std::abort();
        m_db = std::make_unique<AcDbDatabase>();
        acdbHostApplicationServices()->setWorkingDatabase(m_db.get());
    }
    ~Host() {
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
        m_db.reset();
        std::error_code ec;
        std::filesystem::remove_all(m_root, ec);
    }

    std::filesystem::path m_root;
    std::unique_ptr<AcDbDatabase> m_db;
};

// A horizontal chain at height y through the given x positions, values in metres at
// 1:100 with oblique ticks, as the palette makes them.
std::unique_ptr<TRdim> MakeChain(const std::vector<double>& xs, double y) {
    auto chain = std::make_unique<TRdim>(AcGePoint3d(xs[0], y, 0), AcGePoint3d(xs[1], y, 0), kDimHorizontal,
                                         AcGePoint3d(xs[0], y + 2, 0), AcGeMatrix3d());
    chain->SetParamDouble(IND_D_ScaleVal, 0.01);
    chain->SetParamDouble(IND_D_AcadUnits, 0.001);
    chain->SetParamString(IND_S_Measure, L"m/cm");
    chain->SetParamInt(IND_I_Decimals, 3);
    chain->SetTickSymbol(-1, 1);
    for (size_t i = 2; i < xs.size(); ++i)
        chain->AddPointInput(AcGePoint3d(xs[i], y, 0));
    for (int k = 1; k < chain->GetExtensions(); ++k)
        chain->UpdateDimText(k);
    chain->AdjustTexts('C');
    return chain;
}

void BM_DrawChains(benchmark::State& state) {
    Host::instance();
    pGlobDimOptions->SetOptFlag(IND_OPT_B_AutoPosition, 0);
    std::vector<std::unique_ptr<TRdim>> chains;
    for (int c = 0; c < 10000; ++c) {
        std::vector<double> xs;
        for (int i = 0; i < 10; ++i)
            xs.push_back(i * 3.0 + (i % 3) * 0.875);
        chains.push_back(MakeChain(xs, c * 5.0));
    }
    size_t primitives = 0;
    for (auto _ : state) {
        host::gi::RecordingWorldDraw wd;
        for (auto& chain : chains)
            wd.drawDrawable(chain.get());
        primitives = wd.primitives().size();
        benchmark::DoNotOptimize(wd.primitives().data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(chains.size()));
    state.counters["primitives/chain"] = static_cast<double>(primitives) / static_cast<double>(chains.size());
}
BENCHMARK(BM_DrawChains)->Unit(benchmark::kMillisecond)->Iterations(3);

// A chain of n segments of 0.3 (all too short for their texts) with a long one every
// tenth segment, so the candidates have room to try.
std::unique_ptr<TRdim> ShortSegmentChain(int n) {
    std::vector<double> xs{0.0};
    for (int i = 1; i <= n; ++i)
        xs.push_back(xs.back() + (i % 10 == 0 ? 4.0 : 0.3));
    return MakeChain(xs, 0.0);
}

void BM_AutoTextPosition(benchmark::State& state) {
    Host::instance();
    pGlobDimOptions->SetOptFlag(IND_OPT_B_AutoPosition, 0);
    const int n = static_cast<int>(state.range(0));
    auto chain = ShortSegmentChain(n);
    pGlobDimOptions->SetOptFlag(IND_OPT_B_AutoPosition, 1);
    for (auto _ : state) {
        int sum = 0;
        for (int k = 1; k < chain->GetExtensions(); ++k)
            sum += chain->AutoTextPosition(k);
        benchmark::DoNotOptimize(sum);
    }
    state.SetComplexityN(n);
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_AutoTextPosition)
    ->Arg(250)
    ->Arg(500)
    ->Arg(1000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

void BM_AdjustTexts(benchmark::State& state) {
    Host::instance();
    pGlobDimOptions->SetOptFlag(IND_OPT_B_AutoPosition, 0);
    const int n = static_cast<int>(state.range(0));
    auto chain = ShortSegmentChain(n);
    pGlobDimOptions->SetOptFlag(IND_OPT_B_AutoPosition, 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(chain->AdjustTexts('A'));
    state.SetComplexityN(n);
}
BENCHMARK(BM_AdjustTexts)
    ->Arg(250)
    ->Arg(500)
    ->Arg(1000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

} // namespace
