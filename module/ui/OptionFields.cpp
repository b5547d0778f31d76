#include "module/ui/OptionFields.h"

#include "host/mfc/CComboBox.h"
#include "host/mfc/CWnd.h"
#include "host/win/FormatW.h"
#include "module/base/LintaroLog.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/OptStrings.h"
#include "module/options/OptionDefaults.h"
#include "module/resources/OptionResources.h"

#include <cmath>
#include <cwchar>

namespace {

using K = OptionFieldKind;
constexpr unsigned kAll = kInLinear | kInHeight | kInText;

// Characters a value cannot carry: the delimiter's are the chain text's own separators,
// a layer name's are those the host refuses.
constexpr const wchar_t* kDelimiterRefused = L"#@^";
constexpr const wchar_t* kLayerRefused = L"<>/\\\":;?*|=`,";

bool isCheck(K kind) {
    return kind == K::IntCheck || kind == K::Flag;
}

bool inMode(const OptionField& f, int dlgMode) {
    return (f.modes & (1u << dlgMode)) != 0;
}

bool textAllowed(const OptionField& f, const std::wstring& text) {
    if (text.find_first_of(L"\r\n") != std::wstring::npos) return false;
    if (f.id == IDC_OPT_DELIMITER) return text.find_first_of(kDelimiterRefused) == std::wstring::npos;
    if (f.id == IDC_OPT_MARK_LAYER) return text.find_first_of(kLayerRefused) == std::wstring::npos;
    return true;
}

} // namespace

const std::vector<OptionField>& GeometryFields() {
    static const std::vector<OptionField> fields = {
        {IDC_OPT_SYMBOL_SIZE,
         IDC_OPT_SYMBOL_SIZE_LABEL,
         K::Double,
         IND_D_TickSize,
         kInLinear | kInHeight,
         {IDS_OPT_LABEL_TICK_SIZE, IDS_OPT_LABEL_HEIGHT_SIZE, 0},
         0.0,
         100.0},
        {IDC_OPT_REDUCED,
         IDC_OPT_REDUCED_LABEL,
         K::Double,
         IND_D_DimLineDist,
         kInLinear | kInHeight,
         {IDS_OPT_LABEL_DIMLINE_DIST, IDS_OPT_LABEL_REDUCED_PERCENT, 0},
         0.0,
         1000.0},
        {IDC_OPT_EXTEND_DIMLINE,
         IDC_OPT_EXTEND_DIMLINE_LABEL,
         K::Double,
         IND_D_ExtendBeyondDimLine,
         kInLinear | kInHeight,
         {},
         0.0,
         100.0},
        {IDC_OPT_EXTEND_TICK,
         IDC_OPT_EXTEND_TICK_LABEL,
         K::Double,
         IND_D_ExtendBeyondTick,
         kInLinear | kInHeight,
         {IDS_OPT_LABEL_EXTEND_TICK, IDS_OPT_LABEL_HEIGHT_DIAMETER, 0},
         0.0,
         100.0},
        {IDC_OPT_ORIGIN_OFFSET,
         IDC_OPT_ORIGIN_OFFSET_LABEL,
         K::Double,
         IND_D_OffsetFromOrigin,
         kInLinear | kInHeight,
         {},
         0.0,
         100.0},
        {IDC_OPT_FORBID_LAYER0, 0, K::IntCheck, IND_I_ForbidLayer0, kAll, {}, 0.0, 1.0},
        {IDC_OPT_BASE_AS_XLINE, 0, K::Flag, IND_OPT_B_ShowBaseHDAsXline, kInHeight, {}, 0.0, 1.0},
        {IDC_OPT_H_NO_MODIFY, 0, K::IntCheck, IND_I_HDimNoModify, kInHeight, {}, 0.0, 1.0},
        {IDC_OPT_H_PLUS_MINUS_HIDE, 0, K::IntCheck, IND_I_HPlusMinusHide, kInHeight, {}, 0.0, 1.0},
    };
    return fields;
}

