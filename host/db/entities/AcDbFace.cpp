#include "host/db/entities/AcDbFace.h"

#include "host/db/filing/FilingChecks.h"
#include "host/gi/AcGiWorldDraw.h"
#include "host/gi/AcGiWorldGeometry.h"

ACRX_HOST_DEFINE_MEMBERS(AcDbFace, AcDbEntity, L"3DFACE", &host::makeObject<AcDbFace>)

namespace {
constexpr Adesk::Int16 kFaceVersion = 1;
}

AcDbFace::AcDbFace(const AcGePoint3d& pt0, const AcGePoint3d& pt1, const AcGePoint3d& pt2, const AcGePoint3d& pt3,
                   Adesk::Boolean e0vis, Adesk::Boolean e1vis, Adesk::Boolean e2vis, Adesk::Boolean e3vis)
    : m_corners{{pt0, pt1, pt2, pt3}}, m_visible{e0vis, e1vis, e2vis, e3vis} {}

AcDbFace::AcDbFace(const AcGePoint3d& pt0, const AcGePoint3d& pt1, const AcGePoint3d& pt2, Adesk::Boolean e0vis,
                   Adesk::Boolean e1vis, Adesk::Boolean e2vis, Adesk::Boolean e3vis)
    : m_corners{{pt0, pt1, pt2, pt2}}, m_visible{e0vis, e1vis, e2vis, e3vis} {}

Acad::ErrorStatus AcDbFace::getVertexAt(Adesk::UInt16 idx, AcGePoint3d& pntRes) const {
    return m_corners.get(idx, pntRes);
}

Acad::ErrorStatus AcDbFace::setVertexAt(Adesk::UInt16 idx, const AcGePoint3d& pnt) {
    Acad::ErrorStatus es = host::FourCorners::checkCorner(idx, pnt);
    if (es != Acad::eOk) return es;
    assertWriteEnabled();
    m_corners.pts[idx] = pnt;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbFace::isEdgeVisibleAt(Adesk::UInt16 idx, Adesk::Boolean& visible) const {
    if (idx > 3) return Acad::eInvalidIndex;
    visible = m_visible[idx];
    return Acad::eOk;
}

Acad::ErrorStatus AcDbFace::makeEdgeVisibleAt(Adesk::UInt16 idx) {
    if (idx > 3) return Acad::eInvalidIndex;
    assertWriteEnabled();
    m_visible[idx] = true;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbFace::makeEdgeInvisibleAt(Adesk::UInt16 idx) {
    if (idx > 3) return Acad::eInvalidIndex;
    assertWriteEnabled();
    m_visible[idx] = false;
    return Acad::eOk;
}

bool AcDbFace::subWorldDraw(AcGiWorldDraw* wd) {
    for (int i = 0; i < 4; ++i) {
        AcGePoint3d edge[2] = {m_corners.pts[i], m_corners.pts[(i + 1) % 4]};
        if (m_visible[i] && !edge[0].isEqualTo(edge[1])) wd->geometry().polyline(2, edge);
    }
    return true;
}

Acad::ErrorStatus AcDbFace::subTransformBy(const AcGeMatrix3d& xform) {
    assertWriteEnabled();
    m_corners.transformBy(xform);
    xDataTransformBy(xform);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbFace::subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray&, AcDbIntArray&) const {
    m_corners.appendTo(gripPoints);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbFace::subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    Acad::ErrorStatus es = host::FourCorners::checkGrips(indices);
    if (es != Acad::eOk || indices.isEmpty()) return es;
    assertWriteEnabled();
    m_corners.move(indices, offset);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbFace::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeInt16(kFaceVersion);
    m_corners.writeTo(filer);
    Adesk::UInt8 vis = 0;
    for (int i = 0; i < 4; ++i) vis |= m_visible[i] ? (1 << i) : 0;
    filer->writeUInt8(vis);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbFace::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    host::readVersion(filer, kFaceVersion);
    host::FourCorners corners;
    Adesk::UInt8 vis = 0;
    corners.readFrom(filer);
    filer->readUInt8(&vis);
    if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
    if (!corners.isFinite()) return host::refuseRecord(filer);
    m_corners = corners;
    for (int i = 0; i < 4; ++i) m_visible[i] = vis & (1 << i);
    return Acad::eOk;
}
