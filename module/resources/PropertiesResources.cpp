#include "module/resources/PropertiesResources.h"

#include "host/mfc/AfxModuleState.h"
#include "host/mfc/AfxResources.h"
#include "host/win/WinMessageBox.h"
#include "module/resources/ResourceControls.h"

namespace {

using host::mfc::ControlKind;

host::mfc::DialogTemplate propertiesDialog() {
    host::mfc::DialogTemplate d;
    d.id = IDD_DLG_PROPERTIES;
    d.caption = L"Eigenschaften";
    d.style |= WS_THICKFRAME;
    d.rect = RECT{0, 0, 260, 420};
    d.controls = {
        control(IDC_PROP_SELECT, ControlKind::Button, L"", BS_PUSHBUTTON),
        // "A": the compact view, a button that stays pressed.
        control(IDC_PROP_COMPACT, ControlKind::Button, L"A", BS_AUTOCHECKBOX | BS_PUSHLIKE),
        control(IDC_PROP_KIND, ControlKind::ComboBox, L"", CBS_DROPDOWNLIST),
        control(IDC_PROP_SPLIT, ControlKind::Edit, L"", ES_NUMBER),
        control(IDOK, ControlKind::Button, L"OK", BS_DEFPUSHBUTTON),
        control(IDCANCEL, ControlKind::Button, L"Abbrechen", BS_PUSHBUTTON),
    };
    return d;
}

} // namespace

void RegisterPropertiesResources() {
    host::mfc::registerDialogTemplate(AfxGetInstanceHandle(), propertiesDialog());
}
