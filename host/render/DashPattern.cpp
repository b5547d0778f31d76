#include "host/render/DashPattern.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace host::render {

DeviceDashes deviceDashes(const std::vector<double>& pattern, double scale, double dotLength) {
    DeviceDashes out;
    if (pattern.empty() || !std::isfinite(scale) || scale <= 0.0) return out;
    // Runs of the same state merge: "dash, dot" is one longer dash.
    std::vector<std::pair<bool, double>> runs;
    double repeat = 0.0;
    for (double d : pattern) {
        if (!std::isfinite(d)) return out;
        const bool on = d >= 0.0;
        const double len = on ? std::max(std::fabs(d) * scale, dotLength) : std::fabs(d) * scale;
        repeat += len;
        if (!runs.empty() && runs.back().first == on) runs.back().second += len;
        else runs.emplace_back(on, len);
    }
    bool anyOff = false;
    for (const auto& r : runs) anyOff |= !r.first && r.second > 0.0;
    if (!anyOff || repeat < kMinRepeatPx) return out;
    // Start with "on": a leading gap moves to the end and the line starts that far in.
    if (!runs.front().first) {
        out.offset = repeat - runs.front().second;
        runs.push_back(runs.front());
        runs.erase(runs.begin());
        if (runs.size() > 1 && !runs[runs.size() - 2].first) {
            runs[runs.size() - 2].second += runs.back().second;
            runs.pop_back();
        }
    }
    // An odd count ends with "on" as well: it joins the first dash, started early.
    if (runs.size() % 2 == 1 && runs.size() > 1) {
        const double tail = runs.back().second;
        runs.pop_back();
        runs.front().second += tail;
        out.offset = std::fmod(out.offset + tail, repeat);
    }
    for (const auto& r : runs) out.lengths.push_back(r.second);
    return out;
}

} // namespace host::render
