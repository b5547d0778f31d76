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
// style, a block definition, a header variable) drops everything.
#include "host/db/database/AcDbObjectId.h"
#include "host/gi/GiPrimitive.h"

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

class AcDbDatabase;
class AcDbObject;

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

    // What the database tells.
    void appended(const AcDbObject* obj);
    void changed(const AcDbObject* obj);
    void headerChanged(const wchar_t* name);
    // Forget everything (a new drawing was read, a style changed): built again on need.
    void dropAll();

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
        uint32_t stamp = 0;    // last query that reported it
        SharedRecording drawn;
    };
    void build();
    void refresh();
    void place(uint32_t slot);
    void unplace(uint32_t slot);
    void redraw(Entry& e);
    void regrid();
    void markStale(const AcDbObject* obj);
    uint32_t slotOf(AcDbObjectId id, bool create);
    template <typename Fn>
    void forCells(const PlanBox& box, Fn fn) const;

    AcDbDatabase* m_db;
    bool m_built = false;
    std::vector<Entry> m_entries;
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
};

} // namespace host
