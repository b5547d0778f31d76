#pragma once
// Picking in the plan: which recorded primitive lies under a square pick box, and
// with which selection marker. A primitive is under the box when any of it lies
// inside the square (half size in drawing units around the point); filled areas
// and text boxes also count when the point lies inside them. Of all primitives
// under the box the nearest to the point wins; on a tie, the one drawn later
// (it lies on top) and an outline before an area.
#include "host/gi/GiPrimitive.h"

#include <optional>
#include <vector>

namespace host::gi {

struct PickHit {
    size_t recording = 0; // index into the list of recordings (one per entity)
    size_t primitive = 0; // index into that recording
    LONG_PTR marker = 0;  // the selection marker (a polyline's base marker plus its segment)
    double distance = 0;  // from the point in the plan; 0 inside an area or a text box
};

std::optional<PickHit> pickNearest(const std::vector<const GiRecording*>& recordings,
                                   const AcGePoint3d& point, double halfSize);
std::optional<PickHit> pickNearest(const GiRecording& recording, const AcGePoint3d& point, double halfSize);

// Distance in the plan from the point to the primitive; false when no part of it
// lies within the square pick box. segmentMarker gets the marker of the nearest
// part.
bool primitiveUnderBox(const GiPrimitive& primitive, const AcGePoint3d& point, double halfSize,
                       double& distance, bool& inside, LONG_PTR& marker);

} // namespace host::gi
