#include "host/db/entities/AcDbBlockReference.h"

#include "host/db/entities/AcDbAttributeDefinition.h"
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/entities/AcDbExtents.h"
#include "host/db/filing/FilingChecks.h"
#include "host/gi/AcGiWorldDraw.h"
#include "host/gi/AcGiWorldGeometry.h"
#include "host/win/FormatW.h"
#include "host/win/Transcript.h"

#include <cmath>
#include <map>

ACRX_HOST_DEFINE_MEMBERS(AcDbBlockReference, AcDbEntity, L"INSERT", &host::makeObject<AcDbBlockReference>)

namespace {
// Version 2 adds the attributes; an insertion without any still files as version 1.
constexpr Adesk::Int16 kInsertVersion = 1;
constexpr Adesk::Int16 kInsertWithAttributes = 2;
// More attributes than this on one insertion is a damaged record.
constexpr Adesk::UInt32 kMaxAttributes = 1u << 16;
// Blocks inside blocks deeper than this are taken as a block that holds itself. The
// recording world draw stops (and says so) earlier; this guards any other world draw.
constexpr int kMaxNesting = 64;
int g_nesting = 0;

const AcDbBlockTableRecord* blockOf(AcDbObjectId id) {
    return id.isValid() && !id.isErased() ? AcDbBlockTableRecord::cast(static_cast<AcDbStub*>(id)->object) : nullptr;
}

bool validScale(const AcGeScale3d& s) {
    return std::isfinite(s.sx) && std::isfinite(s.sy) && std::isfinite(s.sz) && s.sx != 0.0 && s.sy != 0.0 &&
           s.sz != 0.0;
}
} // namespace

AcDbBlockReference::AcDbBlockReference(const AcGePoint3d& position, AcDbObjectId blockTableRec)
    : m_block(blockTableRec), m_position(position) {}

void AcDbBlockReference::subList() const {
    AcDbEntity::subList();
    const AcDbBlockTableRecord* block = blockOf(m_block);
    const std::wstring name = block ? block->name() : std::wstring();
    host::transcriptWrite(host::FormatW(L"%20sBlock Name: \"%s\"\n", L"", name.c_str()));
    const wchar_t* path = L"";
    if (block && block->isFromExternalReference() && block->pathName(path) == Acad::eOk)
        host::transcriptWrite(host::FormatW(L"%20s%s: %s\n", L"",
                                            block->isFromOverlayReference() ? L"Overlay" : L"External reference",
                                            path));
    host::transcriptWrite(host::FormatW(L"%20sat point, X=%.4f  Y=%.4f  Z=%.4f\n", L"", m_position.x,
                                        m_position.y, m_position.z));
    host::transcriptWrite(host::FormatW(L"%20sX scale factor: %.4f\n%20sY scale factor: %.4f\n", L"", m_scale.sx,
                                        L"", m_scale.sy));
    host::transcriptWrite(host::FormatW(L"%20srotation angle: %.4f\n%20sZ scale factor: %.4f\n", L"",
                                        m_rotation * 180.0 / M_PI, L"", m_scale.sz));
}

