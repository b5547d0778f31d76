#pragma once
// The frame a chain's texts are written in: the text angle of the dimension line (never
// upside down), the readability sign, and the unit vectors along the text and "up" from
// its base line. Computed from world vectors only, so chains and height marks share it.
#include "host/ge/AcGeVector3d.h"

namespace lintaro::tol {
// Angles this close to a quarter turn are snapped onto it: the rules compute with
// pi cut to ten digits, which leaves about 1e-10 behind.
inline constexpr double kLayoutAngleSnap = 1e-8;
// A reading direction shorter than this after projection into the chain's plane has
// no direction there (a line seen end on).
inline constexpr double kLayoutDegenerateDir = 1e-6;
} // namespace lintaro::tol

// Wraps an angle into [0, 2 pi) and snaps it onto a multiple of a quarter turn when it is
// within kLayoutAngleSnap of one.
double NormalizeAngle(double radians);

struct TextAngle {
    double angle = 0.0; // [0, pi): the dimension line's angle read left to right
    int sign = 1;       // -1 when the angle, in whole degrees, lies strictly between 90 and 180
};

// The text angle of a line running along `worldDir`: pi minus the angle from it to the
// world X axis about Z, reduced into [0, pi) and normalised, so a line drawn from right
// to left reads like one drawn from left to right.
TextAngle TextAngleOfDirection(const AcGeVector3d& worldDir);

// Whole degrees of an angle in radians (rounded).
long WholeDegrees(double radians);

struct TextFrame {
    double angle = 0.0;
    int sign = 1;
    AcGeVector3d along = AcGeVector3d::kXAxis;  // reading direction of the text
    AcGeVector3d up = AcGeVector3d::kYAxis;     // from the base line to the top of the letters
    AcGeVector3d normal = AcGeVector3d::kZAxis; // the texts' normal, towards a viewer from above
};

// The frame of a chain whose dimension line runs along `worldDir` in the plane with the
// normal `planeNormal`: along = sign x (cos a, sin a, 0) brought into that plane, up =
// normal x along. A normal pointing down (a mirrored chain) is turned up so the texts
// stay readable from above.
TextFrame MakeTextFrame(const AcGeVector3d& worldDir, const AcGeVector3d& planeNormal);
