#pragma once
// One loaded font: its metrics and, per character, the glyph, its advance, its ink
// box and its outline, all in font units and cached, because chains measure and
// draw the same few characters over and over.
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace host::gi {

// A glyph outline as the renderer wants it: move, line, cubic curve, close.
struct PathCommand {
    enum Kind : uint8_t { Move, Line, Cubic, Close };
    Kind kind;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0, x3 = 0,
           y3 = 0; // end point is (x1,y1) for Move/Line, (x3,y3) for Cubic
};

struct GlyphInfo {
    uint32_t index = 0; // 0: the font has no glyph for the character
    double advance = 0;
    bool hasInk = false;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
};

class FontFace {
public:
    // Takes ownership of the FreeType face (passed as void* to keep FreeType out of
    // this header).
    FontFace(void* ftFace, std::string path, std::wstring family);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    const std::string& path() const { return m_path; }
    const std::wstring& family() const { return m_family; }
    double unitsPerEm() const { return m_unitsPerEm; }
    // Height of the capital letters; a text's height is scaled to it.
    double capHeight() const { return m_capHeight; }

    const GlyphInfo& glyph(char32_t ch) const;
    // The outline of a glyph by index; empty for a blank glyph or a broken one.
    const std::vector<PathCommand>& outline(uint32_t glyphIndex) const;

private:
    GlyphInfo loadGlyph(char32_t ch) const;
    std::vector<PathCommand> loadOutline(uint32_t glyphIndex) const;

    void* m_face;
    std::string m_path;
    std::wstring m_family;
    double m_unitsPerEm = 1000;
    double m_capHeight = 700;
    mutable std::unordered_map<char32_t, GlyphInfo> m_glyphs;
    mutable std::unordered_map<uint32_t, std::vector<PathCommand>> m_outlines;
};

} // namespace host::gi
