#pragma once
// How a picture of a drawing is made: which part of the drawing (the window, in
// drawing units), how many pixels wide, the paper, the line weights, and how layer
// colours are found.
#include "host/gi/AcGiColor.h"

#include <functional>
#include <vector>

class AcDbStub;

namespace host::render {

struct LayerLook {
    AcGiColor color = AcGiColor(AcGiColor::kForeground);
    int lineWeight = -3; // default
    bool visible = true; // off or frozen layers are not drawn
    AcDbStub* linetype = nullptr; // for ByLayer; null: continuous
};

struct LinetypeLook {
    bool byLayer = false; // the layer's linetype applies
    // Dash lengths in drawing units: positive dashes, negative gaps, 0 dots; empty
    // for a continuous line.
    std::vector<double> dashes;
};

struct RenderOptions {
    // The window x1,y1 - x2,y2 in drawing units; without it, the extents of what is
    // drawn plus the margin (a fraction of their size on every side).
    bool hasWindow = false;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    double margin = 0.05;
    // Width of the picture in pixels (points for SVG and PDF); the height follows
    // the window's proportions. At most kMaxPixels wide; a PNG is also at most
    // kMaxPixels high (made narrower to fit), SVG and PDF have no height limit.
    int widthPx = 1600;
    static constexpr int kMaxPixels = 16384;
    bool paperIsWhite = true;
    // Line weights are hundredths of a millimetre; this many pixels make a
    // millimetre (96 dpi by default). A default weight draws as defaultLineWeight.
    double pixelsPerMm = 96.0 / 25.4;
    int defaultLineWeight = 25;
    // How a layer looks (colour for ByLayer, weight for ByLayer, visibility). Without
    // it every layer is visible, in the foreground colour and the default weight.
    std::function<LayerLook(AcDbStub* layer)> layerLook;
    // A linetype's pattern; null linetypes are ByLayer. Without it every line is
    // continuous. Patterns are scaled by ltscale and the entity's own scale.
    std::function<LinetypeLook(AcDbStub* linetype)> linetypeLook;
    double ltscale = 1.0;
};

} // namespace host::render
