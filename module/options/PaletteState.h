#pragma once
// What the options need to know about the palette when they are reloaded: its working
// mode and current type. The palette sits above the options, so it hands them the
// question while it exists; both are 0 while it does not.
struct PaletteState {
    int mode = 0;
    int type = 0;
};

PaletteState CurrentPaletteState();
// Null: there is no palette.
void SetPaletteStateSource(PaletteState (*source)());
