#include "host/db/entities/AcDbPolyline.h"

#include "host/db/entities/AcDbArc.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/entities/ClosestPoints.h"
#include "host/db/filing/FilingChecks.h"
#include "host/gi/AcGiSubEntityTraits.h"
#include "host/gi/AcGiWorldDraw.h"
#include "host/gi/AcGiWorldGeometry.h"

#include <cmath>
#include <numbers>

ACRX_HOST_DEFINE_MEMBERS(AcDbPolyline, AcDbCurve, L"LWPOLYLINE", &host::makeObject<AcDbPolyline>)

namespace {
constexpr Adesk::Int16 kPolylineVersion = 1;
// More vertices than a drawing could hold; a larger count in a file is damage.
constexpr Adesk::UInt32 kMaxVertices = 50000000;
} // namespace

namespace host {

BulgeArc bulgeArc(const AcGePoint2d& p1, const AcGePoint2d& p2, double bulge) {
    BulgeArc arc;
    AcGeVector2d chord = p2 - p1;
    double c = chord.length();
    arc.sweep = 4.0 * std::atan(bulge);
    if (c <= 0.0 || bulge == 0.0) {
        arc.center = p1;
        return arc;
    }
    arc.radius = c * (1.0 + bulge * bulge) / (4.0 * std::fabs(bulge));
    // The centre lies on the chord's left for a counter-clockwise arc.
    AcGeVector2d left(-chord.y / c, chord.x / c);
    double offset = c * (1.0 - bulge * bulge) / (4.0 * bulge);
    arc.center = p1 + chord * 0.5 + left * offset;
    AcGeVector2d r = p1 - arc.center;
    arc.startAngle = std::atan2(r.y, r.x);
    return arc;
}

} // namespace host

// ---- vertices ------------------------------------------------------------------------

