#pragma once
// A construction line, unbounded both ways: a base point and a unit direction.
// Its parameter is the distance from the base point along the direction.
#include "host/db/entities/AcDbCurve.h"

class AcDbXline : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDbXline);
    AcDbXline() = default;
    ~AcDbXline() override = default;

    AcGePoint3d basePoint() const { return m_base; }
    Acad::ErrorStatus setBasePoint(const AcGePoint3d& pt);
    AcGeVector3d unitDir() const { return m_dir; }
    // A zero direction is refused; others are made unit length.
    Acad::ErrorStatus setUnitDir(const AcGeVector3d& vec);
    AcGePoint3d secondPoint() const { return m_base + m_dir; }
    Acad::ErrorStatus setSecondPoint(const AcGePoint3d& pt);

    Acad::ErrorStatus getPointAtParam(double param, AcGePoint3d& point) const override;
    Acad::ErrorStatus getParamAtPoint(const AcGePoint3d& point, double& param) const override;
    Acad::ErrorStatus getFirstDeriv(double param, AcGeVector3d& firstDeriv) const override;
    Acad::ErrorStatus getClosestPointTo(const AcGePoint3d& givenPnt, AcGePoint3d& pointOnCurve,
                                        Adesk::Boolean extend = false) const override;

    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;

protected:
    bool subWorldDraw(AcGiWorldDraw* wd) override;
    Acad::ErrorStatus subGetGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus subTransformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                       AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;

private:
    AcGePoint3d m_base;
    AcGeVector3d m_dir = AcGeVector3d::kXAxis;
};
