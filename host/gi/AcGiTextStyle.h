#pragma once
// A text style as the drawing layer uses it: the font (a TrueType typeface or a font
// file), the size, width factor, oblique angle and flags. extents() measures a text
// with the real font, so what a drawable measures is what the picture shows.
//
// Fonts: a TrueType style is found by its typeface or its font file name among the
// installed fonts (the closest match); shape fonts (".shx"), "txt", an empty name
// and a font that is not installed are drawn and measured with DejaVu Sans.
// The text size is the height of the capital letters.
#include "host/rx/acadstrc.h"

#include <string>

class AcDbDatabase;
class AcGePoint2d;
class AcGiWorldDraw;

namespace host::gi {
struct FontFace;
}

class AcGiTextStyle {
public:
    explicit AcGiTextStyle(AcDbDatabase* pDb = nullptr);
    AcGiTextStyle(const wchar_t* fontName, const wchar_t* bigFontName, double textSize, double xScale,
                  double obliqueAngle, double trPercent, bool isBackward, bool isUpsideDown, bool isVertical,
                  bool isOverlined, bool isUnderlined, bool isStrikethrough = false,
                  const wchar_t* styleName = nullptr);

    // Makes the style's font ready. Returns 0 when no font at all can be loaded;
    // otherwise bit 1 (the font or its stand-in is ready), plus bit 2 when the
    // style's own font was found (not the stand-in).
    int loadStyleRec(AcDbDatabase* pDb = nullptr) const;

    void setTextSize(double size) { m_textSize = size; }
    void setXScale(double xScale) { m_xScale = xScale; }
    void setObliquingAngle(double radians) { m_oblique = radians; }
    void setTrackingPercent(double percent) { m_tracking = percent; }
    void setBackward(bool on) { m_backward = on; }
    void setUpsideDown(bool on) { m_upsideDown = on; }
    void setVertical(bool on) { m_vertical = on; }
    void setUnderlined(bool on) { m_underlined = on; }
    void setOverlined(bool on) { m_overlined = on; }
    void setStrikethrough(bool on) { m_strikethrough = on; }
    void setFileName(const wchar_t* fontFile);
    void setBigFontFileName(const wchar_t* bigFontFile);
    // A TrueType typeface; it wins over the file name when both are set.
    Acad::ErrorStatus setFont(const wchar_t* pTypeface, bool bold, bool italic, int charset,
                              int pitchAndFamily);
    // The typeface is a new[] copy the caller releases with delete[] (acutDelString).
    Acad::ErrorStatus font(wchar_t*& pTypeface, bool& bold, bool& italic, int& charset,
                           int& pitchAndFamily) const;
    Acad::ErrorStatus setStyleName(const wchar_t* name);

    double textSize() const { return m_textSize; }
    double xScale() const { return m_xScale; }
    double obliquingAngle() const { return m_oblique; }
    double trackingPercent() const { return m_tracking; }
    bool isBackward() const { return m_backward; }
    bool isUpsideDown() const { return m_upsideDown; }
    bool isVertical() const { return m_vertical; }
    bool isUnderlined() const { return m_underlined; }
    bool isOverlined() const { return m_overlined; }
    bool isStrikethrough() const { return m_strikethrough; }
    const wchar_t* fileName() const { return m_fileName.c_str(); }
    const wchar_t* bigFontFileName() const { return m_bigFontFileName.c_str(); }
    const wchar_t* styleName() const { return m_styleName.c_str(); }
    const std::wstring& typeface() const { return m_typeface; }
    bool isBold() const { return m_bold; }
    bool isItalic() const { return m_italic; }
    int charset() const { return m_charset; }
    int pitchAndFamily() const { return m_pitchAndFamily; }
    // A shape font (".shx" or a bare name such as "txt") and no TrueType typeface.
    bool isShxFont() const;

    // Width (x) and height (y) of the text's box at this style's size, in drawing
    // units. len -1 measures up to the end. penups: trailing and leading spaces
    // count. raw: the control codes (%%d, %%p, %%c, %%%, %%u, %%o) are taken as
    // written. The context is not needed and may be null.
    AcGePoint2d extents(const wchar_t* pStr, bool penups, int len, bool raw,
                        AcGiWorldDraw* ctxt = nullptr) const;
    // The same box as its corners, relative to the text's insertion point on the
    // baseline: the lower-left corner is below the baseline when letters descend.
    void extentsBox(const wchar_t* pStr, bool penups, int len, bool raw, AcGePoint2d& lowerLeft,
                    AcGePoint2d& upperRight) const;

    // The face used for this style (its own font or the stand-in); never null unless
    // no font is installed at all. Cached across calls and copies.
    const host::gi::FontFace* face() const;

private:
    void forgetFace() { m_face = nullptr; }

    std::wstring m_fileName;
    std::wstring m_bigFontFileName;
    std::wstring m_typeface;
    std::wstring m_styleName;
    double m_textSize = 1.0;
    double m_xScale = 1.0;
    double m_oblique = 0.0;
    double m_tracking = 1.0;
    bool m_bold = false;
    bool m_italic = false;
    int m_charset = 0;
    int m_pitchAndFamily = 0;
    bool m_backward = false;
    bool m_upsideDown = false;
    bool m_vertical = false;
    bool m_underlined = false;
    bool m_overlined = false;
    bool m_strikethrough = false;
    mutable const host::gi::FontFace* m_face = nullptr;
};
