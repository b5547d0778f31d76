#include "module/ui/PalettePositions.h"

#include "module/base/LintaroLog.h"
#include "module/height/HeightText.h"
#include "module/options/OptStrings.h"
#include "module/options/OptionDefaults.h"
#include "module/options/OptionIndices.h"
#include "module/resources/PaletteResources.h"

#include <iterator>
#include <utility>

namespace {

// The alignments in the order their names are offered, with the names' strings.
struct Align {
    int code;
    UINT name;
};
constexpr Align kSectionAligns[] = {{4, IDS_ALIGN_LEFT_AT_TIP},   {7, IDS_ALIGN_LEFT_CENTRED},
                                    {10, IDS_ALIGN_LEFT},         {6, IDS_ALIGN_RIGHT_AT_TIP},
                                    {9, IDS_ALIGN_RIGHT_CENTRED}, {12, IDS_ALIGN_RIGHT},
                                    {5, IDS_ALIGN_MIDDLE_AT_TIP}, {11, IDS_ALIGN_MIDDLE}};
constexpr Align kPlanAligns[] = {{7, IDS_ALIGN_LEFT}, {9, IDS_ALIGN_RIGHT}};

// The offered alignments of plan or section marks.
std::pair<const Align*, const Align*> aligns(bool plan) {
    if (plan) return {std::begin(kPlanAligns), std::end(kPlanAligns)};
    return {std::begin(kSectionAligns), std::end(kSectionAligns)};
}

// The name of an alignment in the language in use; the mark's own (German) name
// tells which of the offered ones it is.
std::wstring alignName(bool plan, int code) {
    const std::wstring own = HeightTextAlignName(plan, code);
    const auto [first, last] = aligns(plan);
    for (const Align* a = first; a != last && !own.empty(); ++a)
        if (HeightTextAlignName(plan, a->code) == own) return LoadStr(a->name);
    return own;
}

// The code of a typed alignment: its name in the language in use or its own name.
int alignCode(bool plan, const std::wstring& text) {
    const auto [first, last] = aligns(plan);
    for (const Align* a = first; a != last; ++a)
        if (OptEqualNoCase(text, LoadStr(a->name)) ||
            OptEqualNoCase(text, HeightTextAlignName(plan, a->code)))
            return a->code;
    return 0;
}

bool marks(int mode) {
    return mode == OPT_MODE_HEIGHT || mode == OPT_MODE_HEIGHT_PLAN;
}

std::wstring above() {
    return LoadStrOr(IDS_POSITION_ABOVE, L"\u00DCber");
}
std::wstring below() {
    return LoadStrOr(IDS_POSITION_BELOW, L"Unter");
}

// The alignment parameter of the mode: plan marks keep theirs apart.
int alignIndex(int mode) {
    return mode == OPT_MODE_HEIGHT_PLAN ? IND_I_TextAlignPlan : IND_I_TextAlign;
}

void put(TRdimParams& params, int index, std::uint32_t value) {
    if (static_cast<size_t>(index) >= params.arrayInt.size()) params.arrayInt.resize(static_cast<size_t>(index) + 1);
    params.arrayInt[static_cast<size_t>(index)] = value;
}

} // namespace

std::vector<std::wstring> PalettePositionChoices(int id, int mode) {
    std::vector<std::wstring> out;
    if (!marks(mode)) return out;
    const bool plan = mode == OPT_MODE_HEIGHT_PLAN;
    if (id == IDC_COMBO_TEXT_ALIGN) {
        const auto [first, last] = aligns(plan);
        for (const Align* a = first; a != last; ++a)
            out.push_back(LoadStr(a->name));
    } else if (id == IDC_COMBO_TEXT_POSITION) {
        out = {above(), below()};
    }
    return out;
}

std::wstring PalettePositionText(int id, int mode, const ParamArraysView& params) {
    if (!marks(mode)) return std::wstring();
    if (id == IDC_COMBO_TEXT_ALIGN)
        return alignName(mode == OPT_MODE_HEIGHT_PLAN, static_cast<int>(params.Int(alignIndex(mode))));
    if (id == IDC_COMBO_TEXT_POSITION) return params.Int(IND_I_TextPosition) != 0 ? above() : below();
    return std::wstring();
}

bool ApplyPalettePosition(int id, int mode, const std::wstring& text, TRdimParams& params) {
    const std::wstring t = OptTrim(text);
    if (id == IDC_COMBO_TEXT_ALIGN && marks(mode)) {
        const int code = alignCode(mode == OPT_MODE_HEIGHT_PLAN, t);
        if (code == 0) return false;
        put(params, alignIndex(mode), static_cast<std::uint32_t>(code));
        return true;
    }
    for (const std::wstring& entry : PalettePositionChoices(id, mode)) {
        if (!OptEqualNoCase(entry, t)) continue;
        put(params, IND_I_TextPosition, entry == above() ? 1u : 0u);
        return true;
    }
    return false;
}
