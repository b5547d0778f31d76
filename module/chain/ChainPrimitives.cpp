#include "module/chain/ChainPrimitives.h"

#include "host/db/entities/AcDbArc.h"
#include "host/db/entities/AcDbCircle.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/entities/AcDbSolid.h"
#include "host/db/entities/AcDbText.h"
#include "host/db/entities/AcDbXline.h"
#include "host/ge/AcGePoint2d.h"
#include "host/gi/AcGiContext.h"
#include "host/gi/AcGiSubEntityTraits.h"
#include "host/gi/AcGiTextStyle.h"
#include "host/gi/AcGiWorldDraw.h"
#include "host/gi/AcGiWorldGeometry.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/OptionIndices.h"

#include <cmath>
#include <numbers>
#include <vector>

namespace {

// The turns of a cross, as the rules write them.
constexpr double kEighthTurn = 0.785398163375;
constexpr double kQuarterTurn = 1.57079632675;

// A text mask reaches this fraction of the text height beyond the text.
constexpr double kMaskMarginPart = 1.0 / 15.0;

AcGeVector3d UnitOr(const AcGeVector3d& v, const AcGeVector3d& fallback) {
    return v.isZeroLength() ? fallback : v.normal();
}

bool MaskWanted() {
    return pGlobDimOptions && pGlobDimOptions->GetOptFlag(IND_OPT_B_WipeOut) != 0;
}

} // namespace

ChainPrimitives::ChainPrimitives(AcGiWorldDraw* worldDraw, AcDbVoidPtrArray* entityList)
    : m_worldDraw(worldDraw), m_entities(worldDraw ? nullptr : entityList) {}

void ChainPrimitives::SetMarker(LONG_PTR marker) {
    if (m_worldDraw) m_worldDraw->subEntityTraits().setSelectionMarker(marker);
}

void ChainPrimitives::SetColor(int colorIndex) {
    m_color = colorIndex;
    if (m_worldDraw) m_worldDraw->subEntityTraits().setColor(static_cast<uint16_t>(colorIndex));
}

void ChainPrimitives::Add(AcDbEntity* entity) {
    if (!entity) return;
    entity->setColorIndex(static_cast<Adesk::UInt16>(m_color));
    m_entities->append(entity);
}

void ChainPrimitives::Line(const AcGePoint3d& from, const AcGePoint3d& to) {
    if (m_worldDraw) {
        const AcGePoint3d pts[2] = {from, to};
        Track(m_worldDraw->geometry().polyline(2, pts));
    } else if (m_entities) {
        Add(new AcDbLine(from, to));
    }
}

void ChainPrimitives::Polygon(std::span<const AcGePoint3d> points, bool filled) {
    if (points.size() < 2) return;
    if (m_worldDraw) {
        AcGiSubEntityTraits& traits = m_worldDraw->subEntityTraits();
        if (filled) traits.setFillType(kAcGiFillAlways);
        Track(m_worldDraw->geometry().polygon(static_cast<uint32_t>(points.size()), points.data()));
        if (filled) traits.setFillType(kAcGiFillNever);
    } else if (m_entities) {
        if (filled) {
            FilledEntities(points);
            return;
        }
        for (size_t i = 0; i < points.size(); ++i)
            Line(points[i], points[(i + 1) % points.size()]);
    }
}

void ChainPrimitives::FilledEntities(std::span<const AcGePoint3d> points) {
    if (points.size() == 3) {
        Add(new AcDbSolid(points[0], points[1], points[2]));
    } else if (points.size() == 4) {
        // A solid runs its corners 0, 1, 3, 2 around the outline.
        Add(new AcDbSolid(points[0], points[1], points[3], points[2]));
    } else if (points.size() > 4) {
        for (size_t i = 1; i + 1 < points.size(); ++i)
            Add(new AcDbSolid(points[0], points[i], points[i + 1]));
    } else {
        Line(points[0], points[1]);
    }
}

void ChainPrimitives::Cross(const AcGePoint3d& center, double halfSize, const AcGeVector3d& direction,
                            const AcGeVector3d& normal) {
    const AcGeVector3d axis = UnitOr(normal, AcGeVector3d::kZAxis);
    AcGeVector3d v = UnitOr(direction, axis.perpVector().normal()) * halfSize;
    v.rotateBy(kEighthTurn, axis);
    Line(center - v, center + v);
    v.rotateBy(kQuarterTurn, axis);
    Line(center - v, center + v);
}

void ChainPrimitives::Arrow(const AcGePoint3d& tip, const AcGeVector3d& direction, double length,
                            double halfWidth, const AcGeVector3d& normal) {
    if (direction.isZeroLength()) return;
    const AcGeVector3d d = direction.normal();
    const AcGeVector3d perp = UnitOr(UnitOr(normal, AcGeVector3d::kZAxis).crossProduct(d), d.perpVector());
    const AcGePoint3d base = tip + d * length;
    const AcGePoint3d pts[3] = {tip, base + perp * halfWidth, base - perp * halfWidth};
    Polygon(pts, true);
}

void ChainPrimitives::Circle(const AcGePoint3d& center, double radius, const AcGeVector3d& normal,
                             bool filled) {
    const AcGeVector3d n = UnitOr(normal, AcGeVector3d::kZAxis);
    if (m_worldDraw) {
        AcGiSubEntityTraits& traits = m_worldDraw->subEntityTraits();
        if (filled) traits.setFillType(kAcGiFillAlways);
        Track(m_worldDraw->geometry().circle(center, radius, n));
        if (filled) traits.setFillType(kAcGiFillNever);
    } else if (m_entities) {
        Add(new AcDbCircle(center, n, radius));
    }
}

