#pragma once
// The entities a selection looks at: those of the working database's model space,
// in the order they were appended, each with what a filter reads and its drawn
// primitives. Picks, windows and fences ask the database's entity index for the
// entities whose box can be hit and look at those only. Entities on layers that
// are off or frozen cannot be seen and so not selected, except by "everything" ("X").
#include "host/db/database/AcDbObjectId.h"
#include "host/ed/selection/AcEdSelectionSet.h"
#include "host/ed/selection/SelectionFilter.h"
#include "host/db/entities/EntityIndex.h"
#include "host/ed/selection/SelectionGeometry.h"
#include "host/gi/GiPrimitive.h"

#include <optional>
#include <vector>

namespace host {

class SelectionScene {
public:
    explicit SelectionScene(bool includeHidden = false);

    // Every entity of the scene (made on first use: it opens them all).
    size_t size() { return everyEntry().size(); }
    AcDbObjectId id(size_t i) { return everyEntry()[i].id; }
    const EntityFacts& facts(size_t i) { return everyEntry()[i].facts; }
    bool onLockedLayer(size_t i) { return everyEntry()[i].locked; }
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
        SharedRecording drawn;
    };
    // The entity as the scene sees it; none when it cannot be opened or be seen.
    std::optional<Entry> entryOf(AcDbObjectId id) const;
    std::vector<Entry>& everyEntry();
    // The entities whose box overlaps `box`, each with its primitives.
    std::vector<Entry> within(const PlanBox& box);
    const gi::GiRecording& drawn(Entry& e);
    bool passes(const Entry& e, const Rules& rules) const;
    SelectedEntity entityOf(const Entry& e, int method) const;

    AcDbDatabase* m_db = nullptr;
    bool m_includeHidden = false;
    std::optional<std::vector<Entry>> m_entries;
    int m_filteredOut = 0;
};

} // namespace host
