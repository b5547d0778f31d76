#include "host/db/dimensions/AcDbDimensionLayout.h"

#include <algorithm>
#include <cmath>

namespace host {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;
constexpr double kTiny = 1e-12; // below any drawing's precision: "the same point"
// How far an outside arrowhead's own piece of dimension line reaches, in arrow sizes.
constexpr double kOutsideLineArrows = 2.0;

AcGeVector2d unitAt(double angle) { return {std::cos(angle), std::sin(angle)}; }

AcGeVector2d unitOr(const AcGeVector2d& v, const AcGeVector2d& fallback) {
    const double len = v.length();
    return len > kTiny ? v / len : fallback;
}

double normalizedSweep(double sweep) {
    sweep = std::fmod(sweep, kTwoPi);
    if (sweep <= kTiny) sweep += kTwoPi;
    return sweep;
}

// The sizes of one layout, in drawing units.
struct Sizes {
    double arrow, gap, exo, exe, dle, tick;
    explicit Sizes(const DimVars& v)
        : arrow(v.dimasz * v.scale()), gap(std::fabs(v.dimgap) * v.scale()), exo(v.dimexo * v.scale()),
          exe(v.dimexe * v.scale()), dle(v.dimdle * v.scale()), tick(v.dimtsz * v.scale()) {}
};

bool usesTicks(const DimVars& v, const DimArrows& a) {
    return v.dimtsz > 0.0 || (isTickArrow(a.first) && isTickArrow(a.second));
}

void addArrow(DimGraphics& g, const DimVars& v, const DimArrows& a, bool first, const AcGePoint2d& tip,
              const AcGeVector2d& dir) {
    const Sizes s(v);
    if (v.dimtsz > 0.0) {
        addDimArrow(g, DimArrowKind::Oblique, tip, dir, s.tick);
        return;
    }
    const DimArrowKind kind = first ? a.first : a.second;
    if (kind == DimArrowKind::UserBlock) {
        g.blockArrows.push_back({tip, dir.angle(), s.arrow, first ? a.firstBlock : a.secondBlock});
        return;
    }
    addDimArrow(g, kind, tip, dir, s.arrow);
}

// The text centre's distance from its line: above (dimtad 1, 2, 3), below (4) or on it (0).
double textLift(const DimVars& v, const DimTextSpec& t) {
    if (t.text.empty() || v.dimtad == 0) return 0.0;
    const double lift = Sizes(v).gap + t.height / 2.0;
    return v.dimtad == 4 ? -lift : lift;
}

void addText(DimGraphics& g, const DimTextSpec& t, const AcGePoint2d& center, double rotation) {
    if (t.text.empty()) return;
    g.texts.push_back({center, rotation, t.height, t.width, t.text});
}

// A line, left open where a text centred in it (dimtad 0) would cross it.
void addLineAroundText(DimGraphics& g, const AcGePoint2d& a, const AcGePoint2d& b, const DimGraphics::Text* text,
                       double gap, DimPart part) {
    const double len = a.distanceTo(b);
    if (len <= kTiny) return;
    if (text) {
        const AcGeVector2d u = (b - a) / len;
        const double along = (text->center - a).dotProduct(u);
        const double across = std::fabs((text->center - a).dotProduct(u.perpVector()));
        const double half = text->width / 2.0 + gap;
        if (across < text->height / 2.0 && along + half > 0.0 && along - half < len) {
            if (along - half > 0.0) g.lines.push_back({a, a + u * (along - half), part});
            if (along + half < len) g.lines.push_back({a + u * (along + half), b, part});
            return;
        }
    }
    g.lines.push_back({a, b, part});
}

// An extension line from `origin` towards `end` (the dimension line), starting dimexo
// away from the origin and reaching dimexe beyond the end.
void addExtensionLine(DimGraphics& g, const AcGePoint2d& origin, const AcGePoint2d& end, const Sizes& s,
                      DimPart part) {
    const AcGeVector2d v = end - origin;
    const double len = v.length();
    if (len <= s.exo || len <= kTiny) return;
    const AcGeVector2d u = v / len;
    g.lines.push_back({origin + u * s.exo, end + u * s.exe, part});
}

// Where two lines meet (point + t * direction); false when they are parallel.
bool meet(const AcGePoint2d& p, const AcGeVector2d& dp, const AcGePoint2d& q, const AcGeVector2d& dq,
          AcGePoint2d& at) {
    const double den = dp.x * dq.y - dp.y * dq.x;
    if (std::fabs(den) <= kTiny) return false;
    const AcGeVector2d w = q - p;
    at = p + dp * ((w.x * dq.y - w.y * dq.x) / den);
    return true;
}

double textRotationFor(const DimVars& v, const DimTextSpec& t, bool inside, double lineAngle) {
    if (t.userRotation) return t.rotation;
    if (inside ? v.dimtih : v.dimtoh) return 0.0;
    return readableAngle(lineAngle);
}

} // namespace

