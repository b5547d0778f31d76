#pragma once
// Where a window stood, kept in the main INI file under the window's own key as
// "left,top,width,height,maximised", so the palette and the dialogs come back where the
// user left them.
class CWnd;

// Stores the window's rectangle; a minimised window stores nothing.
void SaveWindowPlacement(const CWnd& window, const wchar_t* key);
// Moves the window to the stored rectangle; false (the window stays as it is) when
// nothing is stored or the value is no rectangle a window can have.
bool RestoreWindowPlacement(CWnd& window, const wchar_t* key);
