#include "module/chain/TextFrame.h"

#include "host/ge/AcGeTol.h"

#include <cmath>
#include <numbers>

namespace {
constexpr double kPi = std::numbers::pi;
constexpr double kQuarter = kPi / 2.0;
} // namespace

double NormalizeAngle(double radians) {
    if (!std::isfinite(radians)) return 0.0;
    double a = std::fmod(radians, 2.0 * kPi);
    if (a < 0) a += 2.0 * kPi;
    const double quarters = std::round(a / kQuarter);
    if (std::fabs(a - quarters * kQuarter) <= lintaro::tol::kLayoutAngleSnap) a = quarters * kQuarter;
    if (a >= 2.0 * kPi) a = 0.0;
    return a;
}

long WholeDegrees(double radians) {
    return std::lround(radians * 180.0 / kPi);
}

TextAngle TextAngleOfDirection(const AcGeVector3d& worldDir) {
    using lintaro::tol::kArcPi;
    using lintaro::tol::kArcTwoPi;
    const AcGeVector3d flat(worldDir.x, worldDir.y, 0.0);
    const double toX = flat.isZeroLength() ? 0.0 : flat.angleTo(AcGeVector3d::kXAxis, AcGeVector3d::kZAxis);
    double a = kArcPi - toX;
    if (a < 0) a += kArcTwoPi;
    if (a >= kArcPi) a -= kArcPi;
    a = NormalizeAngle(a);
    // A half turn snapped from just below pi is the same line read the other way.
    if (a >= kPi) a -= kPi;
    TextAngle out;
    const long degrees = WholeDegrees(a);
    out.sign = ((degrees > 90 && degrees < 180) || (degrees > 270 && degrees < 360)) ? -1 : 1;
    if (degrees > 180) a = NormalizeAngle(2.0 * kPi - a);
    out.angle = a;
    return out;
}

TextFrame MakeTextFrame(const AcGeVector3d& worldDir, const AcGeVector3d& planeNormal) {
    TextFrame frame;
    const TextAngle ta = TextAngleOfDirection(worldDir);
    frame.angle = ta.angle;
    frame.sign = ta.sign;
    AcGeVector3d n = planeNormal.isZeroLength() ? AcGeVector3d::kZAxis : planeNormal.normal();
    if (n.z < 0) n = -n;
    frame.normal = n;
    const AcGeVector3d reading(ta.sign * std::cos(ta.angle), ta.sign * std::sin(ta.angle), 0.0);
    // In plan the reading direction lies in the plane already; a chain in another plane
    // takes its projection, or its own direction when the projection vanishes.
    AcGeVector3d along = reading - n * reading.dotProduct(n);
    if (along.length() < lintaro::tol::kLayoutDegenerateDir) {
        along = worldDir.isZeroLength() ? AcGeVector3d::kXAxis : worldDir;
        along -= n * along.dotProduct(n);
        if (along.isZeroLength()) along = n.perpVector();
    }
    frame.along = along.normal();
    frame.up = n.crossProduct(frame.along).normal();
    return frame;
}
