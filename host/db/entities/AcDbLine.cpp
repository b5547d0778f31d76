#include "host/db/entities/AcDbLine.h"

#include "host/db/filing/AcDbDwgFiler.h"
#include "host/db/entities/ClosestPoints.h"
#include "host/gi/AcGiWorldDraw.h"
#include "host/gi/AcGiWorldGeometry.h"
#include "host/win/FormatW.h"
#include "host/win/Transcript.h"

#include <cmath>

ACRX_HOST_DEFINE_MEMBERS(AcDbLine, AcDbCurve, L"LINE", &host::makeObject<AcDbLine>)

namespace {
constexpr Adesk::Int16 kLineVersion = 1;

bool finite(const AcGePoint3d& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }
bool finite(const AcGeVector3d& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }
} // namespace

Acad::ErrorStatus AcDbLine::setStartPoint(const AcGePoint3d& point) {
    if (!finite(point)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_start = point;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::setEndPoint(const AcGePoint3d& point) {
    if (!finite(point)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_end = point;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::setThickness(double thickness) {
    if (!std::isfinite(thickness)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_thickness = thickness;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::setNormal(const AcGeVector3d& normal) {
    if (!finite(normal) || normal.isZeroLength()) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_normal = normal.normal();
    return Acad::eOk;
}

// ---- the curve --------------------------------------------------------------------

Acad::ErrorStatus AcDbLine::getStartParam(double& param) const {
    param = 0.0;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getEndParam(double& param) const {
    param = length();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getStartPoint(AcGePoint3d& point) const {
    point = m_start;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getEndPoint(AcGePoint3d& point) const {
    point = m_end;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getPointAtParam(double param, AcGePoint3d& point) const {
    double len = length();
    double tol = onCurveTolerance();
    if (!std::isfinite(param) || param < -tol || param > len + tol) return Acad::eInvalidInput;
    point = len > 0.0 ? m_start + (m_end - m_start) * (param / len) : m_start;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getParamAtPoint(const AcGePoint3d& point, double& param) const {
    AcGePoint3d onLine;
    getClosestPointTo(point, onLine, false);
    if (onLine.distanceTo(point) > onCurveTolerance()) return Acad::eInvalidInput;
    param = m_start.distanceTo(onLine);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getDistAtParam(double param, double& dist) const {
    double tol = onCurveTolerance();
    if (!std::isfinite(param) || param < -tol || param > length() + tol) return Acad::eInvalidInput;
    dist = param;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getParamAtDist(double dist, double& param) const { return getDistAtParam(dist, param); }

Acad::ErrorStatus AcDbLine::getFirstDeriv(double param, AcGeVector3d& firstDeriv) const {
    double tol = onCurveTolerance();
    if (!std::isfinite(param) || param < -tol || param > length() + tol) return Acad::eInvalidInput;
    firstDeriv = length() > 0.0 ? (m_end - m_start).normal() : AcGeVector3d();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getClosestPointTo(const AcGePoint3d& givenPnt, AcGePoint3d& pointOnCurve,
                                              Adesk::Boolean extend) const {
    AcGeVector3d d = m_end - m_start;
    double len2 = d.lengthSqrd();
    if (len2 <= 0.0) {
        pointOnCurve = m_start;
        return Acad::eOk;
    }
    double t = (givenPnt - m_start).dotProduct(d) / len2;
    if (!extend) t = std::clamp(t, 0.0, 1.0);
    pointOnCurve = m_start + d * t;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::reverseCurve() {
    assertWriteEnabled();
    std::swap(m_start, m_end);
    return Acad::eOk;
}

// ---- drawing and editing ------------------------------------------------------------

bool AcDbLine::subWorldDraw(AcGiWorldDraw* wd) {
    AcGePoint3d pts[2] = {m_start, m_end};
    wd->geometry().polyline(2, pts, &m_normal);
    return true;
}

void AcDbLine::subList() const {
    AcDbEntity::subList();
    host::transcriptWrite(host::FormatW(L"%20sfrom point, X=%.4f  Y=%.4f  Z=%.4f\n", L"", m_start.x, m_start.y,
                                        m_start.z));
    host::transcriptWrite(
        host::FormatW(L"%20sto point, X=%.4f  Y=%.4f  Z=%.4f\n", L"", m_end.x, m_end.y, m_end.z));
    host::transcriptWrite(host::FormatW(L"%20sLength = %.4f\n", L"", length()));
}

Acad::ErrorStatus AcDbLine::subTransformBy(const AcGeMatrix3d& xform) {
    assertWriteEnabled();
    m_start.transformBy(xform);
    m_end.transformBy(xform);
    AcGeVector3d n = m_normal;
    n.transformBy(xform);
    if (!n.isZeroLength()) m_normal = n.normal();
    xDataTransformBy(xform);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray&, AcDbIntArray&) const {
    gripPoints.append(m_start);
    gripPoints.append(m_start + (m_end - m_start) * 0.5);
    gripPoints.append(m_end);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    if (indices.isEmpty()) return Acad::eOk;
    assertWriteEnabled();
    bool moveStart = false, moveEnd = false;
    for (int i : indices) {
        // The middle grip moves the whole line.
        if (i == 0 || i == 1) moveStart = true;
        if (i == 2 || i == 1) moveEnd = true;
    }
    if (moveStart) m_start += offset;
    if (moveEnd) m_end += offset;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::subGetOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker, const AcGePoint3d& pickPoint,
                                              const AcGePoint3d& lastPoint, const AcGeMatrix3d&,
                                              AcGePoint3dArray& snapPoints, AcDbIntArray&) const {
    switch (osnapMode) {
    case AcDb::kOsModeEnd:
        snapPoints.append(m_start);
        snapPoints.append(m_end);
        break;
    case AcDb::kOsModeMid:
        snapPoints.append(m_start + (m_end - m_start) * 0.5);
        break;
    default:
        // The perpendicular foot may lie on the line's extension.
        host::appendClosestPointSnap(*this, osnapMode, pickPoint, lastPoint, snapPoints, true);
        break;
    }
    return Acad::eOk;
}

// ---- filing ----------------------------------------------------------------------------

Acad::ErrorStatus AcDbLine::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbCurve::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeInt16(kLineVersion);
    filer->writePoint3d(m_start);
    filer->writePoint3d(m_end);
    filer->writeVector3d(m_normal);
    filer->writeDouble(m_thickness);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbLine::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbCurve::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    Adesk::Int16 version = 0;
    AcGePoint3d s, e;
    AcGeVector3d n;
    double t = 0;
    filer->readInt16(&version);
    if (filer->filerStatus() == Acad::eOk && version != kLineVersion) filer->setFilerStatus(Acad::eInvalidDwgVersion);
    filer->readPoint3d(&s);
    filer->readPoint3d(&e);
    filer->readVector3d(&n);
    filer->readDouble(&t);
    if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
    if (!finite(s) || !finite(e) || !finite(n) || n.isZeroLength() || !std::isfinite(t)) {
        filer->setFilerStatus(Acad::eInvalidInput);
        return Acad::eInvalidInput;
    }
    m_start = s;
    m_end = e;
    m_normal = n.normal();
    m_thickness = t;
    return Acad::eOk;
}
