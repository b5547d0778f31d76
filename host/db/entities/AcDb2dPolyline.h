#pragma once
// The old-style 2D polyline (simple type): vertices in the plane of its normal at
// its elevation, with bulges and widths. The vertices are kept inside the
// polyline (they file with it); as a curve it answers like the lightweight
// polyline with the same vertices.
#include "host/db/entities/AcDb2dVertex.h"
#include "host/db/entities/AcDbCurve.h"
#include "host/db/entities/AcDbPolyline.h"

#include <memory>

class AcDb2dPolyline : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDb2dPolyline);
    AcDb2dPolyline() = default;
    // Vertices in the polyline's plane (their Z is the elevation); bulges optional.
    AcDb2dPolyline(AcDb::Poly2dType type, const AcGePoint3dArray& vertices, double elevation = 0.0,
                   Adesk::Boolean closed = false, double defStartWidth = 0.0, double defEndWidth = 0.0,
                   const AcGeDoubleArray* bulges = nullptr);
    ~AcDb2dPolyline() override = default;

    AcDb::Poly2dType polyType() const { return m_type; }
    // Only the simple type is drawn as given; fitted types keep their vertices.
    Acad::ErrorStatus setPolyType(AcDb::Poly2dType type);
    // Takes the vertex (the polyline owns it from now on) and appends its data.
    Acad::ErrorStatus appendVertex(AcDb2dVertex* pNewVertex);
    Acad::ErrorStatus appendVertex(AcDbObjectId& objId, AcDb2dVertex* pNewVertex);
    unsigned int numVerts() const { return m_shape.numVerts(); }
    // The vertex `index` (in the polyline's plane, at its elevation).
    Acad::ErrorStatus getVertexAt(unsigned int index, AcDb2dVertex& vertex) const;
    // The vertex position in world coordinates.
    AcGePoint3d vertexPosition(const AcDb2dVertex& vertex) const;

    Acad::ErrorStatus makeClosed();
    Acad::ErrorStatus makeOpen();
    double elevation() const { return m_shape.elevation(); }
    void setElevation(double elevation);
    AcGeVector3d normal() const { return m_shape.normal(); }
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);
    double defaultStartWidth() const { return m_defStart; }
    double defaultEndWidth() const { return m_defEnd; }
    double thickness() const { return m_shape.thickness(); }
    Acad::ErrorStatus setThickness(double thickness);

    Adesk::Boolean isClosed() const override { return m_shape.isClosed(); }
    Acad::ErrorStatus getStartParam(double& p) const override { return m_shape.getStartParam(p); }
    Acad::ErrorStatus getEndParam(double& p) const override { return m_shape.getEndParam(p); }
    Acad::ErrorStatus getPointAtParam(double param, AcGePoint3d& point) const override;
    Acad::ErrorStatus getParamAtPoint(const AcGePoint3d& point, double& param) const override;
    Acad::ErrorStatus getDistAtParam(double param, double& dist) const override;
    Acad::ErrorStatus getParamAtDist(double dist, double& param) const override;
    Acad::ErrorStatus getFirstDeriv(double param, AcGeVector3d& firstDeriv) const override;
    Acad::ErrorStatus getClosestPointTo(const AcGePoint3d& givenPnt, AcGePoint3d& pointOnCurve,
                                        Adesk::Boolean extend = false) const override;
    Acad::ErrorStatus getArea(double& area) const override { return m_shape.getArea(area); }

    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;

protected:
    bool subWorldDraw(AcGiWorldDraw* wd) override;
    Acad::ErrorStatus subTransformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus subExplode(AcDbVoidPtrArray& entitySet) const override;
    Acad::ErrorStatus subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                       AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;

private:
    // The geometry, held as a lightweight polyline outside any database.
    AcDbPolyline m_shape;
    AcDb::Poly2dType m_type = AcDb::k2dSimplePoly;
    double m_defStart = 0.0;
    double m_defEnd = 0.0;
    std::vector<std::unique_ptr<AcDb2dVertex>> m_taken; // appended vertex objects, kept alive for their owner
};
