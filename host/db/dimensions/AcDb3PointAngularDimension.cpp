#include "host/db/dimensions/AcDb3PointAngularDimension.h"

#include "host/db/dimensions/AcDbDimensionFormat.h"
#include "host/db/dimensions/AcDbDimensionLayout.h"

ACRX_HOST_DEFINE_MEMBERS(AcDb3PointAngularDimension, AcDbDimension, L"DIMENSION",
                         &host::makeObject<AcDb3PointAngularDimension>)

namespace {
constexpr Adesk::Int16 kThreePointAngularVersion = 1;
} // namespace

AcDb3PointAngularDimension::AcDb3PointAngularDimension(const AcGePoint3d& centerPoint, const AcGePoint3d& xLine1Point,
                                                       const AcGePoint3d& xLine2Point, const AcGePoint3d& arcPoint,
                                                       const wchar_t* dimText, AcDbObjectId dimStyle)
    : m_center(centerPoint), m_xLine1(xLine1Point), m_xLine2(xLine2Point), m_arc(arcPoint) {
    if (dimText) setDimensionText(dimText);
    if (!dimStyle.isNull()) setDimensionStyle(dimStyle);
}

Acad::ErrorStatus AcDb3PointAngularDimension::setCenterPoint(const AcGePoint3d& p) { return setDefPoint(m_center, p); }
Acad::ErrorStatus AcDb3PointAngularDimension::setXLine1Point(const AcGePoint3d& p) { return setDefPoint(m_xLine1, p); }
Acad::ErrorStatus AcDb3PointAngularDimension::setXLine2Point(const AcGePoint3d& p) { return setDefPoint(m_xLine2, p); }
Acad::ErrorStatus AcDb3PointAngularDimension::setArcPoint(const AcGePoint3d& p) { return setDefPoint(m_arc, p); }

double AcDb3PointAngularDimension::measureGeometry() const {
    host::AngularDimInput in;
    if (!host::resolveThreePointAngle(toPlane(m_center), toPlane(m_xLine1), toPlane(m_xLine2), toPlane(m_arc), in))
        return 0.0;
    return in.sweep;
}

std::wstring AcDb3PointAngularDimension::formatValue(double measurement, const host::DimVars& vars) const {
    return host::formatDimAngle(measurement, vars);
}

host::DimGraphics AcDb3PointAngularDimension::layout(const host::DimVars& vars, const host::DimArrows& arrows,
                                                     const host::DimTextSpec& text) const {
    host::AngularDimInput in;
    if (!host::resolveThreePointAngle(toPlane(m_center), toPlane(m_xLine1), toPlane(m_xLine2), toPlane(m_arc), in))
        return {};
    return host::layoutAngularDim(in, vars, arrows, text);
}

Acad::ErrorStatus AcDb3PointAngularDimension::transformPoints(const AcGeMatrix3d& xform) {
    for (AcGePoint3d* p : {&m_center, &m_xLine1, &m_xLine2, &m_arc}) p->transformBy(xform);
    return Acad::eOk;
}

void AcDb3PointAngularDimension::listPoints() const {
    listPoint(L"center point", m_center);
    listPoint(L"extension line 1", m_xLine1);
    listPoint(L"extension line 2", m_xLine2);
    listPoint(L"arc point", m_arc);
}

Acad::ErrorStatus AcDb3PointAngularDimension::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbDimension::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    return filePoints(filer, kThreePointAngularVersion, {&m_center, &m_xLine1, &m_xLine2, &m_arc});
}

Acad::ErrorStatus AcDb3PointAngularDimension::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbDimension::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    return readPoints(filer, kThreePointAngularVersion, {&m_center, &m_xLine1, &m_xLine2, &m_arc});
}