Acad::ErrorStatus AcDbPolyline::addVertexAt(unsigned int index, const AcGePoint2d& pt, double bulge,
                                            double startWidth, double endWidth, Adesk::Int32) {
    if (index > numVerts()) return Acad::eInvalidIndex;
    if (!host::isFinite(pt) || !std::isfinite(bulge) || !std::isfinite(startWidth) || !std::isfinite(endWidth))
        return Acad::eInvalidInput;
    assertWriteEnabled();
    Vertex v;
    v.pt = pt;
    v.bulge = bulge;
    v.startWidth = startWidth < 0.0 ? m_constantWidth : startWidth;
    v.endWidth = endWidth < 0.0 ? m_constantWidth : endWidth;
    m_verts.insert(m_verts.begin() + index, v);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::removeVertexAt(unsigned int index) {
    if (index >= numVerts()) return Acad::eInvalidIndex;
    assertWriteEnabled();
    m_verts.erase(m_verts.begin() + index);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::reset(Adesk::Boolean reuse, unsigned int numVerts) {
    assertWriteEnabled();
    if (!reuse)
        m_verts.clear();
    else if (numVerts < this->numVerts())
        m_verts.resize(numVerts);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getPointAt(unsigned int index, AcGePoint2d& pt) const {
    if (index >= numVerts()) return Acad::eInvalidIndex;
    pt = m_verts[index].pt;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getPointAt(unsigned int index, AcGePoint3d& pt) const {
    if (index >= numVerts()) return Acad::eInvalidIndex;
    pt = toWorld(m_verts[index].pt);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setPointAt(unsigned int index, const AcGePoint2d& pt) {
    if (index >= numVerts()) return Acad::eInvalidIndex;
    if (!host::isFinite(pt)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_verts[index].pt = pt;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getBulgeAt(unsigned int index, double& bulge) const {
    if (index >= numVerts()) return Acad::eInvalidIndex;
    bulge = m_verts[index].bulge;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setBulgeAt(unsigned int index, double bulge) {
    if (index >= numVerts()) return Acad::eInvalidIndex;
    if (!std::isfinite(bulge)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_verts[index].bulge = bulge;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getWidthsAt(unsigned int index, double& startWidth, double& endWidth) const {
    if (index >= numVerts()) return Acad::eInvalidIndex;
    startWidth = m_verts[index].startWidth;
    endWidth = m_verts[index].endWidth;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setWidthsAt(unsigned int index, double startWidth, double endWidth) {
    if (index >= numVerts()) return Acad::eInvalidIndex;
    if (!std::isfinite(startWidth) || !std::isfinite(endWidth) || startWidth < 0.0 || endWidth < 0.0)
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_verts[index].startWidth = startWidth;
    m_verts[index].endWidth = endWidth;
    return Acad::eOk;
}

// ---- segments ----------------------------------------------------------------------------

unsigned int AcDbPolyline::numSegments() const {
    unsigned int n = numVerts();
    if (n < 2) return 0;
    return m_closed ? n : n - 1;
}

AcDbPolyline::SegType AcDbPolyline::segType(unsigned int index) const {
    unsigned int n = numVerts();
    if (n == 0) return kEmpty;
    if (n == 1) return kPoint;
    if (index >= numSegments()) return kEmpty;
    const Vertex& a = m_verts[index];
    const Vertex& b = m_verts[nextIndex(index)];
    if (a.pt.isEqualTo(b.pt)) return kCoincident;
    return a.bulge != 0.0 ? kArc : kLine;
}

Acad::ErrorStatus AcDbPolyline::getLineSegAt(unsigned int index, AcGeLineSeg2d& ln) const {
    if (segType(index) != kLine) return Acad::eInvalidIndex;
    ln.set(m_verts[index].pt, m_verts[nextIndex(index)].pt);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getLineSegAt(unsigned int index, AcGeLineSeg3d& ln) const {
    if (segType(index) != kLine) return Acad::eInvalidIndex;
    ln = AcGeLineSeg3d(toWorld(m_verts[index].pt), toWorld(m_verts[nextIndex(index)].pt));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getArcSegAt(unsigned int index, AcGeCircArc3d& arc) const {
    if (segType(index) != kArc) return Acad::eInvalidIndex;
    const Vertex& a = m_verts[index];
    host::BulgeArc b = host::bulgeArc(a.pt, m_verts[nextIndex(index)].pt, a.bulge);
    AcGePoint3d center = toWorld(b.center);
    AcGeVector3d ref = (toWorld(a.pt) - center).normal();
    AcGeVector3d n = b.sweep > 0.0 ? m_normal : -m_normal;
    arc.set(center, n, ref, b.radius, 0.0, std::fabs(b.sweep));
    return Acad::eOk;
}

bool AcDbPolyline::onSegAt(unsigned int index, const AcGePoint2d& pt2d, double& param) const {
    if (index >= numSegments()) return false;
    AcGePoint3d on;
    double t = 0.0;
    if (segClosest(index, toWorld(pt2d), on, t) > onCurveTolerance()) return false;
    param = t;
    return true;
}

// ---- properties -----------------------------------------------------------------------------

void AcDbPolyline::setClosed(Adesk::Boolean closed) {
    assertWriteEnabled();
    m_closed = closed;
}

void AcDbPolyline::setPlinegen(Adesk::Boolean plinegen) {
    assertWriteEnabled();
    m_plinegen = plinegen;
}

bool AcDbPolyline::isOnlyLines() const {
    for (unsigned int i = 0; i < numSegments(); ++i)
        if (m_verts[i].bulge != 0.0) return false;
    return true;
}

bool AcDbPolyline::hasWidth() const {
    for (const Vertex& v : m_verts)
        if (v.startWidth != 0.0 || v.endWidth != 0.0) return true;
    return false;
}

void AcDbPolyline::setElevation(double elevation) {
    if (!std::isfinite(elevation)) return;
    assertWriteEnabled();
    m_elevation = elevation;
}

Acad::ErrorStatus AcDbPolyline::setThickness(double thickness) {
    if (!std::isfinite(thickness)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_thickness = thickness;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getConstantWidth(double& width) const {
    width = m_constantWidth;
    for (const Vertex& v : m_verts)
        if (v.startWidth != m_constantWidth || v.endWidth != m_constantWidth) return Acad::eInvalidInput;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setConstantWidth(double width) {
    if (!std::isfinite(width) || width < 0.0) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_constantWidth = width;
    for (Vertex& v : m_verts) v.startWidth = v.endWidth = width;
    return Acad::eOk;
}

void AcDbPolyline::setNormal(const AcGeVector3d& normal) {
    if (!host::isDirection(normal)) return;
    assertWriteEnabled();
    m_normal = normal.normal();
}

AcGePoint3d AcDbPolyline::toWorld(const AcGePoint2d& p) const {
    return AcGeMatrix3d::planeToWorld(m_normal) * AcGePoint3d(p.x, p.y, m_elevation);
}

AcGePoint2d AcDbPolyline::toPlane(const AcGePoint3d& p) const {
    AcGePoint3d q = AcGeMatrix3d::worldToPlane(m_normal) * p;
    return AcGePoint2d(q.x, q.y);
}

// ---- drawing, editing, filing ---------------------------------------------------------------

bool AcDbPolyline::subWorldDraw(AcGiWorldDraw* wd) {
    // Runs of straight segments as one polyline (segment i picked as marker i + 1),
    // arcs on their own.
    std::vector<AcGePoint3d> run;
    unsigned int runStart = 0;
    auto flush = [&]() {
        if (run.size() >= 2) wd->geometry().polyline(uint32_t(run.size()), run.data(), &m_normal, LONG_PTR(runStart + 1));
        run.clear();
    };
    for (unsigned int i = 0; i < numSegments(); ++i) {
        SegType t = segType(i);
        if (t == kArc) {
            flush();
            AcGeCircArc3d arc;
            getArcSegAt(i, arc);
            wd->subEntityTraits().setSelectionMarker(LONG_PTR(i + 1));
            wd->geometry().circularArc(arc.center(), arc.radius(), arc.normal(), arc.refVec(), arc.endAng());
            continue;
        }
        if (run.empty()) {
            runStart = i;
            run.push_back(toWorld(m_verts[i].pt));
        }
        run.push_back(toWorld(m_verts[nextIndex(i)].pt));
    }
    flush();
    return true;
}

Acad::ErrorStatus AcDbPolyline::subTransformBy(const AcGeMatrix3d& xform) {
    AcGeVector3d x = acgeArbitraryXAxis(m_normal), y = m_normal.crossProduct(x);
    AcGeVector3d tx = xform * x, ty = xform * y;
    double lx = tx.length(), ly = ty.length();
    bool even = lx > 0.0 && std::fabs(lx - ly) <= 1e-9 * std::max(lx, ly) &&
                std::fabs(tx.dotProduct(ty)) <= 1e-9 * lx * ly;
    if (!even && (hasBulges() || hasWidth())) return Acad::eCannotScaleNonUniformly;
    AcGeVector3d n = tx.crossProduct(ty);
    if (n.isZeroLength()) return Acad::eCannotScaleNonUniformly;
    AcGeVector3d newNormal = (xform * m_normal).normal();
    bool mirrored = n.dotProduct(newNormal) < 0.0;
    if (newNormal.isZeroLength()) newNormal = n.normal();
    std::vector<AcGePoint3d> world;
    for (const Vertex& v : m_verts) world.push_back(xform * toWorld(v.pt));
    AcGePoint3d origin = xform * toWorld(AcGePoint2d());
    assertWriteEnabled();
    m_normal = newNormal;
    m_elevation = (AcGeMatrix3d::worldToPlane(m_normal) * origin).z;
    for (size_t i = 0; i < m_verts.size(); ++i) {
        m_verts[i].pt = toPlane(world[i]);
        if (mirrored) m_verts[i].bulge = -m_verts[i].bulge;
        m_verts[i].startWidth *= lx;
        m_verts[i].endWidth *= lx;
    }
    m_constantWidth *= lx;
    xDataTransformBy(xform);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::subExplode(AcDbVoidPtrArray& entitySet) const {
    for (unsigned int i = 0; i < numSegments(); ++i) {
        AcDbEntity* piece = nullptr;
        if (segType(i) == kLine) {
            piece = new AcDbLine(toWorld(m_verts[i].pt), toWorld(m_verts[nextIndex(i)].pt));
        } else if (segType(i) == kArc) {
            host::BulgeArc b = host::bulgeArc(m_verts[i].pt, m_verts[nextIndex(i)].pt, m_verts[i].bulge);
            double s = b.startAngle, e = b.startAngle + b.sweep;
            if (b.sweep < 0.0) std::swap(s, e);
            // The angles of the polyline's plane are the arc's own: both use the arbitrary axis.
            piece = new AcDbArc(toWorld(b.center), m_normal, b.radius, s, e);
        }
        if (!piece) continue;
        piece->setPropertiesFrom(this);
        entitySet.append(piece);
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray&, AcDbIntArray&) const {
    for (const Vertex& v : m_verts) gripPoints.append(toWorld(v.pt));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    for (int i : indices)
        if (i < 0 || unsigned(i) >= numVerts()) return Acad::eInvalidIndex;
    if (indices.isEmpty()) return Acad::eOk;
    assertWriteEnabled();
    for (int i : indices) m_verts[size_t(i)].pt = toPlane(toWorld(m_verts[size_t(i)].pt) + offset);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::subGetOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker, const AcGePoint3d& pickPoint,
                                                  const AcGePoint3d& lastPoint, const AcGeMatrix3d&,
                                                  AcGePoint3dArray& snapPoints, AcDbIntArray&) const {
    switch (osnapMode) {
    case AcDb::kOsModeEnd:
        for (const Vertex& v : m_verts) snapPoints.append(toWorld(v.pt));
        break;
    case AcDb::kOsModeMid:
        for (unsigned int i = 0; i < numSegments(); ++i) snapPoints.append(segPoint(i, 0.5));
        break;
    default:
        host::appendClosestPointSnap(*this, osnapMode, pickPoint, lastPoint, snapPoints);
        break;
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbCurve::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeInt16(kPolylineVersion);
    filer->writeBoolean(m_closed);
    filer->writeBoolean(m_plinegen);
    filer->writeVector3d(m_normal);
    filer->writeDouble(m_elevation);
    filer->writeDouble(m_thickness);
    filer->writeDouble(m_constantWidth);
    filer->writeUInt32(Adesk::UInt32(m_verts.size()));
    for (const Vertex& v : m_verts) {
        filer->writePoint2d(v.pt);
        filer->writeDouble(v.bulge);
        filer->writeDouble(v.startWidth);
        filer->writeDouble(v.endWidth);
    }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbPolyline::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbCurve::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    host::readVersion(filer, kPolylineVersion);
    bool closed = false, plinegen = false;
    AcGeVector3d n;
    double elev = 0, thick = 0, width = 0;
    Adesk::UInt32 count = 0;
    filer->readBoolean(&closed);
    filer->readBoolean(&plinegen);
    filer->readVector3d(&n);
    filer->readDouble(&elev);
    filer->readDouble(&thick);
    filer->readDouble(&width);
    filer->readUInt32(&count);
    if (filer->filerStatus() == Acad::eOk && count > kMaxVertices) return host::refuseRecord(filer);
    std::vector<Vertex> verts;
    for (Adesk::UInt32 i = 0; i < count && filer->filerStatus() == Acad::eOk; ++i) {
        Vertex v;
        filer->readPoint2d(&v.pt);
        filer->readDouble(&v.bulge);
        filer->readDouble(&v.startWidth);
        filer->readDouble(&v.endWidth);
        if (!host::isFinite(v.pt) || !std::isfinite(v.bulge) || !std::isfinite(v.startWidth) ||
            !std::isfinite(v.endWidth))
            return host::refuseRecord(filer);
        verts.push_back(v);
    }
    if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
    if (!host::isDirection(n) || !std::isfinite(elev) || !std::isfinite(thick) || !std::isfinite(width))
        return host::refuseRecord(filer);
    m_closed = closed;
    m_plinegen = plinegen;
    m_normal = n.normal();
    m_elevation = elev;
    m_thickness = thick;
    m_constantWidth = width;
    m_verts = std::move(verts);
    return Acad::eOk;
}
