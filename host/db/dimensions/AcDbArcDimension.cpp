#include "host/db/dimensions/AcDbArcDimension.h"

#include "host/db/dimensions/AcDbDimensionFormat.h"
#include "host/db/dimensions/AcDbDimensionLayout.h"

#include <cmath>

ACRX_HOST_DEFINE_MEMBERS(AcDbArcDimension, AcDbDimension, L"ARC_DIMENSION", &host::makeObject<AcDbArcDimension>)

namespace {
constexpr Adesk::Int16 kArcDimensionVersion = 1;
constexpr int kArcSymbolNone = 2;
} // namespace

AcDbArcDimension::AcDbArcDimension(const AcGePoint3d& centerPoint, const AcGePoint3d& xLine1Point,
                                   const AcGePoint3d& xLine2Point, const AcGePoint3d& arcPoint, const wchar_t* dimText,
                                   AcDbObjectId dimStyle)
    : m_center(centerPoint), m_xLine1(xLine1Point), m_xLine2(xLine2Point), m_arc(arcPoint) {
    if (dimText) setDimensionText(dimText);
    if (!dimStyle.isNull()) setDimensionStyle(dimStyle);
}

Acad::ErrorStatus AcDbArcDimension::setCenterPoint(const AcGePoint3d& p) { return setDefPoint(m_center, p); }
Acad::ErrorStatus AcDbArcDimension::setXLine1Point(const AcGePoint3d& p) { return setDefPoint(m_xLine1, p); }
Acad::ErrorStatus AcDbArcDimension::setXLine2Point(const AcGePoint3d& p) { return setDefPoint(m_xLine2, p); }
Acad::ErrorStatus AcDbArcDimension::setArcPoint(const AcGePoint3d& p) { return setDefPoint(m_arc, p); }

Acad::ErrorStatus AcDbArcDimension::setArcSymbolType(int type) {
    if (type < 0 || type > kArcSymbolNone) return Acad::eInvalidInput;
    return setDimarcsym(type);
}

double AcDbArcDimension::arcStartParam() const {
    const AcGeVector2d v = toPlane(m_xLine1) - toPlane(m_center);
    return v.isZeroLength() ? 0.0 : v.angle();
}

double AcDbArcDimension::arcEndParam() const {
    const double start = arcStartParam();
    const AcGeVector2d v = toPlane(m_xLine2) - toPlane(m_center);
    double end = v.isZeroLength() ? start : v.angle();
    if (end <= start) end += 2.0 * 3.14159265358979323846;
    return end;
}

double AcDbArcDimension::measureGeometry() const {
    return host::arcLengthDimMeasurement({toPlane(m_center), toPlane(m_xLine1), toPlane(m_xLine2), toPlane(m_arc)});
}

std::wstring AcDbArcDimension::formatValue(double measurement, const host::DimVars& vars) const {
    const std::wstring value = AcDbDimension::formatValue(measurement, vars);
    return vars.dimarcsym == kArcSymbolNone ? value : L"\u2322" + value;
}

host::DimGraphics AcDbArcDimension::layout(const host::DimVars& vars, const host::DimArrows& arrows,
                                           const host::DimTextSpec& text) const {
    return host::layoutArcLengthDim({toPlane(m_center), toPlane(m_xLine1), toPlane(m_xLine2), toPlane(m_arc)}, vars,
                                    arrows, text);
}

Acad::ErrorStatus AcDbArcDimension::transformPoints(const AcGeMatrix3d& xform) {
    for (AcGePoint3d* p : {&m_center, &m_xLine1, &m_xLine2, &m_arc}) p->transformBy(xform);
    return Acad::eOk;
}

void AcDbArcDimension::listPoints() const {
    listPoint(L"center point", m_center);
    listPoint(L"extension line 1", m_xLine1);
    listPoint(L"extension line 2", m_xLine2);
    listPoint(L"arc point", m_arc);
}

Acad::ErrorStatus AcDbArcDimension::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbDimension::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    return filePoints(filer, kArcDimensionVersion, {&m_center, &m_xLine1, &m_xLine2, &m_arc});
}

Acad::ErrorStatus AcDbArcDimension::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbDimension::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    return readPoints(filer, kArcDimensionVersion, {&m_center, &m_xLine1, &m_xLine2, &m_arc});
}
