#include "module/resources/PaletteResources.h"

#include "host/mfc/AfxModuleState.h"
#include "host/mfc/AfxResources.h"
#include "module/resources/ResourceControls.h"

#include <utility>

namespace {

using host::mfc::ControlKind;
using host::mfc::ControlTemplate;
using host::mfc::MenuTemplateItem;


ControlTemplate label(int id, const wchar_t* text) {
    return control(id, ControlKind::Static, text);
}

// Every value combo takes typed text: the palette checks it when the box loses the focus.
ControlTemplate combo(int id, std::vector<std::wstring> items = {}) {
    return control(id, ControlKind::ComboBox, L"", CBS_DROPDOWN | CBS_AUTOHSCROLL, std::move(items));
}

ControlTemplate check(int id, const wchar_t* text) {
    return control(id, ControlKind::Button, text, BS_AUTOCHECKBOX);
}

ControlTemplate button(int id, const wchar_t* text) {
    return control(id, ControlKind::Button, text, BS_PUSHBUTTON);
}

host::mfc::DialogTemplate paletteDialog() {
    host::mfc::DialogTemplate d;
    d.id = IDD_DLG_MAIN;
    d.caption = L"lintaro";
    d.rect = RECT{0, 0, 210, 560};
    d.controls = {
        button(IDC_BUT_MODE, L""),
        button(IDC_BUT_TYPE, L""),
        button(IDC_BUT_UPDATE, L"Aktualisieren"),
        button(IDC_BUT_SELECT, L""),
        button(IDC_BUT_PROPERTIES, L""),
        control(IDC_TAB_PAGES, ControlKind::Tab, L"Tab1"),
        label(1030, L"Texth\u00F6he"),
        combo(IDC_COMBO_TEXT_HEIGHT),
        label(1031, L"Ma\u00DFstab"),
        combo(IDC_COMBO_SCALE, {L""}),
        label(1033, L"Einheit je ZE ="),
        combo(IDC_COMBO_DRAWING_UNIT, {L"1 m", L"1 cm", L"1 mm"}),
        label(1034, L"Darstellung in"),
        combo(IDC_COMBO_DISPLAY_UNIT, {L"M/cm", L"m", L"cm", L"mm"}),
        label(1035, L"Nachkommast."),
        combo(IDC_COMBO_DECIMALS, {L"0", L"1", L"2", L"3", L"4", L"5", L"6"}),
        label(IDC_STATIC_ROUNDING, L"Runden auf"),
        combo(IDC_COMBO_ROUNDING),
        label(1032, L"Ma\u00DFlinien-Versatz"),
        combo(IDC_COMBO_DIM_LINES_DISTANCE),
        label(1037, L"Hilfslin."),
        combo(IDC_COMBO_EXT_LINE),
        label(1036, L"Textstil"),
        combo(IDC_COMBO_TEXT_STYLE),
        label(1134, L"Layer"),
        combo(IDC_COMBO_LAYER),
        label(1038, L"Ma\u00DFzahlposition"),
        combo(IDC_COMBO_TEXT_ALIGN),
        label(1039, L"Pos.der zweiten Ma\u00DFzahl"),
        combo(IDC_COMBO_TEXT_POSITION),
        check(IDC_CHECK_REDUCED, L"Reduzierte Gr\u00F6\u00DFe"),
        // The rows of new height marks: off, the value, or only the prefix and suffix.
        control(IDC_BUT_W1, ControlKind::Button, L"W1", BS_AUTO3STATE),
        control(IDC_BUT_W2, ControlKind::Button, L"W2", BS_AUTO3STATE),
        control(1099, ControlKind::Edit, L""),
        control(1097, ControlKind::Edit, L""),
        control(1098, ControlKind::Edit, L""),
        control(1096, ControlKind::Edit, L""),
        button(IDC_BUT_FOLD, L"Einstellungen <<<"),
        check(IDC_CHECK_DIM_BY_LINE, L"Schnittlinie"),
        check(IDC_CHECK_H_ALIGN, L"HK ausrichten"),
        check(IDC_CHECK_CONTEXT_MENU, L"Dim.-Kmenu immer vef\u00FCgbar"),
        check(IDC_CHECK_SUM, L"Summe der Ma\u00DFe darstellen"),
        check(IDC_CHECK_INPUT_POINTS, L"Ma\u00DFpunkte darstellen"),
        check(IDC_CHECK_IGNORE_TOLERANCE, L"Ma\u00DFtoleranz ignorieren"),
        check(IDC_CHECK_LEADERS, L"F\u00FChrungslinien einblenden"),
        check(IDC_CHECK_WIPEOUT, L"Ma\u00DFtext-Hintergrund"),
        check(IDC_CHECK_ALT_UNITS, L"Alternativeinheiten"),
    };
    return d;
}

MenuTemplateItem item(UINT id, const wchar_t* text) {
    return MenuTemplateItem{id, text, 0, {}};
}

MenuTemplateItem popup(const wchar_t* text, std::vector<MenuTemplateItem> items) {
    return MenuTemplateItem{0, text, MF_POPUP, std::move(items)};
}

MenuTemplateItem separator() {
    return MenuTemplateItem{0, L"", MF_SEPARATOR, {}};
}

host::mfc::MenuTemplate paletteMenu() {
    host::mfc::MenuTemplate m;
    m.id = IDR_MENU_MAIN;
    // The palette enables the items 32811, 32810, 32806, 32807 and the sub-menus at
    // positions 5, 6 and 8 of 'Bearb.' only for chains: keep those positions.
    m.items = {
        popup(L"Bearb.",
              {item(ID_TEXT_CENTRE, L"Ma\u00DFzahlen zentrieren"),
               item(ID_AUTO_TEXT_ON, L"Automatische Ma\u00DFtextposition"),
               item(ID_TEXT_TO_UCS, L"Ma\u00DFzahlen am BKS ausrichten"),
               item(ID_VALUES_RESET, L"Ma\u00DFzahl\u00E4nderungen zur\u00FCck"),
               item(ID_REDISTRIBUTE, L"Ma\u00DFlinien neu verteilen"),
               popup(L"F\u00FChrungslinien",
                     {item(ID_LEADERS_ON, L"zeichnen"), item(ID_LEADERS_OFF, L"l\u00F6schen")}),
               popup(L"Summe der Ma\u00DFe",
                     {item(ID_SUM_SHOW, L"darstellen"), item(ID_SUM_REMOVE, L"entfernen")}),
               item(ID_REMOVE_POINTS, L"Ma\u00DFpunkt(e) entfernen"),
               popup(L"Ma\u00DFzahlen", {item(ID_TEXT_POSITION, L"Textposition...")}),
               separator(),
               popup(L"Marken", {item(ID_MARKS_MAKE, L"Markieren"),
                                 item(ID_MARKS_CLEAR, L"Alle Marken entfernen")}),
               item(ID_REPLACE_TEXTS, L"Zusatzma\u00DFtexte ersetzen..."),
               item(ID_REPLACE_LINKS, L"HK: DWG Pfad && Dateiname ersetzen..."),
               item(ID_HK_CHECKER, L"HK Checker..."),
               item(ID_HK_LINKS, L"HK-Links zwischen DWG's aktualisieren"),
               separator(),
               item(ID_GLOBAL_SETTINGS, L"Globale Einstellungen...")}),
        popup(L"Konvert.",
              {item(ID_FORMAT_ACAD_DIMS, L"lintaro-Formatierung der AutoCAD-Bema\u00DFungen"),
               item(ID_ACAD_TO_CHAINS, L"AutoCAD-Lineare Bema\u00DFungen -> lintaro-Ma\u00DFketten "),
               item(ID_CHAINS_TO_ACAD, L"lintaro-Bema\u00DFungen -> AutoCAD-Bema\u00DFungen"),
               item(ID_ACAD_TO_TEXTS, L"AutoCAD-Texte -> lintaro-Texte"),
               item(ID_TEXTS_TO_ACAD, L"lintaro-Texte -> AutoCAD-Texte")}),
        popup(L"?", {item(ID_ABOUT, L"Info \u00FCber...")}),
    };
    return m;
}

} // namespace

