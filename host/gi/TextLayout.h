#pragma once
// A line of text placed in its own coordinates: x along the text direction from the
// insertion point, y up from the baseline, in drawing units. The same layout gives
// the extents a drawable measures and the glyph outlines the picture shows.
#include "host/gi/FontFace.h"
#include "host/gi/TextCodes.h"

#include <vector>

namespace host::gi {

struct TextShape {
    double height = 1.0;      // capital height in drawing units
    double widthFactor = 1.0; // x scale
    double oblique = 0.0;     // slant in radians, positive leans right
    double tracking = 1.0;    // character spacing factor
    bool backward = false;
    bool upsideDown = false;
};

struct TextBox {
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    double width() const { return maxX - minX; }
    double height() const { return maxY - minY; }
};

struct TextLayout {
    struct Glyph {
        uint32_t index = 0;
        double penX = 0; // font units
    };
    struct Rule { // underline or overline, text coordinates
        double x0 = 0, x1 = 0, y = 0;
    };

    const FontFace* face = nullptr;
    TextShape shape;
    double scale = 0; // drawing units per font unit
    std::vector<Glyph> glyphs;
    std::vector<Rule> rules;
    double advance = 0; // pen travel in drawing units
    bool hasInk = false;
    TextBox ink;

    // Text coordinates of a point given in the font units of a glyph.
    void place(const Glyph& g, double u, double v, double& x, double& y) const;
    // The box of the text: the ink, and with penups also the pen travel from the
    // insertion point (so spaces count). A text without ink has an empty box at 0.
    TextBox box(bool penups) const;
};

TextLayout layoutText(const FontFace* face, const DecodedText& text, const TextShape& shape);

} // namespace host::gi
