#pragma once
// A linear dimension along a given direction: the distance between the two
// measured points (the extension lines' origins) projected on the dimension line,
// which passes through dimLinePoint at `rotation` from the plane's X axis.
#include "host/db/dimensions/AcDbDimension.h"

class AcDbRotatedDimension : public AcDbDimension {
public:
    ACRX_DECLARE_MEMBERS(AcDbRotatedDimension);
    AcDbRotatedDimension() = default;
    AcDbRotatedDimension(double rotation, const AcGePoint3d& xLine1Point, const AcGePoint3d& xLine2Point,
                         const AcGePoint3d& dimLinePoint, const wchar_t* dimText = nullptr,
                         AcDbObjectId dimStyle = AcDbObjectId::kNull);
    ~AcDbRotatedDimension() override = default;

    AcGePoint3d xLine1Point() const { return m_xLine1; }
    Acad::ErrorStatus setXLine1Point(const AcGePoint3d& point);
    AcGePoint3d xLine2Point() const { return m_xLine2; }
    Acad::ErrorStatus setXLine2Point(const AcGePoint3d& point);
    AcGePoint3d dimLinePoint() const { return m_dimLine; }
    Acad::ErrorStatus setDimLinePoint(const AcGePoint3d& point);
    double rotation() const { return m_rotation; }
    Acad::ErrorStatus setRotation(double angle);
    // The extension lines' angle in the plane; 0 keeps them square to the dimension line.
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
    double m_rotation = 0.0;
    double m_oblique = 0.0;
};

namespace host {
// An angle in the plane of `normal` carried through a transform into the plane of
// the transformed normal (rotations and mirrors of a dimension's direction).
double transformPlaneAngle(double angle, const AcGeVector3d& normal, const AcGeMatrix3d& xform);
} // namespace host
