#include "host/db/dimensions/AcDbRadialDimension.h"

#include "host/db/dimensions/AcDbDimensionFormat.h"
#include "host/db/dimensions/AcDbDimensionLayout.h"

#include <cmath>

ACRX_HOST_DEFINE_MEMBERS(AcDbRadialDimension, AcDbDimension, L"DIMENSION", &host::makeObject<AcDbRadialDimension>)

namespace {
constexpr Adesk::Int16 kRadialVersion = 1;
} // namespace

AcDbRadialDimension::AcDbRadialDimension(const AcGePoint3d& center, const AcGePoint3d& chordPoint, double leaderLength,
                                         const wchar_t* dimText, AcDbObjectId dimStyle)
    : m_center(center), m_chord(chordPoint), m_leaderLength(std::isfinite(leaderLength) ? leaderLength : 0.0) {
    if (dimText) setDimensionText(dimText);
    if (!dimStyle.isNull()) setDimensionStyle(dimStyle);
}

Acad::ErrorStatus AcDbRadialDimension::setCenter(const AcGePoint3d& p) { return setDefPoint(m_center, p); }
Acad::ErrorStatus AcDbRadialDimension::setChordPoint(const AcGePoint3d& p) { return setDefPoint(m_chord, p); }

Acad::ErrorStatus AcDbRadialDimension::setLeaderLength(double length) {
    if (!std::isfinite(length)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_leaderLength = length;
    return Acad::eOk;
}

double AcDbRadialDimension::measureGeometry() const { return toPlane(m_center).distanceTo(toPlane(m_chord)); }

std::wstring AcDbRadialDimension::formatValue(double measurement, const host::DimVars& vars) const {
    return L"R" + AcDbDimension::formatValue(measurement, vars);
}

host::DimGraphics AcDbRadialDimension::layout(const host::DimVars& vars, const host::DimArrows& arrows,
                                              const host::DimTextSpec& text) const {
    return host::layoutRadialDim(toPlane(m_center), toPlane(m_chord), m_leaderLength, vars, arrows, text);
}

Acad::ErrorStatus AcDbRadialDimension::transformPoints(const AcGeMatrix3d& xform) {
    m_center.transformBy(xform);
    m_chord.transformBy(xform);
    m_leaderLength *= xform.scale();
    return Acad::eOk;
}

void AcDbRadialDimension::listPoints() const {
    listPoint(L"center", m_center);
    listPoint(L"chord point", m_chord);
}

Acad::ErrorStatus AcDbRadialDimension::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbDimension::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    return filePoints(filer, kRadialVersion, {&m_center, &m_chord}, {m_leaderLength});
}

Acad::ErrorStatus AcDbRadialDimension::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbDimension::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    return readPoints(filer, kRadialVersion, {&m_center, &m_chord}, {&m_leaderLength});
}
