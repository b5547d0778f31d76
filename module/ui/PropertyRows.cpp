#include "module/ui/PropertyRows.h"

#include "host/win/FormatW.h"
#include "module/height/HeightText.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/OptStrings.h"
#include "module/options/OptionDefaults.h"
#include "module/base/LintaroLog.h"
#include "module/options/OptionKeys.h"
#include "module/resources/PropertiesResources.h"
#include "module/resources/resource.h"
#include "module/ui/PaletteValues.h"

#include <cmath>
#include <iterator>
#include <optional>

namespace {

using RV = RowValue;

// Chains: what the palette sets, the chain's own switches, its arc settings and the label.
const std::vector<PropertyRow> kChainRows = {
    {OPT_TYPE_STRING, IND_S_Scale, kGroupGeneral, IDS_PROP_SCALE, RV::Scale, true},
    {OPT_TYPE_INT, IND_I_LastType, kGroupGeneral, IDS_PROP_TICK, RV::Tick, true},
    {OPT_TYPE_STRING, IND_S_DimDescription, kGroupGeneral, IDS_PROP_LABEL, RV::Label, true},
    {OPT_TYPE_INT, IND_I_SumStatus, kGroupGeneral, IDS_PROP_SUM, RV::Switch, false},
    {OPT_TYPE_INT, IND_I_WipeOutStatus, kGroupGeneral, IDS_PROP_WIPEOUT, RV::Switch, false},
    {OPT_TYPE_INT, IND_I_LayerWithoutScale, kGroupGeneral, IDS_PROP_LAYER_NO_SCALE, RV::YesNo, false},
    {OPT_TYPE_DOUBLE, IND_D_TextHeight, kGroupText, IDS_PROP_TEXT_HEIGHT, RV::Positive, true},
    {OPT_TYPE_STRING, IND_S_TextStyle, kGroupText, IDS_PROP_TEXT_STYLE, RV::Text, false},
    {OPT_TYPE_DOUBLE, IND_D_TextOffset, kGroupText, IDS_PROP_TEXT_OFFSET, RV::Number, false},
    {OPT_TYPE_DOUBLE, IND_D_ExpTextHeight, kGroupText, IDS_PROP_EXP_HEIGHT, RV::Positive, false},
    {OPT_TYPE_INT, IND_I_TextAlign, kGroupText, IDS_PROP_TEXT_ALIGN, RV::AboveBelow, false},
    {OPT_TYPE_INT, IND_I_TextPosition, kGroupText, IDS_PROP_TEXT_POSITION, RV::AboveBelow, false},
    {OPT_TYPE_INT, IND_I_MCmFrom10, kGroupText, IDS_PROP_REDUCED, RV::YesNo, false},
    {OPT_TYPE_DOUBLE, IND_D_ExtLineLength, kGroupLines, IDS_PROP_EXT_LINES, RV::ExtLine, true},
    {OPT_TYPE_INT, IND_I_DirectionExt, kGroupLines, IDS_PROP_EXT_DIRECTION, RV::Switch, false},
    {OPT_TYPE_DOUBLE, IND_D_DimLinesDistance, kGroupLines, IDS_PROP_LINES_DISTANCE, RV::Positive, false},
    {OPT_TYPE_DOUBLE, IND_D_TickSize, kGroupLines, IDS_PROP_TICK_SIZE, RV::Number, false},
    {OPT_TYPE_DOUBLE, IND_D_ExtendBeyondDimLine, kGroupLines, IDS_PROP_EXTEND_EXT, RV::Number, false},
    {OPT_TYPE_DOUBLE, IND_D_ExtendBeyondTick, kGroupLines, IDS_PROP_EXTEND_DIMLINE, RV::Number, false},
    {OPT_TYPE_DOUBLE, IND_D_OffsetFromOrigin, kGroupLines, IDS_PROP_ORIGIN_OFFSET, RV::Number, false},
    {OPT_TYPE_INT, IND_I_ArcDimMinPoint, kGroupLines, IDS_PROP_ARC_MIN_POINT, RV::YesNo, false},
    {OPT_TYPE_INT, IND_I_ArcDimMaxPoint, kGroupLines, IDS_PROP_ARC_MAX_POINT, RV::YesNo, false},
    {OPT_TYPE_INT, IND_I_ArcDimAsCircle, kGroupLines, IDS_PROP_ARC_AS_CIRCLE, RV::YesNo, false},
    {OPT_TYPE_INT, IND_I_ArcDimCW, kGroupLines, IDS_PROP_ARC_CW, RV::YesNo, false},
    {OPT_TYPE_INT, IND_I_ArcDimInputArcIsCircle, kGroupLines, IDS_PROP_ARC_INPUT_CIRCLE, RV::YesNo, false},
    {OPT_TYPE_DOUBLE, IND_D_AcadUnits, kGroupUnits, IDS_PROP_UNITS, RV::Units, false},
    {OPT_TYPE_STRING, IND_S_Measure, kGroupUnits, IDS_PROP_MEASURE, RV::Measure, true},
    {OPT_TYPE_INT, IND_I_Decimals, kGroupUnits, IDS_PROP_DECIMALS, RV::Whole, true},
    {OPT_TYPE_INT, IND_I_RoundMM, kGroupUnits, IDS_PROP_ROUNDING, RV::Rounding, false},
    {OPT_TYPE_INT, IND_I_TrimZero, kGroupUnits, IDS_PROP_TRIM_ZERO, RV::YesNo, false},
    {OPT_TYPE_DOUBLE, IND_D_UserTextTolerance, kGroupUnits, IDS_PROP_TOLERANCE, RV::Number, false},
    {OPT_TYPE_INT, IND_I_AltUnitsStatus, kGroupUnits, IDS_PROP_ALT_UNITS, RV::Switch, false},
    {OPT_TYPE_INT, IND_I_Format, kGroupUnits, IDS_PROP_FORMAT, RV::Whole, false},
};

// Height marks: their own names of the shared indices (symbol size, reduced size ...),
// their type and whether a typed value text stays.
const std::vector<PropertyRow> kHeightRows = {
    {OPT_TYPE_STRING, IND_S_Scale, kGroupGeneral, IDS_PROP_SCALE, RV::Scale, true},
    {OPT_TYPE_INT, IND_I_LastType, kGroupGeneral, IDS_PROP_TYPE, RV::HeightType, true},
    {OPT_TYPE_INT, IND_I_WipeOutStatus, kGroupGeneral, IDS_PROP_WIPEOUT, RV::Switch, false},
    {OPT_TYPE_INT, IND_I_HDimNoModify, kGroupGeneral, IDS_PROP_H_FIXED, RV::YesNo, false},
    {OPT_TYPE_INT, IND_I_HUserText, kGroupGeneral, IDS_PROP_H_USER_TEXT, RV::YesNo, false},
    {OPT_TYPE_INT, IND_I_LayerWithoutScale, kGroupGeneral, IDS_PROP_LAYER_NO_SCALE, RV::YesNo, false},
    {OPT_TYPE_DOUBLE, IND_D_TextHeight, kGroupText, IDS_PROP_TEXT_HEIGHT, RV::Positive, true},
    {OPT_TYPE_STRING, IND_S_TextStyle, kGroupText, IDS_PROP_TEXT_STYLE, RV::Text, false},
    {OPT_TYPE_DOUBLE, IND_D_TextOffset, kGroupText, IDS_PROP_TEXT_OFFSET, RV::Number, false},
    {OPT_TYPE_INT, IND_I_TextAlign, kGroupText, IDS_PROP_TEXT_ALIGN, RV::HeightAlign, true},
    {OPT_TYPE_INT, IND_I_HDimTextUnderline, kGroupText, IDS_PROP_H_UNDERLINE, RV::YesNo, false},
    {OPT_TYPE_INT, IND_I_HPDimTextUnderline, kGroupText, IDS_PROP_H_PLAN_UNDERLINE, RV::YesNo, false},
    {OPT_TYPE_INT, IND_I_HIsReducedSize, kGroupText, IDS_PROP_REDUCED, RV::YesNo, false},
    {OPT_TYPE_INT, IND_I_ExtLine, kGroupLines, IDS_PROP_H_EXT_LINE, RV::YesNo, false},
    {OPT_TYPE_DOUBLE, IND_D_HDimSize, kGroupLines, IDS_PROP_H_SIZE, RV::Positive, true},
    {OPT_TYPE_DOUBLE, IND_D_HDimDiameter, kGroupLines, IDS_PROP_H_DIAMETER, RV::Positive, false},
    {OPT_TYPE_DOUBLE, IND_D_HDimReducedSize, kGroupLines, IDS_PROP_H_REDUCED_SIZE, RV::Positive, false},
    {OPT_TYPE_DOUBLE, IND_D_AcadUnits, kGroupUnits, IDS_PROP_UNITS, RV::Units, false},
    {OPT_TYPE_STRING, IND_S_Measure, kGroupUnits, IDS_PROP_MEASURE, RV::Measure, true},
    {OPT_TYPE_INT, IND_I_Decimals, kGroupUnits, IDS_PROP_DECIMALS, RV::Whole, true},
    {OPT_TYPE_INT, IND_I_RoundMM, kGroupUnits, IDS_PROP_ROUNDING, RV::Rounding, false},
    {OPT_TYPE_INT, IND_I_TrimZero, kGroupUnits, IDS_PROP_TRIM_ZERO, RV::YesNo, false},
};

// The host's dimensions: what their style record is made from.
const std::vector<PropertyRow> kHostDimRows = {
    {OPT_TYPE_STRING, IND_S_Scale, kGroupGeneral, IDS_PROP_SCALE, RV::Scale, true},
    {OPT_TYPE_INT, IND_I_LastType, kGroupGeneral, IDS_PROP_TICK, RV::Tick, true},
    {OPT_TYPE_DOUBLE, IND_D_TextHeight, kGroupText, IDS_PROP_TEXT_HEIGHT, RV::Positive, true},
    {OPT_TYPE_STRING, IND_S_TextStyle, kGroupText, IDS_PROP_TEXT_STYLE, RV::Text, false},
    {OPT_TYPE_DOUBLE, IND_D_TextOffset, kGroupText, IDS_PROP_TEXT_OFFSET, RV::Number, false},
    {OPT_TYPE_DOUBLE, IND_D_ExtLineLength, kGroupLines, IDS_PROP_EXT_LINES, RV::ExtLine, true},
    {OPT_TYPE_DOUBLE, IND_D_TickSize, kGroupLines, IDS_PROP_TICK_SIZE, RV::Number, false},
    {OPT_TYPE_DOUBLE, IND_D_ExtendBeyondDimLine, kGroupLines, IDS_PROP_EXTEND_EXT, RV::Number, false},
    {OPT_TYPE_DOUBLE, IND_D_OffsetFromOrigin, kGroupLines, IDS_PROP_ORIGIN_OFFSET, RV::Number, false},
    {OPT_TYPE_DOUBLE, IND_D_AcadUnits, kGroupUnits, IDS_PROP_UNITS, RV::Units, false},
    {OPT_TYPE_STRING, IND_S_Measure, kGroupUnits, IDS_PROP_MEASURE, RV::Measure, true},
    {OPT_TYPE_INT, IND_I_Decimals, kGroupUnits, IDS_PROP_DECIMALS, RV::Whole, true},
    {OPT_TYPE_INT, IND_I_RoundMM, kGroupUnits, IDS_PROP_ROUNDING, RV::Rounding, false},
};

// The host's texts: style, height and the scale and unit the height is worked out with.
const std::vector<PropertyRow> kHostTextRows = {
    {OPT_TYPE_STRING, IND_S_Scale, kGroupGeneral, IDS_PROP_SCALE, RV::Scale, true},
    {OPT_TYPE_DOUBLE, IND_D_TextHeight, kGroupText, IDS_PROP_TEXT_HEIGHT, RV::Positive, true},
    {OPT_TYPE_STRING, IND_S_TextStyle, kGroupText, IDS_PROP_TEXT_STYLE, RV::Text, true},
    {OPT_TYPE_DOUBLE, IND_D_AcadUnits, kGroupUnits, IDS_PROP_UNITS, RV::Units, false},
};

// Codes 0 to 5 of the tick names, as the chain stores its symbol.
const int kTickNames[] = {IDS_TICK_NONE, IDS_TICK_OBLIQUE, IDS_TICK_DOT, IDS_TICK_CIRCLE, IDS_TICK_ARROW, IDS_TICK_CROSS};
// The alignment codes of section marks that have a name of their own.
const int kHeightAlignCodes[] = {4, 7, 10, 6, 9, 12, 5, 11};
// Section marks have types 1 to 5, plan marks 1 to 4.
constexpr std::uint32_t kHighestHeightType = 5;
// The palette's combo that holds the same value.
int paletteComboOf(RowValue value) {
    switch (value) {
    case RV::Rounding:
        return IDC_COMBO_ROUNDING;
    case RV::ExtLine:
        return IDC_COMBO_EXT_LINE;
    case RV::Units:
        return IDC_COMBO_DRAWING_UNIT;
    case RV::Measure:
        return IDC_COMBO_DISPLAY_UNIT;
    case RV::Scale:
        return IDC_COMBO_SCALE;
    default:
        return 0;
    }
}

std::wstring yes() { return LoadStr(IDS_YES); }
std::wstring no() { return LoadStr(IDS_NO); }

// A whole text that is a finite number ("2.5", "-1", "2,5" as a German user types it).
std::optional<double> number(const std::wstring& text) {
    std::wstring t = OptTrim(text);
    if (t.empty() || t.size() > 40) return std::nullopt;
    bool digits = false, point = false;
    for (size_t i = 0; i < t.size(); ++i) {
        wchar_t& c = t[i];
        if (c == L',') c = L'.';
        if (c >= L'0' && c <= L'9') {
            digits = true;
        } else if (c == L'.' && !point) {
            point = true;
        } else if (!((c == L'-' || c == L'+') && i == 0)) {
            return std::nullopt;
        }
    }
    if (!digits) return std::nullopt;
    const double value = OptToDouble(t);
    return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

std::optional<std::uint32_t> whole(const std::wstring& text) {
    const std::wstring t = OptTrim(text);
    if (t.empty() || t.size() > 9) return std::nullopt;
    for (wchar_t c : t)
        if (c < L'0' || c > L'9') return std::nullopt;
    return static_cast<std::uint32_t>(OptToInt(t));
}

// A name of the list back to its code; nullopt for a text that is none of them.
std::optional<std::uint32_t> namedCode(const RowValue value, const std::wstring& text) {
    const std::wstring t = OptTrim(text);
    switch (value) {
    case RV::YesNo:
        if (OptEqualNoCase(t, yes())) return 1u;
        if (OptEqualNoCase(t, no())) return 0u;
        return whole(t);
    case RV::Switch:
        if (OptEqualNoCase(t, std::wstring(LoadStr(IDS_SWITCH_ON)))) return 1u;
        if (t == std::wstring(LoadStr(IDS_SWITCH_DASH))) return 0u;
        if (OptEqualNoCase(t, std::wstring(LoadStr(IDS_SWITCH_OFF)))) return 2u;
        return std::nullopt;
    case RV::AboveBelow:
        if (OptEqualNoCase(t, std::wstring(LoadStr(IDS_POSITION_ABOVE)))) return 1u;
        if (OptEqualNoCase(t, std::wstring(LoadStr(IDS_POSITION_BELOW)))) return 0u;
        return std::nullopt;
    case RV::Tick:
        for (std::uint32_t code = 0; code < std::size(kTickNames); ++code)
            if (OptEqualNoCase(t, std::wstring(LoadStr(kTickNames[code])))) return code;
        return std::nullopt;
    case RV::HeightAlign:
        for (int code : kHeightAlignCodes)
            if (t == HeightTextAlignName(false, code)) return static_cast<std::uint32_t>(code);
        return std::nullopt;
    case RV::HeightType: {
        const std::optional<std::uint32_t> type = whole(t);
        if (type && *type >= 1 && *type <= kHighestHeightType) return type;
        return std::nullopt;
    }
    case RV::Whole:
        return whole(t);
    default:
        return std::nullopt;
    }
}

std::wstring codeName(RowValue value, std::uint32_t code) {
    switch (value) {
    case RV::YesNo:
        return code != 0 ? yes() : no();
    case RV::Switch:
        return code == 1   ? std::wstring(LoadStr(IDS_SWITCH_ON))
               : code == 2 ? std::wstring(LoadStr(IDS_SWITCH_OFF))
                           : std::wstring(LoadStr(IDS_SWITCH_DASH));
    case RV::AboveBelow:
        return code != 0 ? std::wstring(LoadStr(IDS_POSITION_ABOVE)) : std::wstring(LoadStr(IDS_POSITION_BELOW));
    case RV::Tick:
        return code < std::size(kTickNames) ? std::wstring(LoadStr(kTickNames[code]))
                                            : FormatOptDouble(code);
    case RV::HeightAlign:
        return HeightTextAlignName(false, static_cast<int>(code));
    default:
        return FormatOptDouble(code);
    }
}

template <typename T> T at(const std::vector<T>& array, int index) {
    return index >= 0 && static_cast<size_t>(index) < array.size() ? array[static_cast<size_t>(index)] : T{};
}

template <typename T> void put(std::vector<T>& array, int index, T value) {
    if (index < 0) return;
    if (static_cast<size_t>(index) >= array.size()) array.resize(static_cast<size_t>(index) + 1);
    array[static_cast<size_t>(index)] = std::move(value);
}

// The whole arrays through the palette's rule for the same value.
int changedThroughPalette(int combo, const std::wstring& text, TRdimStringArray& strings, TRdimIntArray& ints,
                          TRdimDoubleArray& doubles) {
    TRdimParams params{doubles, strings, ints};
    if (!ApplyPaletteText(combo, text, params)) return -1;
    const bool changed = params.arrayDouble != doubles || params.arrayString != strings || params.arrayInt != ints;
    if (!changed) return 0;
    doubles = std::move(params.arrayDouble);
    strings = std::move(params.arrayString);
    ints = std::move(params.arrayInt);
    return 1;
}

// The label keeps where it stands: the digit before its text (2, the right side, for a
// chain without a label).
int changedLabel(const std::wstring& text, TRdimStringArray& strings) {
    const std::wstring old = at(strings, IND_S_DimDescription);
    const int location = !old.empty() && old[0] >= L'0' && old[0] <= L'9' ? old[0] - L'0' : 2;
    const std::wstring label = text.empty() ? std::wstring() : host::FormatW(L"%d%s", location, text.c_str());
    if (label == old) return 0;
    put(strings, IND_S_DimDescription, label);
    return 1;
}

} // namespace

const wchar_t* VariesText() {
    return L"<var>";
}

const std::vector<PropertyRow>& PropertyRowsOf(int kind) {
    static const std::vector<PropertyRow> none;
    if (kind == kPropKindChains) return kChainRows;
    if (kind == kPropKindHeights) return kHeightRows;
    if (kind == kPropKindHostDims) return kHostDimRows;
    if (kind == kPropKindHostTexts) return kHostTextRows;
    return none;
}

const PropertyRow* FindPropertyRow(int kind, int type, int index) {
    if (type == OPT_TYPE_INT2) type = OPT_TYPE_INT;
    for (const PropertyRow& row : PropertyRowsOf(kind))
        if (row.type == type && row.index == index) return &row;
    return nullptr;
}

std::wstring PropertyGroupCaption(PropertyGroup group, bool compact) {
    switch (group) {
    case kGroupGeneral:
        return LoadStr(compact ? IDS_PROP_GROUP_EDITABLE : IDS_PROP_GROUP_GENERAL);
    case kGroupText:
        return LoadStr(IDS_PROP_GROUP_TEXT);
    case kGroupLines:
        return LoadStr(IDS_PROP_GROUP_LINES);
    case kGroupUnits:
        return LoadStr(IDS_PROP_GROUP_UNITS);
    default:
        return std::wstring();
    }
}

std::wstring PropertyRowLabel(int kind, const PropertyRow& row) {
    if (pGlobDimOptions) {
        const int mode = kind == kPropKindHeights     ? OPT_MODE_HEIGHT
                         : kind == kPropKindHostTexts ? OPT_MODE_TEXT
                                                      : OPT_MODE_CHAIN;
        const auto it = pGlobDimOptions->mapParamInfo.find(OptParamKey(row.type, row.index, mode));
        // The first character says where the value is stored; a separator may follow.
        if (it != pGlobDimOptions->mapParamInfo.end() && it->second.size() > 1) {
            std::wstring text = it->second.substr(1);
            const std::size_t start = text.find_first_not_of(L",;| \t");
            text = start == std::wstring::npos ? std::wstring() : OptTrim(text.substr(start));
            if (!text.empty()) return text;
        }
    }
    return LoadStr(row.labelId);
}

std::wstring PropertyRowText(const PropertyRow& row, const ParamArraysView& params) {
    if (const int combo = paletteComboOf(row.value)) return PaletteTextOf(combo, params);
    switch (row.value) {
    case RV::Label: {
        const std::wstring& label = params.String(IND_S_DimDescription);
        return label.empty() ? label : label.substr(1);
    }
    case RV::Text:
        return params.String(row.index);
    case RV::Number:
    case RV::Positive:
        return FormatOptDouble(params.Double(row.index));
    default:
        return codeName(row.value, params.Int(row.index));
    }
}

std::vector<std::wstring> PropertyRowChoices(const PropertyRow& row) {
    std::vector<std::wstring> out;
    switch (row.value) {
    case RV::YesNo:
        return {yes(), no()};
    case RV::Switch:
        return {codeName(row.value, 1), codeName(row.value, 0), codeName(row.value, 2)};
    case RV::AboveBelow:
        return {codeName(row.value, 1), codeName(row.value, 0)};
    case RV::Tick:
        for (std::uint32_t code = 0; code < std::size(kTickNames); ++code)
            out.push_back(codeName(row.value, code));
        return out;
    case RV::HeightAlign:
        for (int code : kHeightAlignCodes)
            out.push_back(HeightTextAlignName(false, code));
        return out;
    case RV::HeightType:
        for (std::uint32_t type = 1; type <= kHighestHeightType; ++type)
            out.push_back(FormatOptDouble(type));
        return out;
    case RV::Rounding:
        return {L"", L"5   mm", L"2.5 mm"};
    case RV::ExtLine:
        return {std::wstring(LoadStr(IDS_EXTLINE_MAXIMUM)), std::wstring(LoadStr(IDS_EXTLINE_NONE))};
    case RV::Units:
        return {L"1 m", L"1 cm", L"1 mm"};
    case RV::Measure:
        return {L"M/cm", L"m", L"cm", L"mm"};
    case RV::Whole:
        if (row.index == IND_I_Decimals) return {L"0", L"1", L"2", L"3", L"4", L"5", L"6"};
        return out;
    default:
        return out;
    }
}

bool PropertyRowAccepts(const PropertyRow& row, const std::wstring& text, std::wstring* why) {
    TRdimStringArray strings;
    TRdimIntArray ints;
    TRdimDoubleArray doubles;
    // Any kind holding this row converts the same way.
    int kind = kPropKindChains;
    for (int k : kPropKinds)
        if (FindPropertyRow(k, row.type, row.index) == &row) kind = k;
    if (ParamChanged(kind, row.type, row.index, text, strings, ints, doubles) >= 0) return true;
    if (why) {
        switch (row.value) {
        case RV::Number:
            *why = LoadStr(IDS_PROP_WANT_NUMBER);
            break;
        case RV::Positive:
            *why = LoadStr(IDS_PROP_WANT_POSITIVE);
            break;
        case RV::Whole:
            *why = LoadStr(IDS_PROP_WANT_WHOLE);
            break;
        default: {
            std::wstring list;
            for (const std::wstring& c : PropertyRowChoices(row))
                list += (list.empty() ? L"\"" : L", \"") + c + L"\"";
            *why = list.empty() ? std::wstring(LoadStr(IDS_PROP_WANT_TEXT)) : host::FormatW(LoadStr(IDS_PROP_WANT_ONE_OF), list.c_str());
            if (row.value == RV::ExtLine) *why += LoadStr(IDS_PROP_WANT_LENGTH);
            break;
        }
        }
    }
    return false;
}

int ParamChanged(int kind, int type, int index, const std::wstring& text, TRdimStringArray& strings,
                 TRdimIntArray& ints, TRdimDoubleArray& doubles) {
    if (OptEqualNoCase(OptTrim(text), VariesText())) return 0;
    if (type == OPT_TYPE_INT2) type = OPT_TYPE_INT;
    const PropertyRow* row = FindPropertyRow(kind, type, index);
    // A parameter without a row of its own converts by its array's type.
    const RowValue value = row ? row->value
                           : type == OPT_TYPE_STRING ? RV::Text
                           : type == OPT_TYPE_DOUBLE ? RV::Number
                                                     : RV::YesNo;
    if (const int combo = paletteComboOf(value)) return changedThroughPalette(combo, text, strings, ints, doubles);
    switch (value) {
    case RV::Label:
        return changedLabel(text, strings);
    case RV::Text: {
        if (at(strings, index) == text) return 0;
        put(strings, index, text);
        return 1;
    }
    case RV::Number:
    case RV::Positive: {
        const std::optional<double> v = number(text);
        if (!v || (value == RV::Positive && !(*v > 0))) return -1;
        if (at(doubles, index) == *v) return 0;
        put(doubles, index, *v);
        return 1;
    }
    default: {
        const std::optional<std::uint32_t> code = namedCode(value, text);
        if (!code) return -1;
        if (at(ints, index) == *code) return 0;
        put(ints, index, *code);
        return 1;
    }
    }
}
