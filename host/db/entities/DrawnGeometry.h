#pragma once
// What the database computes from an entity's drawn primitives: its box, and the
// points where two entities' lines and arcs meet. Pure functions over recordings.
#include "host/db/database/AcArray.h"
#include "host/db/entities/AcDbExtents.h"
#include "host/ge/AcGePoint3d.h"
#include "host/ge/AcGeVector3d.h"
#include "host/gi/GiPrimitive.h"

#include <vector>

class AcDbEntity;

namespace host {

// A piece of drawn geometry: a line segment (or an unbounded line), or an arc
// (a full circle when the sweep is 2 pi or more).
struct DrawnPiece {
    enum Kind { Segment, Line, Arc } kind = Segment;
    AcGePoint3d a, b;                      // segment ends; a line's two points
    AcGePoint3d center;                    // arc
    double radius = 0.0;
    AcGeVector3d normal = AcGeVector3d::kZAxis;
    AcGeVector3d startVector = AcGeVector3d::kXAxis;
    double sweep = 0.0;                    // counter-clockwise about the normal, > 0
};

// The box of a recording; text takes its measured box. Empty for no primitives.
AcDbExtents extentsOf(const gi::GiRecording& recording);
// Lines and arcs of a recording (text and fills' insides are not curves).
std::vector<DrawnPiece> piecesOf(const gi::GiRecording& recording);
// The points two sets of pieces share, within `tol`, without duplicates (in the
// order found).
void intersectPieces(const std::vector<DrawnPiece>& first, const std::vector<DrawnPiece>& second,
                     AcGePoint3dArray& points, double tol);
// An entity's primitives as the host draws it for extents and picking.
gi::GiRecording drawEntity(const AcDbEntity* ent);

} // namespace host
