#include "module/ui/CDlgMain.h"

#include "host/db/AcDbEntity.h"
#include "host/ed/acutPrintf.h"
#include "host/win/FormatW.h"
#include "module/app/DbServices.h"
#include "module/app/LintaroApp.h"
#include "module/app/LintaroLog.h"
#include "module/chain/TRdim.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/IniStorage.h"
#include "module/options/OptStrings.h"
#include "module/options/ScaleMaps.h"
#include "module/resources/resource.h"
#include "module/ui/PaletteValues.h"

#include <utility>

namespace {

// The arc settings describe an arc chain's own geometry; an update may keep them.
constexpr int kArcSettings[] = {IND_I_ArcDimMinPoint, IND_I_ArcDimMaxPoint, IND_I_ArcDimAsCircle,
                                IND_I_ArcDimCW, IND_I_ArcDimInputArcIsCircle};

// The highest type of a mode's type button; 0 for the modes without types.
int highestType(int mode) {
    switch (mode) {
    case OPT_MODE_CHAIN:
        return 6;
    case OPT_MODE_HEIGHT:
        return 7;
    case OPT_MODE_HEIGHT_PLAN:
        return 5;
    default:
        return 0;
    }
}

// Types the palette does not remember: they are chosen for one use.
bool isOneOffType(int mode, int type) {
    return (mode == OPT_MODE_CHAIN && type == 6) || (mode == OPT_MODE_HEIGHT && type == 7) ||
           (mode == OPT_MODE_HEIGHT_PLAN && type == 5);
}

std::wstring lastTypeKey(int mode) {
    return host::FormatW(L"LastType%d", mode);
}

// The host's rules for a layer name: not empty, no longer than 255, none of these.
bool isValidLayerName(const std::wstring& name) {
    if (name.empty() || name.size() > 255) return false;
    return name.find_first_of(L"<>/\\\":;?*|,=`") == std::wstring::npos;
}

} // namespace

TRdimParams ParamsFromOptions(int mode) {
    TRdimParams params;
    if (!pGlobDimOptions) return params;
    const COptionSet& set = pGlobDimOptions->GetOptionSet(mode);
    params.arrayDouble = set.arrayOptDouble;
    params.arrayString = set.arrayOptString;
    params.arrayInt.reserve(set.arrayOptInt.size());
    for (int value : set.arrayOptInt)
        params.arrayInt.push_back(static_cast<std::uint32_t>(value));
    if (params.arrayString.size() <= IND_S_IniFile) params.arrayString.resize(IND_S_IniFile + 1);
    params.arrayString[IND_S_IniFile] = pGlobDimOptions->GetCurOptionsFile();
    if (params.arrayInt.size() <= IND_I_AppVersion) params.arrayInt.resize(IND_I_AppVersion + 1);
    params.arrayInt[IND_I_AppVersion] = static_cast<std::uint32_t>(GetProgramVersionNumber());
    return params;
}

bool CDlgMain::Create() {
    if (!pGlobDimOptions) return false;
    OnInitDialog();
    return true;
}

void CDlgMain::OnInitDialog() {
    int mode = GetIniGeneralInt(L"LastMode");
    if (mode < OPT_MODE_ALL || mode > OPT_MODE_TEXT) {
        // Nothing saved, or a value no mode has: start with chains.
        if (mode != 0) LogFmt(L"\nCDlgMain: LastMode=%d ", mode);
        mode = OPT_MODE_CHAIN;
    }
    AdjustMode(mode);
}

void CDlgMain::AdjustMode(int mode) {
    if (!pGlobDimOptions) return;
    if (mode < 0) {
        pGlobDimOptions->m_iMode = m_iCurrentMode;
        return;
    }
    if (mode < OPT_MODE_ALL || mode > OPT_MODE_TEXT) {
        LogFmt(L"\nAdjustMode(%d): no such mode ", mode);
        return;
    }
    const bool reloadLists = mode != m_iCurrentMode || pGlobDimOptions->m_bNoWrite;
    pGlobDimOptions->m_bNoWrite = false;
    pGlobDimOptions->m_iMode = mode;
    m_iCurrentMode = mode;
    SetIniGeneralInt(L"LastMode", mode);
    ReloadData();
    if (mode != OPT_MODE_ALL && mode != OPT_MODE_TEXT) {
        int type = GetIniGeneralInt(lastTypeKey(mode));
        if (type < 1 || type > highestType(mode)) type = 1;
        AdjustType(type);
    }
    if (reloadLists) m_controlTexts.erase(IDC_COMBO_LAYER);
}

void CDlgMain::AdjustType(int type) {
    if (!pGlobDimOptions) return;
    if (type < 0) {
        pGlobDimOptions->m_iMode = m_iCurrentMode;
        return;
    }
    m_iCurrentType = type;
    pGlobDimOptions->SetOptInt(IND_I_LastType, type);
    if (!isOneOffType(m_iCurrentMode, type)) SetIniGeneralInt(lastTypeKey(m_iCurrentMode), type);
}

