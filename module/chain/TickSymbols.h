#pragma once
// The tick symbols at the dimension points of a chain, drawn through the shared output
// primitives. Codes as the chain stores them: 1 oblique, 2 dot, 3 circle, 4 arrow,
// 5 cross, 0 none (TickSymbol of TRdimExtFlags.h); any other code draws nothing.
#include "host/ge/AcGeMatrix3d.h"
#include "host/ge/AcGePoint3d.h"
#include "host/ge/AcGeVector3d.h"
#include "module/chain/TRdimExtFlags.h"

class ChainPrimitives;

struct TickMark {
    int code = kTickNone;
    AcGePoint3d at;    // the dimension point
    double size = 0.0; // tick size T in drawing units
    // Oblique: the extension line's angle in the chain's UCS, that UCS and its mirror
    // sign (-1 for a UCS whose normal points down).
    double extensionAngle = 0.0;
    AcGeMatrix3d ucsToWorld;
    int mirrorSign = 1;
    AcGeVector3d normal = AcGeVector3d::kZAxis;  // the chain's plane
    AcGeVector3d lineDir = AcGeVector3d::kXAxis; // the dimension line here (cross)
    // Arrows point outwards: their bodies run towards the neighbouring extensions.
    bool hasNext = false;
    AcGeVector3d towardsNext;
    bool hasPrevious = false;
    AcGeVector3d towardsPrevious;
};

// Nothing for a size of 0.
void DrawTickSymbol(ChainPrimitives& out, const TickMark& tick);
