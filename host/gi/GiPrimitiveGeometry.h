#pragma once
// Shapes of recorded primitives as points: arcs as chords, the box of a text, and
// the extents of a primitive or a whole recording. Picking, extents and pictures
// all use these, so they agree with one another and with the text measurement.
#include "host/gi/GiPrimitive.h"

#include <array>
#include <vector>

namespace host::gi {

// Points along a circle or arc, start to end, no chord further than maxDeviation
// from the curve (at most 4096 chords). A closed arc type adds no points here.
std::vector<AcGePoint3d> arcPoints(const GiPrimitive& arc, double maxDeviation);

// The box of a text primitive in the world: lower-left, lower-right, upper-right,
// upper-left, from the same layout that measures and draws the text.
std::array<AcGePoint3d, 4> textBoxCorners(const GiPrimitive& text);

// The box around a primitive; false for construction lines (xline, ray), which
// have no end, and for primitives with no points.
bool primitiveExtents(const GiPrimitive& primitive, AcGePoint3d& minPt, AcGePoint3d& maxPt);
bool recordingExtents(const GiRecording& recording, AcGePoint3d& minPt, AcGePoint3d& maxPt);

} // namespace host::gi
