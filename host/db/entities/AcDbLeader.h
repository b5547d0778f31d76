#pragma once
// A leader: a line through its vertices from an arrowhead at the first one to the
// note it points from. The arrowhead's size is the dimension style's (dimasz times
// dimscale); it is left off when the first segment is shorter than two arrowheads,
// as the host does. The annotation itself (a text, a block) is an entity of its
// own; the leader keeps what kind it was made for, the link to it and whether a
// hook line runs into it. A leader through fewer than two points draws nothing
// but is kept as it came.
#include "host/db/entities/AcDbCurve.h"

#include <vector>

class AcDbLeader : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDbLeader);
    enum AnnoType { kMText = 0, kFcf = 1, kBlockRef = 2, kNoAnno = 3 };

    AcDbLeader();
    ~AcDbLeader() override = default;

    int numVertices() const { return int(m_vertices.size()); }
    // The vertex at `index`; the origin for an index out of range.
    AcGePoint3d vertexAt(int index) const;
    // False for a point that is not finite.
    Adesk::Boolean appendVertex(const AcGePoint3d& point);
    Adesk::Boolean setVertexAt(int index, const AcGePoint3d& point);
    void removeLastVertex();

    bool hasArrowHead() const { return m_arrowHead; }
    Acad::ErrorStatus enableArrowHead();
    Acad::ErrorStatus disableArrowHead();
    bool isSplined() const { return m_splined; }
    Acad::ErrorStatus setToSplineLeader();
    Acad::ErrorStatus setToStraightLeader();
    AnnoType annoType() const { return m_annoType; }
    Acad::ErrorStatus setAnnoType(AnnoType type);
    // The annotation the leader belongs to (an MText, a block reference); null for none.
    AcDbObjectId annotationObjId() const { return m_annotation; }
    // Links the annotation without moving anything; eInvalidInput for a null id.
    Acad::ErrorStatus attachAnnotation(const AcDbObjectId& annoId);
    Acad::ErrorStatus detachAnnotation();
    bool hasHookLine() const { return m_hookLine; }
    Acad::ErrorStatus setHasHookLine(bool hookLine);
    // The hook line runs along the horizontal direction (true) or against it.
    bool isHookLineOnXDir() const { return m_hookOnXDir; }
    Acad::ErrorStatus setHookLineOnXDir(bool onXDir);
    AcGeVector3d horizontalDirection() const { return m_horizontal; }
    // eInvalidInput for a zero or not finite direction.
    Acad::ErrorStatus setHorizontalDirection(const AcGeVector3d& direction);
    AcDbObjectId dimensionStyle() const { return m_style; }
    Acad::ErrorStatus setDimensionStyle(const AcDbObjectId& styleId);
    AcGeVector3d normal() const { return m_normal; }
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);
    // The arrowhead's length as drawn (0 without a style to take it from).
    double arrowSize() const;

    Adesk::Boolean isClosed() const override { return false; }
    Acad::ErrorStatus getStartPoint(AcGePoint3d& point) const override;
    Acad::ErrorStatus getEndPoint(AcGePoint3d& point) const override;

    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;

protected:
    bool subWorldDraw(AcGiWorldDraw* wd) override;
    Acad::ErrorStatus subTransformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                       AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;

private:
    std::vector<AcGePoint3d> m_vertices;
    AcDbObjectId m_style;
    bool m_arrowHead = true;
    bool m_splined = false;
    AnnoType m_annoType = kNoAnno;
    AcGeVector3d m_normal = AcGeVector3d::kZAxis;
    AcDbObjectId m_annotation;
    bool m_hookLine = false;
    bool m_hookOnXDir = true;
    AcGeVector3d m_horizontal = AcGeVector3d::kXAxis;
};
