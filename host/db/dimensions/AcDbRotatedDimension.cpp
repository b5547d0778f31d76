#include "host/db/dimensions/AcDbRotatedDimension.h"

#include "host/db/dimensions/AcDbDimensionLayout.h"
#include "host/db/dimensions/LinearDimPoints.h"
#include "host/db/filing/AcDbDwgFiler.h"
#include "host/win/FormatW.h"
#include "host/win/Transcript.h"

#include <cmath>

ACRX_HOST_DEFINE_MEMBERS(AcDbRotatedDimension, AcDbDimension, L"DIMENSION", &host::makeObject<AcDbRotatedDimension>)

namespace {
constexpr Adesk::Int16 kRotatedVersion = 1;
} // namespace

namespace host {
double transformPlaneAngle(double angle, const AcGeVector3d& normal, const AcGeMatrix3d& xform) {
    AcGeVector3d dir(std::cos(angle), std::sin(angle), 0.0);
    dir.transformBy(AcGeMatrix3d::planeToWorld(normal));
    dir.transformBy(xform);
    AcGeVector3d n = normal;
    n.transformBy(xform);
    if (n.isZeroLength() || dir.isZeroLength()) return angle;
    dir.transformBy(AcGeMatrix3d::worldToPlane(n.normal()));
    return std::atan2(dir.y, dir.x);
}
} // namespace host

AcDbRotatedDimension::AcDbRotatedDimension(double rotation, const AcGePoint3d& xLine1Point,
                                           const AcGePoint3d& xLine2Point, const AcGePoint3d& dimLinePoint,
                                           const wchar_t* dimText, AcDbObjectId dimStyle)
    : m_xLine1(xLine1Point), m_xLine2(xLine2Point), m_dimLine(dimLinePoint), m_rotation(rotation) {
    if (dimText) setDimensionText(dimText);
    if (!dimStyle.isNull()) setDimensionStyle(dimStyle);
}

Acad::ErrorStatus AcDbRotatedDimension::setXLine1Point(const AcGePoint3d& point) {
    if (!finitePoint(point)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_xLine1 = point;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbRotatedDimension::setXLine2Point(const AcGePoint3d& point) {
    if (!finitePoint(point)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_xLine2 = point;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbRotatedDimension::setDimLinePoint(const AcGePoint3d& point) {
    if (!finitePoint(point)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_dimLine = point;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbRotatedDimension::setRotation(double angle) {
    if (!std::isfinite(angle)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_rotation = angle;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbRotatedDimension::setOblique(double angle) {
    if (!std::isfinite(angle)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_oblique = angle;
    return Acad::eOk;
}

double AcDbRotatedDimension::measureGeometry() const {
    return host::linearDimMeasurement(
        {toPlane(m_xLine1), toPlane(m_xLine2), toPlane(m_dimLine), {std::cos(m_rotation), std::sin(m_rotation)}});
}

host::DimGraphics AcDbRotatedDimension::layout(const host::DimVars& vars, const host::DimArrows& arrows,
                                               const host::DimTextSpec& text) const {
    const host::LinearDimInput in{toPlane(m_xLine1), toPlane(m_xLine2), toPlane(m_dimLine),
                                  {std::cos(m_rotation), std::sin(m_rotation)}, m_oblique};
    return host::layoutLinearDim(in, vars, arrows, text);
}

Acad::ErrorStatus AcDbRotatedDimension::transformPoints(const AcGeMatrix3d& xform) {
    m_rotation = host::transformPlaneAngle(m_rotation, normal(), xform);
    if (m_oblique != 0.0) m_oblique = host::transformPlaneAngle(m_oblique, normal(), xform);
    m_xLine1.transformBy(xform);
    m_xLine2.transformBy(xform);
    m_dimLine.transformBy(xform);
    return Acad::eOk;
}

void AcDbRotatedDimension::listPoints() const { host::listLinearDimPoints(*this); }

Acad::ErrorStatus AcDbRotatedDimension::subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray&,
                                                         AcDbIntArray&) const {
    return host::appendLinearDimGrips(*this, gripPoints);
}

Acad::ErrorStatus AcDbRotatedDimension::subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    return host::moveLinearDimGrips(*this, indices, offset);
}

Acad::ErrorStatus AcDbRotatedDimension::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbDimension::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeInt16(kRotatedVersion);
    filer->writePoint3d(m_xLine1);
    filer->writePoint3d(m_xLine2);
    filer->writePoint3d(m_dimLine);
    filer->writeDouble(m_rotation);
    filer->writeDouble(m_oblique);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbRotatedDimension::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbDimension::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    Adesk::Int16 version = 0;
    AcGePoint3d p1, p2, pd;
    double rotation = 0.0, oblique = 0.0;
    filer->readInt16(&version);
    if (filer->filerStatus() == Acad::eOk && version != kRotatedVersion) filer->setFilerStatus(Acad::eInvalidDwgVersion);
    filer->readPoint3d(&p1);
    filer->readPoint3d(&p2);
    filer->readPoint3d(&pd);
    filer->readDouble(&rotation);
    filer->readDouble(&oblique);
    if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
    if (!finitePoint(p1) || !finitePoint(p2) || !finitePoint(pd) || !std::isfinite(rotation) || !std::isfinite(oblique)) {
        filer->setFilerStatus(Acad::eInvalidInput);
        return Acad::eInvalidInput;
    }
    m_xLine1 = p1;
    m_xLine2 = p2;
    m_dimLine = pd;
    m_rotation = rotation;
    m_oblique = oblique;
    return Acad::eOk;
}