void ChainPrimitives::Arc(const AcGePoint3d& center, double radius, const AcGeVector3d& normal,
                          const AcGeVector3d& startVector, double sweep) {
    const AcGeVector3d n = UnitOr(normal, AcGeVector3d::kZAxis);
    if (m_worldDraw) {
        Track(m_worldDraw->geometry().circularArc(center, radius, n, startVector, sweep));
    } else if (m_entities) {
        // An arc entity counts its angles from the X axis of its normal's own system.
        const AcGeVector3d ocsX = n.perpVector().normal();
        const AcGeVector3d ocsY = n.crossProduct(ocsX);
        const double start = std::atan2(startVector.dotProduct(ocsY), startVector.dotProduct(ocsX));
        Add(new AcDbArc(center, n, radius, start, start + sweep));
    }
}

std::array<AcGePoint3d, 4> ChainPrimitives::MaskCorners(const AcGePoint3d& position,
                                                        const AcGeVector3d& normal,
                                                        const AcGeVector3d& direction, double width,
                                                        double height) {
    const AcGeVector3d dir = UnitOr(direction, AcGeVector3d::kXAxis);
    const AcGeVector3d up = UnitOr(UnitOr(normal, AcGeVector3d::kZAxis).crossProduct(dir), dir.perpVector());
    const double m = height * kMaskMarginPart;
    std::array<AcGePoint3d, 4> c;
    c[0] = position - dir * m - up * m;
    c[1] = c[0] + dir * (width + 2.0 * m);
    c[2] = c[1] + up * (height + 2.0 * m);
    c[3] = c[0] + up * (height + 2.0 * m);
    return c;
}

void ChainPrimitives::Mask(const AcGePoint3d& position, const AcGeVector3d& normal,
                           const AcGeVector3d& direction, const std::wstring& text, double height,
                           const AcGiTextStyle* style) {
    AcGiTextStyle measure = style ? *style : AcGiTextStyle();
    measure.setTextSize(height);
    const double width = measure.extents(text.c_str(), true, -1, false).x;
    const std::array<AcGePoint3d, 4> corners = MaskCorners(position, normal, direction, width, height);

    AcGiSubEntityTraits& traits = m_worldDraw->subEntityTraits();
    const AcGiColor oldColor = traits.trueColor();
    const AcGiFillType oldFill = traits.fillType();
    AcGiContext* context = m_worldDraw->context();
    const bool plotting = context && context->isPlotGeneration();
    // On paper the background is white whatever the screen shows.
    const OptRgbColor bg = plotting || !pGlobDimOptions ? OptRgbColor{} : pGlobDimOptions->m_backgroundColor;
    traits.setTrueColor(AcGiColor(bg.red, bg.green, bg.blue));
    traits.setFillType(kAcGiFillAlways);
    Track(m_worldDraw->geometry().polygon(4, corners.data()));
    traits.setFillType(oldFill);
    traits.setTrueColor(oldColor);
}

void ChainPrimitives::Text(const AcGePoint3d& position, const AcGeVector3d& normal,
                           const AcGeVector3d& direction, const std::wstring& text, double height,
                           const AcGiTextStyle* style, AcDbObjectId styleId, int colorIndex) {
    if (text.empty()) return;
    const AcGeVector3d n = UnitOr(normal, AcGeVector3d::kZAxis);
    const AcGeVector3d dir = UnitOr(direction, AcGeVector3d::kXAxis);
    if (m_worldDraw) {
        SetColor(colorIndex);
        if (MaskWanted()) Mask(position, n, dir, text, height, style);
        if (!style) {
            Track(m_worldDraw->geometry().text(position, n, dir, height, 1.0, 0.0, text.c_str()));
            return;
        }
        AcGiTextStyle sized = *style;
        sized.setTextSize(height);
        Track(m_worldDraw->geometry().text(position, n, dir, text.c_str(), -1, false, sized));
    } else if (m_entities) {
        const double toX = dir.angleTo(AcGeVector3d::kXAxis, AcGeVector3d::kZAxis);
        const double rotation = toX != 0.0 ? 2.0 * std::numbers::pi - toX : 0.0;
        auto* entity = new AcDbText(position, text.c_str(), styleId, height, rotation);
        if (!n.isEqualTo(AcGeVector3d::kZAxis)) entity->setNormal(n);
        if (style) {
            entity->setWidthFactor(style->xScale());
            entity->setOblique(style->obliquingAngle());
        }
        const int keep = m_color;
        m_color = colorIndex;
        Add(entity);
        m_color = keep;
    }
}

void ChainPrimitives::ConstructionLine(const AcGePoint3d& basePoint, const AcGePoint3d& throughPoint) {
    // On screen a construction line is left to the host's own objects; only an explode
    // makes one.
    if (!m_entities || m_worldDraw) return;
    const AcGeVector3d dir = throughPoint - basePoint;
    if (dir.isZeroLength()) return;
    auto* xline = new AcDbXline();
    xline->setBasePoint(basePoint);
    xline->setUnitDir(dir.normal());
    Add(xline);
}
