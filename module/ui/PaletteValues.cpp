#include "module/ui/PaletteValues.h"

#include "module/base/LintaroLog.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/OptStrings.h"
#include "module/options/OptionDefaults.h"
#include "module/options/ScaleMaps.h"
#include "module/resources/PaletteResources.h"
#include "module/resources/resource.h"

#include <cmath>

namespace {

// A whole text that is a positive number ("2.5", "2,5", " 10 "); nullopt otherwise. The
// palette's lists hold plain numbers, and a typed "2,5" means what a German user thinks.
std::optional<double> positiveNumber(const std::wstring& text) {
    std::wstring t = OptTrim(text);
    int separators = 0;
    bool digits = false;
    for (wchar_t& c : t) {
        if (c == L',') c = L'.';
        if (c == L'.')
            ++separators;
        else if (c >= L'0' && c <= L'9')
            digits = true;
        else
            return std::nullopt;
    }
    if (!digits || separators > 1) return std::nullopt;
    const double value = OptToDouble(t);
    if (!(value > 0) || !std::isfinite(value)) return std::nullopt;
    return value;
}

// The entries of the fixed lists, with the parameter value each stands for.
struct Choice {
    const wchar_t* text;
    double value;
};
constexpr Choice kDrawingUnits[] = {{L"1 m", 0.001}, {L"1 cm", 0.1}, {L"1 mm", 1.0}};
constexpr Choice kRoundings[] = {{L"", 0}, {L"5   mm", 5}, {L"2.5 mm", 2}};

// Blanks do not count: "5 mm" and "5   mm" are the same entry.
std::wstring withoutBlanks(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text)
        if (c != L' ' && c != L'\t') out += c;
    return out;
}

template <size_t N> const Choice* findChoice(const Choice (&list)[N], const std::wstring& text) {
    for (const Choice& c : list)
        if (OptEqualNoCase(withoutBlanks(c.text), withoutBlanks(text))) return &c;
    return nullptr;
}

std::vector<std::wstring> displayUnits() {
    return {L"M/cm",
            L"m",
            L"cm",
            L"mm",
            LoadStrOr(IDS_UNIT_FEET, L"ft"),
            LoadStrOr(IDS_UNIT_FEET_DECIMAL_INCHES, L"0'-0.000\""),
            LoadStrOr(IDS_UNIT_FEET_FRACTIONAL_INCHES, L"0'-0 1/256\"")};
}

template <typename T> bool has(const std::vector<T>& array, int index) {
    return index >= 0 && static_cast<size_t>(index) < array.size();
}

template <typename T> void put(std::vector<T>& array, int index, T value) {
    if (index < 0) return;
    if (static_cast<size_t>(index) >= array.size()) array.resize(static_cast<size_t>(index) + 1);
    array[static_cast<size_t>(index)] = std::move(value);
}

bool applyExtLine(const std::wstring& text, TRdimParams& params) {
    if (OptEqualNoCase(OptTrim(text), LoadStrOr(IDS_EXTLINE_MAXIMUM, L"<maximal>"))) {
        put<std::uint32_t>(params.arrayInt, IND_I_ExtLine, 2);
        return true;
    }
    if (OptEqualNoCase(OptTrim(text), LoadStrOr(IDS_EXTLINE_NONE, L"<keine>"))) {
        put<std::uint32_t>(params.arrayInt, IND_I_ExtLine, 0);
        return true;
    }
    const std::optional<double> length = positiveNumber(text);
    if (!length) return false;
    put<std::uint32_t>(params.arrayInt, IND_I_ExtLine, 1);
    put(params.arrayDouble, IND_D_ExtLineLength, *length);
    return true;
}

} // namespace

const std::vector<int>& PaletteValueCombos() {
    static const std::vector<int> combos = {
        IDC_COMBO_DIM_LINES_DISTANCE, IDC_COMBO_TEXT_HEIGHT,  IDC_COMBO_SCALE,
        IDC_COMBO_EXT_LINE,           IDC_COMBO_TEXT_STYLE,   IDC_COMBO_ROUNDING,
        IDC_COMBO_DRAWING_UNIT,       IDC_COMBO_DISPLAY_UNIT, IDC_COMBO_DECIMALS};
    return combos;
}

