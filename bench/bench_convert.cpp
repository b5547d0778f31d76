// Turning the host's dimensions into chains, as XOTA_Acad2Lintaro does on a received
// plan: N = 1,000 and 10,000 dimensions, either collinear (runs of 10 on one dimension
// line sharing their points, which join into chains of 11 points) or scattered (each
// on a line of its own, nothing joins). Joining alone, and the whole conversion with
// the chains made in the drawing and the dimensions erased. The time for 10,000 should
// stay near ten times the time for 1,000: no pair of dimensions is compared that could
// not join.
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/dimensions/AcDbRotatedDimension.h"
#include "bench/BenchModule.h"
#include "host/rx/AcRxDynamicLinker.h"
#include "module/app/ConvertCommands.h"
#include "module/app/LintaroApp.h"
#include "module/ui/PaletteApp.h"
#include "module/convert/DimsToChains.h"
#include "module/options/IniStorage.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kRun = 10; // dimensions per dimension line in the collinear plan

struct Dim {
    AcGePoint3d a, b, line;
    double rotation;
};

// Collinear: run r on the line y = 3r (rotated a little every other run), each of its
// dimensions 1.5 long. Scattered: every dimension somewhere else, in its own direction.
std::vector<Dim> Plan(int n, bool collinear) {
    std::vector<Dim> dims;
    std::srand(7);
    for (int i = 0; i < n; ++i) {
        if (collinear) {
            const int run = i / kRun, step = i % kRun;
            const double y = 3.0 * run;
            dims.push_back({{1.5 * step, y, 0}, {1.5 * (step + 1), y, 0}, {0, y + 1, 0}, 0.0});
        } else {
            const double x = std::rand() % 100000 * 0.01, y = std::rand() % 100000 * 0.01;
            const double angle = std::rand() % 3141 * 0.001;
            const AcGeVector3d d(std::cos(angle), std::sin(angle), 0);
            dims.push_back({{x, y, 0},
                            AcGePoint3d(x, y, 0) + d * 2,
                            AcGePoint3d(x, y, 0) + AcGeVector3d(-d.y, d.x, 0),
                            angle});
        }
    }
    return dims;
}

std::vector<DimRecord> Records(const std::vector<Dim>& dims) {
    std::vector<DimRecord> records;
    for (const Dim& d : dims) {
        DimRecord r;
        r.first = d.a;
        r.second = d.b;
        r.dimLinePoint = d.line;
        r.direction = AcGeVector3d(std::cos(d.rotation), std::sin(d.rotation), 0);
        r.measurement = d.a.distanceTo(d.b);
        records.push_back(r);
    }
    return records;
}

void BM_JoinRecords(benchmark::State& state) {
    const std::vector<DimRecord> records =
        Records(Plan(static_cast<int>(state.range(0)), state.range(1) != 0));
    size_t chains = 0;
    for (auto _ : state) {
        chains = JoinRecords(records).size();
        benchmark::DoNotOptimize(chains);
    }
    state.counters["chains"] = static_cast<double>(chains);
}
BENCHMARK(BM_JoinRecords)->ArgsProduct({{1000, 10000}, {1, 0}})->Unit(benchmark::kMillisecond);

bench::LoadedModule& module() {
    static bench::LoadedModule loaded("convert");
    return loaded;
}

AcDbObjectIdArray AppendPlan(AcDbDatabase& db, const std::vector<Dim>& dims) {
    AcDbObjectIdArray ids;
    AcDbBlockTableRecord* space = nullptr;
    if (acdbOpenObject(space, db.modelSpaceId(), AcDb::kForWrite) != Acad::eOk) return ids;
    for (const Dim& d : dims) {
        auto* dim = new AcDbRotatedDimension(d.rotation, d.a, d.b, d.line);
        AcDbObjectId id;
        if (space->appendAcDbEntity(id, dim) == Acad::eOk) {
            dim->close();
            ids.append(id);
        } else {
            delete dim;
        }
    }
    space->close();
    return ids;
}

void BM_ConvertAcad2Lintaro(benchmark::State& state) {
    module();
    const std::vector<Dim> plan = Plan(static_cast<int>(state.range(0)), state.range(1) != 0);
    int chains = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto db = std::make_unique<AcDbDatabase>();
        acdbHostApplicationServices()->setWorkingDatabase(db.get());
        const AcDbObjectIdArray ids = AppendPlan(*db, plan);
        state.ResumeTiming();
        chains = ConvertAcad2Lintaro(ids, ConvertOptions());
        state.PauseTiming();
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
        db.reset();
        state.ResumeTiming();
    }
    state.counters["chains"] = chains;
}
BENCHMARK(BM_ConvertAcad2Lintaro)
    ->ArgsProduct({{1000, 10000}, {1, 0}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace
