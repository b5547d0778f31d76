// lintaro replace's work per drawing, over 100 and 1,000 small drawings on disk: each
// drawing read, its texts replaced and saved (with its backup), as the batch command
// does it. The time per drawing ("per_drawing") should not grow with the number of
// drawings: nothing of one drawing is kept for the next.
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/io/DrawingFile.h"
#include "module/chain/TRdim.h"
#include "module/height/TRdimHeight.h"
#include "module/replace/BatchReplace.h"

#include "bench/BenchModule.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

bench::LoadedModule& module() {
    static bench::LoadedModule loaded("replace");
    return loaded;
}

void append(AcDbDatabase* db, AcDbEntity* entity) {
    AcDbBlockTableRecord* space = nullptr;
    acdbOpenObject(space, db->modelSpaceId(), AcDb::kForWrite);
    AcDbObjectId id;
    space->appendAcDbEntity(id, entity);
    entity->close();
    space->close();
}

// A small drawing: a chain of five segments and two height marks, "Raum 2" in a
// prefix of each.
std::string smallDrawing() {
    bench::LoadedModule& m = module();
    auto* chain = new TRdim(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0), kDimHorizontal, AcGePoint3d(0, 3, 0),
                            AcGeMatrix3d());
    for (int i = 2; i <= 5; ++i)
        chain->AddPointInput(AcGePoint3d(i, 0, 0));
    chain->SetDimTextPrefix(1, L"Raum 2");
    append(m.db.get(), chain);
    for (int i = 0; i < 2; ++i) {
        auto* mark = new TRdimHeight();
        mark->SetPlan(true);
        mark->Initialize(false);
        for (int p = 0; p < kHeightPointCount; ++p)
            mark->SetPoint(p, AcGePoint3d(10.0 * i, 10, 0));
        mark->SetText(0, L"Raum 2");
        mark->InitPointText();
        append(m.db.get(), mark);
    }
    const std::wstring path = (m.dir / "model.dwg").wstring();
    std::wstring error;
    host::io::saveDrawingFile(m.db.get(), path, false, error);
    return path.empty() ? std::string() : (m.dir / "model.dwg").string();
}

std::vector<std::wstring> drawings(int count) {
    static const std::string model = smallDrawing();
    const std::filesystem::path folder = module().dir / ("set" + std::to_string(count));
    std::vector<std::wstring> files;
    std::filesystem::create_directories(folder);
    for (int i = 0; i < count; ++i) {
        const std::filesystem::path file = folder / ("plan_" + std::to_string(i) + ".dwg");
        if (!std::filesystem::exists(file)) std::filesystem::copy_file(model, file);
        files.push_back(file.wstring());
    }
    return files;
}

void BM_ReplaceOverDrawings(benchmark::State& state) {
    const std::vector<std::wstring> files = drawings(static_cast<int>(state.range(0)));
    bool forth = true;
    for (auto _ : state) {
        const wchar_t* from = forth ? L"Raum 2" : L"Zimmer 2";
        const wchar_t* to = forth ? L"Zimmer 2" : L"Raum 2";
        for (const std::wstring& file : files) {
            host::io::DrawingReadReport report;
            std::unique_ptr<AcDbDatabase> db = host::io::readDrawingFile(file, report);
            if (!db) {
                state.SkipWithError("a drawing could not be read");
                return;
            }
            int objects = 0;
            if (lintaroReplaceInDatabase(db.get(), from, to, kBatchReplaceWholeText, 2, &objects) != 3) {
                state.SkipWithError("not every text was replaced");
                return;
            }
            std::wstring error;
            host::io::saveDrawingFile(db.get(), file, true, error);
        }
        forth = !forth;
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(files.size()));
    state.counters["per_drawing"] = benchmark::Counter(static_cast<double>(state.iterations() * files.size()),
                                                       benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ReplaceOverDrawings)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace
