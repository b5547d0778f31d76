#pragma once
// The colours of the host's windows, as the options dialog of the host sets them. Colours
// are Windows COLORREF values (0x00BBGGRR). The stand-in starts with a white model and
// layout background, the paper colour of the pictures `lintaro render` makes.
#include "host/win/WinTypes.h"

struct AcColorSettings {
    DWORD dwGfxModelBkColor = 0x00FFFFFF;
    DWORD dwGfxLayoutBkColor = 0x00FFFFFF;
    DWORD dwModelCrossHairColor = 0x00000000;
    DWORD dwLayoutCrossHairColor = 0x00000000;
};

// Copies the current colours; false for a null pointer.
bool acedGetCurrentColors(AcColorSettings* pColorSettings);
// Replaces them; false for a null pointer.
bool acedSetCurrentColors(AcColorSettings* pColorSettings);
