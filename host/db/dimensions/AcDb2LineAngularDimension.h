#pragma once
// The angle between two lines (each given by two points), in the quarter where
// arcPoint lies; the dimension arc passes through arcPoint. Extension lines reach
// from the legs to the arc where the arc does not meet a leg itself.
#include "host/db/dimensions/AcDbDimension.h"

class AcDb2LineAngularDimension : public AcDbDimension {
public:
    ACRX_DECLARE_MEMBERS(AcDb2LineAngularDimension);
    AcDb2LineAngularDimension() = default;
    AcDb2LineAngularDimension(const AcGePoint3d& xLine1Start, const AcGePoint3d& xLine1End,
                              const AcGePoint3d& xLine2Start, const AcGePoint3d& xLine2End,
                              const AcGePoint3d& arcPoint, const wchar_t* dimText = nullptr,
                              AcDbObjectId dimStyle = AcDbObjectId::kNull);
    ~AcDb2LineAngularDimension() override = default;

    AcGePoint3d xLine1Start() const { return m_l1s; }
    Acad::ErrorStatus setXLine1Start(const AcGePoint3d& point);
    AcGePoint3d xLine1End() const { return m_l1e; }
    Acad::ErrorStatus setXLine1End(const AcGePoint3d& point);
    AcGePoint3d xLine2Start() const { return m_l2s; }
    Acad::ErrorStatus setXLine2Start(const AcGePoint3d& point);
    AcGePoint3d xLine2End() const { return m_l2e; }
    Acad::ErrorStatus setXLine2End(const AcGePoint3d& point);
    AcGePoint3d arcPoint() const { return m_arc; }
    Acad::ErrorStatus setArcPoint(const AcGePoint3d& point);

    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;

protected:
    double measureGeometry() const override;
    std::wstring formatValue(double measurement, const host::DimVars& vars) const override;
    host::DimGraphics layout(const host::DimVars& vars, const host::DimArrows& arrows,
                             const host::DimTextSpec& text) const override;
    AcGePoint3d planePoint() const override { return m_l1s; }
    Acad::ErrorStatus transformPoints(const AcGeMatrix3d& xform) override;
    void listPoints() const override;

private:
    AcGePoint3d m_l1s, m_l1e, m_l2s, m_l2e, m_arc;
};
