// The palette's choice buttons (mode 1094, type 1095), its properties button (1117)
// and the height marks' position combos (1025, 1026).
#include "module/ui/CDlgMain.h"

#include "host/ed/acutPrintf.h"
#include "host/mfc/CComboBox.h"
#include "host/mfc/CMenu.h"
#include "module/app/PropertiesPort.h"
#include "module/base/LintaroLog.h"
#include "module/chain/RecordFiling.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/OptionDefaults.h"
#include "module/resources/PaletteResources.h"
#include "module/ui/CDlgProperties.h"
#include "module/ui/PalettePositions.h"
#include "module/ui/PaletteValues.h"

namespace {

// The tool bar whose items are the types of the mode; 0 for the modes without types.
UINT typeBarOf(int mode) {
    switch (mode) {
    case OPT_MODE_CHAIN:
        return IDR_TOOLBAR_CHAIN_TYPES;
    case OPT_MODE_HEIGHT:
        return IDR_TOOLBAR_SECTION_TYPES;
    case OPT_MODE_HEIGHT_PLAN:
        return IDR_TOOLBAR_PLAN_TYPES;
    default:
        return 0;
    }
}

// The picture of choice `id` on tool bar `bar`: the button's text; empty when the bar
// has no such button (a one-off type).
std::wstring choiceImage(UINT bar, int id) {
    for (const ToolBarButton& button : PaletteToolBar(bar))
        if (button.id == id) return LoadStr(button.textId);
    return std::wstring();
}

const std::vector<int>& positionCombos() {
    static const std::vector<int> ids = {IDC_COMBO_TEXT_ALIGN, IDC_COMBO_TEXT_POSITION};
    return ids;
}

// The parameter combo `id` edits in `mode`.
int positionIndex(int id, int mode) {
    if (id == IDC_COMBO_TEXT_POSITION) return IND_I_TextPosition;
    return mode == OPT_MODE_HEIGHT_PLAN ? IND_I_TextAlignPlan : IND_I_TextAlign;
}

} // namespace

void CDlgMain::onChoiceButton(int id) {
    const UINT bar = id == IDC_BUT_MODE ? static_cast<UINT>(IDR_TOOLBAR_MODES) : typeBarOf(m_iCurrentMode);
    CMenu menu;
    if (!bar || !menu.CreatePopupMenu()) return;
    const int current = id == IDC_BUT_MODE ? m_iCurrentMode : m_iCurrentType;
    for (const ToolBarButton& button : PaletteToolBar(bar))
        menu.AppendMenu(MF_STRING | (button.id == current ? MF_CHECKED : 0), static_cast<UINT_PTR>(button.id),
                        std::wstring(LoadStr(button.textId)).c_str());
    RECT r{};
    if (const CWnd* button = GetDlgItem(id)) button->GetWindowRect(&r);
    const int chosen =
        static_cast<int>(::TrackPopupMenu(menu.GetSafeHmenu(), TPM_RETURNCMD, r.left, r.bottom, 0, m_hWnd, nullptr));
    if (chosen <= 0) return; // nothing chosen: the mode and type stay
    if (id == IDC_BUT_MODE)
        AdjustMode(chosen);
    else
        AdjustType(chosen);
}

void CDlgMain::showChoiceImages() {
    SetDlgItemText(IDC_BUT_MODE, choiceImage(IDR_TOOLBAR_MODES, m_iCurrentMode).c_str());
    const UINT bar = typeBarOf(m_iCurrentMode);
    SetDlgItemText(IDC_BUT_TYPE, choiceImage(bar, m_iCurrentType).c_str());
    // Modes 1 and 5 have no types to choose.
    if (CWnd* type = GetDlgItem(IDC_BUT_TYPE)) type->EnableWindow(bar != 0 ? TRUE : FALSE);
}

void CDlgMain::onPropertiesButton() {
    // A selection the palette shows is what the dialog edits; else the current one.
    const AcDbObjectIdArray shown = m_currentObjects;
    OpenDlgProperties(shown.isEmpty() ? nullptr : &shown, PropertiesKindOfMode(m_iCurrentMode));
}

void CDlgMain::fillPositionCombos() {
    for (int id : positionCombos())
        fillCombo(id, PalettePositionChoices(id, m_iCurrentMode));
}

void CDlgMain::selectPositionValues(const ParamArraysView& params) {
    for (int id : positionCombos()) {
        CComboBox* box = combo(id);
        if (!box) continue;
        const std::wstring text = PalettePositionText(id, m_iCurrentMode, params);
        const int at = text.empty() ? -1 : box->FindStringExact(-1, text.c_str());
        box->SetCurSel(at);
        if (at < 0) box->SetWindowText(L"");
    }
}

void CDlgMain::writePosition(int id, const std::wstring& text) {
    if (!pGlobDimOptions || pGlobDimOptions->m_bNoWrite || IsKeepOwnValue(text) || text.empty()) return;
    TRdimParams params = ParamsFromOptions(m_iCurrentMode);
    if (!ApplyPalettePosition(id, m_iCurrentMode, text, params)) {
        acutPrintf(L"\nPalette: \"%s\" is no position of this mode; nothing changed.", text.c_str());
        return;
    }
    const int index = positionIndex(id, m_iCurrentMode);
    const int value = static_cast<int>(params.arrayInt[static_cast<size_t>(index)]);
    pGlobDimOptions->SetOptInt(index, value);
    pGlobDimOptions->SetOptValue(OPT_TYPE_INT, index, value);
}

void CDlgMain::applyPositions(TRdimParams& params, const TRdimParams& own) const {
    for (int id : positionCombos()) {
        const std::wstring text = GetControlText(id);
        if (!text.empty() && !IsKeepOwnValue(text) && ApplyPalettePosition(id, m_iCurrentMode, text, params))
            continue;
        // The object keeps its own position where the combo says nothing for it.
        const auto index = static_cast<size_t>(positionIndex(id, m_iCurrentMode));
        if (index < own.arrayInt.size() && index < params.arrayInt.size())
            params.arrayInt[index] = own.arrayInt[index];
    }
}
