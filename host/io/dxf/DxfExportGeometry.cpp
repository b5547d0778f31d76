// Entities of classes other programs do not know (the add-on's chains and height
// marks, proxies) go out as what they draw: the primitives of an explode drawing
// pass become lines, polylines, arcs, circles, texts, solids and construction lines.
#include "host/db/entities/AcDbEntity.h"
#include "host/db/tables/AcDbLayerTableRecord.h"
#include "host/db/tables/AcDbLinetypeTableRecord.h"
#include "host/db/tables/AcDbTextStyleTable.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/gi/RecordingWorldDraw.h"
#include "host/io/dxf/DxfExporter.h"

#include <cmath>
#include <numbers>

namespace host::dxf {

namespace {

constexpr double kDegree = 180.0 / std::numbers::pi;
constexpr double kSameZ = 1e-9; // points this close in Z lie in one plane parallel to XY

bool flat(const std::vector<AcGePoint3d>& pts) {
    for (const AcGePoint3d& p : pts)
        if (std::fabs(p.z - pts.front().z) > kSameZ) return false;
    return true;
}

double angleInPlane(const AcGeVector3d& v, const AcGeVector3d& normal) {
    AcGeVector3d w = v;
    w.transformBy(AcGeMatrix3d::worldToPlane(normal));
    return std::atan2(w.y, w.x);
}

AcGePoint3d toOcs(const AcGePoint3d& p, const AcGeVector3d& n) {
    if (n.isEqualTo(AcGeVector3d::kZAxis)) return p;
    AcGePoint3d q = p;
    return q.transformBy(AcGeMatrix3d::worldToPlane(n));
}

} // namespace

void DxfExporter::writeDrawn(DxfOutput& o, const AcDbEntity* ent, uint64_t owner, bool paper) {
    gi::RecordingWorldDraw wd(kAcGiForExplode);
    wd.setDatabase(m_db);
    // Drawn as for paper: masks come in the paper's white, which writeWipeout
    // hands to the reading program's own background.
    wd.setPlotGeneration(true);
    wd.drawDrawable(const_cast<AcDbEntity*>(ent));
    for (const gi::GiPrimitive& p : wd.primitives()) writePrimitive(o, p, ent, owner, paper);
}

void DxfExporter::primitiveCommon(DxfOutput& o, const gi::GiPrimitive& p, const AcDbEntity* ent, const char* type,
                                  uint64_t owner, bool paper) {
    o.raw(0, type);
    o.handle(5, newHandle());
    o.handle(330, owner);
    o.raw(100, "AcDbEntity");
    if (paper) o.integer(67, 1);
    const AcDbObjectId layer = p.traits.layer ? AcDbObjectId(p.traits.layer) : ent->layerId();
    o.text(8, layerName(layer));
    if (p.traits.lineType) {
        const std::wstring lt = linetypeName(AcDbObjectId(p.traits.lineType));
        if (!lt.empty() && symbolKey(lt) != L"BYLAYER") o.text(6, lt);
    }
    if (p.traits.trueColor.isByColor())
        o.integer(420, (long long)(p.traits.trueColor.red()) << 16 | p.traits.trueColor.green() << 8
                           | p.traits.trueColor.blue());
    else if (p.traits.colorIndex != AcGiColor::kACIbyLayer)
        o.integer(62, p.traits.colorIndex);
    if (p.traits.lineWeight != int(AcDb::kLnWtByLayer)) o.integer(370, p.traits.lineWeight);
}

void DxfExporter::writePrimitive(DxfOutput& o, const gi::GiPrimitive& p, const AcDbEntity* ent, uint64_t owner,
                                 bool paper) {
    auto line = [&](const AcGePoint3d& a, const AcGePoint3d& b) {
        primitiveCommon(o, p, ent, "LINE", owner, paper);
        o.raw(100, "AcDbLine");
        o.point(10, a);
        o.point(11, b);
    };
    auto lwpolyline = [&](const std::vector<AcGePoint3d>& pts, bool closed, double width) {
        primitiveCommon(o, p, ent, "LWPOLYLINE", owner, paper);
        o.raw(100, "AcDbPolyline");
        o.integer(90, (long long)pts.size());
        o.integer(70, closed ? 1 : 0);
        if (width > 0.0) o.real(43, width);
        if (pts.front().z != 0.0) o.real(38, pts.front().z);
        for (const AcGePoint3d& q : pts) o.point2d(10, q.x, q.y);
    };
    switch (p.kind) {
    case gi::GiPrimitive::Polyline:
    case gi::GiPrimitive::Polygon: {
        const bool closed = p.kind == gi::GiPrimitive::Polygon;
        if (p.points.size() < 2) return;
        if (p.isFilled() && writeWipeout(o, p, ent, owner, paper)) {
            break;
        } else if (p.isFilled() && p.points.size() >= 3) {
            // Filled outlines as solids: a quadrilateral at once (corners 0, 1, 3, 2), others as a fan.
            const auto& q = p.points;
            for (size_t i = 1; i + 1 < q.size(); i += q.size() == 4 ? 3 : 1) {
                primitiveCommon(o, p, ent, "SOLID", owner, paper);
                o.raw(100, "AcDbTrace");
                const bool quad = q.size() == 4;
                o.point(10, q[0]);
                o.point(11, q[i]);
                o.point(12, quad ? q[3] : q[i + 1]);
                o.point(13, q[i + 1]);
            }
        } else if (p.points.size() == 2 && !closed) {
            line(p.points[0], p.points[1]);
        } else if (flat(p.points)) {
            lwpolyline(p.points, closed, 0.0);
        } else {
            for (size_t i = 0; i + 1 < p.points.size(); ++i) line(p.points[i], p.points[i + 1]);
            if (closed) line(p.points.back(), p.points.front());
        }
        break;
    }
    case gi::GiPrimitive::Circle:
        if (p.isFilled() && p.normal.isEqualTo(AcGeVector3d::kZAxis)) {
            // A filled dot: two half circles as wide as the radius.
            primitiveCommon(o, p, ent, "LWPOLYLINE", owner, paper);
            o.raw(100, "AcDbPolyline");
            o.integer(90, 2);
            o.integer(70, 1);
            o.real(43, p.radius);
            if (p.center.z != 0.0) o.real(38, p.center.z);
            o.point2d(10, p.center.x - p.radius / 2.0, p.center.y);
            o.real(42, 1.0);
            o.point2d(10, p.center.x + p.radius / 2.0, p.center.y);
            o.real(42, 1.0);
            break;
        }
        primitiveCommon(o, p, ent, "CIRCLE", owner, paper);
        o.raw(100, "AcDbCircle");
        o.point(10, toOcs(p.center, p.normal));
        o.real(40, p.radius);
        o.normal(p.normal);
        break;
    case gi::GiPrimitive::Arc: {
        const double start = angleInPlane(p.startVector, p.normal);
        primitiveCommon(o, p, ent, "ARC", owner, paper);
        o.raw(100, "AcDbCircle");
        o.point(10, toOcs(p.center, p.normal));
        o.real(40, p.radius);
        o.normal(p.normal);
        o.raw(100, "AcDbArc");
        o.real(50, start * kDegree);
        o.real(51, (start + p.sweep) * kDegree);
        if (p.arcType != kAcGiArcSimple) {
            // The closing pieces of a sector (through the centre) or a chord.
            AcGeVector3d endVector = p.startVector;
            endVector.rotateBy(p.sweep, p.normal);
            const AcGePoint3d a = p.center + p.startVector * p.radius, b = p.center + endVector * p.radius;
            if (p.arcType == kAcGiArcSector) {
                line(b, p.center);
                line(p.center, a);
            } else {
                line(b, a);
            }
        }
        break;
    }
    case gi::GiPrimitive::Text: {
        primitiveCommon(o, p, ent, "TEXT", owner, paper);
        o.raw(100, "AcDbText");
        o.point(10, toOcs(p.position, p.normal));
        o.real(40, p.height() > 0.0 ? p.height() : 1.0);
        o.text(1, p.text);
        const double rotation = angleInPlane(p.direction, p.normal);
        if (rotation != 0.0) o.real(50, rotation * kDegree);
        if (p.widthFactor() > 0.0 && p.widthFactor() != 1.0) o.real(41, p.widthFactor());
        if (p.oblique() != 0.0) o.real(51, p.oblique() * kDegree);
        // The style by name when the drawing has it.
        AcDbObjectId style;
        AcDbTextStyleTable* table = nullptr;
        if (p.style().styleName()[0] && m_db->getTextStyleTable(table, AcDb::kForRead) == Acad::eOk) {
            table->getAt(p.style().styleName(), style);
            table->close();
        }
        o.text(7, textStyleName(style));
        o.normal(p.normal);
        o.raw(100, "AcDbText");
        break;
    }
    case gi::GiPrimitive::Xline:
    case gi::GiPrimitive::Ray: {
        if (p.points.size() < 2) return;
        const AcGeVector3d dir = p.points[1] - p.points[0];
        if (dir.isZeroLength()) return;
        const bool xline = p.kind == gi::GiPrimitive::Xline;
        primitiveCommon(o, p, ent, xline ? "XLINE" : "RAY", owner, paper);
        o.raw(100, xline ? "AcDbXline" : "AcDbRay");
        o.point(10, p.points[0]);
        o.vector(11, dir.normal());
        break;
    }
    }
}

} // namespace host::dxf
