#include "host/db/dimensions/AcDbDimensionArrows.h"

#include <cwctype>
#include <initializer_list>
#include <string>

namespace host {

namespace {

struct Named {
    DimArrowKind kind;
    const wchar_t* name;
};
constexpr Named kNames[] = {
    {DimArrowKind::ClosedFilled, L"_ClosedFilled"}, {DimArrowKind::ClosedBlank, L"_ClosedBlank"},
    {DimArrowKind::Closed, L"_Closed"},             {DimArrowKind::Dot, L"_Dot"},
    {DimArrowKind::ArchTick, L"_ArchTick"},         {DimArrowKind::Oblique, L"_Oblique"},
    {DimArrowKind::Open, L"_Open"},                 {DimArrowKind::Origin, L"_Origin"},
    {DimArrowKind::Origin2, L"_Origin2"},           {DimArrowKind::Open90, L"_Open90"},
    {DimArrowKind::Open30, L"_Open30"},             {DimArrowKind::DotSmall, L"_DotSmall"},
    {DimArrowKind::DotBlank, L"_DotBlank"},         {DimArrowKind::Small, L"_Small"},
    {DimArrowKind::BoxBlank, L"_BoxBlank"},         {DimArrowKind::BoxFilled, L"_BoxFilled"},
    {DimArrowKind::DatumBlank, L"_DatumBlank"},     {DimArrowKind::DatumFilled, L"_DatumFilled"},
    {DimArrowKind::Integral, L"_Integral"},         {DimArrowKind::None, L"_None"},
};

std::wstring key(std::wstring_view name) {
    std::wstring k;
    for (wchar_t c : name)
        if (c != L'_') k += wchar_t(std::towupper(c));
    return k;
}

// Places shapes drawn at unit size (tip at the origin, pointing +X).
struct Frame {
    AcGePoint2d tip;
    AcGeVector2d x, y; // scaled axes
    AcGePoint2d at(double u, double v) const { return tip + x * u + y * v; }
};

void line(DimGraphics& g, const Frame& f, double u1, double v1, double u2, double v2, DimPart part) {
    g.lines.push_back({f.at(u1, v1), f.at(u2, v2), part});
}

void outline(DimGraphics& g, const Frame& f, std::initializer_list<AcGePoint2d> unit, bool filled, DimPart part) {
    std::vector<AcGePoint2d> pts;
    for (const AcGePoint2d& p : unit) pts.push_back(f.at(p.x, p.y));
    if (filled) {
        g.fills.push_back({pts, part});
        return;
    }
    for (size_t i = 0; i < pts.size(); ++i) g.lines.push_back({pts[i], pts[(i + 1) % pts.size()], part});
}

void circle(DimGraphics& g, const Frame& f, double u, double r, double size, bool filled, DimPart part) {
    g.circles.push_back({f.at(u, 0.0), r * size, filled, part});
}

} // namespace

DimArrowKind dimArrowKindOfName(std::wstring_view blockName) {
    if (blockName.empty()) return DimArrowKind::ClosedFilled;
    const std::wstring k = key(blockName);
    for (const Named& n : kNames)
        if (key(n.name) == k) return n.kind;
    return DimArrowKind::UserBlock;
}

const wchar_t* dimArrowBlockName(DimArrowKind kind) {
    if (kind == DimArrowKind::ClosedFilled || kind == DimArrowKind::UserBlock) return L"";
    for (const Named& n : kNames)
        if (n.kind == kind) return n.name;
    return L"";
}

bool isTickArrow(DimArrowKind kind) {
    return kind == DimArrowKind::Oblique || kind == DimArrowKind::ArchTick || kind == DimArrowKind::Integral;
}

void addDimArrow(DimGraphics& g, DimArrowKind kind, const AcGePoint2d& tip, const AcGeVector2d& direction,
                 double size, DimPart part) {
    if (!(size > 0.0) || direction.isZeroLength()) return;
    const AcGeVector2d dir = direction.normal();
    const Frame f{tip, dir * size, dir.perpVector() * size};
    constexpr double w = 1.0 / 6.0;    // half width of the closed arrows
    constexpr double t30 = 0.26794919; // tan 15 degrees: the 30-degree open arrow
    constexpr double tick = 0.075;     // half the heavy tick's thickness
    switch (kind) {
    case DimArrowKind::ClosedFilled: outline(g, f, {{0, 0}, {-1, w}, {-1, -w}}, true, part); break;
    case DimArrowKind::ClosedBlank:
    case DimArrowKind::Closed: outline(g, f, {{0, 0}, {-1, w}, {-1, -w}}, false, part); break;
    case DimArrowKind::Open:
        line(g, f, 0, 0, -1, w, part);
        line(g, f, 0, 0, -1, -w, part);
        break;
    case DimArrowKind::Open30:
        line(g, f, 0, 0, -1, t30, part);
        line(g, f, 0, 0, -1, -t30, part);
        break;
    case DimArrowKind::Open90:
        line(g, f, 0, 0, -0.5, 0.5, part);
        line(g, f, 0, 0, -0.5, -0.5, part);
        break;
    case DimArrowKind::Oblique: line(g, f, -0.5, -0.5, 0.5, 0.5, part); break;
    case DimArrowKind::ArchTick:
        outline(g, f, {{-0.5 + tick, -0.5 - tick}, {0.5 + tick, 0.5 - tick}, {0.5 - tick, 0.5 + tick},
                       {-0.5 - tick, -0.5 + tick}},
                true, part);
        break;
    case DimArrowKind::Integral:
        g.arcs.push_back({f.at(-0.2, 0.2), 0.2 * size, dir.angle() - 1.5707963267948966, 1.5707963267948966, part});
        g.arcs.push_back({f.at(0.2, -0.2), 0.2 * size, dir.angle() + 1.5707963267948966, 1.5707963267948966, part});
        break;
    case DimArrowKind::Dot: circle(g, f, 0, 0.25, size, true, part); break;
    case DimArrowKind::DotSmall: circle(g, f, 0, 1.0 / 16.0, size, true, part); break;
    case DimArrowKind::DotBlank: circle(g, f, 0, 0.25, size, false, part); break;
    case DimArrowKind::Small: circle(g, f, 0, 1.0 / 16.0, size, false, part); break;
    case DimArrowKind::Origin: circle(g, f, 0, 0.5, size, false, part); break;
    case DimArrowKind::Origin2:
        circle(g, f, 0, 0.5, size, false, part);
        circle(g, f, 0, 0.25, size, false, part);
        break;
    case DimArrowKind::BoxBlank: outline(g, f, {{-0.25, -0.25}, {0.25, -0.25}, {0.25, 0.25}, {-0.25, 0.25}}, false, part); break;
    case DimArrowKind::BoxFilled: outline(g, f, {{-0.25, -0.25}, {0.25, -0.25}, {0.25, 0.25}, {-0.25, 0.25}}, true, part); break;
    case DimArrowKind::DatumBlank: outline(g, f, {{0, 0.57735}, {-1, 0}, {0, -0.57735}}, false, part); break;
    case DimArrowKind::DatumFilled: outline(g, f, {{0, 0.57735}, {-1, 0}, {0, -0.57735}}, true, part); break;
    case DimArrowKind::None:
    case DimArrowKind::UserBlock: break;
    }
}

} // namespace host
