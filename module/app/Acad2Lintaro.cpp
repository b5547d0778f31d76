// The host's dimensions into chains.
#include "host/db/entities/AcDbArc.h"
#include "host/db/entities/AcDbBlockReference.h"
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/dimensions/AcDbDimension.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/ed/acutPrintf.h"
#include "host/rx/AcRxClass.h"
#include "module/app/ConvertCommands.h"
#include "module/services/DbServices.h"
#include "module/services/DocLocks.h"
#include "module/app/FormatMarks.h"
#include "module/services/ReactorSuspension.h"
#include "module/base/LintaroLog.h"
#include "module/services/PalettePort.h"
#include "module/chain/TRdim.h"
#include "module/chain/TRdimJig.h"
#include "module/convert/DimsToChains.h"
#include "module/options/OptionIndices.h"
#include "module/resources/resource.h"

#include <cmath>
#include <memory>

namespace {

// Where each record's dimension lives: chains are made in the same block.
struct Collected {
    std::vector<DimRecord> records;
    std::vector<AcDbObjectId> owners;
    AcDbObjectIdArray arcs; // the model space's arcs, read once when an arc dimension needs them
    bool arcsRead = false;
};

// The arc of model space an arc length dimension measures: same centre, and both
// measured points on it.
AcDbObjectId FindArc(Collected& c, AcDbDatabase* db, const DimRecord& r) {
    LogMsg(L"\n hladam obluk k tejto kote - neviem ako...");
    if (!c.arcsRead) {
        c.arcs = ModelSpaceEntities(db, L"ARC");
        c.arcsRead = true;
    }
    const double radius = r.centre.distanceTo(r.first);
    for (AcDbObjectId id : c.arcs) {
        AcDbArc* arc = nullptr;
        if (acdbOpenObject(arc, id, AcDb::kForRead) != Acad::eOk) continue;
        const bool match = arc->center().distanceTo(r.centre) < kDimJoinTolerance &&
                           std::fabs(arc->radius() - radius) < kDimJoinTolerance &&
                           std::fabs(r.centre.distanceTo(r.second) - radius) < kDimJoinTolerance;
        arc->close();
        if (match) {
            LogFmt(L" arcObjectId=%d ", 1);
            return id;
        }
    }
    return AcDbObjectId();
}

void AddDimension(Collected& c, AcDbDatabase* db, const AcDbDimension* dim) {
    DimRecord record;
    if (!RecordOfDimension(dim, record)) return;
    if (record.arc) {
        record.arcId = FindArc(c, db, record);
        if (record.arcId.isNull()) return;
    }
    if (IsLintaroObject(dim)) {
        record.params = GetLintaroData(dim);
        const std::wstring kept = GetLintaroTemp(dim);
        if (!kept.empty()) record.text = kept;
    }
    LogFmt(L"\n Acad2Lintaro %s H:%s", dim->isA()->name(), GetHandleString(dim).c_str());
    c.records.push_back(std::move(record));
    c.owners.push_back(dim->ownerId());
}

void Collect(Collected& c, AcDbDatabase* db, AcDbObjectId id, bool readBlocks, int depth);

void CollectBlock(Collected& c, AcDbDatabase* db, const AcDbBlockReference* ref, int depth) {
    AcDbBlockTableRecord* block = nullptr;
    if (acdbOpenObject(block, ref->blockTableRecord(), AcDb::kForRead) != Acad::eOk) return;
    if (block->isFromExternalReference() || block->isFromOverlayReference()) {
        LogMsg(block->isFromExternalReference() ? L" isFromExternalReference " : L" isFromOverlayReference ");
        block->close();
        return;
    }
    const std::vector<AcDbObjectId> ids = block->entityIds();
    block->close();
    for (AcDbObjectId id : ids)
        Collect(c, db, id, true, depth + 1);
}

void Collect(Collected& c, AcDbDatabase* db, AcDbObjectId id, bool readBlocks, int depth) {
    constexpr int kMaxBlockDepth = 32;
    AcDbEntity* entity = nullptr;
    const Acad::ErrorStatus es = acdbOpenObject(entity, id, AcDb::kForRead);
    if (es != Acad::eOk) {
        LogFmt(L"\n!!!ConvertAcadObjects2Lintaro %d./%d openEnt=%d ", 0, 0, static_cast<int>(es));
        return;
    }
    if (auto* dim = AcDbDimension::cast(entity)) {
        AddDimension(c, db, dim);
    } else if (auto* ref = AcDbBlockReference::cast(entity); ref && readBlocks && depth < kMaxBlockDepth) {
        CollectBlock(c, db, ref, depth);
    }
    entity->close();
}

// Records of different blocks never join: the owner goes into the line test through
// a separate run per block.
std::vector<std::vector<int>> RecordsByOwner(const Collected& c) {
    std::vector<AcDbObjectId> owners;
    std::vector<std::vector<int>> groups;
    for (int i = 0; i < static_cast<int>(c.records.size()); ++i) {
        size_t g = 0;
        while (g < owners.size() && owners[g] != c.owners[i])
            ++g;
        if (g == owners.size()) {
            owners.push_back(c.owners[i]);
            groups.emplace_back();
        }
        groups[g].push_back(i);
    }
    return groups;
}

bool AppendChain(std::unique_ptr<TRdim> chain, AcDbObjectId ownerId) {
    SetNewChainLayer(*chain);
    AcDbBlockTableRecord* block = nullptr;
    if (acdbOpenObject(block, ownerId, AcDb::kForWrite) != Acad::eOk) return false;
    const bool appended = block->appendAcDbEntity(chain.get()) == Acad::eOk;
    block->close();
    if (appended) chain.release()->close();
    return appended;
}

void EraseDimension(AcDbObjectId id) {
    AcDbEntity* entity = nullptr;
    Acad::ErrorStatus es = acdbOpenObject(entity, id, AcDb::kForWrite);
    if (es != Acad::eOk) {
        LogFmt(L"OpenError=%d ", static_cast<int>(es));
        return;
    }
    try {
        entity->erase();
    } catch (...) {
        LogMsg(L"\nANY PROBLEM ON ERASE ");
        acutPrintf(L"\nAny problem on object erasing...");
    }
    entity->close();
}

// Joins the records of one block, makes their chains and erases the dimensions that
// went into a chain. Returns the chains made.
int ConvertOwnerGroup(const Collected& c, const std::vector<int>& group, const ConvertOptions& options) {
    std::vector<DimRecord> records;
    for (int i : group)
        records.push_back(c.records[i]);
    const AcDbObjectId owner = c.owners[group.front()];
    int made = 0;
    for (const JoinedRecords& joined : JoinRecords(records)) {
        std::unique_ptr<TRdim> chain =
            MakeLintaroDim(records, joined.records, options.keepText, options.keepPos);
        if (!chain || !AppendChain(std::move(chain), owner)) continue;
        ++made;
        for (int r : joined.records)
            EraseDimension(records[r].id);
        for (int r : joined.zeroLength)
            EraseDimension(records[r].id);
    }
    return made;
}

} // namespace

int ConvertAcad2Lintaro(const AcDbObjectIdArray& ids, const ConvertOptions& options) {
    AcDbDatabase* db = acdbCurDwg();
    if (!db) return 0;
    PalettePort& palette = Palette();
    if (!palette.Exists()) palette.Start();
    if (palette.Exists()) palette.SelectMode(OPT_MODE_CHAIN);
    CDbLockScope lock(db, L"Acad2Lintaro");
    CReactorSuspension suspended;
    LogFmt(L"\n-------ConvertDimsAcad2Lintaro----- nCount=%d ", ids.length());
    Collected collected;
    for (AcDbObjectId id : ids)
        Collect(collected, db, id, options.readBlocks, 0);
    int made = 0;
    for (const std::vector<int>& group : RecordsByOwner(collected))
        made += ConvertOwnerGroup(collected, group, options);
    return made;
}
