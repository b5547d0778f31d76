#include "host/gi/AciColors.h"

#include <cmath>
#include <cstdint>

namespace host::gi {

namespace {

// The wheel at `index` (10..249): hue by tens, brightness and saturation by units.
Rgb wheel(int index) {
    static constexpr double kLevels[5] = {255, 165, 127, 76, 38};
    int group = index / 10 - 1;
    int unit = index % 10;
    double v = kLevels[unit / 2];
    double low = (unit % 2) ? v / 2 : 0.0; // odd units are the pale half-saturated ones
    double hue = group * 15.0;
    int sector = int(hue / 60.0);
    double f = (hue - sector * 60.0) / 60.0;
    auto mix = [&](double t) { return low + (v - low) * t; };
    double r, g, b;
    switch (sector) {
    case 0:
        r = v, g = mix(f), b = low;
        break;
    case 1:
        r = mix(1 - f), g = v, b = low;
        break;
    case 2:
        r = low, g = v, b = mix(f);
        break;
    case 3:
        r = low, g = mix(1 - f), b = v;
        break;
    case 4:
        r = mix(f), g = low, b = v;
        break;
    default:
        r = v, g = low, b = mix(1 - f);
        break;
    }
    return {uint8_t(r), uint8_t(g), uint8_t(b)};
}

} // namespace

Rgb aciToRgb(int index, bool paperIsWhite) {
    static constexpr Rgb kBasic[10] = {{0, 0, 0},       {255, 0, 0},    {255, 255, 0}, {0, 255, 0},
                                       {0, 255, 255},   {0, 0, 255},    {255, 0, 255}, {0, 0, 0},
                                       {128, 128, 128}, {192, 192, 192}};
    static constexpr uint8_t kGreys[6] = {51, 91, 132, 173, 214, 255};
    if (index < 1 || index > 255 || index == 7) return paperIsWhite ? Rgb{0, 0, 0} : Rgb{255, 255, 255};
    if (index < 10) return kBasic[index];
    if (index >= 250) {
        uint8_t grey = kGreys[index - 250];
        return {grey, grey, grey};
    }
    return wheel(index);
}

int rgbToAci(const Rgb& rgb) {
    int best = 1;
    long bestDistance = -1;
    for (int i = 1; i <= 255; ++i) {
        if (i == 7) continue;
        Rgb c = aciToRgb(i, true);
        long dr = long(c.r) - rgb.r, dg = long(c.g) - rgb.g, db = long(c.b) - rgb.b;
        long d = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

} // namespace host::gi
