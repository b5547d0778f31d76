#include "host/db/entities/AcDb2dPolyline.h"

#include "host/db/filing/FilingChecks.h"
#include "host/db/database/ObjectAccess.h"

ACRX_HOST_DEFINE_MEMBERS(AcDb2dVertex, AcDbEntity, L"VERTEX", &host::makeObject<AcDb2dVertex>)
ACRX_HOST_DEFINE_MEMBERS(AcDb2dPolyline, AcDbCurve, L"POLYLINE", &host::makeObject<AcDb2dPolyline>)

namespace {
constexpr Adesk::Int16 kVertexVersion = 1;
constexpr Adesk::Int16 kPolyline2dVersion = 1;
} // namespace

// ---- vertex --------------------------------------------------------------------------

Acad::ErrorStatus AcDb2dVertex::setPosition(const AcGePoint3d& p) {
    if (!host::isFinite(p)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_position = p;
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dVertex::setBulge(double v) {
    if (!std::isfinite(v)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_bulge = v;
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dVertex::setStartWidth(double v) {
    if (!std::isfinite(v) || v < 0.0) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_startWidth = v;
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dVertex::setEndWidth(double v) {
    if (!std::isfinite(v) || v < 0.0) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_endWidth = v;
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dVertex::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeInt16(kVertexVersion);
    filer->writePoint3d(m_position);
    filer->writeDouble(m_bulge);
    filer->writeDouble(m_startWidth);
    filer->writeDouble(m_endWidth);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDb2dVertex::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    host::readVersion(filer, kVertexVersion);
    AcGePoint3d p;
    double b = 0, s = 0, e = 0;
    filer->readPoint3d(&p);
    filer->readDouble(&b);
    filer->readDouble(&s);
    filer->readDouble(&e);
    if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
    if (!host::isFinite(p) || !std::isfinite(b) || !(s >= 0) || !(e >= 0)) return host::refuseRecord(filer);
    m_position = p;
    m_bulge = b;
    m_startWidth = s;
    m_endWidth = e;
    return Acad::eOk;
}

// ---- polyline -------------------------------------------------------------------------

AcDb2dPolyline::AcDb2dPolyline(AcDb::Poly2dType type, const AcGePoint3dArray& vertices, double elevation,
                               Adesk::Boolean closed, double defStartWidth, double defEndWidth,
                               const AcGeDoubleArray* bulges)
    : m_type(type), m_defStart(defStartWidth), m_defEnd(defEndWidth) {
    m_shape.setElevation(elevation);
    for (int i = 0; i < vertices.length(); ++i) {
        double bulge = bulges && i < bulges->length() ? (*bulges)[i] : 0.0;
        m_shape.addVertexAt(unsigned(i), AcGePoint2d(vertices[i].x, vertices[i].y), bulge, defStartWidth, defEndWidth);
    }
    m_shape.setClosed(closed);
}

Acad::ErrorStatus AcDb2dPolyline::setPolyType(AcDb::Poly2dType type) {
    if (type < AcDb::k2dSimplePoly || type > AcDb::k2dCubicSplinePoly) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_type = type;
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dPolyline::appendVertex(AcDb2dVertex* v) {
    AcDbObjectId id;
    return appendVertex(id, v);
}

Acad::ErrorStatus AcDb2dPolyline::appendVertex(AcDbObjectId& objId, AcDb2dVertex* v) {
    objId.setNull();
    if (!v) return Acad::eNullObjectPointer;
    if (v->objectId().isValid()) return Acad::eAlreadyInDb;
    AcGePoint3d p = v->position();
    Acad::ErrorStatus es = m_shape.addVertexAt(m_shape.numVerts(), AcGePoint2d(p.x, p.y), v->bulge(),
                                               v->startWidth(), v->endWidth());
    if (es != Acad::eOk) return es;
    assertWriteEnabled();
    // The vertex is the polyline's now; its data lives in the polyline.
    host::ObjectAccess::setOwner(v, objectId());
    m_taken.emplace_back(v);
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dPolyline::getVertexAt(unsigned int index, AcDb2dVertex& vertex) const {
    AcGePoint2d p;
    double bulge = 0, s = 0, e = 0;
    if (m_shape.getPointAt(index, p) != Acad::eOk) return Acad::eInvalidIndex;
    m_shape.getBulgeAt(index, bulge);
    m_shape.getWidthsAt(index, s, e);
    vertex.setPosition(AcGePoint3d(p.x, p.y, m_shape.elevation()));
    vertex.setBulge(bulge);
    vertex.setStartWidth(s);
    vertex.setEndWidth(e);
    return Acad::eOk;
}

AcGePoint3d AcDb2dPolyline::vertexPosition(const AcDb2dVertex& vertex) const {
    AcGePoint3d p = vertex.position();
    return AcGeMatrix3d::planeToWorld(m_shape.normal()) * AcGePoint3d(p.x, p.y, m_shape.elevation());
}

Acad::ErrorStatus AcDb2dPolyline::makeClosed() {
    assertWriteEnabled();
    m_shape.setClosed(true);
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dPolyline::makeOpen() {
    assertWriteEnabled();
    m_shape.setClosed(false);
    return Acad::eOk;
}

void AcDb2dPolyline::setElevation(double elevation) {
    assertWriteEnabled();
    m_shape.setElevation(elevation);
}

Acad::ErrorStatus AcDb2dPolyline::setNormal(const AcGeVector3d& normal) {
    if (!host::isDirection(normal)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_shape.setNormal(normal);
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dPolyline::setThickness(double thickness) {
    assertWriteEnabled();
    return m_shape.setThickness(thickness);
}

Acad::ErrorStatus AcDb2dPolyline::getPointAtParam(double param, AcGePoint3d& point) const {
    return m_shape.getPointAtParam(param, point);
}
Acad::ErrorStatus AcDb2dPolyline::getParamAtPoint(const AcGePoint3d& point, double& param) const {
    return m_shape.getParamAtPoint(point, param);
}
Acad::ErrorStatus AcDb2dPolyline::getDistAtParam(double param, double& dist) const {
    return m_shape.getDistAtParam(param, dist);
}
Acad::ErrorStatus AcDb2dPolyline::getParamAtDist(double dist, double& param) const {
    return m_shape.getParamAtDist(dist, param);
}
Acad::ErrorStatus AcDb2dPolyline::getFirstDeriv(double param, AcGeVector3d& firstDeriv) const {
    return m_shape.getFirstDeriv(param, firstDeriv);
}
Acad::ErrorStatus AcDb2dPolyline::getClosestPointTo(const AcGePoint3d& givenPnt, AcGePoint3d& pointOnCurve,
                                                    Adesk::Boolean extend) const {
    return m_shape.getClosestPointTo(givenPnt, pointOnCurve, extend);
}

bool AcDb2dPolyline::subWorldDraw(AcGiWorldDraw* wd) { return m_shape.worldDraw(wd); }

Acad::ErrorStatus AcDb2dPolyline::subTransformBy(const AcGeMatrix3d& xform) {
    AcDbPolyline moved;
    moved.copyFrom(&m_shape);
    Acad::ErrorStatus es = moved.transformBy(xform);
    if (es != Acad::eOk) return es;
    assertWriteEnabled();
    m_shape.copyFrom(&moved);
    xDataTransformBy(xform);
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dPolyline::subExplode(AcDbVoidPtrArray& entitySet) const {
    AcDbVoidPtrArray parts;
    Acad::ErrorStatus es = m_shape.explode(parts);
    if (es != Acad::eOk) return es;
    for (void* p : parts) static_cast<AcDbEntity*>(static_cast<AcRxObject*>(p))->setPropertiesFrom(this);
    entitySet.append(parts);
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dPolyline::subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                                   AcDbIntArray& geomIds) const {
    return m_shape.getGripPoints(gripPoints, osnapModes, geomIds);
}

Acad::ErrorStatus AcDb2dPolyline::subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    assertWriteEnabled();
    return m_shape.moveGripPointsAt(indices, offset);
}

Acad::ErrorStatus AcDb2dPolyline::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbCurve::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeInt16(kPolyline2dVersion);
    filer->writeInt16(Adesk::Int16(m_type));
    filer->writeDouble(m_defStart);
    filer->writeDouble(m_defEnd);
    // The shape files itself in full, common entity data included.
    return m_shape.dwgOutFields(filer);
}

Acad::ErrorStatus AcDb2dPolyline::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbCurve::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    host::readVersion(filer, kPolyline2dVersion);
    Adesk::Int16 type = 0;
    double ds = 0, de = 0;
    filer->readInt16(&type);
    filer->readDouble(&ds);
    filer->readDouble(&de);
    if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
    if (type < AcDb::k2dSimplePoly || type > AcDb::k2dCubicSplinePoly || !std::isfinite(ds) || !std::isfinite(de))
        return host::refuseRecord(filer);
    AcDbPolyline shape;
    es = shape.dwgInFields(filer);
    if (es != Acad::eOk) return es;
    m_type = AcDb::Poly2dType(type);
    m_defStart = ds;
    m_defEnd = de;
    m_shape.copyFrom(&shape);
    return Acad::eOk;
}
