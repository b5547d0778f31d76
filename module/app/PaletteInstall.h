#pragma once
// The palette belongs to the module's windows (module/ui), above the module's entry;
// ui implements these two, which the entry calls when the module starts and ends.

// Lets the drawing's services, chains, height marks, the commands and the options reach
// the palette (services/PalettePort.h, options/PaletteState.h).
void InstallPalette();
void RemovePalette();
