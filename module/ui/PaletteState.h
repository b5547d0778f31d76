#pragma once
// What the options need to know about the palette when they are reloaded: its working
// mode and current type. Both are 0 while there is no palette.
int PaletteCurrentMode();
int PaletteCurrentType();
