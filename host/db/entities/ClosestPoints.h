#pragma once
// The closest point on a circular arc, and the object snaps that every curve
// answers from its closest point.
#include "host/db/database/AcDb.h"
#include "host/db/database/AcArray.h"
#include "host/ge/AcGePoint3d.h"
#include "host/ge/AcGeVector3d.h"

class AcDbCurve;

namespace host {

// How far along an arc of `span` radians (0 < span <= 2 pi) lies the point nearest
// to a direction `rel` radians past the arc's start ([0, 2 pi)): `rel` itself when it
// is on the arc, else the nearer end (0 or `span`); a tie goes to the start.
double nearestArcOffset(double rel, double span);

// The point of the arc about `center` in the plane of `normal`, from `startAngle`
// (measured as pointInPlane does) through `sweep` (0 < sweep <= 2 pi), nearest to
// `point`. A point on the axis is as near to every point; it gets the start.
AcGePoint3d closestPointOnArc(const AcGePoint3d& center, const AcGeVector3d& normal, double radius,
                              double startAngle, double sweep, const AcGePoint3d& point);

// Near: the curve's point closest to the pick; Perpendicular: the one closest to the
// last point (extended past the curve's ends when asked). Appends that point and
// returns true for those two modes when the curve has one; false and appends nothing
// otherwise.
bool appendClosestPointSnap(const AcDbCurve& curve, AcDb::OsnapMode mode, const AcGePoint3d& pickPoint,
                            const AcGePoint3d& lastPoint, AcGePoint3dArray& snapPoints,
                            bool extendForPerpendicular = false);

} // namespace host
