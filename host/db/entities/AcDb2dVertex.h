#pragma once
// One vertex of a 2D polyline: its position (in the polyline's plane, at its
// elevation), the bulge of the segment that starts here and its widths.
#include "host/db/entities/AcDbEntity.h"

class AcDb2dVertex : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDb2dVertex);
    AcDb2dVertex() = default;
    AcDb2dVertex(const AcGePoint3d& position, double bulge = 0.0, double startWidth = 0.0, double endWidth = 0.0)
        : m_position(position), m_bulge(bulge), m_startWidth(startWidth), m_endWidth(endWidth) {}
    ~AcDb2dVertex() override = default;

    AcDb::Vertex2dType vertexType() const { return AcDb::k2dVertex; }
    AcGePoint3d position() const { return m_position; }
    Acad::ErrorStatus setPosition(const AcGePoint3d& position);
    double bulge() const { return m_bulge; }
    Acad::ErrorStatus setBulge(double newVal);
    double startWidth() const { return m_startWidth; }
    Acad::ErrorStatus setStartWidth(double newVal);
    double endWidth() const { return m_endWidth; }
    Acad::ErrorStatus setEndWidth(double newVal);

    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;

private:
    AcGePoint3d m_position;
    double m_bulge = 0.0;
    double m_startWidth = 0.0;
    double m_endWidth = 0.0;
};
