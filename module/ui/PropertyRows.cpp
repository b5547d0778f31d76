#include "module/ui/PropertyRows.h"

#include "host/win/FormatW.h"
#include "module/height/HeightText.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/OptStrings.h"
#include "module/options/OptionDefaults.h"
#include "module/resources/resource.h"
#include "module/ui/PaletteValues.h"

#include <cmath>
#include <iterator>
#include <optional>

namespace {

using RV = RowValue;

// Chains: what the palette sets, the chain's own switches and the label.
const std::vector<PropertyRow> kChainRows = {
    {OPT_TYPE_STRING, IND_S_Scale, kGroupGeneral, L"Ma\u00DFstab", RV::Scale, true},
    {OPT_TYPE_INT, IND_I_LastType, kGroupGeneral, L"Ma\u00DFsymbol", RV::Tick, true},
    {OPT_TYPE_STRING, IND_S_DimDescription, kGroupGeneral, L"Beschriftung", RV::Label, true},
    {OPT_TYPE_INT, IND_I_SumStatus, kGroupGeneral, L"Summe der Ma\u00DFe", RV::Switch, false},
    {OPT_TYPE_INT, IND_I_WipeOutStatus, kGroupGeneral, L"Ma\u00DFtext-Hintergrund", RV::Switch, false},
    {OPT_TYPE_DOUBLE, IND_D_TextHeight, kGroupText, L"Texth\u00F6he", RV::Positive, true},
    {OPT_TYPE_STRING, IND_S_TextStyle, kGroupText, L"Textstil", RV::Text, false},
    {OPT_TYPE_DOUBLE, IND_D_TextOffset, kGroupText, L"Textabstand (%)", RV::Number, false},
    {OPT_TYPE_DOUBLE, IND_D_ExpTextHeight, kGroupText, L"Exponent-Texth\u00F6he (%)", RV::Positive, false},
    {OPT_TYPE_INT, IND_I_TextAlign, kGroupText, L"Ma\u00DFzahlposition", RV::AboveBelow, false},
    {OPT_TYPE_INT, IND_I_TextPosition, kGroupText, L"Pos.der zweiten Ma\u00DFzahl", RV::AboveBelow, false},
    {OPT_TYPE_INT, IND_I_MCmFrom10, kGroupText, L"Reduzierte Gr\u00F6\u00DFe", RV::YesNo, false},
    {OPT_TYPE_DOUBLE, IND_D_ExtLineLength, kGroupLines, L"Hilfslinien", RV::ExtLine, true},
    {OPT_TYPE_INT, IND_I_DirectionExt, kGroupLines, L"Hilfslinienrichtung", RV::Switch, false},
    {OPT_TYPE_DOUBLE, IND_D_DimLinesDistance, kGroupLines, L"Ma\u00DFlinien-Versatz", RV::Positive, false},
    {OPT_TYPE_DOUBLE, IND_D_TickSize, kGroupLines, L"Symbolgr\u00F6\u00DFe", RV::Number, false},
    {OPT_TYPE_DOUBLE, IND_D_ExtendBeyondDimLine, kGroupLines, L"\u00DCberstand der Hilfslinien", RV::Number,
     false},
    {OPT_TYPE_DOUBLE, IND_D_ExtendBeyondTick, kGroupLines, L"\u00DCberstand der Ma\u00DFlinie", RV::Number, false},
    {OPT_TYPE_DOUBLE, IND_D_OffsetFromOrigin, kGroupLines, L"Abstand vom Ma\u00DFpunkt", RV::Number, false},
    {OPT_TYPE_DOUBLE, IND_D_AcadUnits, kGroupUnits, L"Einheit je ZE =", RV::Units, false},
    {OPT_TYPE_STRING, IND_S_Measure, kGroupUnits, L"Darstellung in", RV::Measure, true},
    {OPT_TYPE_INT, IND_I_Decimals, kGroupUnits, L"Nachkommast.", RV::Whole, true},
    {OPT_TYPE_INT, IND_I_RoundMM, kGroupUnits, L"Runden auf", RV::Rounding, false},
    {OPT_TYPE_INT, IND_I_TrimZero, kGroupUnits, L"Nullen unterdr\u00FCcken", RV::YesNo, false},
    {OPT_TYPE_DOUBLE, IND_D_UserTextTolerance, kGroupUnits, L"Ma\u00DFtoleranz", RV::Number, false},
};

// Height marks: their own names of the shared indices (symbol size, reduced size ...).
const std::vector<PropertyRow> kHeightRows = {
    {OPT_TYPE_STRING, IND_S_Scale, kGroupGeneral, L"Ma\u00DFstab", RV::Scale, true},
    {OPT_TYPE_INT, IND_I_WipeOutStatus, kGroupGeneral, L"Ma\u00DFtext-Hintergrund", RV::Switch, false},
    {OPT_TYPE_INT, IND_I_HDimNoModify, kGroupGeneral, L"Bezugsebene fixiert", RV::YesNo, false},
    {OPT_TYPE_DOUBLE, IND_D_TextHeight, kGroupText, L"Texth\u00F6he", RV::Positive, true},
    {OPT_TYPE_STRING, IND_S_TextStyle, kGroupText, L"Textstil", RV::Text, false},
    {OPT_TYPE_DOUBLE, IND_D_TextOffset, kGroupText, L"Textabstand (%)", RV::Number, false},
    {OPT_TYPE_INT, IND_I_TextAlign, kGroupText, L"Ma\u00DFzahlposition", RV::HeightAlign, true},
    {OPT_TYPE_INT, IND_I_HDimTextUnderline, kGroupText, L"Text unterstreichen", RV::YesNo, false},
    {OPT_TYPE_INT, IND_I_HPDimTextUnderline, kGroupText, L"Grundriss-Text unterstreichen", RV::YesNo, false},
    {OPT_TYPE_INT, IND_I_HIsReducedSize, kGroupText, L"Reduzierte Gr\u00F6\u00DFe", RV::YesNo, false},
    {OPT_TYPE_INT, IND_I_ExtLine, kGroupLines, L"Hilfslinie", RV::YesNo, false},
    {OPT_TYPE_DOUBLE, IND_D_HDimSize, kGroupLines, L"HK-Symbolgr\u00F6\u00DFe", RV::Positive, true},
    {OPT_TYPE_DOUBLE, IND_D_HDimDiameter, kGroupLines, L"Symboldurchmesser", RV::Positive, false},
    {OPT_TYPE_DOUBLE, IND_D_HDimReducedSize, kGroupLines, L"Reduzierte Gr\u00F6\u00DFe (%)", RV::Positive, false},
    {OPT_TYPE_DOUBLE, IND_D_AcadUnits, kGroupUnits, L"Einheit je ZE =", RV::Units, false},
    {OPT_TYPE_STRING, IND_S_Measure, kGroupUnits, L"Darstellung in", RV::Measure, true},
    {OPT_TYPE_INT, IND_I_Decimals, kGroupUnits, L"Nachkommast.", RV::Whole, true},
    {OPT_TYPE_INT, IND_I_RoundMM, kGroupUnits, L"Runden auf", RV::Rounding, false},
    {OPT_TYPE_INT, IND_I_TrimZero, kGroupUnits, L"Nullen unterdr\u00FCcken", RV::YesNo, false},
};

// Codes 0 to 5 of the tick names, as the chain stores its symbol.
const int kTickNames[] = {IDS_TICK_NONE, IDS_TICK_OBLIQUE, IDS_TICK_DOT, IDS_TICK_CIRCLE, IDS_TICK_ARROW, IDS_TICK_CROSS};
const wchar_t* const kTickDefaults[] = {L"Kein", L"Schr\u00E4g", L"Punkt", L"Kreis", L"Pfeil", L"Kreuz"};
// The alignment codes of section marks that have a name of their own.
const int kHeightAlignCodes[] = {4, 7, 10, 6, 9, 12, 5, 11};
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

std::wstring yes() { return LoadStrOr(IDS_YES, L"Ja"); }
std::wstring no() { return LoadStrOr(IDS_NO, L"Nein"); }

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
        if (OptEqualNoCase(t, LoadStrOr(IDS_SWITCH_ON, L"Ein"))) return 1u;
        if (t == LoadStrOr(IDS_SWITCH_DASH, L"-")) return 0u;
        if (OptEqualNoCase(t, LoadStrOr(IDS_SWITCH_OFF, L"Aus"))) return 2u;
        return std::nullopt;
    case RV::AboveBelow:
        if (OptEqualNoCase(t, LoadStrOr(IDS_POSITION_ABOVE, L"\u00DCber"))) return 1u;
        if (OptEqualNoCase(t, LoadStrOr(IDS_POSITION_BELOW, L"Unter"))) return 0u;
        return std::nullopt;
    case RV::Tick:
        for (std::uint32_t code = 0; code < std::size(kTickNames); ++code)
            if (OptEqualNoCase(t, LoadStrOr(kTickNames[code], kTickDefaults[code]))) return code;
        return std::nullopt;
    case RV::HeightAlign:
        for (int code : kHeightAlignCodes)
            if (t == HeightTextAlignName(false, code)) return static_cast<std::uint32_t>(code);
        return std::nullopt;
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
        return code == 1   ? LoadStrOr(IDS_SWITCH_ON, L"Ein")
               : code == 2 ? LoadStrOr(IDS_SWITCH_OFF, L"Aus")
                           : LoadStrOr(IDS_SWITCH_DASH, L"-");
    case RV::AboveBelow:
        return code != 0 ? LoadStrOr(IDS_POSITION_ABOVE, L"\u00DCber") : LoadStrOr(IDS_POSITION_BELOW, L"Unter");
    case RV::Tick:
        return code < std::size(kTickNames) ? LoadStrOr(kTickNames[code], kTickDefaults[code])
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
        return compact ? L"Editierbare Parameter" : L"Allgemein";
    case kGroupText:
        return L"Text";
    case kGroupLines:
        return L"Linien und Symbole";
    case kGroupUnits:
        return L"Einheiten";
    default:
        return std::wstring();
    }
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
    case RV::Rounding:
        return {L"", L"5   mm", L"2.5 mm"};
    case RV::ExtLine:
        return {LoadStrOr(IDS_EXTLINE_MAXIMUM, L"<maximal>"), LoadStrOr(IDS_EXTLINE_NONE, L"<keine>")};
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
    const int kind = FindPropertyRow(kPropKindChains, row.type, row.index) == &row ? kPropKindChains
                                                                                     : kPropKindHeights;
    if (ParamChanged(kind, row.type, row.index, text, strings, ints, doubles) >= 0) return true;
    if (why) {
        switch (row.value) {
        case RV::Number:
            *why = L"a number";
            break;
        case RV::Positive:
            *why = L"a number above 0";
            break;
        case RV::Whole:
            *why = L"a whole number";
            break;
        default: {
            std::wstring list;
            for (const std::wstring& c : PropertyRowChoices(row))
                list += (list.empty() ? L"\"" : L", \"") + c + L"\"";
            *why = list.empty() ? L"another text" : L"one of " + list;
            if (row.value == RV::ExtLine) *why += L" or a length";
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
