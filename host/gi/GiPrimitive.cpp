#include "host/gi/GiPrimitive.h"

#include <array>
#include <cwchar>

namespace host::gi {

namespace {

// Styles kept for sharing: a drawable draws its texts with one or two styles, and
// recordings made one after another (entity after entity) mostly with the same ones.
constexpr size_t kInternedStyles = 8;

bool sameStyle(const AcGiTextStyle& a, const AcGiTextStyle& b) {
    // Sizes first: they differ most often between the texts of one drawing.
    return a.textSize() == b.textSize() && a.xScale() == b.xScale() &&
           a.obliquingAngle() == b.obliquingAngle() && a.trackingPercent() == b.trackingPercent() &&
           a.isBackward() == b.isBackward() && a.isUpsideDown() == b.isUpsideDown() &&
           a.isVertical() == b.isVertical() && a.isUnderlined() == b.isUnderlined() &&
           a.isOverlined() == b.isOverlined() && a.isStrikethrough() == b.isStrikethrough() &&
           a.isBold() == b.isBold() && a.isItalic() == b.isItalic() && a.charset() == b.charset() &&
           a.pitchAndFamily() == b.pitchAndFamily() && a.typeface() == b.typeface() &&
           std::wcscmp(a.fileName(), b.fileName()) == 0 &&
           std::wcscmp(a.bigFontFileName(), b.bigFontFileName()) == 0 &&
           std::wcscmp(a.styleName(), b.styleName()) == 0;
}

const AcGiTextStyle& defaultStyle() {
    static const AcGiTextStyle style;
    return style;
}

} // namespace

std::shared_ptr<const AcGiTextStyle> internTextStyle(const AcGiTextStyle& style) {
    // Most recently used first.
    thread_local std::array<std::shared_ptr<const AcGiTextStyle>, kInternedStyles> kept;
    size_t found = 0;
    while (found < kept.size() && kept[found] && !sameStyle(*kept[found], style))
        ++found;
    std::shared_ptr<const AcGiTextStyle> shared;
    if (found < kept.size() && kept[found])
        shared = kept[found];
    else {
        shared = std::make_shared<const AcGiTextStyle>(style);
        if (found == kept.size()) found = kept.size() - 1; // the least recently used goes
    }
    for (size_t i = found; i > 0; --i)
        kept[i] = std::move(kept[i - 1]);
    kept[0] = shared;
    return shared;
}

size_t recordingBytes(const GiRecording& recording) {
    size_t bytes = recording.capacity() * sizeof(GiPrimitive);
    for (const GiPrimitive& p : recording) {
        bytes += p.points.capacity() * sizeof(AcGePoint3d);
        // A short text lives inside the string itself.
        if (p.text.capacity() > std::wstring().capacity()) bytes += (p.text.capacity() + 1) * sizeof(wchar_t);
    }
    return bytes;
}

const AcGiTextStyle& GiPrimitive::style() const {
    return m_style ? *m_style : defaultStyle();
}

void GiPrimitive::setStyle(const AcGiTextStyle& style) {
    m_style = internTextStyle(style);
}

} // namespace host::gi