const std::vector<OptionField>& TextFields() {
    static const std::vector<OptionField> fields = {
        {IDC_OPT_EXP_HEIGHT, IDC_OPT_EXP_HEIGHT_LABEL, K::Double, IND_D_ExpTextHeight, kAll, {}, 1.0, 1000.0},
        {IDC_OPT_TEXT_OFFSET,
         IDC_OPT_TEXT_OFFSET_LABEL,
         K::Double,
         IND_D_TextOffset,
         kInLinear | kInHeight,
         {},
         0.0,
         1000.0},
        {IDC_OPT_DELIMITER, IDC_OPT_DELIMITER_LABEL, K::String, IND_S_Delimiter, kInLinear, {}, 0.0, 0.0},
        {IDC_OPT_AUTO_POSITION, 0, K::Flag, IND_OPT_B_AutoPosition, kAll, {}, 0.0, 1.0},
        {IDC_OPT_TRIM_ZERO, 0, K::IntCheck, IND_I_TrimZero, kAll, {}, 0.0, 1.0},
        {IDC_OPT_MCM_FROM_10,
         0,
         K::IntCheck,
         IND_I_MCmFrom10,
         kAll,
         {0, IDS_OPT_LABEL_REDUCED, 0},
         0.0,
         1.0},
        {IDC_OPT_SECTION_UNDERLINE, 0, K::IntCheck, IND_I_HDimTextUnderline, kInHeight, {}, 0.0, 1.0},
        {IDC_OPT_PLAN_UNDERLINE, 0, K::IntCheck, IND_I_HPDimTextUnderline, kInHeight, {}, 0.0, 1.0},
        {IDC_OPT_TOLERANCE,
         IDC_OPT_TOLERANCE_LABEL,
         K::Double,
         IND_D_UserTextTolerance,
         kInLinear | kInHeight,
         {},
         0.0,
         1000.0},
        {IDC_OPT_MARK_LAYER,
         IDC_OPT_MARK_LAYER_LABEL,
         K::String,
         IND_S_UTextMarkLayer,
         kInLinear | kInHeight,
         {},
         0.0,
         0.0},
        {IDC_OPT_ALT_MEASURE,
         IDC_OPT_ALT_MEASURE_LABEL,
         K::General,
         IND_OPT_S_AltMeasure,
         kAll,
         {},
         0.0,
         0.0},
        {IDC_OPT_ALT_FORMAT, IDC_OPT_ALT_FORMAT_LABEL, K::General, IND_OPT_S_AltFormat, kAll, {}, 0.0, 0.0},
        {IDC_OPT_ALT_DECIMALS, 0, K::Flag, IND_OPT_B_AltDecimals, kAll, {}, 0.0, 1.0},
    };
    return fields;
}

bool ParseFieldNumber(const std::wstring& text, bool whole, double min, double max, double& value) {
    std::wstring t = OptTrim(text);
    if (t.empty() || t.size() > 32) return false;
    for (wchar_t& c : t)
        if (c == L',') c = L'.';
    for (wchar_t c : t)
        if (!(c >= L'0' && c <= L'9') && c != L'.' && c != L'-' && c != L'+') return false;
    wchar_t* end = nullptr;
    const double v = std::wcstod(t.c_str(), &end);
    if (!end || *end != L'\0' || !std::isfinite(v)) return false;
    if (whole && v != std::floor(v)) return false;
    if (v < min || v > max) return false;
    value = v;
    return true;
}

std::wstring FieldText(const OptionField& f, const OptionDraft& draft, int dlgMode) {
    const COptionSet& set = draft.Set(dlgMode);
    switch (f.kind) {
    case K::Double:
        return FormatOptDouble(set.arrayOptDouble[static_cast<std::size_t>(f.index)]);
    case K::Int:
        return host::FormatW(L"%d", set.arrayOptInt[static_cast<std::size_t>(f.index)]);
    case K::IntCheck:
        return set.arrayOptInt[static_cast<std::size_t>(f.index)] != 0 ? L"1" : L"0";
    case K::String:
        return set.arrayOptString[static_cast<std::size_t>(f.index)];
    case K::Flag:
        return draft.flags[static_cast<std::size_t>(f.index)] != 0 ? L"1" : L"0";
    case K::General:
        return draft.general[static_cast<std::size_t>(f.index)];
    }
    return {};
}

