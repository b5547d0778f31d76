#include "host/gi/AcGiTextStyle.h"

#include "host/ge/AcGePoint2d.h"
#include "host/gi/FontLibrary.h"
#include "host/gi/TextLayout.h"

#include <cstring>
#include <cwchar>

namespace {

host::gi::FontRequest requestOf(const AcGiTextStyle& s) {
    host::gi::FontRequest r;
    r.typeface = s.typeface();
    r.fileName = s.fileName();
    r.bold = s.isBold();
    r.italic = s.isItalic();
    return r;
}

} // namespace

AcGiTextStyle::AcGiTextStyle(AcDbDatabase*) {}

AcGiTextStyle::AcGiTextStyle(const wchar_t* fontName, const wchar_t* bigFontName, double textSize,
                             double xScale, double obliqueAngle, double trPercent, bool isBackward,
                             bool isUpsideDown, bool isVertical, bool isOverlined, bool isUnderlined,
                             bool isStrikethrough, const wchar_t* styleName)
    : m_fileName(fontName ? fontName : L""), m_bigFontFileName(bigFontName ? bigFontName : L""),
      m_styleName(styleName ? styleName : L""), m_textSize(textSize), m_xScale(xScale),
      m_oblique(obliqueAngle), m_tracking(trPercent), m_backward(isBackward), m_upsideDown(isUpsideDown),
      m_vertical(isVertical), m_underlined(isUnderlined), m_overlined(isOverlined),
      m_strikethrough(isStrikethrough) {}

int AcGiTextStyle::loadStyleRec(AcDbDatabase*) const {
    host::gi::FontChoice choice = host::gi::FontLibrary::instance().find(requestOf(*this));
    m_face = choice.face;
    if (!choice.face) return 0;
    return choice.ownFont ? 3 : 1;
}

void AcGiTextStyle::setFileName(const wchar_t* fontFile) {
    m_fileName = fontFile ? fontFile : L"";
    forgetFace();
}

void AcGiTextStyle::setBigFontFileName(const wchar_t* bigFontFile) {
    m_bigFontFileName = bigFontFile ? bigFontFile : L"";
}

Acad::ErrorStatus AcGiTextStyle::setFont(const wchar_t* pTypeface, bool bold, bool italic, int charset,
                                         int pitchAndFamily) {
    m_typeface = pTypeface ? pTypeface : L"";
    m_bold = bold;
    m_italic = italic;
    m_charset = charset;
    m_pitchAndFamily = pitchAndFamily;
    forgetFace();
    return Acad::eOk;
}

Acad::ErrorStatus AcGiTextStyle::font(wchar_t*& pTypeface, bool& bold, bool& italic, int& charset,
                                      int& pitchAndFamily) const {
    pTypeface = new wchar_t[m_typeface.size() + 1];
    std::wmemcpy(pTypeface, m_typeface.c_str(), m_typeface.size() + 1);
    bold = m_bold;
    italic = m_italic;
    charset = m_charset;
    pitchAndFamily = m_pitchAndFamily;
    return Acad::eOk;
}

Acad::ErrorStatus AcGiTextStyle::setStyleName(const wchar_t* name) {
    m_styleName = name ? name : L"";
    return Acad::eOk;
}

bool AcGiTextStyle::isShxFont() const {
    return m_typeface.empty() && host::gi::FontLibrary::isShapeFontName(m_fileName);
}

const host::gi::FontFace* AcGiTextStyle::face() const {
    if (!m_face) m_face = host::gi::FontLibrary::instance().find(requestOf(*this)).face;
    return m_face;
}

void AcGiTextStyle::extentsBox(const wchar_t* pStr, bool penups, int len, bool raw, AcGePoint2d& lowerLeft,
                               AcGePoint2d& upperRight) const {
    lowerLeft.set(0, 0);
    upperRight.set(0, 0);
    if (!pStr) return;
    host::gi::TextShape shape;
    shape.height = m_textSize;
    shape.widthFactor = m_xScale;
    shape.oblique = m_oblique;
    shape.tracking = m_tracking > 0 ? m_tracking : 1.0;
    shape.backward = m_backward;
    shape.upsideDown = m_upsideDown;
    host::gi::TextLayout layout =
        host::gi::layoutText(face(), host::gi::decodeTextCodes(pStr, len, raw), shape);
    host::gi::TextBox b = layout.box(penups);
    lowerLeft.set(b.minX, b.minY);
    upperRight.set(b.maxX, b.maxY);
}

AcGePoint2d AcGiTextStyle::extents(const wchar_t* pStr, bool penups, int len, bool raw,
                                   AcGiWorldDraw*) const {
    AcGePoint2d lowerLeft, upperRight;
    extentsBox(pStr, penups, len, raw, lowerLeft, upperRight);
    return AcGePoint2d(upperRight.x - lowerLeft.x, upperRight.y - lowerLeft.y);
}
