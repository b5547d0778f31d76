#include "module/resources/OptionResources.h"

#include "host/mfc/AfxModuleState.h"
#include "host/mfc/AfxResources.h"
#include "host/win/WinMessageBox.h"
#include "module/resources/ResourceControls.h"

namespace {

using host::mfc::ControlKind;
using host::mfc::ControlTemplate;
using host::mfc::DialogTemplate;

constexpr DWORD kCheck = BS_AUTOCHECKBOX;
constexpr DWORD kEdit = ES_AUTOHSCROLL;

ControlTemplate label(int id, const wchar_t* text) {
    return control(id, ControlKind::Static, text);
}

ControlTemplate edit(int id) {
    return control(id, ControlKind::Edit, L"", kEdit);
}

// A page is a child dialog without a frame of its own; the sheet shows its caption on
// the page's tab.
DialogTemplate page(UINT id, const wchar_t* caption, std::vector<ControlTemplate> controls) {
    DialogTemplate d;
    d.id = id;
    d.caption = caption;
    d.style = WS_CHILD | WS_CAPTION;
    d.rect = RECT{0, 0, 260, 200};
    d.controls = std::move(controls);
    return d;
}

DialogTemplate optionDialog() {
    DialogTemplate d;
    d.id = IDD_DLG_OPTION;
    d.caption = L"Globale Einstellungen";
    d.rect = RECT{0, 0, 300, 260};
    d.controls = {
        control(IDC_OPT_MODE, ControlKind::ComboBox, L"", CBS_DROPDOWNLIST,
                {L"Lineare Bema\u00DFungen", L"H\u00F6henkoten", L"Text"}),
        control(IDC_OPT_PAGE_AREA, ControlKind::Static, L""),
        control(IDOK, ControlKind::Button, L"Save", BS_DEFPUSHBUTTON),
        control(IDC_OPT_SAVE_AS, ControlKind::Button, L"Save as...", BS_PUSHBUTTON),
        control(IDCANCEL, ControlKind::Button, L"Cancel", BS_PUSHBUTTON),
    };
    return d;
}

DialogTemplate geometryPage() {
    return page(
        IDD_OPT_PAGE_GEOMETRY, L"Geometrie",
        {
            label(IDC_OPT_SYMBOL_SIZE_LABEL, L"Symbolgr\u00F6\u00DFe"),
            edit(IDC_OPT_SYMBOL_SIZE),
            label(IDC_OPT_REDUCED_LABEL, L"Reduzierte Gr\u00F6\u00DFe [%]"),
            edit(IDC_OPT_REDUCED),
            label(IDC_OPT_EXTEND_DIMLINE_LABEL, L"Ma\u00DFlinien-Erweiterung"),
            edit(IDC_OPT_EXTEND_DIMLINE),
            label(IDC_OPT_EXTEND_TICK_LABEL, L"Bem.-Lin. \u00FCber Hilfslinien hinaus verl\u00E4ngern"),
            edit(IDC_OPT_EXTEND_TICK),
            label(IDC_OPT_ORIGIN_OFFSET_LABEL, L"Abstand der Hilfslinie von Ma\u00DFpunkt"),
            edit(IDC_OPT_ORIGIN_OFFSET),
            control(IDC_OPT_FORBID_LAYER0, ControlKind::Button, L"Layer \"0\" verbieten", kCheck),
            control(IDC_OPT_BASE_AS_XLINE, ControlKind::Button, L"Bezugsebene als Gerade darstellen", kCheck),
            control(IDC_OPT_H_NO_MODIFY, ControlKind::Button, L"HK-Wert nicht \u00E4ndern", kCheck),
            control(IDC_OPT_H_PLUS_MINUS_HIDE, ControlKind::Button, L"\u00B1 bei 0 ausblenden", kCheck),
        });
}

DialogTemplate textPage() {
    return page(
        IDD_OPT_PAGE_TEXT, L"Text",
        {
            label(IDC_OPT_EXP_HEIGHT_LABEL, L"% der Grundtexth\u00F6he"),
            edit(IDC_OPT_EXP_HEIGHT),
            label(IDC_OPT_TEXT_OFFSET_LABEL, L"Abstand des Textes von Bema\u00DFungslinie"),
            edit(IDC_OPT_TEXT_OFFSET),
            label(IDC_OPT_DELIMITER_LABEL, L"Trennzeichen"),
            edit(IDC_OPT_DELIMITER),
            control(IDC_OPT_AUTO_POSITION, ControlKind::Button, L"Automatische Ma\u00DFtextposition", kCheck),
            control(IDC_OPT_AUTO_POSITION_ORDER, ControlKind::Button, L"...", BS_PUSHBUTTON),
            control(IDC_OPT_TRIM_ZERO, ControlKind::Button, L"Nullen unterdr\u00FCcken", kCheck),
            control(IDC_OPT_MCM_FROM_10, ControlKind::Button, L"m/cm (10 m)", kCheck),
            control(IDC_OPT_SECTION_UNDERLINE, ControlKind::Button, L"Schnitt-HK", kCheck),
            control(IDC_OPT_PLAN_UNDERLINE, ControlKind::Button, L"Grundri\u00DF-HK", kCheck),
            label(IDC_OPT_TOLERANCE_LABEL, L"Toleranz"),
            edit(IDC_OPT_TOLERANCE),
            label(IDC_OPT_MARK_LAYER_LABEL, L"Mark. Layer"),
            edit(IDC_OPT_MARK_LAYER),
            label(IDC_OPT_ALT_MEASURE_LABEL, L"Alternativeinheiten: Darstellung in"),
            control(IDC_OPT_ALT_MEASURE, ControlKind::ComboBox, L"", CBS_DROPDOWNLIST,
                    {L"", L"M/cm", L"m", L"cm", L"mm"}),
            label(IDC_OPT_ALT_FORMAT_LABEL, L"Format"),
            control(IDC_OPT_ALT_FORMAT, ControlKind::ComboBox, L"", CBS_DROPDOWN | CBS_AUTOHSCROLL),
            control(IDC_OPT_ALT_DECIMALS, ControlKind::Button, L"Nachkommastellen", kCheck),
        });
}

DialogTemplate scalePage() {
    return page(IDD_OPT_PAGE_SCALE, L"Ma\u00DFstab",
                {
                    label(IDC_STATIC, L"Ma\u00DFstab -> Layer"),
                    control(IDC_OPT_SCALE_LIST, ControlKind::ListBox, L"", LBS_NOTIFY),
                    label(IDC_STATIC, L"Ma\u00DFstab"),
                    edit(IDC_OPT_SCALE_KEY),
                    label(IDC_STATIC, L"Layer"),
                    edit(IDC_OPT_SCALE_LAYER),
                    label(IDC_STATIC, L"Farbe"),
                    edit(IDC_OPT_SCALE_COLOR),
                    control(IDC_OPT_SCALE_ADD, ControlKind::Button, L"Hinzuf\u00FCgen", BS_PUSHBUTTON),
                    control(IDC_OPT_SCALE_REMOVE, ControlKind::Button, L"Entfernen", BS_PUSHBUTTON),
                    label(IDC_STATIC, L"Ma\u00DFstab f\u00FCr den Papierbereich"),
                    edit(IDC_OPT_PAPER_SCALE),
                });
}

DialogTemplate heightPage() {
    return page(IDD_OPT_PAGE_HEIGHT, L"Texth\u00F6he",
                {
                    label(IDC_STATIC, L"Texth\u00F6he  -> Textfarben"),
                    control(IDC_OPT_HEIGHT_LIST, ControlKind::ListBox, L"", LBS_NOTIFY),
                    label(IDC_STATIC, L"Texth\u00F6he"),
                    edit(IDC_OPT_HEIGHT_KEY),
                    label(IDC_STATIC, L"Farbe"),
                    control(IDC_OPT_HEIGHT_COLOR, ControlKind::ComboBox, L"", CBS_DROPDOWN,
                            {L"1", L"2", L"3", L"4", L"5", L"6", L"7", L"8", L"9"}),
                    control(IDC_OPT_HEIGHT_ADD, ControlKind::Button, L"Hinzuf\u00FCgen", BS_PUSHBUTTON),
                    control(IDC_OPT_HEIGHT_REMOVE, ControlKind::Button, L"Entfernen", BS_PUSHBUTTON),
                });
}

DialogTemplate convertPage() {
    return page(
        IDD_OPT_PAGE_CONVERT, L"Konvert",
        {
            control(IDC_OPT_CNV_EXPLODE_HDIM, ControlKind::Button, L"HK zerlegen", kCheck),
            control(IDC_OPT_CNV_EXPLODE_DIM, ControlKind::Button, L"Lineare Bema\u00DFungen zerlegen",
                    kCheck),
            control(IDC_OPT_CNV_ASSOCIATIVE, ControlKind::Button,
                    L"Assoziative lin. Bema\u00DFungen OHNE m/cm Darstellung und OHNE hochgestellten Zahlen",
                    kCheck),
            control(IDC_OPT_CNV_KEEP_TEXT, ControlKind::Button, L"Text\u00FCberschreibungen beibehalten",
                    kCheck),
            control(IDC_OPT_CNV_KEEP_POS, ControlKind::Button, L"Textpositionen beibehalten ", kCheck),
            control(IDC_OPT_CNV_ALL_DWG, ControlKind::Button, L"Ganze Zeichnung konvertieren", kCheck),
            control(IDC_OPT_CNV_READ_BLOCKS, ControlKind::Button, L"Innerhalb von Bl\u00F6cken konvert.",
                    kCheck),
        });
}

DialogTemplate listsPage() {
    return page(IDD_OPT_PAGE_LISTS, L"Listen",
                {
                    control(IDC_OPT_LIST_CHOICE, ControlKind::ComboBox, L"", CBS_DROPDOWNLIST),
                    control(IDC_OPT_LIST_ENTRIES, ControlKind::ListBox, L"", LBS_NOTIFY),
                    edit(IDC_OPT_LIST_ENTRY),
                    control(IDC_OPT_LIST_ADD, ControlKind::Button, L"< Hinzuf\u00FCgen", BS_PUSHBUTTON),
                    control(IDC_OPT_LIST_REMOVE, ControlKind::Button, L"Entfernen >", BS_PUSHBUTTON),
                    control(IDC_OPT_LIST_REMOVE_ALL, ControlKind::Button, L"Entfernen >>", BS_PUSHBUTTON),
                    control(IDC_OPT_LIST_SAVE, ControlKind::Button, L"Speichern", BS_PUSHBUTTON),
                });
}

DialogTemplate optionsLoadDialog() {
    DialogTemplate d;
    d.id = IDD_DLG_OPTIONS_LOAD;
    d.caption = L"Globale Einstellungen";
    d.rect = RECT{0, 0, 280, 70};
    d.controls = {
        control(IDC_OPF_FILES, ControlKind::ComboBox, L"", CBS_DROPDOWNLIST),
        control(IDC_OPF_BROWSE, ControlKind::Button, L"\u2022\u2022\u2022", BS_PUSHBUTTON),
        control(IDC_OPF_REMOVE, ControlKind::Button, L"Entfernen", BS_PUSHBUTTON),
        control(IDOK, ControlKind::Button, L"OK", BS_DEFPUSHBUTTON),
        control(IDC_OPF_PROPERTIES, ControlKind::Button, L"Eigenschaften...", BS_PUSHBUTTON),
        control(IDCANCEL, ControlKind::Button, L"Abbrechen", BS_PUSHBUTTON),
    };
    return d;
}

} // namespace

void RegisterOptionResources() {
    const HINSTANCE module = AfxGetInstanceHandle();
    for (DialogTemplate d : {optionDialog(), geometryPage(), textPage(), scalePage(), heightPage(),
                             convertPage(), listsPage(), optionsLoadDialog()})
        host::mfc::registerDialogTemplate(module, std::move(d));
}
