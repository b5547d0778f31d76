#include "module/chain/ArcGeometry.h"

#include "host/db/entities/AcDbPolyline.h"
#include "host/ge/AcGeLine3d.h"
#include "host/ge/AcGeMatrix3d.h"
#include "host/ge/AcGeTol.h"
#include "module/base/LintaroLog.h"

#include <algorithm>
#include <cmath>
#include <numbers>

using namespace lintaro::tol;

namespace {

constexpr double kFullTurn = 2.0 * std::numbers::pi;

AcGeVector3d UnitNormal(const AcGeVector3d& normal) {
    return normal.isZeroLength() ? AcGeVector3d::kZAxis : normal.normal();
}

} // namespace

AcGeCircArc3d* Polyline2GeArc(const AcDbPolyline* polyline, int segment) {
    if (!polyline) return nullptr;
    const int total = static_cast<int>(polyline->numSegments());
    if (segment < 0 || segment >= total) {
        LogFmt(L"\n***Polyline2GeArc Subent=%d total=%d", segment, total);
        return nullptr;
    }
    auto* arc = new AcGeCircArc3d();
    const Acad::ErrorStatus es = polyline->getArcSegAt(static_cast<unsigned int>(segment), *arc);
    if (es != Acad::eOk) {
        LogFmt(L"\nFailed to get segment at %d.  e=%d", segment, static_cast<int>(es));
        delete arc;
        return nullptr;
    }
    // A clockwise bulge comes about the turned-over normal; the chain wants its
    // parameters counter-clockwise in the polyline's own plane.
    TurnCounterClockwise(*arc, polyline->normal());
    return arc;
}

void TurnCounterClockwise(AcGeCircArc3d& arc, const AcGeVector3d& normal) {
    if (arc.normal().dotProduct(normal) < 0.0) arc.reverseParam();
}

void WidenToFullCircle(AcGeCircArc3d& arc) {
    const double missing = kArcTwoPi - std::fabs(arc.endAng() - arc.startAng());
    if (missing <= 0.0) return;
    const double start = arc.startAng() - missing / 2.0;
    arc.setAngles(start, start + kFullTurn);
}

void StartCircleAt(AcGeCircArc3d& circle, const AcGePoint3d& point) {
    AcGeVector3d ref = (point - circle.center()).orthoProject(circle.normal());
    if (ref.isZeroLength()) return;
    circle.setAxes(circle.normal(), ref.normal());
    circle.setAngles(0.0, kFullTurn);
}

ArcParam ParamOnArc(const AcGeCircArc3d& arc, const AcGePoint3d& point, bool isCircle) {
    ArcParam out;
    double tol = kOnCurve;
    for (int step = 0; step <= kArcParamTolDoublings; ++step, tol *= 2.0) {
        AcGeTol t;
        t.setEqualPoint(tol);
        out.tries = step + 1;
        if (arc.isOn(point, out.param, t)) {
            out.on = true;
            break;
        }
    }
    if (!out.on) out.param = arc.paramOf(point);
    if (isCircle) {
        if (std::fabs(out.param - arc.endAng()) < kCircleEndParam) out.param = arc.startAng();
        return out;
    }
    if (out.param <= arc.startAng()) {
        out.param = arc.startAng();
        out.end = -1;
    } else if (out.param >= arc.endAng()) {
        out.param = arc.endAng();
        out.end = 1;
    }
    return out;
}

double AngleAbout(const AcGePoint3d& center, const AcGeVector3d& normal, const AcGePoint3d& point) {
    const AcGeVector3d n = UnitNormal(normal);
    const AcGeVector3d x = acgeArbitraryXAxis(n);
    const AcGeVector3d y = n.crossProduct(x);
    const AcGeVector3d v = point - center;
    double a = std::atan2(v.dotProduct(y), v.dotProduct(x));
    if (a < 0.0) a += kFullTurn;
    return a >= kFullTurn ? 0.0 : a;
}

AcGeCircArc3d ArcBetween(const AcGePoint3d& center, const AcGeVector3d& normal, double radius,
                         const AcGePoint3d& from, const AcGePoint3d& to) {
    const AcGeVector3d n = UnitNormal(normal);
    const double a0 = AngleAbout(center, n, from);
    double a1 = AngleAbout(center, n, to);
    if (a1 < a0) a1 += kFullTurn;
    return AcGeCircArc3d(center, n, acgeArbitraryXAxis(n), radius, a0, a1);
}

bool ExtendArc(AcGeCircArc3d& arc, double extend) {
    if (arc.radius() <= 0.0) return false;
    const double sweep = arc.endAng() - arc.startAng();
    if (sweep >= kFullTurn) return false;
    const double delta = std::min(extend / arc.radius(), (kFullTurn - sweep) / 2.0);
    if (delta <= 0.0) return false;
    arc.setAngles(arc.startAng() - delta, arc.endAng() + delta);
    return true;
}

std::optional<AcGeCircArc3d> SubstituteArc(const SubstituteArcInput& in, bool& parallel) {
    parallel = false;
    const size_t n = std::min(in.inputs.size(), in.dims.size());
    if (n < 2) return std::nullopt;
    const AcGeVector3d normal = UnitNormal(in.normal);
    const AcGePoint3d& first = in.inputs.front();
    const AcGePoint3d& last = in.inputs[n - 1];
    const AcGeVector3d d1 = in.dims.front() - first;
    const AcGeVector3d d2 = in.dims[n - 1] - last;
    AcGePoint3d center = first + (last - first) * 0.5;
    AcGePoint3d meet;
    if (!d1.isZeroLength() && !d2.isZeroLength() &&
        AcGeLine3d(first, d1).intersectWith(AcGeLine3d(last, d2), meet)) {
        center = meet;
    } else {
        parallel = true;
        AcGeError error = AcGe::kOk;
        AcGeCircArc3d through;
        if (n >= 3) through.set(first, in.inputs[n - 2], last, error);
        if (n >= 3 && error == AcGe::kOk) center = through.center();
    }
    double radius = center.distanceTo(first);
    if (radius <= 0.0) radius = first.distanceTo(in.dims.front()) + kSubstituteRadiusPad;
    // From the first point counter-clockwise, far enough to hold every point.
    const double start = AngleAbout(center, normal, first);
    double sweep = 0.0;
    for (size_t i = 1; i < n; ++i) {
        double a = AngleAbout(center, normal, in.inputs[i]) - start;
        if (a < 0.0) a += kFullTurn;
        sweep = std::max(sweep, a);
    }
    if (sweep <= 0.0) sweep = kFullTurn;
    return AcGeCircArc3d(center, normal, acgeArbitraryXAxis(normal), radius, start, start + sweep);
}
