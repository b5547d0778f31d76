#include "host/db/entities/AcDbLeader.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/tables/AcDbDimStyleTableRecord.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/db/filing/FilingChecks.h"
#include "host/gi/AcGiSubEntityTraits.h"
#include "host/gi/AcGiWorldDraw.h"
#include "host/gi/AcGiWorldGeometry.h"

ACRX_HOST_DEFINE_MEMBERS(AcDbLeader, AcDbCurve, L"LEADER", &host::makeObject<AcDbLeader>)

namespace {
// Version 2 adds the annotation link and the hook line; version 1 records still read.
constexpr Adesk::Int16 kLeaderVersion = 2;
constexpr Adesk::Int16 kLeaderWithoutLink = 1;
// The host's closed filled arrowhead is a sixth of its length wide on either side.
constexpr double kArrowHalfWidth = 1.0 / 6.0;
// A vertex count no drawing needs; more is a damaged record.
constexpr Adesk::UInt32 kMaxVertices = 1u << 20;
} // namespace

AcDbLeader::AcDbLeader() {
    if (AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase()) m_style = db->dimstyle();
}

AcGePoint3d AcDbLeader::vertexAt(int index) const {
    return index >= 0 && index < numVertices() ? m_vertices[size_t(index)] : AcGePoint3d::kOrigin;
}

Adesk::Boolean AcDbLeader::appendVertex(const AcGePoint3d& point) {
    if (!host::isFinite(point)) return false;
    assertWriteEnabled();
    m_vertices.push_back(point);
    return true;
}

Adesk::Boolean AcDbLeader::setVertexAt(int index, const AcGePoint3d& point) {
    if (index < 0 || index >= numVertices() || !host::isFinite(point)) return false;
    assertWriteEnabled();
    m_vertices[size_t(index)] = point;
    return true;
}

void AcDbLeader::removeLastVertex() {
    if (m_vertices.empty()) return;
    assertWriteEnabled();
    m_vertices.pop_back();
}

