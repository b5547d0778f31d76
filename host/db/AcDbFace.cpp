#include "host/db/AcDbFace.h"

#include "host/db/FilingChecks.h"
#include "host/gi/AcGiWorldDraw.h"
#include "host/gi/AcGiWorldGeometry.h"

ACRX_HOST_DEFINE_MEMBERS(AcDbFace, AcDbEntity, L"3DFACE", &host::makeObject<AcDbFace>)

namespace {
constexpr Adesk::Int16 kFaceVersion = 1;
}

AcDbFace::AcDbFace(const AcGePoint3d& pt0, const AcGePoint3d& pt1, const AcGePoint3d& pt2, const AcGePoint3d& pt3,
                   Adesk::Boolean e0vis, Adesk::Boolean e1vis, Adesk::Boolean e2vis, Adesk::Boolean e3vis)
    : m_pts{pt0, pt1, pt2, pt3}, m_visible{e0vis, e1vis, e2vis, e3vis} {}

AcDbFace::AcDbFace(const AcGePoint3d& pt0, const AcGePoint3d& pt1, const AcGePoint3d& pt2, Adesk::Boolean e0vis,
                   Adesk::Boolean e1vis, Adesk::Boolean e2vis, Adesk::Boolean e3vis)
    : m_pts{pt0, pt1, pt2, pt2}, m_visible{e0vis, e1vis, e2vis, e3vis} {}

Acad::ErrorStatus AcDbFace::getVertexAt(Adesk::UInt16 idx, AcGePoint3d& pntRes) const {
    if (idx > 3) return Acad::eInvalidIndex;
    pntRes = m_pts[idx];
    return Acad::eOk;
}

Acad::ErrorStatus AcDbFace::setVertexAt(Adesk::UInt16 idx, const AcGePoint3d& pnt) {
    if (idx > 3) return Acad::eInvalidIndex;
    if (!host::isFinite(pnt)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_pts[idx] = pnt;
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
        AcGePoint3d edge[2] = {m_pts[i], m_pts[(i + 1) % 4]};
        if (m_visible[i] && !edge[0].isEqualTo(edge[1])) wd->geometry().polyline(2, edge);
    }
    return true;
}

Acad::ErrorStatus AcDbFace::subTransformBy(const AcGeMatrix3d& xform) {
    assertWriteEnabled();
    for (AcGePoint3d& p : m_pts) p.transformBy(xform);
    xDataTransformBy(xform);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbFace::subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray&, AcDbIntArray&) const {
    for (const AcGePoint3d& p : m_pts) gripPoints.append(p);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbFace::subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    for (int i : indices)
        if (i < 0 || i > 3) return Acad::eInvalidIndex;
    if (indices.isEmpty()) return Acad::eOk;
    assertWriteEnabled();
    for (int i : indices) m_pts[i] += offset;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbFace::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeInt16(kFaceVersion);
    for (const AcGePoint3d& p : m_pts) filer->writePoint3d(p);
    Adesk::UInt8 vis = 0;
    for (int i = 0; i < 4; ++i) vis |= m_visible[i] ? (1 << i) : 0;
    filer->writeUInt8(vis);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbFace::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    host::readVersion(filer, kFaceVersion);
    AcGePoint3d pts[4];
    Adesk::UInt8 vis = 0;
    for (AcGePoint3d& p : pts) filer->readPoint3d(&p);
    filer->readUInt8(&vis);
    if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
    for (const AcGePoint3d& p : pts)
        if (!host::isFinite(p)) return host::refuseRecord(filer);
    for (int i = 0; i < 4; ++i) {
        m_pts[i] = pts[i];
        m_visible[i] = vis & (1 << i);
    }
    return Acad::eOk;
}