bool SetFieldText(const OptionField& f, OptionDraft& draft, int dlgMode, const std::wstring& text) {
    COptionSet& set = draft.Set(dlgMode);
    const auto i = static_cast<std::size_t>(f.index);
    double v = 0.0;
    switch (f.kind) {
    case K::Double:
        if (!ParseFieldNumber(text, false, f.min, f.max, v)) return false;
        set.arrayOptDouble[i] = v;
        return true;
    case K::Int:
    case K::IntCheck:
        if (!ParseFieldNumber(text, true, f.min, f.max, v)) return false;
        set.arrayOptInt[i] = static_cast<int>(v);
        return true;
    case K::Flag:
        if (!ParseFieldNumber(text, true, 0.0, 1.0, v)) return false;
        draft.flags[i] = static_cast<int>(v);
        return true;
    case K::String:
        if (!textAllowed(f, text)) return false;
        set.arrayOptString[i] = OptTrim(text);
        return true;
    case K::General:
        if (!textAllowed(f, text)) return false;
        draft.general[i] = OptTrim(text);
        return true;
    }
    return false;
}

void ShowFields(CWnd& page, const std::vector<OptionField>& fields, const OptionDraft& draft, int dlgMode) {
    for (const OptionField& f : fields) {
        const bool shown = inMode(f, dlgMode);
        CWnd* control = page.GetDlgItem(f.id);
        CWnd* label = f.labelId ? page.GetDlgItem(f.labelId) : nullptr;
        if (!control) continue;
        control->ShowWindow(shown ? SW_SHOW : SW_HIDE);
        if (label) label->ShowWindow(shown ? SW_SHOW : SW_HIDE);
        const unsigned name = f.labels[dlgMode] ? f.labels[dlgMode] : f.labels[OPT_DLG_LINEAR];
        if (name) (label ? label : control)->SetWindowText(LoadStr(name));
        if (!shown) continue;
        const std::wstring text = FieldText(f, draft, dlgMode);
        if (isCheck(f.kind)) {
            page.CheckDlgButton(f.id, text == L"1" ? BST_CHECKED : BST_UNCHECKED);
        } else if (auto* combo = dynamic_cast<CComboBox*>(control)) {
            if (!text.empty() && combo->FindStringExact(-1, text.c_str()) < 0) combo->AddString(text.c_str());
            combo->SetCurSel(combo->FindStringExact(-1, text.c_str()));
            combo->SetWindowText(text.c_str());
        } else {
            control->SetWindowText(text.c_str());
        }
    }
}

bool TakeFields(CWnd& page, const std::vector<OptionField>& fields, OptionDraft& draft, int dlgMode) {
    OptionDraft trial = draft;
    for (const OptionField& f : fields) {
        if (!inMode(f, dlgMode) || !page.GetDlgItem(f.id)) continue;
        std::wstring text;
        if (isCheck(f.kind))
            text = page.IsDlgButtonChecked(f.id) == BST_CHECKED ? L"1" : L"0";
        else
            page.GetDlgItemText(f.id, text);
        if (SetFieldText(f, trial, dlgMode, text)) continue;
        std::wstring name;
        page.GetDlgItemText(f.labelId ? f.labelId : f.id, name);
        MsgBoxFmt(LoadStr(IDS_OPT_BAD_VALUE), name.c_str(), text.c_str());
        page.GetDlgItem(f.id)->SetFocus();
        return false;
    }
    draft = std::move(trial);
    return true;
}

void WriteFieldOptions(const std::vector<OptionField>& fields, CGlobDimOptions& options) {
    const int saved = options.m_iMode;
    for (int dlgMode = 0; dlgMode < OPT_DLG_MODE_COUNT; ++dlgMode) {
        options.m_iMode = OptionModeOfDialogMode(dlgMode);
        const COptionSet& set = options.GetOptionSet();
        for (const OptionField& f : fields) {
            if (!inMode(f, dlgMode)) continue;
            const auto i = static_cast<std::size_t>(f.index);
            switch (f.kind) {
            case K::Double:
                options.SetOptValue(OPT_TYPE_DOUBLE, f.index, set.arrayOptDouble[i]);
                break;
            case K::Int:
            case K::IntCheck:
                options.SetOptValue(OPT_TYPE_INT, f.index, set.arrayOptInt[i]);
                break;
            case K::String:
                options.SetOptValue(OPT_TYPE_STRING, f.index, set.arrayOptString[i]);
                break;
            case K::Flag:
                options.SetOptValue(OPT_TYPE_FLAG, f.index, options.GetOptFlag(f.index));
                break;
            case K::General:
                options.SetOptValue(OPT_TYPE_GENERAL, f.index, options.GetOptGeneral(f.index));
                break;
            }
        }
    }
    options.m_iMode = saved;
}
