#pragma once
// Start and end of the palette, and hiding it while a command asks for input in the
// drawing.
class CDlgMain;

// The palette; null while there is none.
extern CDlgMain* dlgMyApp;

// Creates or refreshes the palette; false when it cannot be created.
bool StartApp(bool bShow);
// Hides the palette, or destroys it (bDestroy) and stores its state (bSaveState).
void EndApp(bool bDestroy, bool bSaveState);
void HideDlgMain();
void ShowDlgMain();
// General Info "ShowAppWindow" = "1" when the palette exists, else "0".
void SaveShowAppWindowState();

// Lets chains, height marks and the options reach the palette (chain/PalettePort.h,
// options/PaletteState.h): done when the module starts, undone when it ends.
void InstallPalette();
void RemovePalette();
