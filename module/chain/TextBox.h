#pragma once
// The box around a text, and whether boxes and segment regions overlap. Boxes lie in the
// chain's plane; overlaps are decided in the plane of the text frame.
#include "host/ge/AcGePoint3d.h"
#include "module/chain/TextFrame.h"

#include <array>
#include <span>

using TextBoxCorners = std::array<AcGePoint3d, 4>;

// Corner 0 = start - along*m - up*m, corner 1 = corner 0 + along*(width + 2m),
// corner 2 = corner 1 + up*(height + 2m), corner 3 = corner 0 + up*(height + 2m).
TextBoxCorners MakeTextBox(const AcGePoint3d& start, const TextFrame& frame, double width, double height,
                           double margin);

namespace lintaro::tol {
// Shapes that only touch, or overlap by less than this, do not overlap: two texts that
// meet at an edge are readable.
inline constexpr double kLayoutOverlap = 1e-9;
} // namespace lintaro::tol

// Whether two convex polygons (corners in order, in or near the frame's plane) share an
// area, judged by separating axes in the plane of `frame`.
bool ConvexOverlap(std::span<const AcGePoint3d> a, std::span<const AcGePoint3d> b, const TextFrame& frame);