double readableAngle(double angle) {
    double a = std::fmod(angle, kTwoPi);
    if (a < 0.0) a += kTwoPi;
    if (a > kPi / 2.0 + 1e-9 && a <= 3.0 * kPi / 2.0 + 1e-9) a -= kPi;
    else if (a > 3.0 * kPi / 2.0) a -= kTwoPi;
    return a;
}

// ---- linear -------------------------------------------------------------------------------

double linearDimMeasurement(const LinearDimInput& in) {
    const AcGeVector2d d = unitOr(in.direction, AcGeVector2d::kXAxis);
    return std::fabs((in.x2 - in.x1).dotProduct(d));
}

DimGraphics layoutLinearDim(const LinearDimInput& in, const DimVars& v, const DimArrows& arrows,
                            const DimTextSpec& t) {
    DimGraphics g;
    const Sizes s(v);
    const AcGeVector2d d = unitOr(in.direction, AcGeVector2d::kXAxis);
    AcGeVector2d e = in.oblique != 0.0 ? unitAt(in.oblique) : d.perpVector();
    if (std::fabs(e.x * d.y - e.y * d.x) <= 1e-9) e = d.perpVector();

    // The text's frame does not depend on where the dimension line is.
    const AcGeVector2d u0 = (in.x2 - in.x1).dotProduct(d) < 0.0 ? -d : d;
    AcGePoint2d linePoint = in.dimLinePoint;
    if (t.userPosition && v.dimtmove == 0 && !t.text.empty()) {
        const double rot = textRotationFor(v, t, true, u0.angle());
        linePoint = t.position - unitAt(rot).perpVector() * textLift(v, t);
    }
    AcGePoint2d q1, q2;
    if (!meet(in.x1, e, linePoint, d, q1) || !meet(in.x2, e, linePoint, d, q2)) return g;
    const double len = q1.distanceTo(q2);
    const AcGeVector2d u = len > kTiny ? (q2 - q1) / len : u0;

    if (!v.dimse1) addExtensionLine(g, in.x1, q1, s, DimPart::ExtensionLine1);
    if (!v.dimse2) addExtensionLine(g, in.x2, q2, s, DimPart::ExtensionLine2);

    const bool ticks = usesTicks(v, arrows);
    const double textSpace = t.text.empty() ? 0.0 : t.width + 2.0 * s.gap;
    const bool arrowsInside = ticks || len >= 2.0 * s.arrow;
    const bool textInside = t.userPosition || v.dimtix || len >= textSpace + (ticks ? 0.0 : 2.0 * s.arrow);
    const double rotation = textRotationFor(v, t, textInside, u.angle());
    const AcGeVector2d up = unitAt(rotation).perpVector();
    const double lift = textLift(v, t);

    // The text first, so that the dimension line can leave room for it.
    AcGePoint2d center;
    const AcGePoint2d mid = q1 + (q2 - q1) / 2.0;
    double outsideReach = 0.0; // how far the dimension line runs on past q2 to carry a text outside
    if (t.userPosition) {
        center = t.position;
    } else if (textInside) {
        center = mid + up * lift;
    } else {
        const double before = (arrowsInside ? 0.0 : kOutsideLineArrows * s.arrow) + s.gap;
        center = q2 + u * (before + t.width / 2.0) + up * lift;
        if (v.dimtad != 0) outsideReach = before + t.width + s.gap;
    }
    addText(g, t, center, rotation);
    const DimGraphics::Text* inLine = (!t.text.empty() && lift == 0.0) ? &g.texts.back() : nullptr;

    if (ticks) {
        addLineAroundText(g, q1 - u * s.dle, q2 + u * std::max(s.dle, outsideReach), inLine, s.gap,
                          DimPart::DimensionLine);
        addArrow(g, v, arrows, true, q1, -u);
        addArrow(g, v, arrows, false, q2, u);
    } else if (arrowsInside) {
        addLineAroundText(g, q1, q2 + u * outsideReach, inLine, s.gap, DimPart::DimensionLine);
        addArrow(g, v, arrows, true, q1, -u);
        addArrow(g, v, arrows, false, q2, u);
    } else {
        const double outside = kOutsideLineArrows * s.arrow;
        g.lines.push_back({q1 - u * outside, q1, DimPart::DimensionLine});
        addLineAroundText(g, q2, q2 + u * std::max(outside, outsideReach), inLine, s.gap, DimPart::DimensionLine);
        if (v.dimtofl) addLineAroundText(g, q1, q2, inLine, s.gap, DimPart::DimensionLine);
        addArrow(g, v, arrows, true, q1, u);
        addArrow(g, v, arrows, false, q2, -u);
    }

    // A text moved away from the dimension line by hand gets a leader back to it.
    if (t.userPosition && v.dimtmove == 1 && !t.text.empty()) {
        const AcGePoint2d foot = center - up * lift;
        const double offLine = std::fabs((foot - q1).dotProduct(u.perpVector()));
        if (offLine > t.height) g.lines.push_back({foot, mid, DimPart::DimensionLine});
    }
    return g;
}

