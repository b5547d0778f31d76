#include "module/ui/PaletteState.h"

// No palette yet: the options fall back to the chain mode.
int PaletteCurrentMode()
{
    return 0;
}

int PaletteCurrentType()
{
    return 0;
}
