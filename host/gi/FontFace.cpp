#include "host/gi/FontFace.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

namespace host::gi {

namespace {

FT_Face ft(void* p) {
    return static_cast<FT_Face>(p);
}

// Collects a FreeType outline as move/line/cubic commands; quadratic pieces are
// raised to cubics so that every consumer needs only one curve kind.
struct OutlineCollector {
    std::vector<PathCommand> cmds;
    double cx = 0, cy = 0;
    bool open = false;

    static int moveTo(const FT_Vector* to, void* user) {
        auto* c = static_cast<OutlineCollector*>(user);
        if (c->open) c->cmds.push_back({PathCommand::Close});
        c->cmds.push_back({PathCommand::Move, double(to->x), double(to->y)});
        c->cx = to->x;
        c->cy = to->y;
        c->open = true;
        return 0;
    }
    static int lineTo(const FT_Vector* to, void* user) {
        auto* c = static_cast<OutlineCollector*>(user);
        c->cmds.push_back({PathCommand::Line, double(to->x), double(to->y)});
        c->cx = to->x;
        c->cy = to->y;
        return 0;
    }
    static int conicTo(const FT_Vector* ctl, const FT_Vector* to, void* user) {
        auto* c = static_cast<OutlineCollector*>(user);
        double qx = ctl->x, qy = ctl->y, ex = to->x, ey = to->y;
        PathCommand cmd{PathCommand::Cubic};
        cmd.x1 = c->cx + 2.0 / 3.0 * (qx - c->cx);
        cmd.y1 = c->cy + 2.0 / 3.0 * (qy - c->cy);
        cmd.x2 = ex + 2.0 / 3.0 * (qx - ex);
        cmd.y2 = ey + 2.0 / 3.0 * (qy - ey);
        cmd.x3 = ex;
        cmd.y3 = ey;
        c->cmds.push_back(cmd);
        c->cx = ex;
        c->cy = ey;
        return 0;
    }
    static int cubicTo(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
        auto* c = static_cast<OutlineCollector*>(user);
        c->cmds.push_back({PathCommand::Cubic, double(c1->x), double(c1->y), double(c2->x), double(c2->y),
                           double(to->x), double(to->y)});
        c->cx = to->x;
        c->cy = to->y;
        return 0;
    }
};

} // namespace

FontFace::FontFace(void* ftFace, std::string path, std::wstring family)
    : m_face(ftFace), m_path(std::move(path)), m_family(std::move(family)) {
    FT_Face f = ft(m_face);
    if (f->units_per_EM > 0) m_unitsPerEm = f->units_per_EM;
    // The capital height from the font's own table, else from the letter H, else a
    // typical proportion, so a text's height means the same in every font.
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(f, FT_SFNT_OS2));
    if (os2 && os2->version >= 2 && os2->sCapHeight > 0) {
        m_capHeight = os2->sCapHeight;
    } else {
        const GlyphInfo& h = glyph(U'H');
        m_capHeight = (h.hasInk && h.yMax > 0) ? h.yMax : 0.7 * m_unitsPerEm;
    }
}

FontFace::~FontFace() {
    FT_Done_Face(ft(m_face));
}

const GlyphInfo& FontFace::glyph(char32_t ch) const {
    auto it = m_glyphs.find(ch);
    if (it != m_glyphs.end()) return it->second;
    return m_glyphs.emplace(ch, loadGlyph(ch)).first->second;
}

GlyphInfo FontFace::loadGlyph(char32_t ch) const {
    FT_Face f = ft(m_face);
    GlyphInfo g;
    g.index = FT_Get_Char_Index(f, FT_ULong(ch));
    if (FT_Load_Glyph(f, g.index, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0) return g;
    g.advance = double(f->glyph->metrics.horiAdvance);
    if (f->glyph->format == FT_GLYPH_FORMAT_OUTLINE && f->glyph->outline.n_points > 0) {
        FT_BBox box;
        FT_Outline_Get_CBox(&f->glyph->outline, &box);
        g.hasInk = true;
        g.xMin = double(box.xMin);
        g.yMin = double(box.yMin);
        g.xMax = double(box.xMax);
        g.yMax = double(box.yMax);
    }
    return g;
}

const std::vector<PathCommand>& FontFace::outline(uint32_t glyphIndex) const {
    auto it = m_outlines.find(glyphIndex);
    if (it != m_outlines.end()) return it->second;
    return m_outlines.emplace(glyphIndex, loadOutline(glyphIndex)).first->second;
}

std::vector<PathCommand> FontFace::loadOutline(uint32_t glyphIndex) const {
    FT_Face f = ft(m_face);
    if (FT_Load_Glyph(f, glyphIndex, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0)
        return {};
    if (f->glyph->format != FT_GLYPH_FORMAT_OUTLINE) return {};
    FT_Outline_Funcs funcs{};
    funcs.move_to = &OutlineCollector::moveTo;
    funcs.line_to = &OutlineCollector::lineTo;
    funcs.conic_to = &OutlineCollector::conicTo;
    funcs.cubic_to = &OutlineCollector::cubicTo;
    OutlineCollector c;
    if (FT_Outline_Decompose(&f->glyph->outline, &funcs, &c) != 0) return {};
    if (c.open) c.cmds.push_back({PathCommand::Close});
    return std::move(c.cmds);
}

} // namespace host::gi
