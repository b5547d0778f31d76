// The host's dimensions into chains.
#include "host/db/entities/AcDbArc.h"
#include "host/db/entities/AcDbBlockReference.h"
#include "host/db/entities/AcDbPolyline.h"
#include "host/ge/AcGeCircArc3d.h"
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
#include "module/services/XDataServices.h"
#include "module/base/LintaroLog.h"
#include "module/services/PalettePort.h"
#include "module/chain/TRdim.h"
#include "module/chain/TRdimJig.h"
#include "module/convert/DimsToChains.h"
#include "module/options/OptionIndices.h"
#include "module/resources/resource.h"

#include <cmath>
#include <memory>
#include <unordered_map>

namespace {

// Where each record's dimension lives: chains are made in the same block.
struct Collected {
    std::vector<DimRecord> records;
    std::vector<AcDbObjectId> owners;
    // The model space's arcs and polylines, read once when an arc dimension needs them.
    AcDbObjectIdArray arcs;
    AcDbObjectIdArray polylines;
    bool curvesRead = false;
};

// Same centre and radius, and both measured points on it.
bool MeasuresArc(const DimRecord& r, const AcGePoint3d& centre, double radius) {
    const double measured = r.centre.distanceTo(r.first);
    return centre.distanceTo(r.centre) < kDimJoinTolerance && std::fabs(radius - measured) < kDimJoinTolerance &&
           std::fabs(r.centre.distanceTo(r.second) - measured) < kDimJoinTolerance;
}

AcDbObjectId FindArcEntity(const Collected& c, const DimRecord& r) {
    for (AcDbObjectId id : c.arcs) {
        AcDbArc* arc = nullptr;
        if (acdbOpenObject(arc, id, AcDb::kForRead) != Acad::eOk) continue;
        const bool match = MeasuresArc(r, arc->center(), arc->radius());
        arc->close();
        if (match) return id;
    }
    return AcDbObjectId();
}

// An arc entity made on the polyline's layer from its arc segment that the dimension
// measures: an arc chain follows a curve of its own.
AcDbObjectId ArcFromPolylineSegment(Collected& c, const DimRecord& r) {
    AcGeTol onArc;
    onArc.setEqualPoint(kDimJoinTolerance);
    for (AcDbObjectId id : c.polylines) {
        AcDbPolyline* pline = nullptr;
        if (acdbOpenObject(pline, id, AcDb::kForRead) != Acad::eOk) continue;
        std::unique_ptr<AcDbArc> made;
        for (unsigned int i = 0; i < pline->numSegments() && !made; ++i) {
            AcGeCircArc3d seg;
            if (pline->segType(i) != AcDbPolyline::kArc || pline->getArcSegAt(i, seg) != Acad::eOk) continue;
            if (!MeasuresArc(r, seg.center(), seg.radius()) || !seg.isOn(r.first, onArc) || !seg.isOn(r.second, onArc))
                continue;
            made = std::make_unique<AcDbArc>(seg.center(), seg.normal(), seg.radius(), 0.0, 0.0);
            double start = 0.0, end = 0.0;
            made->setEndAngle(6.283185307179586);
            made->getParamAtPoint(seg.startPoint(), start);
            made->getParamAtPoint(seg.endPoint(), end);
            made->setStartAngle(start);
            made->setEndAngle(end);
            made->setLayer(pline->layerId());
        }
        pline->close();
        if (!made) continue;
        AcDbObjectId arcId;
        if (posToDb(made.get(), arcId) != Acad::eOk) return AcDbObjectId();
        made.release()->close();
        c.arcs.append(arcId); // the next dimension of this segment finds it
        return arcId;
    }
    return AcDbObjectId();
}

// The arc an arc length dimension measures: an arc of model space, else an arc made
// from a polyline's arc segment.
AcDbObjectId FindArc(Collected& c, AcDbDatabase* db, const DimRecord& r) {
    LogMsg(L"\n hladam obluk k tejto kote - neviem ako...");
    if (!c.curvesRead) {
        c.arcs = ModelSpaceEntities(db, L"ARC");
        c.polylines = ModelSpaceEntities(db, L"LWPOLYLINE");
        c.curvesRead = true;
    }
    AcDbObjectId id = FindArcEntity(c, r);
    if (id.isNull()) id = ArcFromPolylineSegment(c, r);
    if (!id.isNull()) LogFmt(L" arcObjectId=%d ", 1);
    return id;
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
// a separate run per block. The owners are looked up, not scanned: a plan may hold
// thousands of blocks with dimensions.
std::vector<std::vector<int>> RecordsByOwner(const Collected& c) {
    std::unordered_map<AcDbStub*, size_t> groupOf;
    std::vector<std::vector<int>> groups;
    for (int i = 0; i < static_cast<int>(c.records.size()); ++i) {
        const auto [it, added] = groupOf.emplace(static_cast<AcDbStub*>(c.owners[i]), groups.size());
        if (added) groups.emplace_back();
        groups[it->second].push_back(i);
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
    // One block holds them all (the usual case): the records are not copied.
    std::vector<DimRecord> copied;
    if (group.size() != c.records.size())
        for (int i : group)
            copied.push_back(c.records[i]);
    const std::vector<DimRecord>& records = group.size() == c.records.size() ? c.records : copied;
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
