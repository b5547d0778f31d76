#include "host/db/dimensions/AcDb2LineAngularDimension.h"

#include "host/db/dimensions/AcDbDimensionFormat.h"
#include "host/db/dimensions/AcDbDimensionLayout.h"

ACRX_HOST_DEFINE_MEMBERS(AcDb2LineAngularDimension, AcDbDimension, L"DIMENSION",
                         &host::makeObject<AcDb2LineAngularDimension>)

namespace {
constexpr Adesk::Int16 kTwoLineAngularVersion = 1;
} // namespace

AcDb2LineAngularDimension::AcDb2LineAngularDimension(const AcGePoint3d& xLine1Start, const AcGePoint3d& xLine1End,
                                                     const AcGePoint3d& xLine2Start, const AcGePoint3d& xLine2End,
                                                     const AcGePoint3d& arcPoint, const wchar_t* dimText,
                                                     AcDbObjectId dimStyle)
    : m_l1s(xLine1Start), m_l1e(xLine1End), m_l2s(xLine2Start), m_l2e(xLine2End), m_arc(arcPoint) {
    if (dimText) setDimensionText(dimText);
    if (!dimStyle.isNull()) setDimensionStyle(dimStyle);
}

Acad::ErrorStatus AcDb2LineAngularDimension::setXLine1Start(const AcGePoint3d& p) { return setDefPoint(m_l1s, p); }
Acad::ErrorStatus AcDb2LineAngularDimension::setXLine1End(const AcGePoint3d& p) { return setDefPoint(m_l1e, p); }
Acad::ErrorStatus AcDb2LineAngularDimension::setXLine2Start(const AcGePoint3d& p) { return setDefPoint(m_l2s, p); }
Acad::ErrorStatus AcDb2LineAngularDimension::setXLine2End(const AcGePoint3d& p) { return setDefPoint(m_l2e, p); }
Acad::ErrorStatus AcDb2LineAngularDimension::setArcPoint(const AcGePoint3d& p) { return setDefPoint(m_arc, p); }

double AcDb2LineAngularDimension::measureGeometry() const {
    host::AngularDimInput in;
    if (!host::resolveTwoLineAngle(toPlane(m_l1s), toPlane(m_l1e), toPlane(m_l2s), toPlane(m_l2e), toPlane(m_arc), in))
        return 0.0;
    return in.sweep;
}

std::wstring AcDb2LineAngularDimension::formatValue(double measurement, const host::DimVars& vars) const {
    return host::formatDimAngle(measurement, vars);
}

host::DimGraphics AcDb2LineAngularDimension::layout(const host::DimVars& vars, const host::DimArrows& arrows,
                                                    const host::DimTextSpec& text) const {
    host::AngularDimInput in;
    if (!host::resolveTwoLineAngle(toPlane(m_l1s), toPlane(m_l1e), toPlane(m_l2s), toPlane(m_l2e), toPlane(m_arc), in))
        return {};
    return host::layoutAngularDim(in, vars, arrows, text);
}

Acad::ErrorStatus AcDb2LineAngularDimension::transformPoints(const AcGeMatrix3d& xform) {
    for (AcGePoint3d* p : {&m_l1s, &m_l1e, &m_l2s, &m_l2e, &m_arc}) p->transformBy(xform);
    return Acad::eOk;
}

void AcDb2LineAngularDimension::listPoints() const {
    listPoint(L"line 1 start", m_l1s);
    listPoint(L"line 1 end", m_l1e);
    listPoint(L"line 2 start", m_l2s);
    listPoint(L"line 2 end", m_l2e);
    listPoint(L"arc point", m_arc);
}

Acad::ErrorStatus AcDb2LineAngularDimension::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbDimension::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    return filePoints(filer, kTwoLineAngularVersion, {&m_l1s, &m_l1e, &m_l2s, &m_l2e, &m_arc});
}

Acad::ErrorStatus AcDb2LineAngularDimension::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbDimension::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    return readPoints(filer, kTwoLineAngularVersion, {&m_l1s, &m_l1e, &m_l2s, &m_l2e, &m_arc});
}
