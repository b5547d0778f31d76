#include "module/chain/ChainLayout.h"

#include "host/gi/AcGiTextStyle.h"
#include "module/chain/ChainRecord.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/IniStorage.h"

#include <cstring>

const LaidText* ChainLayout::TextWithMarker(LONG_PTR marker) const {
    for (const LaidText& text : texts)
        if (text.marker == marker) return &text;
    return nullptr;
}

// ---------------------------------------------------------------- fingerprint

void Fingerprint::Bytes(const void* data, std::size_t size) {
    constexpr std::uint64_t kPrime = 1099511628211ull;
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) {
        m_hash ^= bytes[i];
        m_hash *= kPrime;
    }
}

Fingerprint& Fingerprint::Add(std::uint64_t value) {
    Bytes(&value, sizeof value);
    return *this;
}

Fingerprint& Fingerprint::Add(double value) {
    Bytes(&value, sizeof value);
    return *this;
}

Fingerprint& Fingerprint::Add(const std::wstring& text) {
    Add(static_cast<std::uint64_t>(text.size()));
    Bytes(text.data(), text.size() * sizeof(wchar_t));
    return *this;
}

Fingerprint& Fingerprint::Add(const AcGePoint3d& point) {
    return Add(point.x).Add(point.y).Add(point.z);
}

Fingerprint& Fingerprint::Add(const AcGeVector3d& vector) {
    return Add(vector.x).Add(vector.y).Add(vector.z);
}

namespace {

template <typename Int> void AddInts(Fingerprint& print, const std::vector<Int>& values) {
    print.Add(static_cast<std::uint64_t>(values.size()));
    for (Int value : values)
        print.Add(static_cast<std::uint64_t>(static_cast<std::int64_t>(value)));
}

} // namespace

void AddRecord(Fingerprint& print, const ChainRecord& rec) {
    const ChainGeometry& geo = rec.geo;
    print.Add(static_cast<std::uint64_t>(geo.dimType)).Add(geo.origin);
    for (const AcGeVector3d& axis : geo.axis)
        print.Add(axis);
    print.Add(geo.rotation).Add(geo.vectorDim).Add(geo.zAxis);
    print.AddAll(geo.points).AddAll(geo.arcPoints).AddAll(geo.arcParams);
    AddInts(print, geo.extFlags);
    print.AddAll(rec.texts).AddAll(rec.params.arrayDouble).AddAll(rec.params.arrayString);
    AddInts(print, rec.params.arrayInt);
    print.Add(static_cast<std::uint64_t>(rec.textStyleId.asOldId()));
    print.Add(static_cast<std::uint64_t>(rec.arcObjectId.asOldId()));
    print.Add(static_cast<std::uint64_t>(rec.arcSubent));
    print.Add(static_cast<std::uint64_t>(rec.appTexts.size()));
    for (const AppendingText& text : rec.appTexts) {
        print.Add(static_cast<std::uint64_t>(text.m_iSegment)).Add(text.m_position).Add(text.m_refPoint);
        print.Add(static_cast<std::uint64_t>(text.m_iAutoPos)).Add(text.m_strText).Add(text.m_dValue);
        print.Add(text.m_strText2).Add(text.m_strText3);
    }
}

void AddChainOptions(Fingerprint& print) {
    print.Add(static_cast<std::uint64_t>(pGlobDimOptions != nullptr));
    if (!pGlobDimOptions) return;
    const CGlobDimOptions& options = *pGlobDimOptions;
    const COptionSet& set = options.GetOptionSet(OPT_MODE_CHAIN);
    print.AddAll(set.arrayOptDouble).AddAll(set.arrayOptString);
    AddInts(print, set.arrayOptInt);
    AddInts(print, options.arrayOptFlags);
    print.AddAll(options.arrayOptGeneral);
    AddInts(print, options.arrayAutoPosOrder);
    print.Add(static_cast<std::uint64_t>(options.m_iMode));
    if (const OptStringMap* colours = pGlobDimOptions->GetMap(options.m_iMode, L"TextHeight2Color")) {
        print.Add(static_cast<std::uint64_t>(colours->size()));
        for (const auto& [key, value] : *colours)
            print.Add(key).Add(value);
    }
    print.Add(IniStorageGeneration());
    print.Add(options.CurOptionsFile);
}

void AddTextStyle(Fingerprint& print, const AcGiTextStyle* style) {
    print.Add(static_cast<std::uint64_t>(style != nullptr));
    if (!style) return;
    print.Add(std::wstring(style->fileName())).Add(std::wstring(style->bigFontFileName()));
    print.Add(style->typeface()).Add(style->xScale()).Add(style->obliquingAngle());
    print.Add(style->trackingPercent());
    print.Add(static_cast<std::uint64_t>((style->isBackward() ? 1 : 0) | (style->isUpsideDown() ? 2 : 0) |
                                         (style->isVertical() ? 4 : 0) | (style->isBold() ? 8 : 0) |
                                         (style->isItalic() ? 16 : 0)));
}
