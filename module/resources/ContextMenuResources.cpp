#include "module/resources/ContextMenuResources.h"

#include "host/mfc/AfxModuleState.h"
#include "host/mfc/AfxResources.h"
#include "module/resources/ResourceControls.h"
#include "host/win/WinMessageBox.h"

#include <utility>

namespace {

using host::mfc::ControlKind;
using host::mfc::ControlTemplate;
using host::mfc::MenuTemplateItem;
using Items = std::vector<MenuTemplateItem>;

MenuTemplateItem item(UINT id, const wchar_t* text) { return MenuTemplateItem{id, text, 0, {}}; }
MenuTemplateItem popup(const wchar_t* text, Items items) {
    return MenuTemplateItem{0, text, MF_POPUP, std::move(items)};
}
MenuTemplateItem separator() { return MenuTemplateItem{0, L"", MF_SEPARATOR, {}}; }

// A context menu is one sub-menu, as TrackPopupMenu shows it.
host::mfc::MenuTemplate contextMenu(UINT id, Items items) {
    host::mfc::MenuTemplate m;
    m.id = id;
    m.items = {popup(L"Kontext", std::move(items))};
    return m;
}

MenuTemplateItem manualValues() {
    return popup(L"Manuelle Ma\u00DF\u00E4nderungen",
                 {item(ID_CTX_VALUE_CHANGE, L"Ma\u00DFzahl \u00E4ndern"),
                  item(ID_CTX_VALUE_BACK, L"Ma\u00DFzahl\u00E4nderung zur\u00FCck"),
                  item(ID_CTX_VALUES_ALL_BACK, L"Alle Ma\u00DFzahl\u00E4nderungen zur\u00FCck")});
}
MenuTemplateItem appendedText() {
    return popup(L"Zusatz-Ma\u00DFtext", {item(ID_CTX_APPEND_TEXT, L"eingeben"),
                                           item(ID_CTX_APPEND_TEXT_REMOVE, L"entfernen")});
}
MenuTemplateItem leader() {
    return popup(L"F\u00FChrungslinie",
                 {item(ID_CTX_LEADER_ON, L"zeichnen"), item(ID_CTX_LEADER_OFF, L"l\u00F6schen")});
}
MenuTemplateItem ticks() {
    return popup(L"Symbol austauschen",
                 {item(ID_CTX_TICK_OBLIQUE, L"Schr\u00E4g"), item(ID_CTX_TICK_DOT, L"Punkt"),
                  item(ID_CTX_TICK_CIRCLE, L"Kreis"), item(ID_CTX_TICK_ARROW, L"Pfeil"),
                  item(ID_CTX_TICK_CROSS, L"Kreuz"), item(ID_CTX_TICK_NONE, L"KEIN")});
}

host::mfc::MenuTemplate chainMenu() {
    return contextMenu(
        IDR_MENU_CHAIN,
        {item(ID_CTX_POINTS_ADD, L"Ma\u00DFpunkt(e) hinzuf\u00FCgen"),
         item(ID_CTX_POINTS_REMOVE, L"Ma\u00DFpunkt(e) entfernen"), separator(),
         item(ID_CTX_TEXT_POSITION, L"Ma\u00DFzahlen positionieren..."),
         item(ID_CTX_TEXT_CENTRE, L"Ma\u00DFzahlen zentrieren"),
         item(ID_CTX_AUTO_TEXT, L"Automatische Ma\u00DFtextposition"),
         popup(L"Vor- und Nachtext",
               {item(ID_CTX_PREFIX_SUFFIX, L"eingeben"), item(ID_CTX_PREFIX_SUFFIX_REMOVE, L"entfernen")}),
         popup(L"Ma\u00DFketten-Beschriftung",
               {item(ID_CTX_LABEL, L"eingeben"), item(ID_CTX_LABEL_REMOVE, L"entfernen")}),
         item(ID_CTX_SUM, L"Summe der Ma\u00DFe darstellen"), separator(), manualValues(), appendedText(),
         popup(L"Hilfslinien", {item(ID_CTX_EXT_SHOW, L"einblenden"), item(ID_CTX_EXT_HIDE, L"ausblenden"),
                                item(ID_CTX_EXT_DIRECTION, L"Richtung...")}),
         leader(), ticks(), item(ID_CTX_BACKGROUND, L"Ma\u00DFtext-Hintergrund"),
         item(ID_CTX_ALT_UNITS, L"Alternativeinheiten"), separator(),
         item(ID_CTX_MATCH, L"Eigenschaften holen..."), item(ID_CTX_FORMAT_DEFAULT, L"Akt.Format -> Vorgabe"),
         separator(), item(ID_CTX_JOIN, L"Ma\u00DFketten verbinden..."),
         item(ID_CTX_SEGMENT_REMOVE, L"Abschnitt entfernen"), item(ID_CTX_SEGMENT_SHOW, L"Abschnitt zeigen"),
         separator(), item(ID_CTX_PROPERTIES, L"Eigenschaften...")});
}

host::mfc::MenuTemplate arcChainMenu() {
    return contextMenu(
        IDR_MENU_CHAIN_ARC,
        {item(ID_CTX_POINTS_ADD, L"Ma\u00DFpunkt(e) hinzuf\u00FCgen"),
         item(ID_CTX_POINTS_REMOVE, L"Ma\u00DFpunkt(e) entfernen"),
         item(ID_CTX_TEXT_CENTRE, L"Ma\u00DFzahlen zentrieren"),
         item(ID_CTX_LINK_ARC, L"Bogen zu verkn\u00FCpfen w\u00E4hlen"), separator(), manualValues(),
         appendedText(),
         popup(L"Hilfslinie", {item(ID_CTX_EXT_SHOW, L"einblenden"), item(ID_CTX_EXT_HIDE, L"ausblenden")}),
         leader(), ticks(), item(ID_CTX_BACKGROUND, L"Ma\u00DFtext-Hintergrund"), separator(),
         item(ID_CTX_MATCH, L"Eigenschaften holen..."), item(ID_CTX_FORMAT_DEFAULT, L"Akt.Format -> Vorgabe"),
         separator(), item(ID_CTX_PROPERTIES, L"Eigenschaften...")});
}

MenuTemplateItem addMarks() {
    return popup(L"HK hinzuf\u00FCgen", {item(32836, L"nach gew\u00E4hltem HK-Symbol"),
                                          item(32835, L"nach aktuellen Einstellungen")});
}

host::mfc::MenuTemplate sectionMarkMenu() {
    return contextMenu(
        IDR_MENU_HEIGHT_SECTION,
        {addMarks(), item(32844, L"HK von anderen Gruppen hinzuf\u00FCgen"),
         item(32822, L"HK vertikal ausrichten "), item(32824, L"HK nach einer Linie ausrichten "),
         item(32823, L"Ma\u00DFzahlen positionieren..."), item(32819, L"HK \u00E4ndern..."),
         item(32845, L"Basiswerte der HK-Gruppe \u00E4ndern..."),
         item(ID_CTX_BACKGROUND, L"Ma\u00DFtext-Hintergrund"), item(ID_CTX_MATCH, L"Eigenschaften holen..."),
         item(ID_CTX_FORMAT_DEFAULT, L"Akt.Format -> Vorgabe"), item(32820, L"Alle HK ausw\u00E4hlen"),
         item(32821, L"Bezugsebene der HK-Gruppe ausw\u00E4hlen"), item(ID_CTX_PROPERTIES, L"Eigenschaften...")});
}

host::mfc::MenuTemplate planMarkMenu() {
    return contextMenu(IDR_MENU_HEIGHT_PLAN,
                       {addMarks(), item(32823, L"Ma\u00DFzahlen positionieren..."),
                        item(32819, L"HK \u00E4ndern..."), item(ID_CTX_BACKGROUND, L"Ma\u00DFtext-Hintergrund"),
                        item(ID_CTX_MATCH, L"Eigenschaften holen..."),
                        item(ID_CTX_FORMAT_DEFAULT, L"Akt.Format -> Vorgabe"),
                        item(ID_CTX_PROPERTIES, L"Eigenschaften...")});
}

host::mfc::MenuTemplate groupBaseMenu() {
    return contextMenu(IDR_MENU_HEIGHT_BASE,
                       {item(32818, L"HK hinzuf\u00FCgen"), item(32844, L"HK von anderen Gruppen hinzuf\u00FCgen"),
                        item(32831, L"Basiswerte der Gruppe \u00E4ndern..."),
                        item(ID_CTX_BASE_FIXED, L"Bezugsebene fixiert"),
                        item(ID_CTX_FORMAT_DEFAULT, L"Akt.Format -> Vorgabe"),
                        item(32820, L"Alle HK ausw\u00E4hlen"), item(ID_CTX_PROPERTIES, L"Eigenschaften...")});
}

// Host dimensions and texts that carry the module's mark.
host::mfc::MenuTemplate hostDimMenu(UINT id, bool linear) {
    Items items = {item(ID_CTX_VALUE_CHANGE, L"Ma\u00DFzahl \u00E4ndern")};
    if (linear) {
        items.push_back(
            popup(L"Hilfslinien", {item(ID_CTX_EXT_SHOW, L"einblenden"), item(ID_CTX_EXT_HIDE, L"ausblenden")}));
        items.push_back(leader());
        items.push_back(ticks());
        items.push_back(popup(L"Ma\u00DFtext",
                              {item(ID_CTX_HOST_TEXT_PLACE, L"in der Ma\u00DFlinie"),
                               item(ID_CTX_HOST_TEXT_PLACE + 1, L"\u00FCber der Ma\u00DFlinie"),
                               item(ID_CTX_HOST_TEXT_PLACE + 2, L"au\u00DFen"),
                               item(ID_CTX_HOST_TEXT_PLACE + 3, L"nach JIS"),
                               item(ID_CTX_HOST_TEXT_PLACE + 4, L"unter der Ma\u00DFlinie")}));
        items.push_back(popup(L"Einpassen",
                              {item(ID_CTX_HOST_TEXT_FIT, L"Text und Pfeile au\u00DFen"),
                               item(ID_CTX_HOST_TEXT_FIT + 1, L"zuerst die Pfeile"),
                               item(ID_CTX_HOST_TEXT_FIT + 2, L"zuerst den Text"),
                               item(ID_CTX_HOST_TEXT_FIT + 3, L"was am besten passt")}));
    }
    items.push_back(separator());
    items.push_back(item(ID_CTX_FORMAT_DEFAULT, L"Akt.Format -> Vorgabe"));
    items.push_back(item(ID_CTX_PROPERTIES, L"Eigenschaften..."));
    return contextMenu(id, std::move(items));
}

host::mfc::MenuTemplate hostTextMenu() {
    return contextMenu(IDR_MENU_HOST_TEXT, {item(ID_CTX_FORMAT_DEFAULT, L"Akt.Format -> Vorgabe"),
                                            item(ID_CTX_PROPERTIES, L"Eigenschaften...")});
}


// One dialog for the texts the chain operations ask for; each operation sets the
// caption and labels and hides what it does not use.
host::mfc::DialogTemplate chainTextDialog() {
    host::mfc::DialogTemplate d;
    d.id = IDD_DLG_CHAIN_TEXT;
    d.caption = L"Ma\u00DFzahl \u00E4ndern";
    d.rect = RECT{0, 0, 240, 120};
    d.controls = {
        control(IDC_CHAIN_TEXT_INFO, ControlKind::Static, L""),
        control(IDC_CHAIN_TEXT_LABEL, ControlKind::Static, L""),
        control(IDC_CHAIN_TEXT_EDIT, ControlKind::Edit, L"", ES_AUTOHSCROLL),
        control(IDC_CHAIN_TEXT_LABEL2, ControlKind::Static, L""),
        control(IDC_CHAIN_TEXT_EDIT2, ControlKind::Edit, L"", ES_AUTOHSCROLL),
        control(IDC_CHAIN_TEXT_LEFT, ControlKind::Button, L"Links", BS_AUTOCHECKBOX),
        control(IDC_CHAIN_TEXT_RIGHT, ControlKind::Button, L"Rechts", BS_AUTOCHECKBOX),
        control(IDOK, ControlKind::Button, L"OK", BS_DEFPUSHBUTTON),
        control(IDCANCEL, ControlKind::Button, L"Abbrechen", BS_PUSHBUTTON),
    };
    return d;
}

host::mfc::DialogTemplate appendTextDialog() {
    host::mfc::DialogTemplate d;
    d.id = IDD_DLG_APPEND_TEXT;
    d.caption = L"Zusatz-Ma\u00DFtext ";
    d.rect = RECT{0, 0, 220, 110};
    d.controls = {
        control(IDC_STATIC, ControlKind::Static, L"Ma\u00DFtext"),
        control(IDC_APPEND_TEXT_EDIT, ControlKind::Edit, L"", ES_AUTOHSCROLL),
        control(IDC_APPEND_TEXT_PICK, ControlKind::Button, L"Text w\u00E4hlen..."),
        control(IDC_APPEND_TEXT_OWN_GRIP, ControlKind::Button, L"nicht formatiert mit eigenem Griff", BS_AUTOCHECKBOX),
        control(IDC_APPEND_TEXT_ERASE, ControlKind::Button, L"ausgew\u00E4hlt text l\u00F6schen", BS_AUTOCHECKBOX),
        control(IDC_APPEND_TEXT_INFO, ControlKind::Static, L""),
        control(IDOK, ControlKind::Button, L"OK", BS_DEFPUSHBUTTON),
        control(IDCANCEL, ControlKind::Button, L"Abbrechen", BS_PUSHBUTTON),
    };
    return d;
}

host::mfc::DialogTemplate movementDialog() {
    host::mfc::DialogTemplate d;
    d.id = IDD_DLG_MOVEMENT;
    d.caption = L"Textposition";
    d.rect = RECT{0, 0, 180, 200};
    d.controls.push_back(control(IDC_MOVE_TAB, ControlKind::Tab, L"Lage"));
    for (int id : kMovePositionButtons) d.controls.push_back(control(id, ControlKind::Button, L""));
    for (int id = IDC_MOVE_ARROW_FIRST; id <= IDC_MOVE_ARROW_LAST; ++id)
        d.controls.push_back(control(id, ControlKind::Button, L""));
    d.controls.push_back(control(IDC_STATIC, ControlKind::Static, L"Wert:"));
    d.controls.push_back(control(IDC_MOVE_VALUE, ControlKind::Edit, L"", ES_READONLY));
    d.controls.push_back(control(IDC_MOVE_STEP, ControlKind::Edit, L"", ES_AUTOHSCROLL));
    d.controls.push_back(control(IDC_MOVE_PICK, ControlKind::Button, L""));
    d.controls.push_back(control(IDC_MOVE_STEP_PICK, ControlKind::Button, L""));
    d.controls.push_back(control(IDC_MOVE_AUTO, ControlKind::Button, L"Automatische Pos."));
    d.controls.push_back(control(IDC_MOVE_OK, ControlKind::Button, L"OK", BS_DEFPUSHBUTTON));
    return d;
}

host::mfc::DialogTemplate autoPosOrderDialog() {
    host::mfc::DialogTemplate d;
    d.id = IDD_DLG_AUTO_POS_ORDER;
    d.caption = L"Autom. Ma\u00DFtextposition";
    d.rect = RECT{0, 0, 160, 150};
    d.controls = {control(IDC_AUTO_POS_MIRROR, ControlKind::Button, L"Spiegelsymmetrisch", BS_AUTOCHECKBOX),
                  control(IDC_AUTO_POS_LEFT, ControlKind::Button, L"Links", BS_AUTOCHECKBOX),
                  control(IDC_AUTO_POS_RIGHT, ControlKind::Button, L"Rechts", BS_AUTOCHECKBOX)};
    // Places 1 to 5 start ranked in their own order.
    const wchar_t* ranks[8] = {L"1", L"2", L"3", L"4", L"5", L"", L"", L""};
    for (int p = 0; p < 8; ++p) d.controls.push_back(control(IDC_AUTO_POS_PLACE_FIRST + p, ControlKind::Button, ranks[p]));
    d.controls.push_back(control(IDC_AUTO_POS_REMOVE, ControlKind::Button, L"Entfernen"));
    d.controls.push_back(control(IDC_AUTO_POS_IGNORE_EXT, ControlKind::Button, L"Hilfslinien ignorieren", BS_AUTOCHECKBOX));
    d.controls.push_back(control(IDOK, ControlKind::Button, L"OK", BS_DEFPUSHBUTTON));
    d.controls.push_back(control(IDCANCEL, ControlKind::Button, L"Abbrechen"));
    return d;
}

} // namespace

void RegisterContextMenuResources() {
    const HINSTANCE module = AfxGetInstanceHandle();
    for (host::mfc::MenuTemplate m : {chainMenu(), arcChainMenu(), sectionMarkMenu(), planMarkMenu(), groupBaseMenu(),
                                      hostDimMenu(IDR_MENU_HOST_DIM, true), hostDimMenu(IDR_MENU_HOST_RADIAL, false),
                                      hostTextMenu()})
        host::mfc::registerMenuTemplate(module, std::move(m));
    host::mfc::registerDialogTemplate(module, chainTextDialog());
    host::mfc::registerDialogTemplate(module, appendTextDialog());
    host::mfc::registerDialogTemplate(module, movementDialog());
    host::mfc::registerDialogTemplate(module, autoPosOrderDialog());
}
