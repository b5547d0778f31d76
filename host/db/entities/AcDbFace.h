#pragma once
// A 3D face: three or four corners with an outline whose edges can be hidden one
// by one.
#include "host/db/entities/AcDbEntity.h"
#include "host/db/entities/FourCorners.h"

class AcDbFace : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbFace);
    AcDbFace() = default;
    AcDbFace(const AcGePoint3d& pt0, const AcGePoint3d& pt1, const AcGePoint3d& pt2, const AcGePoint3d& pt3,
             Adesk::Boolean e0vis = true, Adesk::Boolean e1vis = true, Adesk::Boolean e2vis = true,
             Adesk::Boolean e3vis = true);
    AcDbFace(const AcGePoint3d& pt0, const AcGePoint3d& pt1, const AcGePoint3d& pt2, Adesk::Boolean e0vis = true,
             Adesk::Boolean e1vis = true, Adesk::Boolean e2vis = true, Adesk::Boolean e3vis = true);
    ~AcDbFace() override = default;

    Acad::ErrorStatus getVertexAt(Adesk::UInt16 idx, AcGePoint3d& pntRes) const;
    Acad::ErrorStatus setVertexAt(Adesk::UInt16 idx, const AcGePoint3d& pnt);
    Acad::ErrorStatus isEdgeVisibleAt(Adesk::UInt16 idx, Adesk::Boolean& visible) const;
    Acad::ErrorStatus makeEdgeVisibleAt(Adesk::UInt16 idx);
    Acad::ErrorStatus makeEdgeInvisibleAt(Adesk::UInt16 idx);

    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;

protected:
    bool subWorldDraw(AcGiWorldDraw* wd) override;
    Acad::ErrorStatus subTransformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                       AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;

private:
    host::FourCorners m_corners;
    bool m_visible[4] = {true, true, true, true};
};
