#include "module/resources/ReplaceResources.h"

#include "host/mfc/AfxModuleState.h"
#include "host/mfc/AfxResources.h"
#include "module/resources/ResourceControls.h"
#include "host/win/WinMessageBox.h"

namespace {

using host::mfc::ControlKind;

constexpr DWORD kFirstRadio = BS_AUTORADIOBUTTON | WS_GROUP;

host::mfc::DialogTemplate replaceDialog() {
    host::mfc::DialogTemplate d;
    d.id = IDD_DLG_REPLACE;
    d.caption = L"Zusatzma\u00DFtexte ersetzen";
    d.rect = RECT{0, 0, 260, 130};
    d.controls = {
        control(IDC_RPL_WHOLE_DRAWING, ControlKind::Button, L"Ganze Zeichnung", kFirstRadio),
        control(IDC_RPL_SELECTION, ControlKind::Button, L"Auswahl", BS_AUTORADIOBUTTON),
        control(IDC_STATIC, ControlKind::Static, L"Suchen nach", WS_GROUP),
        control(IDC_RPL_SEARCH, ControlKind::ComboBox, L"", CBS_DROPDOWN | CBS_AUTOHSCROLL),
        control(IDC_RPL_CASE, ControlKind::Button, L"Gro\u00DF-/Kleinschreibung  ", BS_AUTOCHECKBOX),
        control(IDC_STATIC, ControlKind::Static, L"Ersetzen durch"),
        control(IDC_RPL_REPLACEMENT, ControlKind::ComboBox, L"", CBS_DROPDOWN | CBS_AUTOHSCROLL),
        control(IDOK, ControlKind::Button, L"Ersetzen", BS_DEFPUSHBUTTON),
        control(IDCANCEL, ControlKind::Button, L"Schlie\u00DFen", BS_PUSHBUTTON),
    };
    return d;
}

host::mfc::DialogTemplate externalDialog() {
    host::mfc::DialogTemplate d;
    d.id = IDD_DLG_REPLACE_EXTERNAL;
    d.caption = L"Suchen und Ersetzen";
    d.rect = RECT{0, 0, 300, 220};
    d.controls = {
        control(IDC_RPX_FILES, ControlKind::Button, L"Dateien (Wildcard-Maske)", kFirstRadio),
        control(IDC_RPX_FOLDER, ControlKind::Button, L"Aus dem Ordner", BS_AUTORADIOBUTTON),
        control(IDC_RPX_OPEN, ControlKind::Button, L"Opened in acad editor", BS_AUTORADIOBUTTON),
        control(IDC_RPX_SUBFOLDERS, ControlKind::Button, L"Unterordner durchsuchen", BS_AUTOCHECKBOX | WS_GROUP),
        control(IDC_RPX_FILE_LABEL, ControlKind::Static, L"Dateien"),
        control(IDC_RPX_FILE, ControlKind::Edit, L""),
        control(IDC_RPX_BROWSE, ControlKind::Button, L"\u2022\u2022\u2022", BS_PUSHBUTTON),
        control(IDC_STATIC, ControlKind::Static, L"Typ"),
        control(IDC_RPX_TYPE, ControlKind::ComboBox, L"", CBS_DROPDOWNLIST,
                {L"HK: Vortext/Nachtext", L"LM: Vortext/Nachtext/Zusatz-Ma\u00DFtext", L"Alles"}),
        control(IDC_STATIC, ControlKind::Static, L"Suchen nach"),
        control(IDC_RPX_SEARCH, ControlKind::Edit, L""),
        control(IDC_RPX_WHOLE, ControlKind::Button, L"Nur ganze W\u00F6rter suchen", BS_AUTOCHECKBOX),
        control(IDC_RPX_CASE, ControlKind::Button, L"Gro\u00DF-/Kleinschreibung", BS_AUTOCHECKBOX),
        control(IDC_STATIC, ControlKind::Static, L"Ersetzen durch"),
        control(IDC_RPX_REPLACEMENT, ControlKind::Edit, L""),
        control(IDOK, ControlKind::Button, L"Ersetzen", BS_DEFPUSHBUTTON),
        control(IDCANCEL, ControlKind::Button, L"Schlie\u00DFen", BS_PUSHBUTTON),
    };
    return d;
}

host::mfc::DialogTemplate pathDialog() {
    host::mfc::DialogTemplate d;
    d.id = IDD_DLG_REPLACE_PATH;
    d.caption = L"HK: DWG Pfad & Dateiname ersetzen";
    d.rect = RECT{0, 0, 300, 120};
    d.controls = {
        control(IDC_RPP_INFO, ControlKind::Static, L"...automatisches \u00DCbernehmen von Schnitt-HK-Werten"),
        control(IDC_STATIC, ControlKind::Static, L"Suchen nach"),
        control(IDC_RPP_SEARCH, ControlKind::ComboBox, L"", CBS_DROPDOWN | CBS_AUTOHSCROLL),
        control(IDC_STATIC, ControlKind::Static, L"Ersetzen durch"),
        control(IDC_RPP_REPLACEMENT, ControlKind::ComboBox, L"", CBS_DROPDOWN | CBS_AUTOHSCROLL),
        control(IDC_RPP_BROWSE, ControlKind::Button, L"\u2022\u2022\u2022", BS_PUSHBUTTON),
        control(IDOK, ControlKind::Button, L"Ersetzen", BS_DEFPUSHBUTTON),
        control(IDCANCEL, ControlKind::Button, L"Schlie\u00DFen", BS_PUSHBUTTON),
    };
    return d;
}

} // namespace

void RegisterReplaceResources() {
    const HINSTANCE module = AfxGetInstanceHandle();
    host::mfc::registerDialogTemplate(module, replaceDialog());
    host::mfc::registerDialogTemplate(module, externalDialog());
    host::mfc::registerDialogTemplate(module, pathDialog());
}
