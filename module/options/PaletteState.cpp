#include "module/options/PaletteState.h"

namespace {

PaletteState (*&stateSource())() {
    static PaletteState (*source)() = nullptr;
    return source;
}

} // namespace

PaletteState CurrentPaletteState() {
    return stateSource() ? stateSource()() : PaletteState{};
}

void SetPaletteStateSource(PaletteState (*source)()) {
    stateSource() = source;
}
