#pragma once
// Which side of a dimension line a text lies on. A text put back after its chain was
// rebuilt (turned, mirrored, re-sorted) may end up straddling the line; it is then
// mirrored through the line so that it sits clear of it again.
#include "host/ge/AcGePoint3d.h"
#include "host/ge/AcGeVector3d.h"

#include <array>

// True when the corners of `box` lie on both sides of the line through `through`;
// `across` is the line's normal in the chain's plane. Corners closer to the line than
// `tol` count for neither side.
bool BoxCrossesLine(const std::array<AcGePoint3d, 4>& box, const AcGePoint3d& through,
                    const AcGeVector3d& across, double tol);

// `point` mirrored through the line through `through` with normal `across`.
AcGePoint3d MirrorThroughLine(const AcGePoint3d& point, const AcGePoint3d& through,
                              const AcGeVector3d& across);
