// Drawing a dimension: the layout's pieces sent to the world draw in the colours,
// weights and text style of the dimension variables.
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/dimensions/AcDbDimension.h"
#include "host/db/dimensions/AcDbDimensionLayout.h"
#include "host/db/entities/AcDbMText.h"
#include "host/db/tables/AcDbTextStyleTableRecord.h"
#include "host/ge/AcGePoint2d.h"
#include "host/gi/AcGiSubEntityTraits.h"
#include "host/gi/AcGiTextStyle.h"
#include "host/gi/AcGiWorldDraw.h"
#include "host/gi/AcGiWorldGeometry.h"

#include <algorithm>
#include <cmath>

namespace {

// The pitch of the lines of a text over several lines, in text heights.
constexpr double kLinePitch = 5.0 / 3.0;

const AcDbBlockTableRecord* peekBlock(AcDbObjectId id) {
    if (!id.isValid() || id.isErased()) return nullptr;
    return AcDbBlockTableRecord::cast(static_cast<AcDbStub*>(id)->object);
}

host::DimArrowKind arrowKindOf(AcDbObjectId blockId) {
    if (blockId.isNull()) return host::DimArrowKind::ClosedFilled;
    const AcDbBlockTableRecord* block = peekBlock(blockId);
    return block ? host::dimArrowKindOfName(block->name()) : host::DimArrowKind::ClosedFilled;
}

AcGeVector3d planeVector(const AcGeMatrix3d& toWorld, double angle) {
    AcGeVector3d v(std::cos(angle), std::sin(angle), 0.0);
    return v.transformBy(toWorld);
}

AcGePoint3d worldPoint(const AcGeMatrix3d& toWorld, const AcGePoint2d& p) {
    AcGePoint3d w(p.x, p.y, 0.0);
    return w.transformBy(toWorld);
}

// Sets the traits of one part: its colour (ByBlock keeps the dimension's own) and weight.
class PartTraits {
public:
    PartTraits(AcGiSubEntityTraits& traits, const host::DimVars& vars, const AcCmColor& own, int ownWeight)
        : m_traits(traits), m_vars(vars), m_own(own), m_ownWeight(ownWeight) {}

    void use(host::DimPart part) {
        const AcCmColor& c = part == host::DimPart::Text            ? m_vars.dimclrt
                             : part == host::DimPart::DimensionLine ? m_vars.dimclrd
                                                                    : m_vars.dimclre;
        m_traits.setTrueColor(c.isByBlock() ? m_own : c);
        const AcDb::LineWeight w = part == host::DimPart::DimensionLine ? m_vars.dimlwd : m_vars.dimlwe;
        m_traits.setLineWeight(w == AcDb::kLnWtByBlock ? m_ownWeight : int(w));
    }

private:
    AcGiSubEntityTraits& m_traits;
    const host::DimVars& m_vars;
    AcCmColor m_own;
    int m_ownWeight;
};

void drawText(AcGiWorldDraw* wd, const host::DimGraphics::Text& t, const AcGiTextStyle& style,
              const AcGeMatrix3d& toWorld, const AcGeVector3d& normal) {
    const std::vector<std::wstring> lines = host::mtextPlainLines(t.text);
    if (lines.empty()) return;
    const AcGeVector2d dir(std::cos(t.rotation), std::sin(t.rotation));
    const AcGeVector2d up = dir.perpVector();
    const double pitch = t.height * kLinePitch;
    const double blockHeight = t.height + pitch * double(lines.size() - 1);
    const AcGeVector3d dir3 = planeVector(toWorld, t.rotation);
    for (size_t i = 0; i < lines.size(); ++i) {
        const double width = style.extents(lines[i].c_str(), false, -1, false).x;
        const AcGePoint2d base = t.center + up * (blockHeight / 2.0 - t.height - pitch * double(i)) - dir * (width / 2.0);
        wd->geometry().text(worldPoint(toWorld, base), normal, dir3, lines[i].c_str(), -1, false, style);
    }
}

void drawBlockArrow(AcGiWorldDraw* wd, const host::DimGraphics::BlockArrow& a, const AcGeMatrix3d& toWorld) {
    const AcDbBlockTableRecord* block = peekBlock(a.block);
    if (!block) return;
    const AcGeMatrix3d place = toWorld * AcGeMatrix3d::translation(AcGeVector3d(a.tip.x, a.tip.y, 0.0))
                               * AcGeMatrix3d::rotation(a.rotation, AcGeVector3d::kZAxis)
                               * AcGeMatrix3d::scaling(a.size);
    wd->geometry().pushModelTransform(place);
    for (AcDbObjectId id : block->entityIds()) {
        if (id.isNull() || id.isErased() || !id.isValid()) continue;
        // A dimension as its own arrowhead would draw itself for ever.
        auto* ent = AcDbEntity::cast(static_cast<AcDbStub*>(id)->object);
        if (ent && !ent->isKindOf(AcDbDimension::desc()) && ent->visibility() == AcDb::kVisible)
            wd->geometry().draw(ent);
    }
    wd->geometry().popModelTransform();
}

} // namespace

