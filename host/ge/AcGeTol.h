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
inline constexpr double kDimPointSame = 1e-4;         // two dimension points are the same; smaller shifts move no text
inline constexpr double kDuplicateNudgeDivisor = 1e6; // a duplicate point is nudged by the direction / this
inline constexpr double kTextAtDefault = 1e-3;        // a text this close to its default place was not moved by hand
inline constexpr double kFixedExtLength = 0.01;       // an extension line this close to the fixed length is fixed
inline constexpr double kSideOfDimLine = 1e-3;        // on-line band when deciding the side of the dimension line

// Line intersection with widening tolerance: n * step for n = 1 .. steps.
inline constexpr double kIntersectTolStep = 1e-5;
inline constexpr int kIntersectTolSteps = 100;

// Arc chains.
inline constexpr double kOnCurve = 1e-3;              // a point lies on the measured curve; first parameter tolerance
inline constexpr int kArcParamTolDoublings = 100;     // the parameter tolerance is doubled at most this often
inline constexpr double kCircleEndParam = 1e-6;       // a circle parameter this close to the end wraps to 0
inline constexpr double kArcLengthTol = 1e-6;         // tolerance of arc lengths between parameters
inline constexpr double kArcPi = 3.1415926535;        // pi as the chain's circumference rule writes it
inline constexpr double kArcTwoPi = 6.283185307;      // 2 pi as the chain's angle rules write it
inline constexpr double kArcCentreNearOrigin = 0.01;  // a stored centre this close to the origin is unset
inline constexpr double kArcPointNearCentre = 1e-3;   // a point this close to the centre has no direction
inline constexpr double kArcMinRadius = 1e-3;         // a dimension arc below this radius is replaced
inline constexpr double kArcFallbackRadius = 0.05;    // ... by a circle of this radius
inline constexpr double kArcExtendMin = 1e-4;         // an arc extension at or below this is none
inline constexpr double kArcCentreNudge = 0.05;       // a pick at the centre is moved this far along X
inline constexpr double kSubstituteRadiusPad = 1e-4;  // added to a zero substitute radius

// Joining and converting.
inline constexpr double kPerpendicularJoin = 0.1;     // vector tolerance when refusing to join perpendicular chains
inline constexpr double kConvertJoin = 1e-3;          // points and vectors when joining converted dimensions
inline constexpr double kConvertMinLength = 1e-4;     // a joined record this short adds no segment

// Height marks.
inline constexpr double kHeightTextHeightMin = 1e-8;  // a text height below this takes the default
inline constexpr double kHeightZero = 1e-6;           // a height value this close to zero is shown as zero
inline constexpr double kHeightProjection = 1e-6;     // a symbol point this close to the input is not projected

} // namespace lintaro::tol