// ---- angular -------------------------------------------------------------------------------

bool resolveTwoLineAngle(const AcGePoint2d& l1s, const AcGePoint2d& l1e, const AcGePoint2d& l2s,
                         const AcGePoint2d& l2e, const AcGePoint2d& arcPoint, AngularDimInput& out) {
    const AcGeVector2d d1 = l1e - l1s, d2 = l2e - l2s;
    if (d1.length() <= kTiny || d2.length() <= kTiny) return false;
    AcGePoint2d c;
    if (!meet(l1s, d1.normal(), l2s, d2.normal(), c)) return false;
    const double radius = c.distanceTo(arcPoint);
    if (radius <= kTiny) return false;
    const double toArc = (arcPoint - c).angle();
    // Of the four angles the lines make, the one that holds the arc point, counted
    // counter-clockwise from whichever leg it starts at.
    struct Leg {
        AcGePoint2d s, e;
        AcGeVector2d d;
    };
    const Leg legs[2] = {{l1s, l1e, d1}, {l2s, l2e, d2}};
    for (int first : {0, 1}) {
        const Leg& from = legs[first];
        const Leg& to = legs[1 - first];
        for (int s1 : {1, -1}) {
            for (int s2 : {1, -1}) {
                const double a1 = (from.d * double(s1)).angle(), a2 = (to.d * double(s2)).angle();
                const double sweep = normalizedSweep(a2 - a1);
                if (sweep > kPi + 1e-9) continue;
                const double within = normalizedSweep(toArc - a1);
                if (within > sweep + 1e-9 && within < kTwoPi - 1e-9) continue;
                out.center = c;
                out.radius = radius;
                out.startAngle = a1;
                out.sweep = sweep;
                // Each extension line starts at the leg's end nearest the arc, unless
                // the arc meets the leg itself.
                auto origin = [&](const Leg& leg, double angle, AcGePoint2d& o) {
                    const AcGePoint2d end = c + unitAt(angle) * radius;
                    const double f = (end - leg.s).dotProduct(leg.d) / leg.d.lengthSqrd();
                    if (f >= 0.0 && f <= 1.0) return false;
                    o = f < 0.0 ? leg.s : leg.e;
                    return true;
                };
                out.hasExt1 = origin(from, a1, out.ext1Origin);
                out.hasExt2 = origin(to, a1 + sweep, out.ext2Origin);
                return true;
            }
        }
    }
    return false;
}

bool resolveThreePointAngle(const AcGePoint2d& center, const AcGePoint2d& x1, const AcGePoint2d& x2,
                            const AcGePoint2d& arcPoint, AngularDimInput& out) {
    if (center.distanceTo(x1) <= kTiny || center.distanceTo(x2) <= kTiny) return false;
    const double radius = center.distanceTo(arcPoint);
    if (radius <= kTiny) return false;
    const double a1 = (x1 - center).angle(), a2 = (x2 - center).angle();
    const double sweep = normalizedSweep(a2 - a1);
    const double within = normalizedSweep((arcPoint - center).angle() - a1);
    out.center = center;
    out.radius = radius;
    if (within <= sweep + 1e-9 || within >= kTwoPi - 1e-9) {
        out.startAngle = a1;
        out.sweep = sweep;
        out.ext1Origin = x1;
        out.ext2Origin = x2;
    } else {
        // The arc point lies in the other part: measure from the second leg round to the first.
        out.startAngle = a2;
        out.sweep = kTwoPi - sweep;
        out.ext1Origin = x2;
        out.ext2Origin = x1;
    }
    out.hasExt1 = out.hasExt2 = true;
    return true;
}