void CDlgMain::ReloadData() {
    CTimeLog timer(L"CDlgMain::ReloadData");
    // The layer combo keeps its choice: only a mode change clears it.
    const auto layer = m_controlTexts.find(IDC_COMBO_LAYER);
    std::map<int, std::wstring> kept;
    if (layer != m_controlTexts.end()) kept.insert(*layer);
    m_controlTexts = std::move(kept);
}

void CDlgMain::EnableActions(bool enable) {
    m_bActionsEnabled = enable;
    if (enable) return;
    // A length typed into the extension combo is not taken while a command runs.
    const auto ext = m_controlTexts.find(IDC_COMBO_EXT_LINE);
    if (ext != m_controlTexts.end() && !ext->second.empty() && OptTrim(ext->second)[0] != L'<')
        m_controlTexts.erase(ext);
}

std::wstring CDlgMain::GetControlText(int id) const {
    const auto it = m_controlTexts.find(id);
    if (it != m_controlTexts.end()) return it->second;
    if (id == IDC_COMBO_LAYER || !pGlobDimOptions) return std::wstring();
    const TRdimParams options = ParamsFromOptions(m_iCurrentMode);
    return PaletteTextOf(id, ParamArraysView(options));
}

bool CDlgMain::SetControlText(int id, const std::wstring& text) {
    const std::wstring label = PaletteComboLabel(id);
    bool fits = false;
    if (label.empty()) {
        acutPrintf(L"\nPalette: %d is not a value box of the palette.", id);
        return false;
    }
    if (IsKeepOwnValue(text)) {
        fits = true;
    } else if (id == IDC_COMBO_LAYER) {
        fits = text.empty() || text == CurrentLayerEntry() || isValidLayerName(OptTrim(text));
    } else {
        TRdimParams scratch = ParamsFromOptions(m_iCurrentMode);
        fits = ApplyPaletteText(id, text, scratch);
    }
    if (!fits) {
        acutPrintf(L"\nPalette: \"%s\" is no value for \"%s\"; the box keeps \"%s\".", text.c_str(),
                   label.c_str(), GetControlText(id).c_str());
        return false;
    }
    m_controlTexts[id] = text;
    return true;
}

std::wstring CDlgMain::GetLayerChoice() const {
    const auto it = m_controlTexts.find(IDC_COMBO_LAYER);
    if (it == m_controlTexts.end() || IsKeepOwnValue(it->second)) return std::wstring();
    return it->second == CurrentLayerEntry() ? it->second : OptTrim(it->second);
}

bool CDlgMain::InitParameters(AcDbObject* object, bool bKeepArcSettings) {
    // Height marks, the host's dimensions and texts take the palette's settings through
    // their own kinds; this build's objects are chains, which modes 1 and 2 give settings.
    TRdim* chain = TRdim::cast(object);
    if (!chain || !pGlobDimOptions) return false;
    if (m_iCurrentMode != OPT_MODE_ALL && m_iCurrentMode != OPT_MODE_CHAIN) return false;
    const TRdimParams own = chain->GetParams();
    TRdimParams params = ParamsFromOptions(m_iCurrentMode);
    if (bKeepArcSettings)
        for (int index : kArcSettings)
            if (static_cast<size_t>(index) < own.arrayInt.size() &&
                static_cast<size_t>(index) < params.arrayInt.size())
                params.arrayInt[static_cast<size_t>(index)] = own.arrayInt[static_cast<size_t>(index)];
    applyControls(params, own);
    chain->SetParams(std::move(params));
    applyLayer(chain);
    return true;
}

bool CDlgMain::InitParametersInMode(int mode, AcDbObject* object, bool bKeepArcSettings) {
    const int paletteMode = m_iCurrentMode;
    const int optionsMode = pGlobDimOptions ? pGlobDimOptions->m_iMode : 0;
    m_iCurrentMode = mode;
    if (pGlobDimOptions) pGlobDimOptions->m_iMode = mode;
    const bool done = InitParameters(object, bKeepArcSettings);
    m_iCurrentMode = paletteMode;
    if (pGlobDimOptions) pGlobDimOptions->m_iMode = optionsMode;
    return done;
}

void CDlgMain::applyControls(TRdimParams& params, const TRdimParams& own) const {
    for (int id : PaletteValueCombos()) {
        // All modes share one distance between dimension lines only in name: mode 1 never
        // gives an object another one.
        if (id == IDC_COMBO_DIM_LINES_DISTANCE && m_iCurrentMode == OPT_MODE_ALL) {
            KeepOwnSlots(id, own, params);
            continue;
        }
        const auto it = m_controlTexts.find(id);
        // A combo nobody set shows the options' value, which params already holds.
        if (it == m_controlTexts.end()) continue;
        if (IsKeepOwnValue(it->second) || !ApplyPaletteText(id, it->second, params))
            KeepOwnSlots(id, own, params);
    }
}

void CDlgMain::applyLayer(AcDbObject* object) const {
    const std::wstring layer = GetLayerChoice();
    if (layer.empty() || layer == CurrentLayerEntry()) return;
    // A new object gets its layer when it is created; one in a drawing moves now.
    AcDbEntity* entity = AcDbEntity::cast(object);
    if (entity && entity->database())
        SetEntityLayer(entity->database(), entity, layer, GetColorForLayer(layer));
}
