#pragma once
// A linear dimension parallel to its measured points: the distance between the
// two extension lines' origins, on a dimension line through dimLinePoint.
#include "host/db/dimensions/AcDbDimension.h"

class AcDbAlignedDimension : public AcDbDimension {
public:
    ACRX_DECLARE_MEMBERS(AcDbAlignedDimension);
    AcDbAlignedDimension() = default;
    AcDbAlignedDimension(const AcGePoint3d& xLine1Point, const AcGePoint3d& xLine2Point,
                         const AcGePoint3d& dimLinePoint, const wchar_t* dimText = nullptr,
                         AcDbObjectId dimStyle = AcDbObjectId::kNull);
    ~AcDbAlignedDimension() override = default;

    AcGePoint3d xLine1Point() const { return m_xLine1; }
    Acad::ErrorStatus setXLine1Point(const AcGePoint3d& point);
    AcGePoint3d xLine2Point() const { return m_xLine2; }
    Acad::ErrorStatus setXLine2Point(const AcGePoint3d& point);
    AcGePoint3d dimLinePoint() const { return m_dimLine; }
    Acad::ErrorStatus setDimLinePoint(const AcGePoint3d& point);
    double oblique() const { return m_oblique; }
    Acad::ErrorStatus setOblique(double angle);

    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;

protected:
    double measureGeometry() const override;
    host::DimGraphics layout(const host::DimVars& vars, const host::DimArrows& arrows,
                             const host::DimTextSpec& text) const override;
    AcGePoint3d planePoint() const override { return m_xLine1; }
    Acad::ErrorStatus transformPoints(const AcGeMatrix3d& xform) override;
    void listPoints() const override;
    Acad::ErrorStatus subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                       AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;

private:
    AcGePoint3d m_xLine1, m_xLine2, m_dimLine;
    double m_oblique = 0.0;
};
