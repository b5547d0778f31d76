// Drawings for the find-and-replace scenarios, made with the add-on loaded as the host
// loads it (appended texts and height-mark links have no command a script could run),
// and a dump of what a drawing holds, read back independently of the run that changed
// it.
//
// usage: replace_fixture make OUT.dwg      the edge-case drawing (below)
//        replace_fixture many DIR N        N drawings DIR/plan_000.dwg ...; every third
//                                          one (0, 3, 6 ...) holds "Raum 2", the others not
//        replace_fixture dump FILE.dwg     one line per chain segment and height mark
#include "host/ap/AcApDocManager.h"
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/io/DrawingFile.h"
#include "host/rx/AcRxDynamicLinker.h"
#include "host/win/Utf8.h"
#include "module/chain/TRdim.h"
#include "module/height/TRdimHeight.h"
#include "module/options/OptionIndices.h"
#include "shell/ModuleEntry.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Segment {
    std::wstring appended, prefix, suffix;
};

bool append(AcDbDatabase* db, AcDbEntity* entity) {
    AcDbBlockTableRecord* space = nullptr;
    if (acdbOpenObject(space, db->modelSpaceId(), AcDb::kForWrite) != Acad::eOk) {
        delete entity;
        return false;
    }
    AcDbObjectId id;
    const bool ok = space->appendAcDbEntity(id, entity) == Acad::eOk;
    space->close();
    if (ok)
        entity->close();
    else
        delete entity;
    return ok;
}

// A horizontal chain at height y with one segment of 10 per entry.
bool addChain(AcDbDatabase* db, double y, const std::vector<Segment>& segments) {
    auto* chain = new TRdim(AcGePoint3d(0, y, 0), AcGePoint3d(10, y, 0), kDimHorizontal, AcGePoint3d(5, y - 5, 0));
    for (size_t k = 2; k <= segments.size(); ++k)
        chain->AddPointInput(AcGePoint3d(10.0 * static_cast<double>(k), y, 0));
    for (size_t i = 0; i < segments.size(); ++i) {
        const int k = static_cast<int>(i) + 1;
        if (!segments[i].appended.empty()) {
            AppendingText record;
            record.m_strText = segments[i].appended;
            chain->SetAppendingText(k, &record);
        }
        if (!segments[i].prefix.empty()) chain->SetDimTextPrefix(k, segments[i].prefix.c_str());
        if (!segments[i].suffix.empty()) chain->SetDimTextSuffix(k, segments[i].suffix.c_str());
    }
    return append(db, chain);
}

bool addMark(AcDbDatabase* db, const AcGePoint3d& at, const std::vector<std::wstring>& texts,
             const std::wstring& link1, const std::wstring& link2) {
    auto* mark = new TRdimHeight();
    mark->SetPlan(true);
    mark->Initialize(false);
    mark->SetType(1);
    for (int i = 0; i < kHeightPointCount; ++i)
        mark->SetPoint(i, at);
    mark->SetHeight(1, 1.25);
    for (size_t i = 0; i < texts.size(); ++i)
        mark->SetText(static_cast<int>(i), texts[i]);
    mark->SetParamString(IND_S_HK_Auto_Handle1, link1);
    mark->SetParamString(IND_S_HK_Auto_Handle2, link2);
    mark->InitPointText();
    return append(db, mark);
}

bool save(AcDbDatabase* db, const std::string& path) {
    std::wstring error;
    if (host::io::saveDrawingFile(db, host::fromUtf8(path), false, error)) return true;
    std::fprintf(stderr, "replace_fixture: %s\n", host::toUtf8(error).c_str());
    return false;
}

// Makes a database, fills it as the working one (the objects take its defaults) and
// saves it.
template <typename Fill>
bool makeDrawing(const std::string& path, Fill fill) {
    auto db = std::make_unique<AcDbDatabase>(true, true);
    AcDbHostApplicationServices* services = acdbHostApplicationServices();
    AcDbDatabase* previous = services->workingDatabase();
    services->setWorkingDatabase(db.get());
    const bool ok = fill(db.get()) && save(db.get(), path);
    services->setWorkingDatabase(previous);
    return ok;
}

