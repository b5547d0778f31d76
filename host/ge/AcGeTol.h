#pragma once
// Tolerances: the host's AcGeTol with its global AcGeContext::gTol, and the named
// tolerances of the dimensioning rules, kept together so that every comparison in
// code and tests says which rule it guards.

class AcGeTol {
public:
    AcGeTol() = default;

    double equalPoint() const { return mEqualPoint; }
    double equalVector() const { return mEqualVector; }
    void setEqualPoint(double val) { mEqualPoint = val; }
    void setEqualVector(double val) { mEqualVector = val; }

private:
    double mEqualPoint = 1e-10;
    double mEqualVector = 1e-10;
};

// The host's global tolerance, the default argument of every comparison.
struct AcGeContext {
    static AcGeTol gTol;
};

namespace lintaro::tol {

// Defaults of AcGeContext::gTol.
inline constexpr double kHostEqualPoint = 1e-10;
inline constexpr double kHostEqualVector = 1e-10;

// Chain points and extensions.
// Two dimension points closer than this are the same; a smaller shift of the
// dimension line moves no text.
inline constexpr double kDimPointSame = 1e-4;
// A duplicate point on a one-extension chain is nudged by the direction / this.
inline constexpr double kDuplicateNudgeDivisor = 1e6;
// A text this close to its default place was not moved by hand.
inline constexpr double kTextAtDefault = 1e-3;
// An extension line this close to the fixed length counts as fixed-length.
inline constexpr double kFixedExtLength = 0.01;
// The on-line band when deciding on which side of the dimension line a point is.
inline constexpr double kSideOfDimLine = 1e-3;

// Line intersection with widening tolerance: n * step for n = 1 .. steps.
inline constexpr double kIntersectTolStep = 1e-5;
inline constexpr int kIntersectTolSteps = 100;

// Arc chains.
// A point lies on the measured curve; also the first parameter tolerance, which
// is doubled at most kArcParamTolDoublings times.
inline constexpr double kOnCurve = 1e-3;
inline constexpr int kArcParamTolDoublings = 100;
// A circle parameter this close to the end wraps to 0.
inline constexpr double kCircleEndParam = 1e-6;
// Tolerance of arc lengths between parameters.
inline constexpr double kArcLengthTol = 1e-6;
// Pi and 2 pi as the chain's circumference and angle rules write them.
inline constexpr double kArcPi = 3.1415926535;
inline constexpr double kArcTwoPi = 6.283185307;
// A stored centre this close to the origin counts as unset.
inline constexpr double kArcCentreNearOrigin = 0.01;
// A point this close to the centre has no direction from it.
inline constexpr double kArcPointNearCentre = 1e-3;
// A dimension arc below this radius is replaced by a circle of the fallback radius.
inline constexpr double kArcMinRadius = 1e-3;
inline constexpr double kArcFallbackRadius = 0.05;
// An arc extension at or below this is none.
inline constexpr double kArcExtendMin = 1e-4;
// A pick at the centre is moved this far along X.
inline constexpr double kArcCentreNudge = 0.05;
// Added to a zero substitute radius.
inline constexpr double kSubstituteRadiusPad = 1e-4;

// Joining and converting.
// Vector tolerance when refusing to join perpendicular chains.
inline constexpr double kPerpendicularJoin = 0.1;
// Points and vectors when joining converted dimensions.
inline constexpr double kConvertJoin = 1e-3;
// A joined record this short adds no segment.
inline constexpr double kConvertMinLength = 1e-4;

// Height marks.
// A text height below this takes the default.
inline constexpr double kHeightTextHeightMin = 1e-8;
// A height value this close to zero is shown as zero.
inline constexpr double kHeightZero = 1e-6;
// A symbol point this close to the input point is not projected.
inline constexpr double kHeightProjection = 1e-6;

} // namespace lintaro::tol
