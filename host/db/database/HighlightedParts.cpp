#include "host/db/database/HighlightedParts.h"

#include <algorithm>
#include <unordered_map>

namespace {

// Few parts are highlighted at any time: those of one pick loop.
std::unordered_map<const AcDbObject*, std::vector<Adesk::GsMarker>>& Parts() {
    static std::unordered_map<const AcDbObject*, std::vector<Adesk::GsMarker>> parts;
    return parts;
}

} // namespace

std::vector<Adesk::GsMarker> host::highlightedMarkers(const AcDbObject* object) {
    const auto it = Parts().find(object);
    return it == Parts().end() ? std::vector<Adesk::GsMarker>() : it->second;
}

void host::setPartHighlighted(const AcDbObject* object, Adesk::GsMarker marker, bool on) {
    if (!object || marker <= 0) return;
    if (on) {
        std::vector<Adesk::GsMarker>& markers = Parts()[object];
        if (std::find(markers.begin(), markers.end(), marker) == markers.end()) markers.push_back(marker);
        return;
    }
    const auto it = Parts().find(object);
    if (it == Parts().end()) return;
    it->second.erase(std::remove(it->second.begin(), it->second.end(), marker), it->second.end());
    if (it->second.empty()) Parts().erase(it);
}

void host::clearHighlightedParts(const AcDbObject* object) {
    if (!Parts().empty()) Parts().erase(object);
}
