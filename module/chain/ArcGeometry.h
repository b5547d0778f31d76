#pragma once
// The geometry of arc chains that needs no chain: the arc of a polyline segment, arcs
// turned to run counter-clockwise, widened to the full circle or started at a point,
// the parameter of a measured point on the arc, the arc a chain builds from its own
// points when its curve is gone, and the dimension arc between two angles.
#include "host/ge/AcGeCircArc3d.h"
#include "host/ge/AcGePoint3d.h"
#include "host/ge/AcGeVector3d.h"

#include <optional>
#include <vector>

class AcDbPolyline;

// The arc of segment `segment` of a light-weight polyline, counter-clockwise about the
// polyline's normal; null (and a message in the log) when there is no such arc segment.
// The caller owns the arc.
AcGeCircArc3d* Polyline2GeArc(const AcDbPolyline* polyline, int segment);

// Turns the arc over (same points, other direction) when it runs clockwise about
// `normal`, so that its parameter grows counter-clockwise seen from `normal`.
void TurnCounterClockwise(AcGeCircArc3d& arc, const AcGeVector3d& normal);

// Widens an arc to the full circle: half of the missing angle is added at each end.
void WidenToFullCircle(AcGeCircArc3d& arc);

// Makes a circle start (parameter 0) at the direction of `point` from its centre; a
// point at the centre leaves it as it is.
void StartCircleAt(AcGeCircArc3d& circle, const AcGePoint3d& point);

// Where a measured point lies on the arc.
struct ArcParam {
    double param = 0.0;
    int end = 0;     // -1 at or before the start, +1 at or beyond the end (open arcs only)
    int tries = 1;   // tolerance steps it took until the point counted as on the arc
    bool on = false; // found on the arc within one of the tolerances
};
// The parameter of `point` on `arc`: tested with the on-curve tolerance, doubled until
// the point lies on the arc; on an open arc clamped to its ends, on a circle a parameter
// at the very end is 0.
ArcParam ParamOnArc(const AcGeCircArc3d& arc, const AcGePoint3d& point, bool isCircle);

// What the chain knows of its own points when its curve is gone: the input and
// dimension points of its extensions, in the chain's order.
struct SubstituteArcInput {
    std::vector<AcGePoint3d> inputs, dims;
    AcGeVector3d normal{0.0, 0.0, 1.0};
};
// The arc the chain measures along without its curve. Its centre is where the first
// and last extension lines meet; when they do not (`parallel`), the centre of the circle
// through the first, last but one and last input point, or with two points their
// middle. It runs counter-clockwise from the first input point as far as the farthest
// of the others; a full circle when all are one point. Nothing for fewer than two.
std::optional<AcGeCircArc3d> SubstituteArc(const SubstituteArcInput& in, bool& parallel);

// The counter-clockwise angle of `point` about `center`, in the plane of `normal`,
// from the host's reference direction of that plane; in [0, 2 pi).
double AngleAbout(const AcGePoint3d& center, const AcGeVector3d& normal, const AcGePoint3d& point);

// The arc of radius `radius` about `center` from the angle of `from` counter-clockwise to
// the angle of `to` (the reference direction is the host's X axis of the plane).
AcGeCircArc3d ArcBetween(const AcGePoint3d& center, const AcGeVector3d& normal, double radius,
                         const AcGePoint3d& from, const AcGePoint3d& to);

// Lengthens the arc by `extend` at both ends as far as the full circle allows; false
// when it cannot get longer.
bool ExtendArc(AcGeCircArc3d& arc, double extend);
