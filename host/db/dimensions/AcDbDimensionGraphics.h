#pragma once
// What a dimension draws, in the 2D coordinates of its plane: lines, arcs, circles,
// filled shapes, texts and arrowheads that come from user blocks. The layout
// computes it from the definition points and the variables; drawing, explode and
// the graphics block all take it from here, so the three always agree.
#include "host/db/database/AcDbObjectId.h"
#include "host/ge/AcGePoint2d.h"

#include <string>
#include <vector>

namespace host {

// Which variables colour and weight a piece: dimclrd/dimlwd for the dimension
// line, its arrowheads and leaders; dimclre/dimlwe for the extension lines;
// dimclrt for the text.
enum class DimPart { DimensionLine, ExtensionLine1, ExtensionLine2, Text };

struct DimGraphics {
    struct Line {
        AcGePoint2d a, b;
        DimPart part = DimPart::DimensionLine;
    };
    // Counter-clockwise from startAngle through sweep (> 0).
    struct Arc {
        AcGePoint2d center;
        double radius = 0.0;
        double startAngle = 0.0;
        double sweep = 0.0;
        DimPart part = DimPart::DimensionLine;
    };
    struct Circle {
        AcGePoint2d center;
        double radius = 0.0;
        bool filled = false;
        DimPart part = DimPart::DimensionLine;
    };
    // A filled outline (arrowheads, heavy ticks).
    struct Fill {
        std::vector<AcGePoint2d> points;
        DimPart part = DimPart::DimensionLine;
    };
    // One line of text (or several, broken at "\P") centred on `center`, reading
    // along `rotation`; `width` is the widest line as measured for the layout.
    struct Text {
        AcGePoint2d center;
        double rotation = 0.0;
        double height = 0.0;
        double width = 0.0;
        std::wstring text;
    };
    // An arrowhead drawn from a user's block: the block's geometry, scaled by size,
    // turned so that its +X axis points along `rotation`, placed at the tip.
    struct BlockArrow {
        AcGePoint2d tip;
        double rotation = 0.0;
        double size = 0.0;
        AcDbObjectId block;
    };

    std::vector<Line> lines;
    std::vector<Arc> arcs;
    std::vector<Circle> circles;
    std::vector<Fill> fills;
    std::vector<Text> texts;
    std::vector<BlockArrow> blockArrows;

    bool empty() const {
        return lines.empty() && arcs.empty() && circles.empty() && fills.empty() && texts.empty()
               && blockArrows.empty();
    }
};

} // namespace host
