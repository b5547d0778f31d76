#pragma once
// Where a dimension's pieces go: extension lines with their offset (dimexo) and
// extension (dimexe), the dimension line or arc, arrowheads or ticks inside or
// outside as they fit, and the text above (dimtad) or in the dimension line, or at
// the position the user gave it (with a leader or a moved dimension line, as
// dimtmove says). Pure functions in the 2D coordinates of the dimension's plane.
#include "host/db/dimensions/AcDbDimensionArrows.h"
#include "host/db/dimensions/AcDbDimensionGraphics.h"
#include "host/db/dimensions/AcDbDimensionVars.h"
#include "host/ge/AcGeVector2d.h"

#include <string>

namespace host {

struct DimArrows {
    DimArrowKind first = DimArrowKind::ClosedFilled;
    DimArrowKind second = DimArrowKind::ClosedFilled;
    AcDbObjectId firstBlock; // for user blocks
    AcDbObjectId secondBlock;
};

struct DimTextSpec {
    std::wstring text; // as shown; empty draws no text
    double width = 0.0;  // measured at `height`
    double height = 0.0; // dimtxt times dimscale
    bool userPosition = false;
    AcGePoint2d position; // the text's centre, when userPosition
    bool userRotation = false;
    double rotation = 0.0;
};

// Rotated and aligned dimensions: the two measured points, a point of the dimension
// line and its direction; `oblique` tilts the extension lines (0: square to the
// dimension line).
struct LinearDimInput {
    AcGePoint2d x1, x2, dimLinePoint;
    AcGeVector2d direction = AcGeVector2d::kXAxis;
    double oblique = 0.0;
};
double linearDimMeasurement(const LinearDimInput& in);
DimGraphics layoutLinearDim(const LinearDimInput& in, const DimVars& vars, const DimArrows& arrows,
                            const DimTextSpec& text);

// An angle as an arc about its centre: counter-clockwise from startAngle by sweep.
// The extension lines run from their origins (on the measured legs) to the arc's
// ends; a leg without an extension line has hasExt false.
struct AngularDimInput {
    AcGePoint2d center;
    double radius = 0.0;
    double startAngle = 0.0;
    double sweep = 0.0;
    AcGePoint2d ext1Origin, ext2Origin;
    bool hasExt1 = true, hasExt2 = true;
};
// The angle between two lines that the arc point lies in (at most pi); false when
// the lines are parallel or degenerate.
bool resolveTwoLineAngle(const AcGePoint2d& l1Start, const AcGePoint2d& l1End, const AcGePoint2d& l2Start,
                         const AcGePoint2d& l2End, const AcGePoint2d& arcPoint, AngularDimInput& out);
// The angle at the centre from the first to the second point on the side of the arc
// point (it may exceed pi); false when a point is on the centre.
bool resolveThreePointAngle(const AcGePoint2d& center, const AcGePoint2d& x1, const AcGePoint2d& x2,
                            const AcGePoint2d& arcPoint, AngularDimInput& out);
DimGraphics layoutAngularDim(const AngularDimInput& in, const DimVars& vars, const DimArrows& arrows,
                             const DimTextSpec& text);

// Radius and diameter: the chord point on the curve (and, for a diameter, the one
// opposite); the text sits where the user put it or beyond the chord point by the
// leader length.
DimGraphics layoutRadialDim(const AcGePoint2d& center, const AcGePoint2d& chordPoint, double leaderLength,
                            const DimVars& vars, const DimArrows& arrows, const DimTextSpec& text);
DimGraphics layoutDiametricDim(const AcGePoint2d& chordPoint, const AcGePoint2d& farChordPoint,
                               double leaderLength, const DimVars& vars, const DimArrows& arrows,
                               const DimTextSpec& text);

// Arc length: the measured arc (centre and its two ends, counter-clockwise from the
// first), the dimension arc through arcPoint and radial extension lines.
struct ArcLengthDimInput {
    AcGePoint2d center, x1, x2, arcPoint;
};
double arcLengthDimMeasurement(const ArcLengthDimInput& in);
DimGraphics layoutArcLengthDim(const ArcLengthDimInput& in, const DimVars& vars, const DimArrows& arrows,
                               const DimTextSpec& text);

// The text's angle turned to read from left to right: within (-pi/2, pi/2].
double readableAngle(double angle);

} // namespace host
