#pragma once
// Which drawn entities a window, a crossing window or a fence selects. The tests run
// in the plan on the entity's drawn primitives (the same ones picking uses), so what
// the user sees is what is selected: a text counts with its box, a filled area with
// its inside. Pure functions.
#include "host/db/entities/DrawnGeometry.h"
#include "host/gi/GiPrimitive.h"

#include <vector>

namespace host {

// A window in the plan; the corners may be given in any order.
struct PlanWindow {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    PlanWindow() = default;
    PlanWindow(const AcGePoint3d& a, const AcGePoint3d& b);
    bool contains(double x, double y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
};

// The primitives as lines and arcs flat in the plan (z = 0): text boxes become their
// four edges, arcs out of the plan their chords.
std::vector<DrawnPiece> planPiecesOf(const gi::GiRecording& recording);

// All of the entity lies in the window (an endless construction line never does).
bool insideWindow(const gi::GiRecording& recording, const PlanWindow& window);
// Some of it lies in the window or crosses its edge, or the window lies inside a
// filled area or a text box of it.
bool crossesWindow(const gi::GiRecording& recording, const PlanWindow& window);
// Some of it meets the fence (the open line through `fence`, two points at least).
bool crossesFence(const gi::GiRecording& recording, const std::vector<AcGePoint3d>& fence);

} // namespace host
