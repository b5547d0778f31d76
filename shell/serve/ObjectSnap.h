#pragma once
// Object snaps for the page's clicks: the end points and midpoints of the drawn lines
// and the points where two of them cross, found from the host's own world draw. A
// click near one lands exactly on it, as a person expects at a wall corner.
#include "host/gi/GiPrimitive.h"

#include <optional>
#include <vector>

namespace serve {

struct SnapSegment {
    double x1, y1, x2, y2;
};

struct SnapPoint {
    enum Kind { End, Intersection, Mid };
    double x = 0, y = 0;
    Kind kind = End;
};

// The straight pieces of the drawing: polyline and polygon edges (a polygon's closing
// edge too); arcs and circles give none, texts none.
std::vector<SnapSegment> snapSegments(const host::gi::GiRecording& primitives);

// The snap point nearest to x,y within `radius` (drawing units); an end point or an
// intersection wins over a midpoint at the same distance. Nullopt when none is that near.
std::optional<SnapPoint> nearestSnap(const std::vector<SnapSegment>& segments, double x, double y, double radius);

// "end", "intersection", "mid".
const char* snapKindName(SnapPoint::Kind kind);

} // namespace serve
