#pragma once
// The diameter of a circle or arc between two opposite points on it.
#include "host/db/dimensions/AcDbDimension.h"

class AcDbDiametricDimension : public AcDbDimension {
public:
    ACRX_DECLARE_MEMBERS(AcDbDiametricDimension);
    AcDbDiametricDimension() = default;
    AcDbDiametricDimension(const AcGePoint3d& chordPoint, const AcGePoint3d& farChordPoint, double leaderLength,
                           const wchar_t* dimText = nullptr, AcDbObjectId dimStyle = AcDbObjectId::kNull);
    ~AcDbDiametricDimension() override = default;

    AcGePoint3d chordPoint() const { return m_chord; }
    Acad::ErrorStatus setChordPoint(const AcGePoint3d& point);
    AcGePoint3d farChordPoint() const { return m_farChord; }
    Acad::ErrorStatus setFarChordPoint(const AcGePoint3d& point);
    double leaderLength() const { return m_leaderLength; }
    Acad::ErrorStatus setLeaderLength(double length);

    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;

protected:
    double measureGeometry() const override;
    std::wstring formatValue(double measurement, const host::DimVars& vars) const override;
    host::DimGraphics layout(const host::DimVars& vars, const host::DimArrows& arrows,
                             const host::DimTextSpec& text) const override;
    AcGePoint3d planePoint() const override { return m_chord; }
    Acad::ErrorStatus transformPoints(const AcGeMatrix3d& xform) override;
    void listPoints() const override;

private:
    AcGePoint3d m_chord, m_farChord;
    double m_leaderLength = 0.0;
};
