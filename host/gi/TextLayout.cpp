#include "host/gi/TextLayout.h"

#include <algorithm>
#include <cmath>

namespace host::gi {

namespace {

// Text coordinates of a font-unit point at pen position penX (both font units).
void toText(const TextLayout& l, double fx, double fy, double& x, double& y) {
    double s = l.scale;
    x = fx * s * l.shape.widthFactor + fy * s * std::tan(l.shape.oblique);
    y = fy * s;
    if (l.shape.backward) x = -x;
    if (l.shape.upsideDown) y = -y;
}

void grow(TextBox& b, bool& any, double x, double y) {
    if (!any) {
        b = {x, y, x, y};
        any = true;
        return;
    }
    b.minX = std::min(b.minX, x);
    b.minY = std::min(b.minY, y);
    b.maxX = std::max(b.maxX, x);
    b.maxY = std::max(b.maxY, y);
}

// Underline and overline runs: one rule per stretch of characters that carry it.
void addRules(TextLayout& l, const DecodedText& text, const std::vector<double>& pens, double penEnd) {
    const FontFace& f = *l.face;
    for (uint8_t kind : {DecodedText::kUnderline, DecodedText::kOverline}) {
        double fy = kind == DecodedText::kUnderline ? -0.2 * f.capHeight() : 1.2 * f.capHeight();
        size_t i = 0;
        while (i < text.chars.size()) {
            if (!(text.decoration[i] & kind)) {
                ++i;
                continue;
            }
            size_t j = i;
            while (j < text.chars.size() && (text.decoration[j] & kind))
                ++j;
            double x0, x1, y, unused;
            toText(l, pens[i], fy, x0, y);
            toText(l, j < pens.size() ? pens[j] : penEnd, fy, x1, unused);
            l.rules.push_back({x0, x1, y});
            i = j;
        }
    }
}

} // namespace

void TextLayout::place(const Glyph& g, double u, double v, double& x, double& y) const {
    toText(*this, g.penX + u, v, x, y);
}

TextBox TextLayout::box(bool penups) const {
    TextBox b;
    bool any = false;
    if (hasInk) {
        b = ink;
        any = true;
    }
    if (penups || !any) {
        double end = shape.backward ? -advance : advance;
        grow(b, any, 0.0, 0.0);
        grow(b, any, end, 0.0);
    }
    return b;
}

TextLayout layoutText(const FontFace* face, const DecodedText& text, const TextShape& shape) {
    TextLayout l;
    l.face = face;
    l.shape = shape;
    if (!face || !(face->capHeight() > 0) || !std::isfinite(shape.height)) return l;
    l.scale = shape.height / face->capHeight();

    std::vector<double> pens;
    pens.reserve(text.chars.size());
    double pen = 0;
    for (wchar_t ch : text.chars) {
        const GlyphInfo& g = face->glyph(char32_t(ch));
        pens.push_back(pen);
        l.glyphs.push_back({g.index, pen});
        if (g.hasInk) {
            // The slanted box of the glyph: its four corners cover the slanted ink.
            for (double fx : {g.xMin, g.xMax})
                for (double fy : {g.yMin, g.yMax}) {
                    double x, y;
                    toText(l, pen + fx, fy, x, y);
                    grow(l.ink, l.hasInk, x, y);
                }
        }
        pen += g.advance * shape.tracking;
    }
    double endX, endY;
    toText(l, pen, 0, endX, endY);
    l.advance = std::fabs(endX);
    addRules(l, text, pens, pen);
    for (const auto& r : l.rules) {
        grow(l.ink, l.hasInk, r.x0, r.y);
        grow(l.ink, l.hasInk, r.x1, r.y);
    }
    return l;
}

} // namespace host::gi
