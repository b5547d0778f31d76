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
