#pragma once
// The entities a selection looks at: those of the working database's model space,
// in the order they were appended, each with what a filter reads and, drawn on
// first need, its primitives. Entities on layers that are off or frozen cannot be
// seen and so not selected, except by "everything" ("X").
#include "host/db/AcDbObjectId.h"
#include "host/ed/AcEdSelectionSet.h"
#include "host/ed/SelectionFilter.h"
#include "host/ed/SelectionGeometry.h"
#include "host/gi/GiPrimitive.h"

#include <optional>
#include <vector>

namespace host {

class SelectionScene {
public:
    explicit SelectionScene(bool includeHidden = false);

    size_t size() const { return m_entries.size(); }
    AcDbObjectId id(size_t i) const { return m_entries[i].id; }
    const EntityFacts& facts(size_t i) const { return m_entries[i].facts; }
    bool onLockedLayer(size_t i) const { return m_entries[i].locked; }
    const gi::GiRecording& recording(size_t i);

    // Selections of the scene, in append order, each entity once. A filter (may be
    // null) and `skipLocked` drop entities before anything is drawn.
    struct Rules {
        const SelectionFilter* filter = nullptr;
        bool skipLocked = false;
    };
    // The entity under the pick box, or with `everything` all entities under it; each
    // with the marker of its primitive nearest to the point.
    std::vector<SelectedEntity> pick(const AcGePoint3d& world, double halfSize, bool everything,
                                     const Rules& rules);
    std::vector<SelectedEntity> window(const PlanWindow& window, bool crossing, const Rules& rules);
    std::vector<SelectedEntity> fence(const std::vector<AcGePoint3d>& points, const Rules& rules);
    std::vector<SelectedEntity> all(const Rules& rules);
    // The last entity appended, when it passes the rules.
    std::vector<SelectedEntity> last(const Rules& rules);

    // How many entities the rules dropped in the selection made last.
    int filteredOut() const { return m_filteredOut; }

private:
    struct Entry {
        AcDbObjectId id;
        EntityFacts facts;
        bool locked = false;
        std::optional<gi::GiRecording> recording;
    };
    bool passes(size_t i, const Rules& rules);
    SelectedEntity entityOf(size_t i, int method) const;

    std::vector<Entry> m_entries;
    int m_filteredOut = 0;
};

} // namespace host
