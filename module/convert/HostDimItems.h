#pragma once
// What the context menu does to one of the host's own dimensions that carries the
// module's format mark: extension lines shown or suppressed, the leader drawn or not,
// the ticks of the format's tick size, and the text's vertical place and fit. The
// dimension keeps every change as its own override, so its style stays shared.
#include "module/chain/TRdimParams.h"

class AcDbDimension;

// The arrowhead for one of the module's tick codes (1 oblique, 2 dot, 3 circle,
// 4 arrow, 5 cross, 0 none) at the tick size `size` in drawing units: the host's
// block name ("" is its default arrow), its arrow size and its tick size (dimtsz,
// which makes the host draw ticks instead of arrows when it is not 0).
struct HostDimTick {
    const wchar_t* block = L"";
    double arrowSize = 0.0;
    double tickSize = 0.0;
};
HostDimTick HostDimTickOf(int tickCode, double size);

// The tick code of a tick item of the menu (32856 dot ... 32861 none); -1 for any
// other id.
int HostDimTickCodeOfItem(int commandId);

// Applies a switch item (32852-32861, 32871-32879) to the dimension, open for write;
// `params` is its format mark's parameter set (the tick size comes from there).
// False, with nothing changed, for an id that is no switch.
bool ApplyHostDimSwitch(AcDbDimension* dim, int commandId, ParamArraysView params);
