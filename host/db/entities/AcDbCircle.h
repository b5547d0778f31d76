#pragma once
// A circle in the plane of its normal. Its parameter is the angle from the
// plane's X axis (the host's arbitrary axis of the normal), 0 to 2 pi.
#include "host/db/entities/AcDbCurve.h"

class AcDbCircle : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDbCircle);
    AcDbCircle() = default;
    AcDbCircle(const AcGePoint3d& center, const AcGeVector3d& normal, double radius);
    ~AcDbCircle() override = default;

    AcGePoint3d center() const { return m_center; }
    Acad::ErrorStatus setCenter(const AcGePoint3d& center);
    double radius() const { return m_radius; }
    // A radius that is not positive is refused.
    Acad::ErrorStatus setRadius(double radius);
    AcGeVector3d normal() const { return m_normal; }
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);
    double thickness() const { return m_thickness; }
    Acad::ErrorStatus setThickness(double thickness);
    double circumference() const;
    double diameter() const { return 2.0 * m_radius; }

    Adesk::Boolean isClosed() const override { return true; }
    Adesk::Boolean isPeriodic() const override { return true; }
    Acad::ErrorStatus getStartParam(double& param) const override;
    Acad::ErrorStatus getEndParam(double& param) const override;
    Acad::ErrorStatus getPointAtParam(double param, AcGePoint3d& point) const override;
    Acad::ErrorStatus getParamAtPoint(const AcGePoint3d& point, double& param) const override;
    Acad::ErrorStatus getDistAtParam(double param, double& dist) const override;
    Acad::ErrorStatus getParamAtDist(double dist, double& param) const override;
    Acad::ErrorStatus getFirstDeriv(double param, AcGeVector3d& firstDeriv) const override;
    Acad::ErrorStatus getClosestPointTo(const AcGePoint3d& givenPnt, AcGePoint3d& pointOnCurve,
                                        Adesk::Boolean extend = false) const override;
    Acad::ErrorStatus getArea(double& area) const override;

    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;

protected:
    bool subWorldDraw(AcGiWorldDraw* wd) override;
    Acad::ErrorStatus subTransformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                       AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    // Stretching moves the centre only: a quadrant grip, which changes the radius, is
    // no stretch point.
    Acad::ErrorStatus subGetStretchPoints(AcGePoint3dArray& stretchPoints) const override;
    Acad::ErrorStatus subMoveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Acad::ErrorStatus subGetOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                        const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                        const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                        AcDbIntArray& geomIds) const override;

private:
    AcGePoint3d pointAt(double angle) const;
    AcGePoint3d m_center;
    AcGeVector3d m_normal = AcGeVector3d::kZAxis;
    double m_radius = 1.0;
    double m_thickness = 0.0;
};

namespace host {
// Where an angle in the plane of `normal` lies: the plane's X axis by the host's
// arbitrary axis rule, Y = normal x X.
AcGePoint3d pointInPlane(const AcGePoint3d& center, const AcGeVector3d& normal, double radius, double angle);
// The angle of a point about a centre in that plane, in [0, 2 pi).
double angleInPlane(const AcGePoint3d& center, const AcGeVector3d& normal, const AcGePoint3d& point);
// What a transform does to a circle: new centre, normal and radius; false when it
// does not keep circles circles (eCannotScaleNonUniformly). The normal follows the
// transformed normal, so a mirror in the circle's plane keeps it and reverses the
// sense of the circle (`mirrored`).
bool transformCircle(const AcGeMatrix3d& xform, AcGePoint3d& center, AcGeVector3d& normal, double& radius,
                     bool& mirrored);
} // namespace host