void RegisterPaletteResources() {
    const HINSTANCE module = AfxGetInstanceHandle();
    host::mfc::registerDialogTemplate(module, paletteDialog());
    host::mfc::registerMenuTemplate(module, paletteMenu());
}

std::vector<ToolBarButton> PaletteToolBar(unsigned id) {
    // The section and plan marks' types keep the order of their tool bars (1, 2, 4, 5
    // and 3, 4, 1, 2); the texts are the marks' type names.
    switch (id) {
    case IDR_TOOLBAR_MODES:
        return {{1, IDS_MODE_ALL_OBJECTS},
                {2, IDS_MODE_CHAINS},
                {3, IDS_MODE_SECTION_MARKS},
                {4, IDS_MODE_PLAN_MARKS},
                {5, IDS_MODE_TEXTS}};
    case IDR_TOOLBAR_CHAIN_TYPES:
        return {{1, IDS_TICK_OBLIQUE},
                {2, IDS_TICK_DOT},
                {3, IDS_TICK_CIRCLE},
                {4, IDS_TICK_ARROW},
                {5, IDS_TICK_CROSS}};
    case IDR_TOOLBAR_SECTION_TYPES:
        return {{1, IDS_HK_TYPE_FINISHED_TIP_DOWN},
                {2, IDS_HK_TYPE_SHELL_TIP_DOWN},
                {4, IDS_HK_TYPE_FINISHED_TIP_UP},
                {5, IDS_HK_TYPE_SHELL_TIP_UP}};
    case IDR_TOOLBAR_PLAN_TYPES:
        return {{3, IDS_HK_TYPE_FINISHED_TIP_DOWN},
                {4, IDS_HK_TYPE_SHELL_TIP_DOWN},
                {1, IDS_HK_TYPE_PLAN_2},
                {2, IDS_HK_TYPE_PLAN_1}};
    default:
        return {};
    }
}
