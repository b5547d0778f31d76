#pragma once
// The text style a chain writes and measures its texts with: the style record the chain
// names, loaded once into a host text style. Without a record (a null id, an id that
// does not open) texts are drawn in the host's standard font and measured with it.
#include "host/db/database/AcDbObjectId.h"
#include "host/gi/AcGiTextStyle.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

class ChainTextStyle {
public:
    explicit ChainTextStyle(AcDbObjectId styleId);

    bool HasStyle() const { return m_hasStyle; }
    // The loaded style, or null when the texts go without one.
    const AcGiTextStyle* Style() const { return m_hasStyle ? &m_style : nullptr; }
    AcDbObjectId StyleId() const { return m_hasStyle ? m_id : AcDbObjectId::kNull; }
    // A TrueType font (anything that is not a shape font); its texts take the colour of
    // the "TrueType" entry of the text-height colour map.
    bool IsTrueType() const { return m_hasStyle && !m_style.isShxFont(); }

    // Width of `text` at `height` in drawing units; leading and trailing blanks count.
    double Width(const std::wstring& text, double height) const;

private:
    mutable AcGiTextStyle m_style;
    AcDbObjectId m_id;
    bool m_hasStyle = false;
};

// While one lives, the chain operations share the styles they load: a drawing pass or a
// re-layout opens each style record once, not once for every text it measures. Scopes
// nest; the outermost one keeps the styles.
class ChainTextStyleScope {
public:
    ChainTextStyleScope();
    ~ChainTextStyleScope();
    ChainTextStyleScope(const ChainTextStyleScope&) = delete;
    ChainTextStyleScope& operator=(const ChainTextStyleScope&) = delete;

    // The style of `styleId`: the one loaded in this scope already, or a newly loaded one.
    static std::shared_ptr<const ChainTextStyle> Acquire(AcDbObjectId styleId);

private:
    std::vector<std::pair<AcDbObjectId, std::shared_ptr<const ChainTextStyle>>> m_loaded;
};

// The colour index the text-height colour map of the options' current mode gives for a
// text height (tenths of a millimetre); 0 picks the "TrueType" entry. 0 when nothing
// matches, when the map is missing or there are no options.
int ColorForTextHeight(double height);