namespace {

// The dimension arc with its arrows and text; shared by angle and arc length.
void layoutArcBody(DimGraphics& g, const AcGePoint2d& c, double radius, double a0, double sweep, const DimVars& v,
                   const DimArrows& arrows, const DimTextSpec& t) {
    const Sizes s(v);
    const double a1 = a0 + sweep;
    const AcGePoint2d e0 = c + unitAt(a0) * radius, e1 = c + unitAt(a1) * radius;
    const AcGeVector2d cw0(std::sin(a0), -std::cos(a0)), ccw1(-std::sin(a1), std::cos(a1));
    const double arcLength = radius * sweep;
    const bool ticks = usesTicks(v, arrows);
    const bool arrowsInside = ticks || arcLength >= 2.0 * s.arrow;
    const double textSpace = t.text.empty() ? 0.0 : t.width + 2.0 * s.gap;

    const double midAngle = t.userPosition && c.distanceTo(t.position) > kTiny ? (t.position - c).angle()
                                                                                : a0 + sweep / 2.0;
    const double rotation = textRotationFor(v, t, true, midAngle + kPi / 2.0);
    const AcGeVector2d up = unitAt(rotation).perpVector();
    const AcGePoint2d center = t.userPosition ? t.position : c + unitAt(midAngle) * radius + up * textLift(v, t);
    addText(g, t, center, rotation);

    // The arc, left open around a text that sits in it.
    const bool textInArc = !t.text.empty() && v.dimtad == 0 && !t.userPosition && arcLength >= textSpace;
    if (textInArc) {
        const double half = (t.width / 2.0 + s.gap) / radius;
        g.arcs.push_back({c, radius, a0, std::max(0.0, sweep / 2.0 - half), DimPart::DimensionLine});
        g.arcs.push_back({c, radius, a0 + sweep / 2.0 + half, std::max(0.0, sweep / 2.0 - half),
                          DimPart::DimensionLine});
    } else {
        g.arcs.push_back({c, radius, a0, sweep, DimPart::DimensionLine});
    }
    if (arrowsInside) {
        addArrow(g, v, arrows, true, e0, cw0);
        addArrow(g, v, arrows, false, e1, ccw1);
    } else {
        const double outside = kOutsideLineArrows * s.arrow;
        g.lines.push_back({e0 + cw0 * outside, e0, DimPart::DimensionLine});
        g.lines.push_back({e1 + ccw1 * outside, e1, DimPart::DimensionLine});
        addArrow(g, v, arrows, true, e0, -cw0);
        addArrow(g, v, arrows, false, e1, -ccw1);
    }
    g.arcs.erase(std::remove_if(g.arcs.begin(), g.arcs.end(), [](const DimGraphics::Arc& a) { return a.sweep <= kTiny; }),
                 g.arcs.end());
}

} // namespace

DimGraphics layoutAngularDim(const AngularDimInput& in, const DimVars& v, const DimArrows& arrows,
                             const DimTextSpec& t) {
    DimGraphics g;
    if (in.radius <= kTiny || in.sweep <= kTiny) return g;
    const Sizes s(v);
    const AcGePoint2d e0 = in.center + unitAt(in.startAngle) * in.radius;
    const AcGePoint2d e1 = in.center + unitAt(in.startAngle + in.sweep) * in.radius;
    if (in.hasExt1 && !v.dimse1) addExtensionLine(g, in.ext1Origin, e0, s, DimPart::ExtensionLine1);
    if (in.hasExt2 && !v.dimse2) addExtensionLine(g, in.ext2Origin, e1, s, DimPart::ExtensionLine2);
    layoutArcBody(g, in.center, in.radius, in.startAngle, in.sweep, v, arrows, t);
    return g;
}

// ---- radius and diameter ------------------------------------------------------------------

