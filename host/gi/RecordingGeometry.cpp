#include "host/gi/RecordingGeometry.h"

#include "host/ge/AcGeMatrix3d.h"
#include "host/gi/AcGiDrawable.h"
#include "host/gi/RecordingWorldDraw.h"

#include <algorithm>
#include <cmath>

namespace host::gi {

namespace {

constexpr double kTwoPi = 6.28318530717958647692;

bool finite(const AcGePoint3d& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}
bool finite(const AcGeVector3d& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

// A usable unit normal: a zero or broken normal means the world Z axis.
AcGeVector3d unitNormal(const AcGeVector3d& n) {
    if (!finite(n) || n.isZeroLength()) return AcGeVector3d::kZAxis;
    return n.normal();
}

// A unit vector in the plane of n, from v projected; the arbitrary axis when v has
// nothing in that plane.
AcGeVector3d inPlane(const AcGeVector3d& n, const AcGeVector3d& v) {
    AcGeVector3d p = finite(v) ? v - n * v.dotProduct(n) : AcGeVector3d();
    if (p.length() <= 1e-12 * std::max(1.0, v.length())) return acgeArbitraryXAxis(n);
    return p.normal();
}

} // namespace

bool circleThrough(const AcGePoint3d& p1, const AcGePoint3d& p2, const AcGePoint3d& p3, AcGePoint3d& center,
                   double& radius, AcGeVector3d& normal) {
    if (!finite(p1) || !finite(p2) || !finite(p3)) return false;
    AcGeVector3d a = p1 - p3, b = p2 - p3;
    AcGeVector3d n = a.crossProduct(b);
    double nn = n.lengthSqrd();
    double scale = std::max(a.lengthSqrd(), b.lengthSqrd());
    if (!(nn > 1e-24 * scale * scale) || scale == 0.0) return false;
    AcGeVector3d toCenter = (b * a.lengthSqrd() - a * b.lengthSqrd()).crossProduct(n) / (2.0 * nn);
    center = p3 + toCenter;
    radius = toCenter.length();
    normal = n.normal();
    return true;
}

bool RecordingGeometry::arc(const AcGePoint3d& center, double radius, const AcGeVector3d& normal,
                            const AcGeVector3d& startVector, double sweep, AcGiArcType arcType,
                            bool fullCircle) const {
    if (!finite(center) || !std::isfinite(radius) || !(radius > 0) || !std::isfinite(sweep))
        return m_owner.regenAbort();
    AcGeVector3d n = unitNormal(normal);
    if (sweep < 0) {
        n = -n;
        sweep = -sweep;
    }
    sweep = std::min(sweep, kTwoPi);
    AcGeVector3d u = inPlane(n, startVector);
    AcGeVector3d v = n.crossProduct(u);
    const AcGeMatrix3d& m = m_owner.modelToWorld();
    AcGeVector3d uw = m * (u * radius), vw = m * (v * radius);
    GiPrimitive p;
    p.kind = fullCircle ? GiPrimitive::Circle : GiPrimitive::Arc;
    p.center = m * center;
    p.radius = uw.length();
    p.normal = unitNormal(uw.crossProduct(vw));
    p.startVector = inPlane(p.normal, uw);
    p.sweep = fullCircle ? kTwoPi : sweep;
    p.arcType = fullCircle ? kAcGiArcSimple : arcType;
    if (!(p.radius > 0) || !std::isfinite(p.radius)) return m_owner.regenAbort();
    return m_owner.record(std::move(p));
}

bool RecordingGeometry::circle(const AcGePoint3d& center, double radius, const AcGeVector3d& normal) const {
    AcGeVector3d n = unitNormal(normal);
    return arc(center, radius, n, acgeArbitraryXAxis(n), kTwoPi, kAcGiArcSimple, true);
}

bool RecordingGeometry::circle(const AcGePoint3d& p1, const AcGePoint3d& p2, const AcGePoint3d& p3) const {
    AcGePoint3d c;
    double r = 0;
    AcGeVector3d n;
    if (!circleThrough(p1, p2, p3, c, r, n)) return m_owner.regenAbort();
    return arc(c, r, n, p1 - c, kTwoPi, kAcGiArcSimple, true);
}

bool RecordingGeometry::circularArc(const AcGePoint3d& center, double radius, const AcGeVector3d& normal,
                                    const AcGeVector3d& startVector, double sweepAngle,
                                    AcGiArcType arcType) const {
    return arc(center, radius, normal, startVector, sweepAngle, arcType, false);
}

bool RecordingGeometry::circularArc(const AcGePoint3d& start, const AcGePoint3d& point,
                                    const AcGePoint3d& end, AcGiArcType arcType) const {
    AcGePoint3d c;
    double r = 0;
    AcGeVector3d n;
    if (!circleThrough(start, point, end, c, r, n)) return m_owner.regenAbort();
    double sweep = (start - c).angleTo(end - c, n);
    if (sweep <= 0) sweep = kTwoPi;
    return arc(c, r, n, start - c, sweep, arcType, false);
}

bool RecordingGeometry::polyline(uint32_t nbPoints, const AcGePoint3d* pVertexList, const AcGeVector3d*,
                                 LONG_PTR lBaseSubEntMarker) const {
    if (nbPoints == 0 || !pVertexList) return m_owner.regenAbort();
    GiPrimitive p;
    p.kind = GiPrimitive::Polyline;
    p.baseMarker = lBaseSubEntMarker;
    p.points.reserve(nbPoints);
    const AcGeMatrix3d& m = m_owner.modelToWorld();
    for (uint32_t i = 0; i < nbPoints; ++i) {
        if (!finite(pVertexList[i])) return m_owner.regenAbort();
        p.points.push_back(m * pVertexList[i]);
    }
    return m_owner.record(std::move(p));
}

bool RecordingGeometry::polygon(uint32_t nbPoints, const AcGePoint3d* pVertexList) const {
    if (nbPoints == 0 || !pVertexList) return m_owner.regenAbort();
    GiPrimitive p;
    p.kind = GiPrimitive::Polygon;
    p.points.reserve(nbPoints);
    const AcGeMatrix3d& m = m_owner.modelToWorld();
    for (uint32_t i = 0; i < nbPoints; ++i) {
        if (!finite(pVertexList[i])) return m_owner.regenAbort();
        p.points.push_back(m * pVertexList[i]);
    }
    return m_owner.record(std::move(p));
}

bool RecordingGeometry::text(const AcGePoint3d& position, const AcGeVector3d& normal,
                             const AcGeVector3d& direction, double height, double width, double oblique,
                             const wchar_t* pMsg) const {
    // The host's standard font: the style without a font file.
    AcGiTextStyle standard;
    standard.setTextSize(height);
    standard.setXScale(width);
    standard.setObliquingAngle(oblique);
    return styledText(position, normal, direction, pMsg, -1, false, standard);
}

bool RecordingGeometry::text(const AcGePoint3d& position, const AcGeVector3d& normal,
                             const AcGeVector3d& direction, const wchar_t* pMsg, int length, bool raw,
                             const AcGiTextStyle& textStyle) const {
    return styledText(position, normal, direction, pMsg, length, raw, textStyle);
}

bool RecordingGeometry::styledText(const AcGePoint3d& position, const AcGeVector3d& normal,
                                   const AcGeVector3d& direction, const wchar_t* pMsg, int length, bool raw,
                                   const AcGiTextStyle& style) const {
    if (!pMsg || !finite(position) || !std::isfinite(style.textSize()) || !std::isfinite(style.xScale()) ||
        !std::isfinite(style.obliquingAngle()))
        return m_owner.regenAbort();
    AcGeVector3d n = unitNormal(normal);
    AcGeVector3d d = inPlane(n, direction);
    AcGeVector3d up = n.crossProduct(d);
    const AcGeMatrix3d& m = m_owner.modelToWorld();
    AcGeVector3d dw = m * d, uw = m * up;
    double dl = dw.length(), ul = uw.length();
    if (!(dl > 0) || !(ul > 0)) return m_owner.regenAbort();

    GiPrimitive p;
    p.kind = GiPrimitive::Text;
    p.position = m * position;
    p.direction = dw / dl;
    p.normal = unitNormal(dw.crossProduct(uw));
    std::wstring_view all(pMsg);
    if (length >= 0 && size_t(length) < all.size()) all = all.substr(0, size_t(length));
    if (all.size() > RecordingWorldDraw::kMaxDrawnTextLength) {
        all = all.substr(0, RecordingWorldDraw::kMaxDrawnTextLength);
        m_owner.noteTextCut();
    }
    p.text = std::wstring(all);
    p.raw = raw;
    // A scaling model transform scales the text: its height with the up vector, its
    // width with the direction.
    if (ul == 1.0 && dl == 1.0) {
        p.setStyle(style);
    } else {
        AcGiTextStyle scaled = style;
        scaled.setTextSize(style.textSize() * ul);
        scaled.setXScale(style.xScale() * dl / ul);
        p.setStyle(scaled);
    }
    return m_owner.record(std::move(p));
}

bool RecordingGeometry::xline(const AcGePoint3d& p1, const AcGePoint3d& p2) const {
    if (!finite(p1) || !finite(p2) || p1.isEqualTo(p2)) return m_owner.regenAbort();
    GiPrimitive p;
    p.kind = GiPrimitive::Xline;
    p.points = {m_owner.modelToWorld() * p1, m_owner.modelToWorld() * p2};
    return m_owner.record(std::move(p));
}

bool RecordingGeometry::ray(const AcGePoint3d& origin, const AcGePoint3d& throughPoint) const {
    if (!finite(origin) || !finite(throughPoint) || origin.isEqualTo(throughPoint))
        return m_owner.regenAbort();
    GiPrimitive p;
    p.kind = GiPrimitive::Ray;
    p.points = {m_owner.modelToWorld() * origin, m_owner.modelToWorld() * throughPoint};
    return m_owner.record(std::move(p));
}

bool RecordingGeometry::draw(AcGiDrawable* pDrawable) const {
    if (pDrawable) m_owner.drawNested(pDrawable);
    return m_owner.regenAbort();
}

bool RecordingGeometry::pushModelTransform(const AcGeVector3d& normal) {
    m_owner.pushTransform(AcGeMatrix3d::planeToWorld(unitNormal(normal)));
    return m_owner.regenAbort();
}

bool RecordingGeometry::pushModelTransform(const AcGeMatrix3d& xMat) {
    m_owner.pushTransform(xMat);
    return m_owner.regenAbort();
}

bool RecordingGeometry::popModelTransform() {
    m_owner.popTransform();
    return m_owner.regenAbort();
}

AcGeMatrix3d RecordingGeometry::getModelToWorldTransform() const {
    return m_owner.modelToWorld();
}

AcGeMatrix3d RecordingGeometry::getWorldToModelTransform() const {
    return m_owner.modelToWorld().inverse();
}

void RecordingGeometry::setExtents(AcGePoint3d* newExtents) const {
    if (!newExtents || !finite(newExtents[0]) || !finite(newExtents[1])) return;
    const AcGeMatrix3d& m = m_owner.modelToWorld();
    m_owner.noteExtents(m * newExtents[0], m * newExtents[1]);
}

} // namespace host::gi
