#pragma once
// The length of an arc: its centre and its two ends (counter-clockwise from the
// first), with the dimension arc through arcPoint and radial extension lines. The
// arc symbol goes before the value (dimarcsym 0), above it (1, drawn before it
// here too) or nowhere (2).
#include "host/db/dimensions/AcDbDimension.h"

class AcDbArcDimension : public AcDbDimension {
public:
    ACRX_DECLARE_MEMBERS(AcDbArcDimension);
    AcDbArcDimension() = default;
    AcDbArcDimension(const AcGePoint3d& centerPoint, const AcGePoint3d& xLine1Point, const AcGePoint3d& xLine2Point,
                     const AcGePoint3d& arcPoint, const wchar_t* dimText = nullptr,
                     AcDbObjectId dimStyle = AcDbObjectId::kNull);
    ~AcDbArcDimension() override = default;

    AcGePoint3d centerPoint() const { return m_center; }
    Acad::ErrorStatus setCenterPoint(const AcGePoint3d& point);
    AcGePoint3d xLine1Point() const { return m_xLine1; }
    Acad::ErrorStatus setXLine1Point(const AcGePoint3d& point);
    AcGePoint3d xLine2Point() const { return m_xLine2; }
    Acad::ErrorStatus setXLine2Point(const AcGePoint3d& point);
    AcGePoint3d arcPoint() const { return m_arc; }
    Acad::ErrorStatus setArcPoint(const AcGePoint3d& point);
    // The arc symbol's place: dimarcsym of this dimension.
    int arcSymbolType() const { return dimarcsym(); }
    Acad::ErrorStatus setArcSymbolType(int type);
    // The measured arc's parameters (angles from the plane's X axis).
    double arcStartParam() const;
    double arcEndParam() const;

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
    AcGePoint3d m_center, m_xLine1, m_xLine2, m_arc;
};