Acad::ErrorStatus AcDbBlockReference::setBlockTableRecord(AcDbObjectId id) {
    if (!blockOf(id)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_block = id;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockReference::setPosition(const AcGePoint3d& position) {
    if (!host::isFinite(position)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_position = position;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockReference::setScaleFactors(const AcGeScale3d& scale) {
    if (!validScale(scale)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_scale = scale;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockReference::setRotation(double newVal) {
    if (!std::isfinite(newVal)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_rotation = newVal;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockReference::setNormal(const AcGeVector3d& newVal) {
    if (!host::isDirection(newVal)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_normal = newVal.normal();
    return Acad::eOk;
}

AcGeMatrix3d AcDbBlockReference::blockTransform() const {
    const AcDbBlockTableRecord* block = blockOf(m_block);
    AcGePoint3d origin = block ? block->origin() : AcGePoint3d::kOrigin;
    AcGeMatrix3d scale;
    scale(0, 0) = m_scale.sx;
    scale(1, 1) = m_scale.sy;
    scale(2, 2) = m_scale.sz;
    // Origin to the block's base, scale, rotate in the plane, into the plane, to the position.
    return AcGeMatrix3d::translation(m_position.asVector()) * AcGeMatrix3d::planeToWorld(m_normal) *
           AcGeMatrix3d::rotation(m_rotation, AcGeVector3d::kZAxis) * scale *
           AcGeMatrix3d::translation(-origin.asVector());
}

Acad::ErrorStatus AcDbBlockReference::setBlockTransform(const AcGeMatrix3d& xform) {
    AcGeVector3d x(xform(0, 0), xform(1, 0), xform(2, 0));
    AcGeVector3d y(xform(0, 1), xform(1, 1), xform(2, 1));
    AcGeVector3d z(xform(0, 2), xform(1, 2), xform(2, 2));
    double sx = x.length(), sy = y.length(), sz = z.length();
    if (!(sx > 0) || !(sy > 0) || !(sz > 0) || !x.isPerpendicularTo(y) || !y.isPerpendicularTo(z))
        return Acad::eCannotScaleNonUniformly;
    AcGeVector3d n = x.crossProduct(y).normal();
    if (n.dotProduct(z) < 0.0) sz = -sz; // a mirror shows as a negative Z scale
    const AcDbBlockTableRecord* block = blockOf(m_block);
    AcGePoint3d origin = block ? block->origin() : AcGePoint3d::kOrigin;
    assertWriteEnabled();
    m_normal = n;
    m_rotation = std::atan2(x.dotProduct(n.crossProduct(acgeArbitraryXAxis(n))), x.dotProduct(acgeArbitraryXAxis(n)));
    m_scale.set(sx, sy, sz);
    m_position = xform * origin;
    return Acad::eOk;
}

namespace {
// The value as an attribute with the definition's properties would show it.
void drawConstantValue(AcGiWorldDraw* wd, const AcDbAttributeDefinition* def) {
    AcDbAttribute shown;
    if (shown.setAttributeFromBlock(def, AcGeMatrix3d::kIdentity) == Acad::eOk) wd->geometry().draw(&shown);
}
} // namespace

Acad::ErrorStatus AcDbBlockReference::appendAttribute(AcDbAttribute* pAttr) {
    if (!pAttr || !pAttr->objectId().isNull()) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_attributes.emplace_back(pAttr);
    return Acad::eOk;
}

const AcDbAttribute* AcDbBlockReference::attributeAt(int index) const {
    return index >= 0 && index < attributeCount() ? m_attributes[size_t(index)].get() : nullptr;
}

bool AcDbBlockReference::subWorldDraw(AcGiWorldDraw* wd) {
    const AcDbBlockTableRecord* block = blockOf(m_block);
    if (!block || g_nesting >= kMaxNesting) return true;
    ++g_nesting;
    wd->geometry().pushModelTransform(blockTransform());
    for (AcDbObjectId id : block->entityIds()) {
        if (id.isNull() || id.isErased() || !id.isValid()) continue;
        auto* ent = AcDbEntity::cast(static_cast<AcDbStub*>(id)->object);
        if (!ent || ent->visibility() != AcDb::kVisible) continue;
        if (auto* def = AcDbAttributeDefinition::cast(ent)) {
            // The insertion's own attributes stand for the definitions; a constant
            // one has none and shows the definition's value.
            if (def->isConstant() && !def->isInvisible()) drawConstantValue(wd, def);
            continue;
        }
        wd->geometry().draw(ent);
    }
    wd->geometry().popModelTransform();
    for (const auto& attribute : m_attributes)
        if (attribute->visibility() == AcDb::kVisible) wd->geometry().draw(attribute.get());
    --g_nesting;
    return true;
}

namespace {
using BlockExtents = std::map<const AcDbBlockTableRecord*, AcDbExtents>;

// The extents of a block's entities in its own system; a nested block's come from
// the memo, so a block inserted many times is measured once.
AcDbExtents blockExtents(const AcDbBlockTableRecord* block, int depth, BlockExtents& memo) {
    auto known = memo.find(block);
    if (known != memo.end()) return known->second;
    AcDbExtents ext;
    memo[block] = ext; // a block that holds itself adds nothing
    if (depth >= kMaxNesting) return ext;
    for (AcDbObjectId id : block->entityIds()) {
        if (id.isNull() || id.isErased() || !id.isValid()) continue;
        auto* ent = AcDbEntity::cast(static_cast<AcDbStub*>(id)->object);
        if (!ent || ent->visibility() != AcDb::kVisible) continue;
        AcDbExtents e;
        if (const auto* ref = AcDbBlockReference::cast(ent)) {
            const AcDbBlockTableRecord* inner = blockOf(ref->blockTableRecord());
            if (!inner) continue;
            e = blockExtents(inner, depth + 1, memo);
            if (e.isEmpty()) continue;
            e.transformBy(ref->blockTransform());
        } else if (ent->getGeomExtents(e) != Acad::eOk) {
            continue;
        }
        ext.addExt(e);
    }
    memo[block] = ext;
    return ext;
}
} // namespace

Acad::ErrorStatus AcDbBlockReference::subGetGeomExtents(AcDbExtents& extents) const {
    const AcDbBlockTableRecord* block = blockOf(m_block);
    if (!block) return Acad::eInvalidExtents;
    BlockExtents memo;
    AcDbExtents ext = blockExtents(block, 1, memo);
    if (!ext.isEmpty()) ext.transformBy(blockTransform());
    for (const auto& attribute : m_attributes) {
        AcDbExtents e;
        if (attribute->visibility() == AcDb::kVisible && !attribute->isInvisible()
            && attribute->getGeomExtents(e) == Acad::eOk)
            ext.addExt(e);
    }
    if (ext.isEmpty()) return Acad::eInvalidExtents;
    extents = ext;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockReference::subTransformBy(const AcGeMatrix3d& xform) {
    // The attributes first, on copies: all of them follow, or nothing changes.
    std::vector<std::unique_ptr<AcDbAttribute>> moved;
    for (const auto& attribute : m_attributes) {
        std::unique_ptr<AcDbAttribute> copy(AcDbAttribute::cast(attribute->clone()));
        if (!copy) return Acad::eOutOfMemory;
        const Acad::ErrorStatus es = copy->transformBy(xform);
        if (es != Acad::eOk) return es;
        moved.push_back(std::move(copy));
    }
    Acad::ErrorStatus es = setBlockTransform(xform * blockTransform());
    if (es != Acad::eOk) return es;
    m_attributes = std::move(moved);
    xDataTransformBy(xform);
    return es;
}

Acad::ErrorStatus AcDbBlockReference::subExplode(AcDbVoidPtrArray& entitySet) const {
    const AcDbBlockTableRecord* block = blockOf(m_block);
    if (!block) return Acad::eInvalidInput;
    AcGeMatrix3d xform = blockTransform();
    AcDbVoidPtrArray made;
    for (AcDbObjectId id : block->entityIds()) {
        if (id.isNull() || id.isErased() || !id.isValid()) continue;
        auto* ent = AcDbEntity::cast(static_cast<AcDbStub*>(id)->object);
        if (!ent) continue;
        AcDbEntity* copy = nullptr;
        Acad::ErrorStatus es = ent->getTransformedCopy(xform, copy);
        if (es != Acad::eOk) {
            // All or nothing: a partial explode would lose part of the block.
            host::deleteEntitySet(made);
            return es;
        }
        made.append(copy);
    }
    entitySet.append(made);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockReference::subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray&,
                                                       AcDbIntArray&) const {
    gripPoints.append(m_position);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockReference::subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    if (indices.isEmpty()) return Acad::eOk;
    return setPosition(m_position + offset);
}

Acad::ErrorStatus AcDbBlockReference::subGetOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker, const AcGePoint3d&,
                                                        const AcGePoint3d&, const AcGeMatrix3d&,
                                                        AcGePoint3dArray& snapPoints, AcDbIntArray&) const {
    if (osnapMode == AcDb::kOsModeIns) snapPoints.append(m_position);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockReference::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeInt16(m_attributes.empty() ? kInsertVersion : kInsertWithAttributes);
    filer->writeHardPointerId(m_block);
    filer->writePoint3d(m_position);
    filer->writeDouble(m_scale.sx);
    filer->writeDouble(m_scale.sy);
    filer->writeDouble(m_scale.sz);
    filer->writeDouble(m_rotation);
    filer->writeVector3d(m_normal);
    if (m_attributes.empty()) return filer->filerStatus();
    filer->writeUInt32(Adesk::UInt32(m_attributes.size()));
    for (const auto& attribute : m_attributes)
        if ((es = attribute->dwgOutFields(filer)) != Acad::eOk) return es;
    return filer->filerStatus();
}

namespace {
Acad::ErrorStatus readAttributes(AcDbDwgFiler* filer, std::vector<std::unique_ptr<AcDbAttribute>>& out) {
    Adesk::UInt32 count = 0;
    filer->readUInt32(&count);
    if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
    if (count == 0 || count > kMaxAttributes) return host::refuseRecord(filer);
    for (Adesk::UInt32 i = 0; i < count; ++i) {
        auto attribute = std::make_unique<AcDbAttribute>();
        const Acad::ErrorStatus es = attribute->dwgInFields(filer);
        if (es != Acad::eOk) return es;
        out.push_back(std::move(attribute));
    }
    return Acad::eOk;
}
} // namespace

Acad::ErrorStatus AcDbBlockReference::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    Adesk::Int16 version = 0;
    filer->readInt16(&version);
    if (filer->filerStatus() == Acad::eOk && version != kInsertVersion && version != kInsertWithAttributes)
        filer->setFilerStatus(Acad::eInvalidDwgVersion);
    AcDbHardPointerId block;
    AcGePoint3d pos;
    AcGeScale3d scale;
    double rot = 0;
    AcGeVector3d n;
    filer->readHardPointerId(&block);
    filer->readPoint3d(&pos);
    filer->readDouble(&scale.sx);
    filer->readDouble(&scale.sy);
    filer->readDouble(&scale.sz);
    filer->readDouble(&rot);
    filer->readVector3d(&n);
    if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
    if (!host::isFinite(pos) || !validScale(scale) || !std::isfinite(rot) || !host::isDirection(n))
        return host::refuseRecord(filer);
    std::vector<std::unique_ptr<AcDbAttribute>> attributes;
    if (version == kInsertWithAttributes && (es = readAttributes(filer, attributes)) != Acad::eOk) return es;
    m_attributes = std::move(attributes);
    m_block = block;
    m_position = pos;
    m_scale = scale;
    m_rotation = rot;
    m_normal = n.normal();
    return Acad::eOk;
}
