// Saving and reading a drawing of 100,000 entities: the time and the file bytes
// each entity costs, in memory and through a real file (flushed to the disk).
#include "host/db/entities/AcDbArc.h"
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/entities/AcDbPolyline.h"
#include "host/db/entities/AcDbText.h"
#include "host/io/DrawingFile.h"
#include "host/io/DrawingReader.h"
#include "host/io/DrawingWriter.h"
#include "host/win/WinFiles.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

constexpr int kEntities = 100000;

// A plan-like mix: walls as lines and polylines, door arcs, room texts.
AcDbDatabase& plan() {
    static std::unique_ptr<AcDbDatabase> db = [] {
        auto d = std::make_unique<AcDbDatabase>();
        AcDbBlockTableRecord* ms = nullptr;
        acdbOpenObject(ms, d->modelSpaceId(), AcDb::kForWrite);
        for (int i = 0; i < kEntities; ++i) {
            const double x = (i % 1000) * 1.25, y = (i / 1000) * 1.25;
            AcDbEntity* e = nullptr;
            switch (i % 4) {
            case 0:
                e = new AcDbLine(AcGePoint3d(x, y, 0), AcGePoint3d(x + 1, y, 0));
                break;
            case 1:
                e = new AcDbArc(AcGePoint3d(x, y, 0), 0.9, 0.0, 1.5707963);
                break;
            case 2: {
                auto* pl = new AcDbPolyline();
                for (unsigned v = 0; v < 4; ++v)
                    pl->addVertexAt(v, AcGePoint2d(x + (v & 1), y + (v >> 1)), 0.0);
                e = pl;
                break;
            }
            default:
                e = new AcDbText(AcGePoint3d(x, y, 0), L"Küche 12,5 m²", d->textstyle(), 0.25);
                break;
            }
            ms->appendAcDbEntity(e);
            e->close();
        }
        ms->close();
        return d;
    }();
    return *db;
}

void perEntity(benchmark::State& state, size_t bytes) {
    state.SetItemsProcessed(int64_t(state.iterations()) * kEntities);
    // Seconds per entity (shown as "1.2u" for 1.2 microseconds).
    state.counters["time_per_entity"] = benchmark::Counter(
        double(kEntities), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["bytes_per_entity"] = double(bytes) / kEntities;
}

void BM_SaveToBytes(benchmark::State& state) {
    AcDbDatabase& db = plan();
    std::vector<uint8_t> bytes;
    std::wstring error;
    for (auto _ : state) {
        if (!host::io::drawingToBytes(&db, bytes, error)) state.SkipWithError("save failed");
        benchmark::DoNotOptimize(bytes.data());
    }
    perEntity(state, bytes.size());
}
BENCHMARK(BM_SaveToBytes)->Unit(benchmark::kMillisecond);

void BM_ReadFromBytes(benchmark::State& state) {
    std::vector<uint8_t> bytes;
    std::wstring error;
    host::io::drawingToBytes(&plan(), bytes, error);
    for (auto _ : state) {
        host::io::DrawingReadReport report;
        auto db = host::io::drawingFromBytes(bytes.data(), bytes.size(), L"plan.dwg", report);
        if (!db) state.SkipWithError("read failed");
        benchmark::DoNotOptimize(db.get());
    }
    perEntity(state, bytes.size());
}
BENCHMARK(BM_ReadFromBytes)->Unit(benchmark::kMillisecond);

std::wstring scratchFile() {
    const char* tmp = std::getenv("TMPDIR");
    std::string dir = tmp && *tmp ? tmp : "/tmp";
    return std::wstring(dir.begin(), dir.end()) + L"/lintaro-bench-plan.dwg";
}

void BM_SaveFileWithBackup(benchmark::State& state) {
    const std::wstring path = scratchFile();
    std::wstring error;
    for (auto _ : state)
        if (!host::io::saveDrawingFile(&plan(), path, true, error)) state.SkipWithError("save failed");
    std::vector<uint8_t> bytes;
    host::io::drawingToBytes(&plan(), bytes, error);
    perEntity(state, bytes.size());
}
BENCHMARK(BM_SaveFileWithBackup)->Unit(benchmark::kMillisecond);

void BM_ReadFile(benchmark::State& state) {
    const std::wstring path = scratchFile();
    std::wstring error;
    host::io::saveDrawingFile(&plan(), path, false, error);
    for (auto _ : state) {
        host::io::DrawingReadReport report;
        auto db = host::io::readDrawingFile(path, report);
        if (!db) state.SkipWithError("read failed");
    }
    std::vector<uint8_t> bytes;
    host::io::drawingToBytes(&plan(), bytes, error);
    perEntity(state, bytes.size());
    std::remove(host::nativePath(path).c_str());
    std::remove(host::nativePath(host::io::backupPathFor(path)).c_str());
}
BENCHMARK(BM_ReadFile)->Unit(benchmark::kMillisecond);

} // namespace
