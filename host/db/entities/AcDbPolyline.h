#pragma once
// The lightweight polyline: 2D vertices in the plane of its normal (at its
// elevation), each with the bulge of the segment that starts there (tan of a
// quarter of the arc's angle, positive counter-clockwise) and start and end
// widths. Its parameter is the vertex index: segment i runs from i to i + 1, and
// within an arc segment the parameter grows with the angle.
#include "host/db/entities/AcDbCurve.h"
#include "host/ge/AcGeCircArc3d.h"
#include "host/ge/AcGeLineSeg2d.h"
#include "host/ge/AcGeLineSeg3d.h"

#include <vector>

class AcDbPolyline : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDbPolyline);
    AcDbPolyline() = default;
    explicit AcDbPolyline(unsigned int num) { m_verts.reserve(num); }
    ~AcDbPolyline() override = default;

    enum SegType { kLine, kArc, kCoincident, kPoint, kEmpty };

    unsigned int numVerts() const { return unsigned(m_verts.size()); }
    // Inserts before `index` (numVerts() appends); a width of -1 takes the
    // constant width.
    Acad::ErrorStatus addVertexAt(unsigned int index, const AcGePoint2d& pt, double bulge = 0.0,
                                  double startWidth = -1.0, double endWidth = -1.0, Adesk::Int32 vertexIdentifier = 0);
    Acad::ErrorStatus removeVertexAt(unsigned int index);
    Acad::ErrorStatus reset(Adesk::Boolean reuse, unsigned int numVerts);

    Acad::ErrorStatus getPointAt(unsigned int index, AcGePoint2d& pt) const;
    // The vertex in world coordinates.
    Acad::ErrorStatus getPointAt(unsigned int index, AcGePoint3d& pt) const;
    Acad::ErrorStatus setPointAt(unsigned int index, const AcGePoint2d& pt);
    Acad::ErrorStatus getBulgeAt(unsigned int index, double& bulge) const;
    Acad::ErrorStatus setBulgeAt(unsigned int index, double bulge);
    Acad::ErrorStatus getWidthsAt(unsigned int index, double& startWidth, double& endWidth) const;
    Acad::ErrorStatus setWidthsAt(unsigned int index, double startWidth, double endWidth);

    SegType segType(unsigned int index) const;
    Acad::ErrorStatus getLineSegAt(unsigned int index, AcGeLineSeg2d& ln) const;
    Acad::ErrorStatus getLineSegAt(unsigned int index, AcGeLineSeg3d& ln) const;
    // The segment's arc in world coordinates, counter-clockwise about its normal
    // (the polyline's normal, turned over for a clockwise bulge).
    Acad::ErrorStatus getArcSegAt(unsigned int index, AcGeCircArc3d& arc) const;
    // True when the point (in the polyline's plane) is on segment `index`; the
    // parameter within the segment (0..1) comes back.
    bool onSegAt(unsigned int index, const AcGePoint2d& pt2d, double& param) const;

    void setClosed(Adesk::Boolean closed);
    void setPlinegen(Adesk::Boolean plinegen);
    Adesk::Boolean isPlinegen() const { return m_plinegen; }
    bool isOnlyLines() const;
    bool hasBulges() const { return !isOnlyLines(); }
    bool hasWidth() const;
    double elevation() const { return m_elevation; }
    void setElevation(double elevation);
    double thickness() const { return m_thickness; }
    Acad::ErrorStatus setThickness(double thickness);
    Acad::ErrorStatus getConstantWidth(double& width) const;
    Acad::ErrorStatus setConstantWidth(double width);
    AcGeVector3d normal() const { return m_normal; }
    void setNormal(const AcGeVector3d& normal);
    unsigned int numSegments() const;

    Adesk::Boolean isClosed() const override { return m_closed; }
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
    Acad::ErrorStatus reverseCurve() override;

    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;

protected:
    bool subWorldDraw(AcGiWorldDraw* wd) override;
    Acad::ErrorStatus subTransformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus subExplode(AcDbVoidPtrArray& entitySet) const override;
    Acad::ErrorStatus subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                       AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Acad::ErrorStatus subGetOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                        const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                        const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                        AcDbIntArray& geomIds) const override;

private:
    struct Vertex {
        AcGePoint2d pt;
        double bulge = 0.0;
        double startWidth = 0.0;
        double endWidth = 0.0;
    };
    AcGePoint3d toWorld(const AcGePoint2d& p) const;
    AcGePoint2d toPlane(const AcGePoint3d& p) const;
    // The segment's end vertex index.
    unsigned int nextIndex(unsigned int index) const { return index + 1 < numVerts() ? index + 1 : 0; }
    // Point, distance from the segment start, and closest point within one segment.
    AcGePoint3d segPoint(unsigned int seg, double t) const;
    double segLength(unsigned int seg) const;
    // Distance to the segment, the closest point and its fraction along the segment.
    double segClosest(unsigned int seg, const AcGePoint3d& p, AcGePoint3d& on, double& t) const;

    std::vector<Vertex> m_verts;
    AcGeVector3d m_normal = AcGeVector3d::kZAxis;
    double m_elevation = 0.0;
    double m_thickness = 0.0;
    double m_constantWidth = 0.0;
    bool m_closed = false;
    bool m_plinegen = false;
};

namespace host {
// The arc of a bulged segment from p1 to p2 in their plane: centre, radius, the
// angle of p1 about the centre and the signed sweep (4 atan(bulge)).
struct BulgeArc {
    AcGePoint2d center;
    double radius = 0.0;
    double startAngle = 0.0;
    double sweep = 0.0;
};
BulgeArc bulgeArc(const AcGePoint2d& p1, const AcGePoint2d& p2, double bulge);
} // namespace host