DimGraphics layoutRadialDim(const AcGePoint2d& c, const AcGePoint2d& chordPoint, double leaderLength,
                            const DimVars& v, const DimArrows& arrows, const DimTextSpec& t) {
    DimGraphics g;
    const double r = c.distanceTo(chordPoint);
    if (r <= kTiny) return g;
    const Sizes s(v);
    AcGeVector2d u = (chordPoint - c) / r;
    double dist = r + std::max(leaderLength, kOutsideLineArrows * s.arrow) + s.gap + t.width / 2.0;
    if (t.userPosition && c.distanceTo(t.position) > kTiny) {
        u = unitOr(t.position - c, u);
        dist = c.distanceTo(t.position);
    }
    const AcGePoint2d tip = c + u * r;
    const bool outside = dist > r;
    const double rotation = textRotationFor(v, t, !outside, u.angle());
    const AcGeVector2d up = unitAt(rotation).perpVector();
    const AcGePoint2d onLine = c + u * dist;
    addText(g, t, t.userPosition ? t.position : onLine + up * textLift(v, t), rotation);
    const DimGraphics::Text* inLine = (!t.text.empty() && textLift(v, t) == 0.0) ? &g.texts.back() : nullptr;
    if (outside) {
        const double reach = v.dimtad != 0 ? dist + t.width / 2.0 : dist - t.width / 2.0 - s.gap;
        if (reach > r) g.lines.push_back({tip, c + u * reach, DimPart::DimensionLine});
        addArrow(g, v, arrows, true, tip, -u);
        const double mark = std::fabs(v.dimcen) * v.scale();
        if (mark > 0.0) {
            g.lines.push_back({c - AcGeVector2d::kXAxis * mark, c + AcGeVector2d::kXAxis * mark, DimPart::DimensionLine});
            g.lines.push_back({c - AcGeVector2d::kYAxis * mark, c + AcGeVector2d::kYAxis * mark, DimPart::DimensionLine});
        }
    } else {
        addLineAroundText(g, c, tip, inLine, s.gap, DimPart::DimensionLine);
        addArrow(g, v, arrows, true, tip, u);
    }
    return g;
}

// The text stays in the circle unless the user puts it elsewhere, so the leader
// length plays no part.
DimGraphics layoutDiametricDim(const AcGePoint2d& chordPoint, const AcGePoint2d& farChordPoint, double,
                               const DimVars& v, const DimArrows& arrows, const DimTextSpec& t) {
    DimGraphics g;
    const double r = chordPoint.distanceTo(farChordPoint) / 2.0;
    if (r <= kTiny) return g;
    const Sizes s(v);
    const AcGePoint2d c = farChordPoint + (chordPoint - farChordPoint) / 2.0;
    AcGeVector2d u = (chordPoint - c) / r;
    double dist = 0.0;
    if (t.userPosition && c.distanceTo(t.position) > kTiny) {
        u = unitOr(t.position - c, u);
        dist = c.distanceTo(t.position);
    }
    const AcGePoint2d q1 = c + u * r, q2 = c - u * r;
    const bool outside = dist > r;
    const double rotation = textRotationFor(v, t, !outside, u.angle());
    const AcGeVector2d up = unitAt(rotation).perpVector();
    addText(g, t, t.userPosition ? t.position : c + up * textLift(v, t), rotation);
    const DimGraphics::Text* inLine = (!t.text.empty() && textLift(v, t) == 0.0) ? &g.texts.back() : nullptr;
    addLineAroundText(g, q2, q1, inLine, s.gap, DimPart::DimensionLine);
    if (outside) {
        const double reach = v.dimtad != 0 ? dist + t.width / 2.0 : dist - t.width / 2.0 - s.gap;
        if (reach > r) g.lines.push_back({q1, c + u * reach, DimPart::DimensionLine});
    }
    addArrow(g, v, arrows, true, q1, u);
    addArrow(g, v, arrows, false, q2, -u);
    return g;
}

// ---- arc length ------------------------------------------------------------------------------

double arcLengthDimMeasurement(const ArcLengthDimInput& in) {
    const double r = in.center.distanceTo(in.x1);
    if (r <= kTiny || in.center.distanceTo(in.x2) <= kTiny) return 0.0;
    return r * normalizedSweep((in.x2 - in.center).angle() - (in.x1 - in.center).angle());
}

DimGraphics layoutArcLengthDim(const ArcLengthDimInput& in, const DimVars& v, const DimArrows& arrows,
                               const DimTextSpec& t) {
    DimGraphics g;
    const double radius = in.center.distanceTo(in.arcPoint);
    if (radius <= kTiny || in.center.distanceTo(in.x1) <= kTiny || in.center.distanceTo(in.x2) <= kTiny) return g;
    const Sizes s(v);
    const double a0 = (in.x1 - in.center).angle();
    const double sweep = normalizedSweep((in.x2 - in.center).angle() - a0);
    if (!v.dimse1) addExtensionLine(g, in.x1, in.center + unitAt(a0) * radius, s, DimPart::ExtensionLine1);
    if (!v.dimse2) addExtensionLine(g, in.x2, in.center + unitAt(a0 + sweep) * radius, s, DimPart::ExtensionLine2);
    layoutArcBody(g, in.center, radius, a0, sweep, v, arrows, t);
    return g;
}

} // namespace host