Acad::ErrorStatus AcDbLeader::enableArrowHead() {
    assertWriteEnabled();
    m_arrowHead = true;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLeader::disableArrowHead() {
    assertWriteEnabled();
    m_arrowHead = false;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLeader::setToSplineLeader() {
    assertWriteEnabled();
    m_splined = true;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLeader::setToStraightLeader() {
    assertWriteEnabled();
    m_splined = false;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLeader::setAnnoType(AnnoType type) {
    if (type < kMText || type > kNoAnno) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_annoType = type;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLeader::attachAnnotation(const AcDbObjectId& annoId) {
    if (annoId.isNull()) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_annotation = annoId;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLeader::detachAnnotation() {
    assertWriteEnabled();
    m_annotation = AcDbObjectId();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLeader::setHasHookLine(bool hookLine) {
    assertWriteEnabled();
    m_hookLine = hookLine;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLeader::setHookLineOnXDir(bool onXDir) {
    assertWriteEnabled();
    m_hookOnXDir = onXDir;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLeader::setHorizontalDirection(const AcGeVector3d& direction) {
    if (!host::isDirection(direction)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_horizontal = direction.normal();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLeader::setDimensionStyle(const AcDbObjectId& styleId) {
    if (styleId.isNull() || !AcDbDimStyleTableRecord::cast(static_cast<AcDbStub*>(styleId)->object))
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_style = styleId;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLeader::setNormal(const AcGeVector3d& normal) {
    if (!host::isDirection(normal)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_normal = normal.normal();
    return Acad::eOk;
}

double AcDbLeader::arrowSize() const {
    if (!m_style.isValid() || m_style.isErased()) return 0.0;
    const auto* style = AcDbDimStyleTableRecord::cast(static_cast<AcDbStub*>(m_style)->object);
    if (!style) return 0.0;
    const double scale = style->dimscale() > 0.0 ? style->dimscale() : 1.0;
    return style->dimasz() * scale;
}

Acad::ErrorStatus AcDbLeader::getStartPoint(AcGePoint3d& point) const {
    if (m_vertices.empty()) return Acad::eDegenerateGeometry;
    point = m_vertices.front();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLeader::getEndPoint(AcGePoint3d& point) const {
    if (m_vertices.empty()) return Acad::eDegenerateGeometry;
    point = m_vertices.back();
    return Acad::eOk;
}

bool AcDbLeader::subWorldDraw(AcGiWorldDraw* wd) {
    if (m_vertices.size() < 2) return true; // nothing to point with
    wd->geometry().polyline(uint32_t(m_vertices.size()), m_vertices.data(), &m_normal);
    const double size = arrowSize();
    const AcGeVector3d first = m_vertices[1] - m_vertices[0];
    if (!m_arrowHead || size <= 0.0 || first.length() < 2.0 * size) return true;
    const AcGeVector3d along = first.normal();
    const AcGeVector3d across = m_normal.crossProduct(along).normal() * (size * kArrowHalfWidth);
    const AcGePoint3d tip = m_vertices[0];
    const AcGePoint3d arrow[3] = {tip, tip + along * size + across, tip + along * size - across};
    AcGiSubEntityTraits& traits = wd->subEntityTraits();
    const AcGiFillType fill = traits.fillType();
    traits.setFillType(kAcGiFillAlways);
    wd->geometry().polygon(3, arrow);
    traits.setFillType(fill);
    return true;
}

Acad::ErrorStatus AcDbLeader::subTransformBy(const AcGeMatrix3d& xform) {
    AcGeVector3d n = m_normal;
    n.transformBy(xform);
    if (n.isZeroLength()) return Acad::eCannotScaleNonUniformly;
    assertWriteEnabled();
    AcGeVector3d horizontal = m_horizontal;
    horizontal.transformBy(xform);
    for (AcGePoint3d& p : m_vertices) p.transformBy(xform);
    m_normal = n.normal();
    if (!horizontal.isZeroLength()) m_horizontal = horizontal.normal();
    xDataTransformBy(xform);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLeader::subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray&, AcDbIntArray&) const {
    for (const AcGePoint3d& p : m_vertices) gripPoints.append(p);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLeader::subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    for (int i = 0; i < indices.length(); ++i)
        if (indices[i] < 0 || indices[i] >= numVertices()) return Acad::eInvalidIndex;
    assertWriteEnabled();
    for (int i = 0; i < indices.length(); ++i) m_vertices[size_t(indices[i])] += offset;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLeader::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbCurve::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeInt16(kLeaderVersion);
    filer->writeHardPointerId(m_style);
    filer->writeBoolean(m_arrowHead);
    filer->writeBoolean(m_splined);
    filer->writeInt16(Adesk::Int16(m_annoType));
    filer->writeVector3d(m_normal);
    filer->writeUInt32(Adesk::UInt32(m_vertices.size()));
    for (const AcGePoint3d& p : m_vertices) filer->writePoint3d(p);
    filer->writeHardPointerId(m_annotation);
    filer->writeBoolean(m_hookLine);
    filer->writeBoolean(m_hookOnXDir);
    filer->writeVector3d(m_horizontal);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbLeader::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbCurve::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    Adesk::Int16 version = 0;
    filer->readInt16(&version);
    if (filer->filerStatus() == Acad::eOk && version != kLeaderVersion && version != kLeaderWithoutLink)
        filer->setFilerStatus(Acad::eInvalidDwgVersion);
    AcDbHardPointerId style;
    bool arrow = true, splined = false;
    Adesk::Int16 anno = kNoAnno;
    AcGeVector3d normal;
    Adesk::UInt32 count = 0;
    filer->readHardPointerId(&style);
    filer->readBoolean(&arrow);
    filer->readBoolean(&splined);
    filer->readInt16(&anno);
    filer->readVector3d(&normal);
    filer->readUInt32(&count);
    if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
    if (count > kMaxVertices || anno < kMText || anno > kNoAnno || !host::isDirection(normal))
        return host::refuseRecord(filer);
    std::vector<AcGePoint3d> vertices(count);
    for (AcGePoint3d& p : vertices) filer->readPoint3d(&p);
    if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
    for (const AcGePoint3d& p : vertices)
        if (!host::isFinite(p)) return host::refuseRecord(filer);
    AcDbHardPointerId annotation;
    Adesk::Boolean hook = false, onXDir = true;
    AcGeVector3d horizontal = AcGeVector3d::kXAxis;
    if (version == kLeaderVersion) {
        filer->readHardPointerId(&annotation);
        filer->readBoolean(&hook);
        filer->readBoolean(&onXDir);
        filer->readVector3d(&horizontal);
        if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
        if (!host::isDirection(horizontal)) return host::refuseRecord(filer);
    }
    m_annotation = annotation;
    m_hookLine = hook;
    m_hookOnXDir = onXDir;
    m_horizontal = horizontal.normal();
    m_style = style;
    m_arrowHead = arrow;
    m_splined = splined;
    m_annoType = AnnoType(anno);
    m_normal = normal.normal();
    m_vertices = std::move(vertices);
    return Acad::eOk;
}
