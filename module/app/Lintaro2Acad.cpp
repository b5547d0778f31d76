// Chains (and height marks) into the host's own dimensions or their drawn geometry.
#include "host/db/entities/AcDbBlockReference.h"
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/dimensions/AcDbDimension.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "module/app/ConvertCommands.h"
#include "module/services/DbServices.h"
#include "module/services/DocLocks.h"
#include "module/app/FormatMarks.h"
#include "module/services/ReactorSuspension.h"
#include "module/base/LintaroLog.h"
#include "module/chain/TRdim.h"
#include "module/convert/ChainToDims.h"
#include "module/convert/DimStyleRecord.h"
#include "module/height/TRdimHeight.h"

#include <memory>

namespace {

// Closes what it opened, whatever way the conversion of one object ends.
template <typename T> struct Opened {
    T* object = nullptr;
    ~Opened() {
        if (object) object->close();
    }
};

// Appends the entities to the block and closes them; entities that cannot be appended
// are deleted. Returns how many went in.
int AppendTo(AcDbObjectId blockId, AcDbVoidPtrArray& entities) {
    int appended = 0;
    AcDbBlockTableRecord* block = nullptr;
    const bool open = acdbOpenObject(block, blockId, AcDb::kForWrite) == Acad::eOk;
    for (void* p : entities) {
        auto* entity = static_cast<AcDbEntity*>(p);
        if (open && block->appendAcDbEntity(entity) == Acad::eOk) {
            entity->close();
            ++appended;
        } else {
            delete entity;
        }
    }
    entities.setLogicalLength(0);
    if (open) block->close();
    return appended;
}

// Gives the appended dimension the chain's text and formatting.
void FormatDimension(AcDbDimension* dim, TRdim& chain, int k, bool associative) {
    const SegmentDimText text = DimTextOfSegment(chain, k, associative);
    SetLintaroObject(dim, true);
    SetLintaroData(dim, chain.GetParams());
    SetDimStyleDD(dim->database(), dim, chain.Params());
    if (!text.replacedText.empty()) {
        SetLintaroTemp(dim, text.replacedText);
        dim->setDimatfit(2);
    }
    dim->setDimensionText(text.dimText.c_str());
}

// The chain's dimensions appended to its block; false when none could be made.
bool ChainToDimensions(TRdim& chain, bool associative) {
    std::vector<std::unique_ptr<AcDbDimension>> dims = MakeAcadDims(chain);
    if (dims.empty()) return false;
    AcDbBlockTableRecord* block = nullptr;
    if (acdbOpenObject(block, chain.ownerId(), AcDb::kForWrite) != Acad::eOk) return false;
    std::vector<AcDbObjectId> made;
    for (auto& dim : dims) {
        AcDbObjectId id;
        if (block->appendAcDbEntity(id, dim.get()) != Acad::eOk) continue;
        dim.release()->close();
        made.push_back(id);
    }
    block->close();
    for (size_t i = 0; i < made.size(); ++i) {
        AcDbDimension* dim = nullptr;
        if (acdbOpenObject(dim, made[i], AcDb::kForWrite) != Acad::eOk) continue;
        FormatDimension(dim, chain, static_cast<int>(i) + 1, associative);
        dim->close();
    }
    return !made.empty();
}

bool ExplodeInto(const AcDbEntity& entity) {
    AcDbVoidPtrArray pieces;
    if (entity.explode(pieces) != Acad::eOk) return false;
    LogFmt(L"\n entitySet=%d ", pieces.length());
    AppendTo(entity.ownerId(), pieces);
    return true;
}

void Erase(AcDbEntity* entity) {
    const Acad::ErrorStatus es = entity->upgradeOpen();
    if (es != Acad::eOk) {
        LogFmt(L"\n **** po MakeAcadDims upgradeOpen es=%d ", static_cast<int>(es));
        return;
    }
    entity->erase();
}

int ConvertEntity(AcDbObjectId id, const ConvertOptions& options, int depth);

int ConvertBlock(const AcDbBlockReference* ref, const ConvertOptions& options, int depth) {
    AcDbBlockTableRecord* block = nullptr;
    const Acad::ErrorStatus es = acdbOpenObject(block, ref->blockTableRecord(), AcDb::kForRead);
    if (es != Acad::eOk) {
        LogFmt(L"\n Lintaro2Acad neplatny pBlockRec  es=%d  ID=%d! ", static_cast<int>(es), 0);
        return 0;
    }
    if (block->isFromExternalReference() || block->isFromOverlayReference()) {
        LogMsg(block->isFromExternalReference() ? L" isFromExternalReference " : L" isFromOverlayReference ");
        block->close();
        return 0;
    }
    const std::vector<AcDbObjectId> ids = block->entityIds();
    block->close();
    int converted = 0;
    for (AcDbObjectId id : ids)
        converted += ConvertEntity(id, options, depth + 1);
    LogFmt(L"\n BlockEntities=%d  iActualized=%d ", static_cast<int>(ids.size()), converted);
    return converted;
}

int ConvertEntity(AcDbObjectId id, const ConvertOptions& options, int depth) {
    // A block that holds itself through its references must not run forever.
    constexpr int kMaxBlockDepth = 32;
    Opened<AcDbEntity> entity;
    if (acdbOpenObject(entity.object, id, AcDb::kForRead) != Acad::eOk) return 0;
    if (entity.object->isErased()) return 0;
    if (auto* ref = AcDbBlockReference::cast(entity.object))
        return options.readBlocks && depth < kMaxBlockDepth ? ConvertBlock(ref, options, depth) : 0;
    if (auto* chain = TRdim::cast(entity.object)) {
        LogMsg(L"\n Lintaro2Acad( TRdim, pBlkRef=0 )");
        if ((options.explodeDim || !ChainToDimensions(*chain, options.associative)) && !ExplodeInto(*chain))
            return 0;
        Erase(chain);
        return 1;
    }
    if (auto* mark = TRdimHeight::cast(entity.object)) {
        if (!options.explodeHDim || !ExplodeInto(*mark)) return 0;
        Erase(mark);
        return 1;
    }
    return 0;
}

} // namespace

int ConvertLintaro2Acad(const AcDbObjectIdArray& ids, const ConvertOptions& options) {
    AcDbDatabase* db = acdbCurDwg();
    CDbLockScope lock(db, L"Lintaro2Acad");
    CReactorSuspension suspended(kReactorsConversion);
    LogFmt(L"\n-------ConvertDimsLintaro2Acad----- nCount=%d ", ids.length());
    CTimeLog timer(L"--ConvertDimsLintaro2Acad--");
    int converted = 0;
    for (int i = 0; i < ids.length(); ++i) {
        LogFmt(L"\n Entity %d/%d ", i + 1, ids.length());
        try {
            converted += ConvertEntity(ids[i], options, 0);
        } catch (...) {
            LogFmt(L"\n!!!ConvertLintaroObjects %d./%d openEnt=%d ", i + 1, ids.length(), 0);
        }
    }
    return converted;
}
