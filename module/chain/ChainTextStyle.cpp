#include "module/chain/ChainTextStyle.h"

#include "host/db/tables/AcDbTextStyleTableRecord.h"
#include "host/ge/AcGePoint2d.h"
#include "module/options/CGlobDimOptions.h"

#include <cwchar>

ChainTextStyle::ChainTextStyle(AcDbObjectId styleId) : m_id(styleId) {
    m_hasStyle = !styleId.isNull() && fromAcDbTextStyle(m_style, styleId) == Acad::eOk;
    if (!m_hasStyle) m_style = AcGiTextStyle();
}

double ChainTextStyle::Width(const std::wstring& text, double height) const {
    if (text.empty() || !(height > 0)) return 0.0;
    m_style.setTextSize(height);
    return m_style.extents(text.c_str(), true, -1, false).x;
}

namespace {
ChainTextStyleScope* g_activeScope = nullptr;
} // namespace

ChainTextStyleScope::ChainTextStyleScope() {
    if (!g_activeScope) g_activeScope = this;
}

ChainTextStyleScope::~ChainTextStyleScope() {
    if (g_activeScope == this) g_activeScope = nullptr;
}

std::shared_ptr<const ChainTextStyle> ChainTextStyleScope::Acquire(AcDbObjectId styleId) {
    if (g_activeScope)
        for (const auto& [id, style] : g_activeScope->m_loaded)
            if (id == styleId) return style;
    auto style = std::make_shared<const ChainTextStyle>(styleId);
    if (g_activeScope) g_activeScope->m_loaded.emplace_back(styleId, style);
    return style;
}

int ColorForTextHeight(double height) {
    if (!pGlobDimOptions) return 0;
    const OptStringMap* map = pGlobDimOptions->GetMap(pGlobDimOptions->m_iMode, L"TextHeight2Color");
    if (!map) return 0;
    for (const auto& [key, value] : *map) {
        bool match = false;
        if (height == 0) {
            match = key == L"TrueType";
        } else {
            wchar_t* end = nullptr;
            const double keyHeight = std::wcstod(key.c_str(), &end);
            match = end != key.c_str() && keyHeight == height;
        }
        if (!match) continue;
        // A colour the index table does not have is no colour.
        const long color = std::wcstol(value.c_str(), nullptr, 10);
        return color >= 0 && color <= 256 ? static_cast<int>(color) : 0;
    }
    return 0;
}
