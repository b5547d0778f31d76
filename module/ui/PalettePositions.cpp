#include "module/ui/PalettePositions.h"

#include "module/height/HeightText.h"
#include "module/options/OptStrings.h"
#include "module/options/OptionDefaults.h"
#include "module/options/OptionIndices.h"
#include "module/resources/PaletteResources.h"

namespace {

// The section marks' alignments in the order their names are offered.
constexpr int kSectionCodes[] = {4, 7, 10, 6, 9, 12, 5, 11};
constexpr int kPlanCodes[] = {7, 9};

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
        if (plan)
            for (int code : kPlanCodes)
                out.push_back(HeightTextAlignName(true, code));
        else
            for (int code : kSectionCodes)
                out.push_back(HeightTextAlignName(false, code));
    } else if (id == IDC_COMBO_TEXT_POSITION) {
        out = {above(), below()};
    }
    return out;
}

std::wstring PalettePositionText(int id, int mode, const ParamArraysView& params) {
    if (!marks(mode)) return std::wstring();
    if (id == IDC_COMBO_TEXT_ALIGN)
        return HeightTextAlignName(mode == OPT_MODE_HEIGHT_PLAN, static_cast<int>(params.Int(alignIndex(mode))));
    if (id == IDC_COMBO_TEXT_POSITION) return params.Int(IND_I_TextPosition) != 0 ? above() : below();
    return std::wstring();
}

bool ApplyPalettePosition(int id, int mode, const std::wstring& text, TRdimParams& params) {
    const std::wstring t = OptTrim(text);
    for (const std::wstring& entry : PalettePositionChoices(id, mode)) {
        if (!OptEqualNoCase(entry, t)) continue;
        if (id == IDC_COMBO_TEXT_POSITION)
            put(params, IND_I_TextPosition, entry == above() ? 1u : 0u);
        else
            put(params, alignIndex(mode),
                static_cast<std::uint32_t>(HeightTextAlignCode(mode == OPT_MODE_HEIGHT_PLAN, entry)));
        return true;
    }
    return false;
}
