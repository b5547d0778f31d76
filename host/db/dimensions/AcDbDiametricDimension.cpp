#include "host/db/dimensions/AcDbDiametricDimension.h"

#include "host/db/dimensions/AcDbDimensionFormat.h"
#include "host/db/dimensions/AcDbDimensionLayout.h"

#include <cmath>

ACRX_HOST_DEFINE_MEMBERS(AcDbDiametricDimension, AcDbDimension, L"DIMENSION", &host::makeObject<AcDbDiametricDimension>)

namespace {
constexpr Adesk::Int16 kDiametricVersion = 1;
} // namespace

AcDbDiametricDimension::AcDbDiametricDimension(const AcGePoint3d& chordPoint, const AcGePoint3d& farChordPoint,
                                               double leaderLength, const wchar_t* dimText, AcDbObjectId dimStyle)
    : m_chord(chordPoint), m_farChord(farChordPoint), m_leaderLength(std::isfinite(leaderLength) ? leaderLength : 0.0) {
    if (dimText) setDimensionText(dimText);
    if (!dimStyle.isNull()) setDimensionStyle(dimStyle);
}

Acad::ErrorStatus AcDbDiametricDimension::setFarChordPoint(const AcGePoint3d& p) { return setDefPoint(m_farChord, p); }
Acad::ErrorStatus AcDbDiametricDimension::setChordPoint(const AcGePoint3d& p) { return setDefPoint(m_chord, p); }

Acad::ErrorStatus AcDbDiametricDimension::setLeaderLength(double length) {
    if (!std::isfinite(length)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_leaderLength = length;
    return Acad::eOk;
}

double AcDbDiametricDimension::measureGeometry() const { return toPlane(m_farChord).distanceTo(toPlane(m_chord)); }

std::wstring AcDbDiametricDimension::formatValue(double measurement, const host::DimVars& vars) const {
    return L"%%c" + AcDbDimension::formatValue(measurement, vars);
}

host::DimGraphics AcDbDiametricDimension::layout(const host::DimVars& vars, const host::DimArrows& arrows,
                                              const host::DimTextSpec& text) const {
    return host::layoutDiametricDim(toPlane(m_chord), toPlane(m_farChord), m_leaderLength, vars, arrows, text);
}

Acad::ErrorStatus AcDbDiametricDimension::transformPoints(const AcGeMatrix3d& xform) {
    m_farChord.transformBy(xform);
    m_chord.transformBy(xform);
    m_leaderLength *= xform.scale();
    return Acad::eOk;
}

void AcDbDiametricDimension::listPoints() const {
    listPoint(L"chord point", m_chord);
    listPoint(L"far chord point", m_farChord);
}

Acad::ErrorStatus AcDbDiametricDimension::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbDimension::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    return filePoints(filer, kDiametricVersion, {&m_chord, &m_farChord}, {m_leaderLength});
}

Acad::ErrorStatus AcDbDiametricDimension::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbDimension::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    return readPoints(filer, kDiametricVersion, {&m_chord, &m_farChord}, {&m_leaderLength});
}
