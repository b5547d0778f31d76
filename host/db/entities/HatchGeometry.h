#pragma once
// The geometry of a hatch, as free functions on plain values: boundary loops (a
// closed polyline of vertices and bulges in the hatch's plane) made into points,
// the loops joined into one outline that an even-odd fill shows with its holes,
// and the dashes of a pattern line family clipped to the inside of the loops
// (even-odd: an island inside a boundary stays empty).
#include "host/ge/AcGePoint2d.h"

#include <cstddef>
#include <utility>
#include <vector>

namespace host {

struct HatchLoop {
    std::vector<AcGePoint2d> vertices;
    std::vector<double> bulges; // one per vertex (0: straight to the next), or empty
};

// One line family of a pattern: lines through `base` at `angle` (radians),
// repeated every `offset` (x along the line, y across it), drawn with `dashes`
// (positive dashes, negative gaps, 0 dots; empty: continuous). Lengths in drawing
// units, scale and the pattern's angle already applied.
struct HatchPatternLine {
    double angle = 0.0;
    AcGePoint2d base;
    AcGePoint2d offset;
    std::vector<double> dashes;
};

using HatchSegment = std::pair<AcGePoint2d, AcGePoint2d>;

// The loop's outline, arcs as chords no further than `deviation` from the arc.
std::vector<AcGePoint2d> hatchLoopPoints(const HatchLoop& loop, double deviation);

// All loops in one closed outline: each loop after the first is reached from the
// first point of the first one and left the same way, so that the connecting
// edges cancel out under the even-odd rule.
std::vector<AcGePoint2d> hatchJoinedOutline(const std::vector<std::vector<AcGePoint2d>>& loops);

// The pieces of a line family inside the loops. Empty when the family's lines are
// no more than `minSpacing` apart or would need more than `maxSegments` pieces: a
// pattern that dense shows as a grey area, not as lines.
std::vector<HatchSegment> hatchPatternSegments(const std::vector<std::vector<AcGePoint2d>>& loops,
                                               const HatchPatternLine& line, double minSpacing, size_t maxSegments);

} // namespace host