std::wstring PaletteComboLabel(int id) {
    switch (id) {
    case IDC_COMBO_DIM_LINES_DISTANCE:
        return LoadStr(IDS_LABEL_DIM_LINES_DISTANCE);
    case IDC_COMBO_TEXT_HEIGHT:
        return LoadStr(IDS_LABEL_TEXT_HEIGHT);
    case IDC_COMBO_SCALE:
        return LoadStr(IDS_LABEL_SCALE);
    case IDC_COMBO_EXT_LINE:
        return LoadStr(IDS_LABEL_EXT_LINE);
    case IDC_COMBO_TEXT_STYLE:
        return LoadStr(IDS_LABEL_TEXT_STYLE);
    case IDC_COMBO_LAYER:
        return LoadStr(IDS_LABEL_LAYER);
    case IDC_COMBO_ROUNDING:
        return LoadStr(IDS_LABEL_ROUNDING);
    case IDC_COMBO_DRAWING_UNIT:
        return LoadStr(IDS_LABEL_DRAWING_UNIT);
    case IDC_COMBO_DISPLAY_UNIT:
        return LoadStr(IDS_LABEL_DISPLAY_UNIT);
    case IDC_COMBO_DECIMALS:
        return LoadStr(IDS_LABEL_DECIMALS);
    default:
        return std::wstring();
    }
}

bool IsKeepOwnValue(const std::wstring& text) {
    const std::wstring t = OptTrim(text);
    return OptEqualNoCase(t, L"<var>") || OptEqualNoCase(t, LoadStrOr(IDS_KEEP_VALUE, L"<beibehalten>"));
}

const wchar_t* CurrentLayerEntry() {
    return L" < AKTUELL >";
}

std::vector<ParamSlot> PaletteComboSlots(int id) {
    switch (id) {
    case IDC_COMBO_DIM_LINES_DISTANCE:
        return {{OPT_TYPE_DOUBLE, IND_D_DimLinesDistance}};
    case IDC_COMBO_TEXT_HEIGHT:
        return {{OPT_TYPE_DOUBLE, IND_D_TextHeight}};
    case IDC_COMBO_SCALE:
        return {{OPT_TYPE_STRING, IND_S_Scale}, {OPT_TYPE_DOUBLE, IND_D_ScaleVal}};
    case IDC_COMBO_EXT_LINE:
        return {{OPT_TYPE_INT, IND_I_ExtLine}, {OPT_TYPE_DOUBLE, IND_D_ExtLineLength}};
    case IDC_COMBO_TEXT_STYLE:
        return {{OPT_TYPE_STRING, IND_S_TextStyle}};
    case IDC_COMBO_ROUNDING:
        return {{OPT_TYPE_INT, IND_I_RoundMM}};
    case IDC_COMBO_DRAWING_UNIT:
        return {{OPT_TYPE_DOUBLE, IND_D_AcadUnits}};
    case IDC_COMBO_DISPLAY_UNIT:
        return {{OPT_TYPE_STRING, IND_S_Measure}};
    case IDC_COMBO_DECIMALS:
        return {{OPT_TYPE_INT, IND_I_Decimals}};
    default:
        return {};
    }
}

std::optional<double> ParsePaletteScale(const std::wstring& text) {
    const std::wstring t = OptTrim(text);
    if (OptEqualNoCase(t, L"AnnoScale") || OptEqualNoCase(t, LoadStrOr(IDS_ANNO_SCALE, L"BMa\u00DF")))
        return ScaleStr2Double(t);
    const size_t colon = t.find(L':');
    if (colon == std::wstring::npos) return std::nullopt;
    const std::optional<double> left = positiveNumber(t.substr(0, colon));
    const std::optional<double> right = positiveNumber(t.substr(colon + 1));
    if (!left || !right) return std::nullopt;
    return *left / *right;
}

