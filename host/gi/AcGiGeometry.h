#pragma once
// The primitives a drawable sends to the host. Points are in model coordinates: the
// current model transform (pushModelTransform) maps them to the world. Every call
// returns true when the host asks to stop drawing (the regeneration was aborted),
// false otherwise.
#include "host/rx/AcRxObject.h"
#include "host/win/WinTypes.h"

#include <cstdint>

class AcGePoint3d;
class AcGeVector3d;
class AcGeMatrix3d;
class AcGiDrawable;
class AcGiTextStyle;

enum AcGiArcType {
    kAcGiArcSimple = 0, // the arc alone
    kAcGiArcSector,     // closed through the centre
    kAcGiArcChord,      // closed by the chord
};

class AcGiGeometry : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcGiGeometry);

    virtual bool circle(const AcGePoint3d& center, double radius, const AcGeVector3d& normal) const = 0;
    // The circle through three points; collinear points draw nothing.
    virtual bool circle(const AcGePoint3d& p1, const AcGePoint3d& p2, const AcGePoint3d& p3) const = 0;
    // Counter-clockwise about the normal from the start vector through sweepAngle.
    virtual bool circularArc(const AcGePoint3d& center, double radius, const AcGeVector3d& normal,
                             const AcGeVector3d& startVector, double sweepAngle,
                             AcGiArcType arcType = kAcGiArcSimple) const = 0;
    virtual bool circularArc(const AcGePoint3d& start, const AcGePoint3d& point, const AcGePoint3d& end,
                             AcGiArcType arcType = kAcGiArcSimple) const = 0;
    // With a base marker other than -1, segment i is picked as marker base + i.
    virtual bool polyline(uint32_t nbPoints, const AcGePoint3d* pVertexList,
                          const AcGeVector3d* pNormal = nullptr, LONG_PTR lBaseSubEntMarker = -1) const = 0;
    // Closed; filled when the fill type is kAcGiFillAlways.
    virtual bool polygon(uint32_t nbPoints, const AcGePoint3d* pVertexList) const = 0;
    // Text in the host's standard font: height, width factor, oblique angle (radians).
    virtual bool text(const AcGePoint3d& position, const AcGeVector3d& normal, const AcGeVector3d& direction,
                      double height, double width, double oblique, const wchar_t* pMsg) const = 0;
    // Text in a style (its text size is the height); length -1 means up to the end.
    // raw: the control codes (%%d, %%p, %%c ...) are not interpreted.
    virtual bool text(const AcGePoint3d& position, const AcGeVector3d& normal, const AcGeVector3d& direction,
                      const wchar_t* pMsg, int length, bool raw, const AcGiTextStyle& textStyle) const = 0;
    virtual bool xline(const AcGePoint3d& p1, const AcGePoint3d& p2) const = 0;
    virtual bool ray(const AcGePoint3d& origin, const AcGePoint3d& throughPoint) const = 0;
    // Draws another drawable into the same context (nested drawing, blocks).
    virtual bool draw(AcGiDrawable* pDrawable) const = 0;

    // The arbitrary-axis system of the normal becomes the model system.
    virtual bool pushModelTransform(const AcGeVector3d& normal) = 0;
    virtual bool pushModelTransform(const AcGeMatrix3d& xMat) = 0;
    virtual bool popModelTransform() = 0;
    virtual AcGeMatrix3d getModelToWorldTransform() const = 0;
    virtual AcGeMatrix3d getWorldToModelTransform() const = 0;
};