host::DimArrows AcDbDimension::arrowsFor(const host::DimVars& v) const {
    host::DimArrows a;
    const AcDbObjectId first = v.dimsah ? v.dimblk1 : v.dimblk;
    const AcDbObjectId second = v.dimsah ? v.dimblk2 : v.dimblk;
    a.first = arrowKindOf(first);
    a.second = arrowKindOf(second);
    a.firstBlock = first;
    a.secondBlock = second;
    return a;
}

host::DimTextSpec AcDbDimension::textSpecFor(const host::DimVars& v, AcGiTextStyle& style) const {
    if (v.dimtxsty.isNull() || fromAcDbTextStyle(style, v.dimtxsty) != Acad::eOk) style = AcGiTextStyle();
    host::DimTextSpec t;
    t.height = v.dimtxt * v.scale();
    style.setTextSize(t.height);
    t.text = displayText();
    for (const std::wstring& line : host::mtextPlainLines(t.text))
        t.width = std::max(t.width, style.extents(line.c_str(), false, -1, false).x);
    if (!m_defaultTextPosition) {
        t.userPosition = true;
        t.position = toPlane(m_textPosition);
    }
    if (m_textRotation != 0.0) {
        t.userRotation = true;
        t.rotation = m_textRotation;
    }
    return t;
}

host::DimGraphics AcDbDimension::graphics() const {
    const host::DimVars vars = effectiveDimVars();
    AcGiTextStyle style;
    const host::DimTextSpec text = textSpecFor(vars, style);
    return layout(vars, arrowsFor(vars), text);
}

bool AcDbDimension::subWorldDraw(AcGiWorldDraw* wd) {
    if (isDrawnFromDimBlock()) {
        drawKeptBlock(wd);
        return true;
    }
    const host::DimVars vars = effectiveDimVars();
    AcGiTextStyle style;
    const host::DimTextSpec text = textSpecFor(vars, style);
    const host::DimGraphics g = layout(vars, arrowsFor(vars), text);
    const AcGeMatrix3d toWorld = planeToWorld();
    AcGiSubEntityTraits& traits = wd->subEntityTraits();
    PartTraits parts(traits, vars, color(), int(lineWeight()));

    for (const auto& l : g.lines) {
        parts.use(l.part);
        const AcGePoint3d pts[2] = {worldPoint(toWorld, l.a), worldPoint(toWorld, l.b)};
        if (wd->geometry().polyline(2, pts, &m_normal)) return true;
    }
    for (const auto& a : g.arcs) {
        parts.use(a.part);
        wd->geometry().circularArc(worldPoint(toWorld, a.center), a.radius, m_normal,
                                   planeVector(toWorld, a.startAngle), a.sweep);
    }
    for (const auto& c : g.circles) {
        parts.use(c.part);
        if (c.filled) traits.setFillType(kAcGiFillAlways);
        wd->geometry().circle(worldPoint(toWorld, c.center), c.radius, m_normal);
        if (c.filled) traits.setFillType(kAcGiFillNever);
    }
    for (const auto& f : g.fills) {
        parts.use(f.part);
        std::vector<AcGePoint3d> pts;
        for (const AcGePoint2d& p : f.points) pts.push_back(worldPoint(toWorld, p));
        traits.setFillType(kAcGiFillAlways);
        wd->geometry().polygon(uint32_t(pts.size()), pts.data());
        traits.setFillType(kAcGiFillNever);
    }
    for (const auto& a : g.blockArrows) {
        parts.use(host::DimPart::DimensionLine);
        drawBlockArrow(wd, a, toWorld);
    }
    for (const auto& t : g.texts) {
        parts.use(host::DimPart::Text);
        drawText(wd, t, style, toWorld, m_normal);
    }
    return true;
}
