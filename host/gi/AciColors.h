#pragma once
// The host's 256-colour index table: 1 red, 2 yellow, 3 green, 4 cyan, 5 blue,
// 6 magenta, 7 the foreground (black on white paper, white on a dark screen),
// 8 and 9 greys, 10..249 the hue wheel in steps of 15 degrees (each step: five
// brightnesses, full and half saturation), 250..255 greys from dark to white.
#include <cstdint>

namespace host::gi {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

// ByBlock (0), ByLayer (256) and anything outside 1..255 draw in the foreground
// colour: the caller resolves ByLayer and ByBlock first.
Rgb aciToRgb(int index, bool paperIsWhite);

// The index colour (1..255, never 7) nearest to an RGB value; for files that carry
// only index colours.
int rgbToAci(const Rgb& rgb);

} // namespace host::gi
