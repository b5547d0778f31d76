// A dimension drawn from the graphics block its file brought: the block stands for
// the dimension while the dimension's filed state is the one it was kept with. A
// digest of that state tells, without any bookkeeping in the setters, the moment
// anything changes it (a point, the text, the style, an override, a move).
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/dimensions/AcDbDimension.h"
#include "host/db/filing/DwgBufferFiler.h"
#include "host/gi/AcGiWorldDraw.h"
#include "host/gi/AcGiWorldGeometry.h"

namespace {

const AcDbBlockTableRecord* peekBlock(AcDbObjectId id) {
    if (!id.isValid() || id.isErased()) return nullptr;
    return AcDbBlockTableRecord::cast(static_cast<AcDbStub*>(id)->object);
}

// FNV-1a over the filed bytes.
Adesk::UInt64 digestOf(const std::vector<uint8_t>& bytes) {
    Adesk::UInt64 h = 14695981039346656037ull;
    for (uint8_t b : bytes) {
        h ^= b;
        h *= 1099511628211ull;
    }
    return h == 0 ? 1 : h;
}

// The entities of a kept block that draw: a dimension inside one would be drawn
// through its own block again, which no file needs.
template <class Fn>
void forDrawnEntities(const AcDbBlockTableRecord* block, Fn fn) {
    for (AcDbObjectId id : block->entityIds()) {
        if (id.isNull() || id.isErased() || !id.isValid()) continue;
        auto* ent = AcDbEntity::cast(static_cast<AcDbStub*>(id)->object);
        if (ent && !ent->isKindOf(AcDbDimension::desc()) && ent->visibility() == AcDb::kVisible) fn(ent);
    }
}

} // namespace

Adesk::UInt64 AcDbDimension::filedStateDigest() const {
    // File-filer ids are handles, so the digest is the same after the drawing is
    // saved and opened again.
    host::DwgBufferFiler filer(AcDb::kFileFiler, database());
    m_digesting = true;
    dwgOutFields(&filer);
    m_digesting = false;
    return digestOf(filer.bytes());
}

Acad::ErrorStatus AcDbDimension::keepDimBlock() {
    const AcDbBlockTableRecord* block = peekBlock(m_block);
    if (!block || (database() && m_block.database() != database())) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_keptBlockState = filedStateDigest();
    return Acad::eOk;
}

bool AcDbDimension::isDrawnFromDimBlock() const {
    return m_keptBlockState != 0 && peekBlock(m_block) && filedStateDigest() == m_keptBlockState;
}

void AcDbDimension::drawKeptBlock(AcGiWorldDraw* wd) const {
    const AcDbBlockTableRecord* block = peekBlock(m_block);
    if (!block) return;
    AcGePoint3d at = m_blockPosition;
    if (!m_normal.isEqualTo(AcGeVector3d::kZAxis)) at.transformBy(AcGeMatrix3d::planeToWorld(m_normal));
    wd->geometry().pushModelTransform(AcGeMatrix3d::translation(at.asVector()));
    forDrawnEntities(block, [wd](AcDbEntity* ent) { wd->geometry().draw(ent); });
    wd->geometry().popModelTransform();
}

Acad::ErrorStatus AcDbDimension::keptBlockCopies(AcDbVoidPtrArray& entities) const {
    const AcDbBlockTableRecord* block = peekBlock(m_block);
    if (!block) return Acad::eInvalidInput;
    AcGePoint3d at = m_blockPosition;
    if (!m_normal.isEqualTo(AcGeVector3d::kZAxis)) at.transformBy(AcGeMatrix3d::planeToWorld(m_normal));
    const AcGeMatrix3d place = AcGeMatrix3d::translation(at.asVector());
    AcDbVoidPtrArray made;
    Acad::ErrorStatus es = Acad::eOk;
    forDrawnEntities(block, [&](AcDbEntity* ent) {
        AcDbEntity* copy = nullptr;
        if (es != Acad::eOk || (es = ent->getTransformedCopy(place, copy)) != Acad::eOk) return;
        // Standing alone, a piece that followed the dimension takes its properties.
        const AcCmColor own = copy->color();
        const AcDb::LineWeight weight = copy->lineWeight();
        copy->setPropertiesFrom(this);
        if (!own.isByBlock()) copy->setColor(own);
        if (weight != AcDb::kLnWtByBlock) copy->setLineWeight(weight);
        made.append(copy);
    });
    if (es != Acad::eOk) {
        // All or nothing: a partial explode would lose part of the dimension.
        host::deleteEntitySet(made);
        return es;
    }
    entities.append(made);
    return Acad::eOk;
}
