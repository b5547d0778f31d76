#pragma once
// Drawing new dimension chains: the linear creation commands (XOTA_Hdim, XOTA_Vdim,
// XOTA_Adim) with their first two points and the jig, the arc chain (XOTA_dimArc, in
// TRdimArcCreate.cpp), and the chain from a cutting line that the palette's
// "Schnittlinie" and the AutoLISP function XOTA_LintaroMakeDimByLine start.
#include "host/db/database/AcDbObjectId.h"
#include "host/ge/AcGeCircArc3d.h"
#include "host/ge/AcGePoint3d.h"

#include <vector>

// The command of chain type 0 (horizontal), 1 (vertical) or 2 (aligned).
void CreateLinearChain(int type);
// XOTA_dimArc: an arc chain along a picked arc, circle or polyline arc segment.
void CreateArcChain();

// Asks for the arc, circle or polyline an arc chain measures along; a polyline gives
// the index of the picked segment. False (after its message) for anything else.
bool PickArcCurve(AcDbObjectId& curveId, int& subIndex);

// Where a picked point lands on the arc: along the line from the arc's centre through
// it, on the arc's circle; a point at the centre gives `atCentre`.
AcGePoint3d PointOntoArc(const AcGeCircArc3d& arc, const AcGePoint3d& point, const AcGePoint3d& atCentre);

// Asks for a cutting line and builds a chain of the type from the points where it
// crosses the drawing's curves. True when a chain was appended.
bool MakeDimByLine(int type);
// XOTA_LintaroMakeDimByLine: an optional integer argument gives the chain type (0, 1,
// 2); without one the palette's type. RTNORM, or RTERROR for a bad argument.
int MakeDimByLineFromLisp();

// The points in order, each only once (host tolerance).
std::vector<AcGePoint3d> DropRepeatedPoints(const std::vector<AcGePoint3d>& points);

// A cutting line examines at most this many of the objects it crosses.
inline constexpr int kCuttingLineMaxObjects = 100;
