#include "module/ui/PaletteState.h"

#include "module/app/PaletteApp.h"
#include "module/ui/CDlgMain.h"

int PaletteCurrentMode() {
    return dlgMyApp ? dlgMyApp->m_iCurrentMode : 0;
}

int PaletteCurrentType() {
    return dlgMyApp ? dlgMyApp->m_iCurrentType : 0;
}
