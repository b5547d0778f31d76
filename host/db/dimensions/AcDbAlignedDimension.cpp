#include "host/db/dimensions/AcDbAlignedDimension.h"

#include "host/db/dimensions/AcDbRotatedDimension.h"

#include "host/db/dimensions/AcDbDimensionLayout.h"
#include "host/db/dimensions/LinearDimPoints.h"
#include "host/db/filing/AcDbDwgFiler.h"
#include "host/win/FormatW.h"
#include "host/win/Transcript.h"

#include <cmath>

ACRX_HOST_DEFINE_MEMBERS(AcDbAlignedDimension, AcDbDimension, L"DIMENSION", &host::makeObject<AcDbAlignedDimension>)

namespace {
constexpr Adesk::Int16 kAlignedVersion = 1;
} // namespace

AcDbAlignedDimension::AcDbAlignedDimension(const AcGePoint3d& xLine1Point, const AcGePoint3d& xLine2Point,
                                           const AcGePoint3d& dimLinePoint, const wchar_t* dimText,
                                           AcDbObjectId dimStyle)
    : m_xLine1(xLine1Point), m_xLine2(xLine2Point), m_dimLine(dimLinePoint) {
    if (dimText) setDimensionText(dimText);
    if (!dimStyle.isNull()) setDimensionStyle(dimStyle);
}

Acad::ErrorStatus AcDbAlignedDimension::setXLine1Point(const AcGePoint3d& point) {
    if (!finitePoint(point)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_xLine1 = point;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbAlignedDimension::setXLine2Point(const AcGePoint3d& point) {
    if (!finitePoint(point)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_xLine2 = point;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbAlignedDimension::setDimLinePoint(const AcGePoint3d& point) {
    if (!finitePoint(point)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_dimLine = point;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbAlignedDimension::setOblique(double angle) {
    if (!std::isfinite(angle)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_oblique = angle;
    return Acad::eOk;
}

namespace {
// Along the measured points; coincident points measure along the plane's X axis.
AcGeVector2d alongPoints(const AcGePoint2d& a, const AcGePoint2d& b) {
    const AcGeVector2d d = b - a;
    return d.length() > 1e-12 ? d / d.length() : AcGeVector2d::kXAxis;
}
} // namespace

double AcDbAlignedDimension::measureGeometry() const { return toPlane(m_xLine1).distanceTo(toPlane(m_xLine2)); }

host::DimGraphics AcDbAlignedDimension::layout(const host::DimVars& vars, const host::DimArrows& arrows,
                                               const host::DimTextSpec& text) const {
    const AcGePoint2d a = toPlane(m_xLine1), b = toPlane(m_xLine2);
    const host::LinearDimInput in{a, b, toPlane(m_dimLine), alongPoints(a, b), m_oblique};
    return host::layoutLinearDim(in, vars, arrows, text);
}

Acad::ErrorStatus AcDbAlignedDimension::transformPoints(const AcGeMatrix3d& xform) {
    if (m_oblique != 0.0) m_oblique = host::transformPlaneAngle(m_oblique, normal(), xform);
    m_xLine1.transformBy(xform);
    m_xLine2.transformBy(xform);
    m_dimLine.transformBy(xform);
    return Acad::eOk;
}

void AcDbAlignedDimension::listPoints() const { host::listLinearDimPoints(*this); }

Acad::ErrorStatus AcDbAlignedDimension::subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray&,
                                                         AcDbIntArray&) const {
    return host::appendLinearDimGrips(*this, gripPoints);
}

Acad::ErrorStatus AcDbAlignedDimension::subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    return host::moveLinearDimGrips(*this, indices, offset);
}

Acad::ErrorStatus AcDbAlignedDimension::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbDimension::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeInt16(kAlignedVersion);
    filer->writePoint3d(m_xLine1);
    filer->writePoint3d(m_xLine2);
    filer->writePoint3d(m_dimLine);
    filer->writeDouble(m_oblique);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbAlignedDimension::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbDimension::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    Adesk::Int16 version = 0;
    AcGePoint3d p1, p2, pd;
    double oblique = 0.0;
    filer->readInt16(&version);
    if (filer->filerStatus() == Acad::eOk && version != kAlignedVersion) filer->setFilerStatus(Acad::eInvalidDwgVersion);
    filer->readPoint3d(&p1);
    filer->readPoint3d(&p2);
    filer->readPoint3d(&pd);
    filer->readDouble(&oblique);
    if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
    if (!finitePoint(p1) || !finitePoint(p2) || !finitePoint(pd) || !std::isfinite(oblique)) {
        filer->setFilerStatus(Acad::eInvalidInput);
        return Acad::eInvalidInput;
    }
    m_xLine1 = p1;
    m_xLine2 = p2;
    m_dimLine = pd;
    m_oblique = oblique;
    return Acad::eOk;
}
