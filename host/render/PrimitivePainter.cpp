#include "host/render/PrimitivePainter.h"

#include "host/gi/AciColors.h"
#include "host/gi/GiPrimitiveGeometry.h"
#include "host/gi/TextLayout.h"
#include "host/render/DashPattern.h"

#include <algorithm>
#include <cmath>

namespace host::render {

using host::gi::GiPrimitive;

namespace {

constexpr double kCurveDeviationPx = 0.25; // arcs are drawn as chords this close to the curve

bool finite(const AcGePoint3d& p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

} // namespace

PrimitivePainter::PrimitivePainter(cairo_t* cr, const DeviceMap& map, const RenderOptions& options)
    : m_cr(cr), m_map(map), m_options(options) {}

void PrimitivePainter::paper() {
    if (m_options.paperIsWhite)
        cairo_set_source_rgb(m_cr, 1, 1, 1);
    else
        cairo_set_source_rgb(m_cr, 0, 0, 0);
    cairo_paint(m_cr);
}

void PrimitivePainter::paint(const host::gi::GiRecording& primitives) {
    for (const auto& p : primitives)
        paint(p);
}

void PrimitivePainter::paint(const GiPrimitive& p) {
    if (!setLook(p.traits)) return;
    cairo_new_path(m_cr);
    switch (p.kind) {
    case GiPrimitive::Polyline:
    case GiPrimitive::Polygon:
        paintLine(p);
        break;
    case GiPrimitive::Circle:
    case GiPrimitive::Arc:
        paintArc(p);
        break;
    case GiPrimitive::Text:
        paintText(p);
        break;
    case GiPrimitive::Xline:
    case GiPrimitive::Ray:
        paintConstructionLine(p);
        break;
    }
}

// Colour and line weight after ByLayer and ByBlock; false when nothing is to be
// drawn (a layer that is off or frozen, the colour "none").
bool PrimitivePainter::setLook(const host::gi::GiTraits& traits) {
    LayerLook look;
    if (m_options.layerLook) look = m_options.layerLook(traits.layer);
    if (!look.visible) return false;
    m_layerLook = look;

    AcGiColor c = traits.trueColor;
    if (c.isByLayer()) c = look.color;
    if (c.isNone()) return false;
    if (c.isByColor()) {
        cairo_set_source_rgb(m_cr, c.red() / 255.0, c.green() / 255.0, c.blue() / 255.0);
    } else {
        int index = c.isByACI() ? c.colorIndex() : 7; // ByBlock left over, foreground
        host::gi::Rgb rgb = host::gi::aciToRgb(index, m_options.paperIsWhite);
        cairo_set_source_rgb(m_cr, rgb.r / 255.0, rgb.g / 255.0, rgb.b / 255.0);
    }

    int weight = traits.lineWeight == -1 ? look.lineWeight : traits.lineWeight;
    if (weight < 0) weight = m_options.defaultLineWeight;
    double width = weight / 100.0 * m_options.pixelsPerMm;
    m_lineWidth = std::clamp(width, 1.0, 1000.0);
    cairo_set_line_width(m_cr, m_lineWidth);
    cairo_set_dash(m_cr, nullptr, 0, 0.0);
    cairo_set_line_cap(m_cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(m_cr, CAIRO_LINE_JOIN_ROUND);
    return true;
}

void PrimitivePainter::setDashes(const host::gi::GiTraits& traits, bool filled) {
    if (filled || !m_options.linetypeLook) return;
    LinetypeLook lt = m_options.linetypeLook(traits.lineType);
    if (lt.byLayer) lt = m_layerLook.linetype ? m_options.linetypeLook(m_layerLook.linetype) : LinetypeLook{};
    const double scale = m_map.scale * m_options.ltscale * (traits.lineTypeScale > 0.0 ? traits.lineTypeScale : 1.0);
    const DeviceDashes d = deviceDashes(lt.dashes, scale, m_lineWidth);
    if (d.lengths.empty()) return;
    // Round caps would close the gaps; dots get the line's width as their length.
    cairo_set_line_cap(m_cr, CAIRO_LINE_CAP_BUTT);
    cairo_set_dash(m_cr, d.lengths.data(), int(d.lengths.size()), d.offset);
}

void PrimitivePainter::pathThrough(const std::vector<AcGePoint3d>& pts, bool closed) {
    bool first = true;
    for (const auto& p : pts) {
        if (!finite(p)) continue;
        double dx, dy;
        m_map.toDevice(p.x, p.y, dx, dy);
        if (first)
            cairo_move_to(m_cr, dx, dy);
        else
            cairo_line_to(m_cr, dx, dy);
        first = false;
    }
    if (pts.size() == 1 && !first) cairo_rel_line_to(m_cr, 0, 0); // a dot: the round cap shows it
    if (closed && pts.size() > 2) cairo_close_path(m_cr);
}

void PrimitivePainter::finish(bool filled) {
    if (filled) {
        cairo_set_fill_rule(m_cr, CAIRO_FILL_RULE_EVEN_ODD);
        cairo_fill_preserve(m_cr);
    }
    cairo_stroke(m_cr);
}

void PrimitivePainter::paintLine(const GiPrimitive& p) {
    setDashes(p.traits, p.isFilled());
    pathThrough(p.points, p.kind == GiPrimitive::Polygon);
    finish(p.isFilled());
}

void PrimitivePainter::paintArc(const GiPrimitive& p) {
    std::vector<AcGePoint3d> pts = host::gi::arcPoints(p, kCurveDeviationPx / m_map.scale);
    bool closed = p.kind == GiPrimitive::Circle || p.arcType != kAcGiArcSimple;
    if (p.kind == GiPrimitive::Arc && p.arcType == kAcGiArcSector) pts.push_back(p.center);
    setDashes(p.traits, p.isFilled());
    pathThrough(pts, closed);
    finish(p.isFilled());
}

void PrimitivePainter::paintText(const GiPrimitive& p) {
    host::gi::TextShape shape;
    shape.height = p.style().textSize();
    shape.widthFactor = p.style().xScale();
    shape.oblique = p.style().obliquingAngle();
    shape.tracking = p.style().trackingPercent() > 0 ? p.style().trackingPercent() : 1.0;
    shape.backward = p.style().isBackward();
    shape.upsideDown = p.style().isUpsideDown();
    host::gi::TextLayout layout =
        host::gi::layoutText(p.style().face(), host::gi::decodeTextCodes(p.text, -1, p.raw), shape);
    if (!layout.face || !(layout.scale > 0)) return;
    AcGeVector3d d = p.direction.normal();
    AcGeVector3d up = p.normal.normal().crossProduct(d);
    auto device = [&](double tx, double ty, double& dx, double& dy) {
        AcGePoint3d w = p.position + d * tx + up * ty;
        m_map.toDevice(w.x, w.y, dx, dy);
    };
    for (const auto& g : layout.glyphs) {
        for (const auto& c : layout.face->outline(g.index)) {
            double tx, ty, x1, y1, x2, y2, x3, y3;
            switch (c.kind) {
            case host::gi::PathCommand::Move:
            case host::gi::PathCommand::Line:
                layout.place(g, c.x1, c.y1, tx, ty);
                device(tx, ty, x1, y1);
                if (c.kind == host::gi::PathCommand::Move)
                    cairo_move_to(m_cr, x1, y1);
                else
                    cairo_line_to(m_cr, x1, y1);
                break;
            case host::gi::PathCommand::Cubic:
                layout.place(g, c.x1, c.y1, tx, ty);
                device(tx, ty, x1, y1);
                layout.place(g, c.x2, c.y2, tx, ty);
                device(tx, ty, x2, y2);
                layout.place(g, c.x3, c.y3, tx, ty);
                device(tx, ty, x3, y3);
                cairo_curve_to(m_cr, x1, y1, x2, y2, x3, y3);
                break;
            case host::gi::PathCommand::Close:
                cairo_close_path(m_cr);
                break;
            }
        }
    }
    // TrueType outlines wind their holes the other way: the non-zero rule.
    cairo_set_fill_rule(m_cr, CAIRO_FILL_RULE_WINDING);
    cairo_fill(m_cr);
    if (!layout.rules.empty()) {
        cairo_set_line_width(m_cr, std::max(1.0, shape.height / 15 * m_map.scale));
        for (const auto& r : layout.rules) {
            double ax, ay, bx, by;
            device(r.x0, r.y, ax, ay);
            device(r.x1, r.y, bx, by);
            cairo_move_to(m_cr, ax, ay);
            cairo_line_to(m_cr, bx, by);
        }
        cairo_stroke(m_cr);
    }
}

void PrimitivePainter::paintConstructionLine(const GiPrimitive& p) {
    if (p.points.size() != 2) return;
    AcGeVector3d dir = p.points[1] - p.points[0];
    dir.z = 0;
    if (dir.isZeroLength()) return;
    dir.normalize();
    // Long enough to cross the whole window from wherever the base point lies.
    double cx = m_map.x1 + m_map.width / m_map.scale / 2, cy = m_map.y2 - m_map.height / m_map.scale / 2;
    double reach = std::hypot(p.points[0].x - cx, p.points[0].y - cy) +
                   std::hypot(m_map.width, m_map.height) / m_map.scale;
    AcGePoint3d from = p.kind == GiPrimitive::Xline ? p.points[0] - dir * reach : p.points[0];
    pathThrough({from, p.points[0] + dir * reach}, false);
    cairo_stroke(m_cr);
}

} // namespace host::render
