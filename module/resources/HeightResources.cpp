#include "module/resources/HeightResources.h"

#include "host/mfc/AfxModuleState.h"
#include "host/mfc/AfxResources.h"
#include "module/resources/ResourceControls.h"
#include "host/win/WinMessageBox.h"

#include <utility>

namespace {

using host::mfc::ControlKind;
using host::mfc::ControlTemplate;


void addRow(std::vector<ControlTemplate>& controls, int base, const wchar_t* label) {
    controls.push_back(control(base + IDC_HK_OFS_ON, ControlKind::Button, label, BS_AUTOCHECKBOX));
    controls.push_back(control(IDC_STATIC, ControlKind::Static, L"Vortext"));
    controls.push_back(control(base + IDC_HK_OFS_PREFIX, ControlKind::Edit, L""));
    controls.push_back(control(IDC_STATIC, ControlKind::Static, L"Wert"));
    controls.push_back(control(base + IDC_HK_OFS_VALUE, ControlKind::Edit, L""));
    controls.push_back(control(IDC_STATIC, ControlKind::Static, L"Nachtext"));
    controls.push_back(control(base + IDC_HK_OFS_SUFFIX, ControlKind::Edit, L""));
    controls.push_back(control(base + IDC_HK_OFS_AUTO, ControlKind::Button,
                               L"automatisches \u00DCbernehmen von Schnitt-HK-Werten", BS_AUTOCHECKBOX));
    controls.push_back(control(base + IDC_HK_OFS_PICK, ControlKind::Button, L"<", BS_PUSHBUTTON));
    controls.push_back(control(base + IDC_HK_OFS_SOURCE, ControlKind::Static, L""));
}

host::mfc::DialogTemplate baseDialog() {
    host::mfc::DialogTemplate d;
    d.id = IDD_DLG_HDBASE;
    d.caption = L"H\u00F6henkoten";
    d.rect = RECT{0, 0, 320, 180};
    d.controls.push_back(control(IDC_HK_HEADING, ControlKind::Static, L""));
    addRow(d.controls, IDC_HK_ROW1, L"1: ");
    addRow(d.controls, IDC_HK_ROW2, L"2:");
    d.controls.push_back(control(IDC_HK_FIXED, ControlKind::Button, L"Bezugsebene fixiert", BS_AUTOCHECKBOX));
    d.controls.push_back(control(IDC_HK_EXPLANATION, ControlKind::Static, L""));
    d.controls.push_back(control(IDOK, ControlKind::Button, L"OK", BS_DEFPUSHBUTTON));
    d.controls.push_back(control(IDCANCEL, ControlKind::Button, L"Abbrechen", BS_PUSHBUTTON));
    return d;
}

host::mfc::DialogTemplate checkerDialog() {
    host::mfc::DialogTemplate d;
    d.id = IDD_DLG_HK_CHECKER;
    d.caption = L"HK Checker";
    d.rect = RECT{0, 0, 240, 120};
    d.controls = {
        control(IDC_HKC_ERASE_LONE, ControlKind::Button, L"Alleinstehende Bezugspunkte l\u00F6schen", BS_AUTOCHECKBOX),
        control(IDC_HKC_SAME_SCALE, ControlKind::Button, L"Identischer Ma\u00DFstab und Layer\n(Nach dem Bezugspunkt)",
                BS_AUTOCHECKBOX),
        control(IDC_STATIC, ControlKind::Static,
                L"Bezugsebene-Layer \"0\" durch folgenden Layer ersetzen:"),
        control(IDC_HKC_LAYER, ControlKind::ComboBox, L"", CBS_DROPDOWNLIST),
        control(IDOK, ControlKind::Button, L"OK", BS_DEFPUSHBUTTON),
        control(IDCANCEL, ControlKind::Button, L"Abbrechen", BS_PUSHBUTTON),
    };
    return d;
}

host::mfc::DialogTemplate textPositionDialog() {
    host::mfc::DialogTemplate d;
    d.id = IDD_DLG_HK_TEXT_POSITION;
    d.caption = L"Textposition";
    d.rect = RECT{0, 0, 150, 140};
    const wchar_t* const captions[] = {L"\u2196", L"\u2191", L"\u2197", L"\u2190",
                                       L"\u2192", L"\u2199", L"\u2193", L"\u2198"};
    int i = 0;
    for (int id : kHeightPositionButtons)
        d.controls.push_back(control(id, ControlKind::Button, captions[i++], BS_PUSHBUTTON));
    d.controls.push_back(control(IDC_HKT_BACK, ControlKind::Button, L"<<", BS_PUSHBUTTON));
    d.controls.push_back(control(IDC_HKT_FORWARD, ControlKind::Button, L">>", BS_PUSHBUTTON));
    d.controls.push_back(control(IDC_HKT_PICK, ControlKind::Button, L"<", BS_PUSHBUTTON));
    d.controls.push_back(control(IDC_HKT_COUNT, ControlKind::Static, L""));
    d.controls.push_back(control(IDC_STATIC, ControlKind::Static, L"Schritt"));
    d.controls.push_back(control(IDC_HKT_STEP, ControlKind::Edit, L""));
    d.controls.push_back(control(IDC_HKT_STEP_PICK, ControlKind::Button, L"<", BS_PUSHBUTTON));
    d.controls.push_back(control(IDC_HKT_OK, ControlKind::Button, L"OK", BS_DEFPUSHBUTTON));
    return d;
}

} // namespace

void RegisterHeightResources() {
    const HINSTANCE module = AfxGetInstanceHandle();
    host::mfc::registerDialogTemplate(module, baseDialog());
    host::mfc::registerDialogTemplate(module, checkerDialog());
    host::mfc::registerDialogTemplate(module, textPositionDialog());
}