// The edge cases: appended texts "ab" and "abc"; prefixes and suffixes "2", "12" and
// "1212"; height marks with the same texts, one linking a drawing in its second link
// text only, two linking the same drawing.
bool fillEdgeCases(AcDbDatabase* db) {
    return addChain(db, 0, {{L"ab", L"2", L"12"}, {L"abc", L"1212", L""}}) &&
           addChain(db, 30, {{L"Raum", L"", L""}}) &&
           addMark(db, AcGePoint3d(0, 60, 0), {L"2", L"12", L"1212", L"Raum"}, L"", L"/proj/Alt/schnitt.dwg:1F") &&
           addMark(db, AcGePoint3d(20, 60, 0), {L"", L"", L"", L""}, L"/proj/alt/schnitt.dwg:2A", L"") &&
           addMark(db, AcGePoint3d(40, 60, 0), {L"", L"", L"", L""}, L"/proj/Alt/ansicht.dwg:3B", L"1C");
}

std::string utf8(const std::wstring& text) {
    return host::toUtf8(text);
}

void dumpEntity(AcDbEntity* entity, int& chains, int& marks) {
    if (const TRdim* chain = TRdim::cast(entity)) {
        ++chains;
        for (int k = 1; k < chain->GetExtensions(); ++k) {
            std::wstring appended;
            double value = 0.0;
            for (const AppendingText& record : chain->AppTexts())
                if (std::max(record.m_iSegment, 1) == k) {
                    appended = record.m_strText;
                    value = record.m_dValue;
                }
            std::printf("chain %d seg %d app=<%s> value=%.3f prefix=<%s> suffix=<%s>\n", chains, k,
                        utf8(appended).c_str(), value, utf8(chain->GetDimTextPrefix(k)).c_str(),
                        utf8(chain->GetDimTextSuffix(k)).c_str());
        }
    } else if (const TRdimHeight* mark = TRdimHeight::cast(entity)) {
        ++marks;
        std::printf("mark %d texts=<%s|%s|%s|%s> link1=<%s> link2=<%s>\n", marks, utf8(mark->GetText(0)).c_str(),
                    utf8(mark->GetText(1)).c_str(), utf8(mark->GetText(2)).c_str(), utf8(mark->GetText(3)).c_str(),
                    utf8(mark->GetParamString(IND_S_HK_Auto_Handle1)).c_str(),
                    utf8(mark->GetParamString(IND_S_HK_Auto_Handle2)).c_str());
    }
}

int dump(const std::string& path) {
    host::io::DrawingReadReport report;
    std::unique_ptr<AcDbDatabase> db = host::io::readDrawingFile(host::fromUtf8(path), report);
    if (!db) {
        std::fprintf(stderr, "replace_fixture: %s\n", utf8(report.error).c_str());
        return 1;
    }
    AcDbBlockTableRecord* space = nullptr;
    if (acdbOpenObject(space, db->modelSpaceId(), AcDb::kForRead) != Acad::eOk) return 1;
    AcDbBlockTableRecordIterator* it = nullptr;
    int chains = 0, marks = 0;
    if (space->newIterator(it) == Acad::eOk) {
        for (; !it->done(); it->step()) {
            AcDbEntity* entity = nullptr;
            if (it->getEntity(entity, AcDb::kForRead) != Acad::eOk) continue;
            dumpEntity(entity, chains, marks);
            entity->close();
        }
        delete it;
    }
    space->close();
    return 0;
}

int many(const std::string& dir, int count) {
    for (int i = 0; i < count; ++i) {
        const std::wstring text = i % 3 == 0 ? L"Raum 2" : L"Flur";
        char name[64];
        std::snprintf(name, sizeof name, "/plan_%03d.dwg", i);
        const bool ok = makeDrawing(dir + name, [&](AcDbDatabase* db) {
            return addChain(db, 0, {{L"", text, L""}}) &&
                   addMark(db, AcGePoint3d(0, 20, 0), {text, L"", L"", L""}, L"", L"");
        });
        if (!ok) return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string what = argc > 1 ? argv[1] : "";
    if (!((what == "make" && argc == 3) || (what == "many" && argc == 4) || (what == "dump" && argc == 3))) {
        std::fprintf(stderr, "usage: replace_fixture make OUT.dwg | many DIR N | dump FILE.dwg\n");
        return 2;
    }
    host::io::installDrawingFileHooks();
    acDocManager->appContextNewDocument(nullptr);
    if (!acrxDynamicLinker->loadModule(shell::kModuleFileName, &acrxEntryPoint, false, &lintaroModuleExit)) {
        std::fprintf(stderr, "replace_fixture: the add-on did not load\n");
        return 1;
    }
    int rc = 0;
    if (what == "make")
        rc = makeDrawing(argv[2], fillEdgeCases) ? 0 : 1;
    else if (what == "many")
        rc = many(argv[2], std::atoi(argv[3]));
    else
        rc = dump(argv[2]);
    acrxDynamicLinker->unloadAllForQuit();
    acDocManager->closeAllDocuments();
    return rc;
}
