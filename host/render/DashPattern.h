#pragma once
// A linetype's dash pattern as cairo strokes it: alternating "on" and "off"
// lengths in device units that start with "on", and the offset into them at which
// a line starts (a pattern may start with a gap, which cairo cannot say).
#include <vector>

namespace host::render {

struct DeviceDashes {
    std::vector<double> lengths; // on, off, on, off ...; empty: a continuous line
    double offset = 0.0;
};

// `pattern` in drawing units (positive dashes, negative gaps, 0 dots), `scale`
// device units per drawing unit (with the linetype scales in it), `dotLength` the
// device length a dot is drawn with. A pattern whose repeat is shorter than
// kMinRepeatPx, or that is not finite, draws continuous: finer dashes would only
// grey the line.
DeviceDashes deviceDashes(const std::vector<double>& pattern, double scale, double dotLength);

constexpr double kMinRepeatPx = 2.0;

} // namespace host::render
