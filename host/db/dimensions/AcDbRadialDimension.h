#pragma once
// The radius of a circle or arc: its centre and a point on it (the chord point).
// The text stands where the user puts it, or beyond the chord point by the leader
// length.
#include "host/db/dimensions/AcDbDimension.h"

class AcDbRadialDimension : public AcDbDimension {
public:
    ACRX_DECLARE_MEMBERS(AcDbRadialDimension);
    AcDbRadialDimension() = default;
    AcDbRadialDimension(const AcGePoint3d& center, const AcGePoint3d& chordPoint, double leaderLength,
                        const wchar_t* dimText = nullptr, AcDbObjectId dimStyle = AcDbObjectId::kNull);
    ~AcDbRadialDimension() override = default;

    AcGePoint3d center() const { return m_center; }
    Acad::ErrorStatus setCenter(const AcGePoint3d& point);
    AcGePoint3d chordPoint() const { return m_chord; }
    Acad::ErrorStatus setChordPoint(const AcGePoint3d& point);
    double leaderLength() const { return m_leaderLength; }
    Acad::ErrorStatus setLeaderLength(double length);

    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;

protected:
    double measureGeometry() const override;
    std::wstring formatValue(double measurement, const host::DimVars& vars) const override;
    host::DimGraphics layout(const host::DimVars& vars, const host::DimArrows& arrows,
                             const host::DimTextSpec& text) const override;
    AcGePoint3d planePoint() const override { return m_center; }
    Acad::ErrorStatus transformPoints(const AcGeMatrix3d& xform) override;
    void listPoints() const override;

private:
    AcGePoint3d m_center, m_chord;
    double m_leaderLength = 0.0;
};
