// Selections in a plan-sized drawing: a pick, a crossing window and a fence over
// thousands of lines and arcs, as every click, window and cutting line pays for them.
#include "host/db/entities/AcDbArc.h"
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/database/acutResbuf.h"
#include "host/ed/selection/AcEdSelectionSet.h"
#include "host/ed/DrawingView.h"
#include "host/ed/selection/acedSSGet.h"
#include "host/rx/adscodes.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// A grid of wall lines with a door swing in every cell, n cells a side (4 m cells).
std::unique_ptr<AcDbDatabase> plan(int n) {
    auto db = std::make_unique<AcDbDatabase>();
    AcDbBlockTableRecord* ms = nullptr;
    acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForWrite);
    auto add = [&](AcDbEntity* e) {
        ms->appendAcDbEntity(e);
        e->close();
    };
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            const double x = i * 4.0, y = j * 4.0;
            add(new AcDbLine(AcGePoint3d(x, y, 0), AcGePoint3d(x + 4, y, 0)));
            add(new AcDbLine(AcGePoint3d(x, y, 0), AcGePoint3d(x, y + 4, 0)));
            add(new AcDbArc(AcGePoint3d(x + 1, y + 1, 0), 0.9, 0.0, 1.5707963267948966));
        }
    }
    ms->close();
    return db;
}

struct Drawing {
    explicit Drawing(int n) : db(plan(n)) {
        acdbHostApplicationServices()->setWorkingDatabase(db.get());
        host::drawingView() = host::gi::View(AcGePoint2d(n * 2.0, n * 2.0), n * 4.0, 1000, 1000);
    }
    ~Drawing() { acdbHostApplicationServices()->setWorkingDatabase(nullptr); }
    std::unique_ptr<AcDbDatabase> db;
};

void BM_PickOneEntity(benchmark::State& state) {
    Drawing d(static_cast<int>(state.range(0)));
    const ads_point at = {2.0, 0.01, 0.0};
    for (auto _ : state) {
        ads_name ss;
        if (acedSSGet(nullptr, at, nullptr, nullptr, ss) == RTNORM) acedSSFree(ss);
    }
    state.counters["entities"] = double(3 * state.range(0) * state.range(0));
}
BENCHMARK(BM_PickOneEntity)->Arg(10)->Arg(40)->Unit(benchmark::kMillisecond);

void BM_CrossingWindow(benchmark::State& state) {
    Drawing d(static_cast<int>(state.range(0)));
    const ads_point a = {3.0, 3.0, 0.0}, b = {13.0, 9.0, 0.0};
    for (auto _ : state) {
        ads_name ss;
        if (acedSSGet(L"C", a, b, nullptr, ss) == RTNORM) acedSSFree(ss);
    }
    state.counters["entities"] = double(3 * state.range(0) * state.range(0));
}
BENCHMARK(BM_CrossingWindow)->Arg(10)->Arg(40)->Unit(benchmark::kMillisecond);

void BM_CuttingLineFence(benchmark::State& state) {
    Drawing d(static_cast<int>(state.range(0)));
    const ads_point p1 = {-1.0, 2.5, 0.0}, p2 = {state.range(0) * 4.0 + 1, 2.5, 0.0};
    resbuf* fence = acutBuildList(RTPOINT, p1, RTPOINT, p2, 0);
    for (auto _ : state) {
        ads_name ss;
        if (acedSSGet(L"_F", fence, nullptr, nullptr, ss) == RTNORM) acedSSFree(ss);
    }
    acutRelRb(fence);
    state.counters["entities"] = double(3 * state.range(0) * state.range(0));
}
BENCHMARK(BM_CuttingLineFence)->Arg(10)->Arg(40)->Unit(benchmark::kMillisecond);

} // namespace