bool ApplyPaletteText(int id, const std::wstring& text, TRdimParams& params) {
    if (IsKeepOwnValue(text)) return false;
    switch (id) {
    case IDC_COMBO_DIM_LINES_DISTANCE:
    case IDC_COMBO_TEXT_HEIGHT: {
        const std::optional<double> value = positiveNumber(text);
        if (!value) return false;
        put(params.arrayDouble, PaletteComboSlots(id)[0].index, *value);
        return true;
    }
    case IDC_COMBO_SCALE: {
        const std::optional<double> factor = ParsePaletteScale(text);
        if (!factor) return false;
        put(params.arrayString, IND_S_Scale, OptTrim(text));
        put(params.arrayDouble, IND_D_ScaleVal, *factor);
        return true;
    }
    case IDC_COMBO_EXT_LINE:
        return applyExtLine(text, params);
    case IDC_COMBO_TEXT_STYLE:
        if (OptTrim(text).empty()) return false;
        put(params.arrayString, IND_S_TextStyle, OptTrim(text));
        return true;
    case IDC_COMBO_ROUNDING: {
        const Choice* rounding = findChoice(kRoundings, text);
        if (!rounding) return false;
        put(params.arrayInt, IND_I_RoundMM, static_cast<std::uint32_t>(rounding->value));
        return true;
    }
    case IDC_COMBO_DRAWING_UNIT: {
        // One of the list's units, or a number typed for a drawing in other units.
        const Choice* unit = findChoice(kDrawingUnits, text);
        const std::optional<double> units = unit ? std::optional<double>(unit->value) : positiveNumber(text);
        if (!units) return false;
        put(params.arrayDouble, IND_D_AcadUnits, *units);
        return true;
    }
    case IDC_COMBO_DISPLAY_UNIT:
        for (const std::wstring& unit : displayUnits())
            if (OptEqualNoCase(unit, OptTrim(text))) {
                // The list shows "M/cm"; the options and the formatting know it as "m/cm".
                put(params.arrayString, IND_S_Measure,
                    OptEqualNoCase(unit, L"m/cm") ? std::wstring(L"m/cm") : unit);
                return true;
            }
        return false;
    case IDC_COMBO_DECIMALS: {
        const std::wstring t = OptTrim(text);
        if (t.size() != 1 || t[0] < L'0' || t[0] > L'6') return false;
        put<std::uint32_t>(params.arrayInt, IND_I_Decimals, static_cast<std::uint32_t>(t[0] - L'0'));
        return true;
    }
    default:
        return false;
    }
}

void KeepOwnSlots(int id, const TRdimParams& own, TRdimParams& params) {
    for (const ParamSlot& slot : PaletteComboSlots(id)) {
        if (slot.type == OPT_TYPE_STRING && has(own.arrayString, slot.index))
            put(params.arrayString, slot.index, own.arrayString[static_cast<size_t>(slot.index)]);
        else if (slot.type == OPT_TYPE_DOUBLE && has(own.arrayDouble, slot.index))
            put(params.arrayDouble, slot.index, own.arrayDouble[static_cast<size_t>(slot.index)]);
        else if (slot.type == OPT_TYPE_INT && has(own.arrayInt, slot.index))
            put(params.arrayInt, slot.index, own.arrayInt[static_cast<size_t>(slot.index)]);
    }
}

std::wstring PaletteTextOf(int id, const ParamArraysView& params) {
    switch (id) {
    case IDC_COMBO_DIM_LINES_DISTANCE:
        return FormatOptDouble(params.Double(IND_D_DimLinesDistance));
    case IDC_COMBO_TEXT_HEIGHT:
        return FormatOptDouble(params.Double(IND_D_TextHeight));
    case IDC_COMBO_SCALE:
        return params.String(IND_S_Scale);
    case IDC_COMBO_EXT_LINE:
        switch (params.Int(IND_I_ExtLine)) {
        case 0:
            return LoadStrOr(IDS_EXTLINE_NONE, L"<keine>");
        case 2:
            return LoadStrOr(IDS_EXTLINE_MAXIMUM, L"<maximal>");
        default:
            return FormatOptDouble(params.Double(IND_D_ExtLineLength));
        }
    case IDC_COMBO_TEXT_STYLE:
        return params.String(IND_S_TextStyle);
    case IDC_COMBO_ROUNDING:
        // Every rounding code but 0 and 2 rounds to 5 mm.
        return params.Int(IND_I_RoundMM) == 0   ? kRoundings[0].text
               : params.Int(IND_I_RoundMM) == 2 ? kRoundings[2].text
                                                : kRoundings[1].text;
    case IDC_COMBO_DRAWING_UNIT: {
        // A stored 0 reads as a drawing in metres.
        const double units = params.Double(IND_D_AcadUnits) == 0 ? 0.001 : params.Double(IND_D_AcadUnits);
        for (const Choice& c : kDrawingUnits)
            if (std::fabs(c.value - units) <= 1e-12 * c.value) return c.text;
        return FormatOptDouble(units);
    }
    case IDC_COMBO_DISPLAY_UNIT:
        return params.String(IND_S_Measure);
    case IDC_COMBO_DECIMALS:
        return FormatOptDouble(params.Int(IND_I_Decimals));
    default:
        return std::wstring();
    }
}
