#pragma once
// The geometry side of the recording world draw: turns each primitive call into a
// GiPrimitive in world coordinates and hands it to its owner.
#include "host/gi/AcGiWorldGeometry.h"

namespace host::gi {

class RecordingWorldDraw;

class RecordingGeometry : public AcGiWorldGeometry {
public:
    explicit RecordingGeometry(RecordingWorldDraw& owner) : m_owner(owner) {}

    bool circle(const AcGePoint3d& center, double radius, const AcGeVector3d& normal) const override;
    bool circle(const AcGePoint3d& p1, const AcGePoint3d& p2, const AcGePoint3d& p3) const override;
    bool circularArc(const AcGePoint3d& center, double radius, const AcGeVector3d& normal,
                     const AcGeVector3d& startVector, double sweepAngle,
                     AcGiArcType arcType = kAcGiArcSimple) const override;
    bool circularArc(const AcGePoint3d& start, const AcGePoint3d& point, const AcGePoint3d& end,
                     AcGiArcType arcType = kAcGiArcSimple) const override;
    bool polyline(uint32_t nbPoints, const AcGePoint3d* pVertexList, const AcGeVector3d* pNormal = nullptr,
                  LONG_PTR lBaseSubEntMarker = -1) const override;
    bool polygon(uint32_t nbPoints, const AcGePoint3d* pVertexList) const override;
    bool text(const AcGePoint3d& position, const AcGeVector3d& normal, const AcGeVector3d& direction,
              double height, double width, double oblique, const wchar_t* pMsg) const override;
    bool text(const AcGePoint3d& position, const AcGeVector3d& normal, const AcGeVector3d& direction,
              const wchar_t* pMsg, int length, bool raw, const AcGiTextStyle& textStyle) const override;
    bool xline(const AcGePoint3d& p1, const AcGePoint3d& p2) const override;
    bool ray(const AcGePoint3d& origin, const AcGePoint3d& throughPoint) const override;
    bool draw(AcGiDrawable* pDrawable) const override;

    bool pushModelTransform(const AcGeVector3d& normal) override;
    bool pushModelTransform(const AcGeMatrix3d& xMat) override;
    bool popModelTransform() override;
    AcGeMatrix3d getModelToWorldTransform() const override;
    AcGeMatrix3d getWorldToModelTransform() const override;

    void setExtents(AcGePoint3d* newExtents) const override;

private:
    bool arc(const AcGePoint3d& center, double radius, const AcGeVector3d& normal,
             const AcGeVector3d& startVector, double sweep, AcGiArcType arcType, bool fullCircle) const;
    bool styledText(const AcGePoint3d& position, const AcGeVector3d& normal, const AcGeVector3d& direction,
                    const wchar_t* pMsg, int length, bool raw, const AcGiTextStyle& style) const;

    RecordingWorldDraw& m_owner;
};

// The circle through three points: false for collinear or coincident points.
bool circleThrough(const AcGePoint3d& p1, const AcGePoint3d& p2, const AcGePoint3d& p3, AcGePoint3d& center,
                   double& radius, AcGeVector3d& normal);

} // namespace host::gi
