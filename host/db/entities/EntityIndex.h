#pragma once
// The entities of a database's model space by where they lie: each with its box in
// the plan, found from its drawn primitives, in a grid of square cells, and its
// primitives kept until the entity changes. Picking and selecting ask it for the
// entities whose box can be hit instead of drawing every entity, so one pick costs
// the same in a small drawing as in a big one.
//
// The database tells the index of every append, change and erase (before its
// reactors hear of it); the index only marks what became stale and draws it again
// when it is next asked. A change that can alter how many entities look (a text
// style, a block definition, a header variable, a regenerate) drops everything.
//
// A drawing file keeps the boxes of its entities: reading gives them to the index
// as hints, so the first pick after reading draws only what the pick box touches.
// A hint is given only where the entity's looks stamp (EntityLooks.h) is what it
// was when the box was saved, and it stands for the drawn box until the entity is
// drawn for any reason (its drawn box replaces it), changes, or everything is
// dropped. While hints are in use, a change of the stamp of any class they came
// from (an application's settings) drops everything too.
#include "host/db/database/AcDbObjectId.h"
#include "host/gi/GiPrimitive.h"

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

class AcDbDatabase;
class AcDbObject;
class AcRxClass;

namespace host {

// A box in the plan; empty when lo > hi.
struct PlanBox {
    double x0 = 1, y0 = 1, x1 = 0, y1 = 0;
    bool isEmpty() const { return x0 > x1; }
    bool overlaps(const PlanBox& o) const { return x0 <= o.x1 && o.x0 <= x1 && y0 <= o.y1 && o.y0 <= y1; }
};

using SharedRecording = std::shared_ptr<const gi::GiRecording>;

class EntityIndex {
public:
    explicit EntityIndex(AcDbDatabase* db);
    ~EntityIndex();

    // The model-space entities (erased ones never) whose box overlaps `box`, and
    // those without a box (endless lines), in append order.
    std::vector<AcDbObjectId> overlapping(const PlanBox& box);
    // An entity's primitives as drawn for extents, drawn again only after a change.
    // Null for an entity that cannot be opened.
    SharedRecording recording(AcDbObjectId id);
    // Draws what changed, after dropping hints that no longer hold: what overlapping
    // does before it answers, for a caller that then asks boxOf for many entities.
    void update();
    // Drops everything when a hint no longer holds, without drawing anything.
    void dropStaleHints();
    // The box known now for a model-space entity, drawn or hinted, without drawing
    // anything (saving a drawing must not draw all of it); false when none is known.
    bool knownBox(AcDbObjectId id, PlanBox& box);
    // The box the index holds for a model-space entity, drawn or hinted (drawing the
    // entity first if it has neither); false for one without a box (endless, empty,
    // erased, not in model space).
    bool boxOf(AcDbObjectId id, PlanBox& box);

    // A box read with the drawing for an entity of class `cls`, whose looks stamp
    // was `stamp` then and is now; used when the index is next built, forgotten by
    // dropAll.
    void hint(AcDbObjectId id, const PlanBox& box, const AcRxClass* cls, uint64_t stamp);

    // What the database tells.
    void appended(const AcDbObject* obj);
    void changed(const AcDbObject* obj);
    void headerChanged(const wchar_t* name);
    // Forget everything (a new drawing was read, a style changed): built again on need.
    void dropAll();

    // A box read with the drawing for an entity nothing here can vouch for (one kept
    // as a proxy): never used for picking, but written back with its stamp by a save,
    // so a drawing passes through unchanged. Forgotten when the entity changes.
    void keepForSave(AcDbObjectId id, const PlanBox& box, uint64_t stamp);
    bool keptForSave(AcDbObjectId id, PlanBox& box, uint64_t& stamp) const;

    // How many entities were drawn again since the index was made; lets tests see
    // that nothing stale survives and that nothing is drawn needlessly.
    uint64_t drawCount() const { return m_drawCount; }

private:
    struct Entry {
        AcDbObjectId id;
        uint64_t order = 0;    // append order in the block
        PlanBox box;
        bool inGrid = false;   // in the cells (or in m_unbounded) under `box`
        bool unbounded = false;
        bool stale = true;
        bool live = false;     // not erased, in model space
        bool hinted = false;   // `box` is a hint from the file, not yet drawn
        uint32_t stamp = 0;    // last query that reported it
        SharedRecording drawn;
    };
    void build();
    bool seed(Entry& e);
    bool hintsStillHold();
    void refresh();
    void place(uint32_t slot);
    void unplace(uint32_t slot);
    bool redraw(uint32_t slot);
    bool drawStale();
    void dropHint(Entry& e);
    void regrid();
    void markStale(const AcDbObject* obj);
    uint32_t slotOf(AcDbObjectId id, bool create);
    template <typename Fn>
    void forCells(const PlanBox& box, Fn fn) const;

    AcDbDatabase* m_db;
    bool m_built = false;
    std::vector<Entry> m_entries;
    std::unordered_map<const void*, PlanBox> m_hints;   // stub -> box, until built
    std::vector<std::pair<const AcRxClass*, uint64_t>> m_hintClasses; // the stamps hints hold for
    size_t m_hintedLeft = 0;                            // entries still placed by a hint
    std::unordered_map<const void*, std::pair<PlanBox, uint64_t>> m_kept; // keepForSave
    std::unordered_map<const void*, uint32_t> m_slots; // stub -> slot
    std::vector<uint32_t> m_stale;
    std::unordered_map<uint64_t, std::vector<uint32_t>> m_cells;
    std::vector<uint32_t> m_unbounded;                  // no box, or one too big for cells
    double m_cell = 0;                                  // cell size; 0 until the first box
    size_t m_gridSizedFor = 0;                          // entities when the cell size was chosen
    size_t m_placed = 0;
    uint64_t m_nextOrder = 0;
    uint32_t m_stamp = 0;
    size_t m_cachedBytes = 0;
    uint64_t m_drawCount = 0;
    uint64_t m_generation = 0;                          // counts dropAll
};

} // namespace host
