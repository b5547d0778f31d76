// The drawing database under load: opening and closing a million objects, for
// read and for write with a change (the path every command takes), appending,
// and filing entities through the byte filer.
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/filing/DwgBufferFiler.h"
#include "host/db/database/UndoManager.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

constexpr int kObjects = 1000000;

struct Million {
    std::unique_ptr<AcDbDatabase> db = std::make_unique<AcDbDatabase>();
    std::vector<AcDbObjectId> ids;
    Million() {
        AcDbBlockTableRecord* ms = nullptr;
        acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForWrite);
        ids.reserve(kObjects);
        for (int i = 0; i < kObjects; ++i) {
            auto* line = new AcDbLine(AcGePoint3d(i, 0, 0), AcGePoint3d(i, 1, 0));
            AcDbObjectId id;
            ms->appendAcDbEntity(id, line);
            line->close();
            ids.push_back(id);
        }
        ms->close();
    }
};

Million& million() {
    static Million m;
    return m;
}

void BM_OpenCloseForRead(benchmark::State& state) {
    Million& m = million();
    for (auto _ : state) {
        for (AcDbObjectId id : m.ids) {
            AcDbObject* obj = nullptr;
            acdbOpenAcDbObject(obj, id, AcDb::kForRead);
            benchmark::DoNotOptimize(obj);
            obj->close();
        }
    }
    state.SetItemsProcessed(state.iterations() * kObjects);
}
BENCHMARK(BM_OpenCloseForRead)->Unit(benchmark::kMillisecond);

void BM_OpenModifyCloseForWrite(benchmark::State& state) {
    Million& m = million();
    double y = 1.0;
    for (auto _ : state) {
        y += 1.0;
        for (AcDbObjectId id : m.ids) {
            AcDbLine* line = nullptr;
            acdbOpenObject(line, id, AcDb::kForWrite);
            line->setEndPoint(AcGePoint3d(0, y, 0));
            line->close();
        }
    }
    state.SetItemsProcessed(state.iterations() * kObjects);
}
BENCHMARK(BM_OpenModifyCloseForWrite)->Unit(benchmark::kMillisecond);

// Inside a command: the first write open of each object files its state for undo.
void BM_OpenForWriteInsideUndoGroup(benchmark::State& state) {
    Million& m = million();
    for (auto _ : state) {
        host::beginUndoGroup(m.db.get());
        for (int i = 0; i < 10000; ++i) {
            AcDbLine* line = nullptr;
            acdbOpenObject(line, m.ids[size_t(i)], AcDb::kForWrite);
            line->setStartPoint(AcGePoint3d(i, -1, 0));
            line->close();
        }
        host::endUndoGroup(m.db.get());
        state.PauseTiming();
        host::undoLastGroup(m.db.get());
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_OpenForWriteInsideUndoGroup)->Unit(benchmark::kMillisecond);

void BM_AppendLines(benchmark::State& state) {
    for (auto _ : state) {
        AcDbDatabase db;
        AcDbBlockTableRecord* ms = nullptr;
        acdbOpenObject(ms, db.modelSpaceId(), AcDb::kForWrite);
        for (int i = 0; i < 100000; ++i) {
            auto* line = new AcDbLine(AcGePoint3d(i, 0, 0), AcGePoint3d(i, 1, 0));
            ms->appendAcDbEntity(line);
            line->close();
        }
        ms->close();
    }
    state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_AppendLines)->Unit(benchmark::kMillisecond);

void BM_FileLinesOutAndIn(benchmark::State& state) {
    AcDbDatabase db;
    AcDbLine line(AcGePoint3d(1, 2, 3), AcGePoint3d(4, 5, 6));
    line.setLayer(db.layerZero());
    for (auto _ : state) {
        host::DwgBufferFiler out(AcDb::kFileFiler, &db);
        line.dwgOut(&out);
        host::DwgBufferFiler in(out.bytes(), AcDb::kFileFiler, &db);
        AcDbLine copy;
        copy.dwgIn(&in);
        benchmark::DoNotOptimize(copy.endPoint());
    }
}
BENCHMARK(BM_FileLinesOutAndIn);

} // namespace
