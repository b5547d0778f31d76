// Hatches go out with their loops as polyline boundaries (arcs as bulges) and the
// line families of their pattern, so that other programs draw them without the
// pattern file.
#include "host/db/entities/AcDbHatch.h"
#include "host/io/dxf/DxfExporter.h"

#include <numbers>

namespace host::dxf {

namespace {
constexpr double kDegree = 180.0 / std::numbers::pi;
}

bool DxfExporter::writeHatch(DxfOutput& o, const AcDbEntity* ent, uint64_t owner, bool paper) {
    const auto* h = AcDbHatch::cast(ent);
    if (!h) return false;
    common(o, ent, "HATCH", owner, paper);
    o.raw(100, "AcDbHatch");
    o.point(10, AcGePoint3d(0.0, 0.0, h->elevation()));
    o.normal(h->normal());
    o.text(2, h->patternName());
    o.integer(70, h->isSolidFill() ? 1 : 0);
    o.integer(71, 0);
    o.integer(91, h->numLoops());
    for (int i = 0; i < h->numLoops(); ++i) {
        Adesk::Int32 type = 0;
        AcGePoint2dArray vertices;
        AcGeDoubleArray bulges;
        h->getLoopAt(i, type, vertices, bulges);
        o.integer(92, type | AcDbHatch::kPolyline);
        o.integer(72, bulges.isEmpty() ? 0 : 1);
        o.integer(73, 1);
        o.integer(93, vertices.length());
        for (int k = 0; k < vertices.length(); ++k) {
            o.point2d(10, vertices[k].x, vertices[k].y);
            if (!bulges.isEmpty()) o.real(42, bulges[k]);
        }
        o.integer(97, 0);
    }
    o.integer(75, int(h->hatchStyle()));
    o.integer(76, int(h->patternType()));
    if (!h->isSolidFill()) {
        o.real(52, h->patternAngle() * kDegree);
        o.real(41, h->patternScale());
        o.integer(77, h->patternDouble() ? 1 : 0);
        o.integer(78, h->numPatternDefinitions());
        for (int i = 0; i < h->numPatternDefinitions(); ++i) {
            double angle = 0, bx = 0, by = 0, ox = 0, oy = 0;
            AcGeDoubleArray dashes;
            h->getPatternDefinitionAt(i, angle, bx, by, ox, oy, dashes);
            o.real(53, angle * kDegree);
            o.real(43, bx);
            o.real(44, by);
            o.real(45, ox);
            o.real(46, oy);
            o.integer(79, dashes.length());
            for (int k = 0; k < dashes.length(); ++k) o.real(49, dashes[k]);
        }
    }
    o.integer(98, 0);
    return true;
}

} // namespace host::dxf
