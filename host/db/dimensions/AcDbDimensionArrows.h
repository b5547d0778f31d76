#pragma once
// Arrowheads of dimensions: the host's built-in kinds, named by block names as the
// dimension variables dimblk, dimblk1, dimblk2 and dimldrblk hold them ("" or
// "_ClosedFilled" the default arrow, "_Oblique", "_ArchTick", "_Dot" ...), and their
// shapes at a unit size with the tip at the origin pointing along +X.
#include "host/db/dimensions/AcDbDimensionGraphics.h"
#include "host/ge/AcGeVector2d.h"

#include <string_view>

namespace host {

enum class DimArrowKind {
    ClosedFilled,
    ClosedBlank,
    Closed,
    Dot,
    ArchTick,
    Oblique,
    Open,
    Origin,
    Origin2,
    Open90,
    Open30,
    DotSmall,
    DotBlank,
    Small,
    BoxBlank,
    BoxFilled,
    DatumBlank,
    DatumFilled,
    Integral,
    None,
    UserBlock, // any other block: its own geometry
};

// The kind a block name stands for, without regard to case and with or without
// the leading "_"; an empty name is the default arrow, an unknown one a user block.
DimArrowKind dimArrowKindOfName(std::wstring_view blockName);
// The host's spelling of a built-in arrowhead's block ("_Oblique"); empty for the
// default arrow (which needs no block) and for user blocks.
const wchar_t* dimArrowBlockName(DimArrowKind kind);
// Ticks lie across the dimension line, which runs through them (and past them by
// dimdle); all other arrowheads end the line.
bool isTickArrow(DimArrowKind kind);

// Adds the arrowhead with its tip at `tip`, pointing along `direction` (a unit
// vector), scaled to `size`. User blocks are not drawn here (see BlockArrow).
void addDimArrow(DimGraphics& graphics, DimArrowKind kind, const AcGePoint2d& tip, const AcGeVector2d& direction,
                 double size, DimPart part = DimPart::DimensionLine);

} // namespace host
