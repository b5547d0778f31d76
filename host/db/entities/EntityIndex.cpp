#include "host/db/entities/EntityIndex.h"

#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/entities/AcDbEntity.h"
#include "host/db/tables/AcDbLayerTableRecord.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/entities/DrawnGeometry.h"
#include "host/db/entities/EntityLooks.h"
#include "host/gi/GiPrimitiveGeometry.h"

#include <algorithm>
#include <cmath>
#include <cwchar>

namespace host {

namespace {

// A box over more cells than this is checked on every query instead: a few long
// lines are cheaper to test than to file in thousands of cells.
constexpr int kMaxCellsPerBox = 64;
// Bytes of kept primitives beyond which they are all dropped and drawn again on need;
// keeps a drawing of 100,000 chains from holding all their graphics.
constexpr size_t kMaxCachedBytes = size_t(32) << 20;
// Cell indices stay in this range (a wild coordinate cannot overflow the key).
constexpr double kMaxCellIndex = 1e9;

int64_t cellIndex(double v, double cell) {
    return int64_t(std::clamp(std::floor(v / cell), -kMaxCellIndex, kMaxCellIndex));
}

uint64_t cellKey(int64_t cx, int64_t cy) { return (uint64_t(uint32_t(int32_t(cx))) << 32) | uint32_t(int32_t(cy)); }

PlanBox drawnBox(const gi::GiRecording& recording) {
    PlanBox b;
    AcGePoint3d lo, hi;
    if (!gi::recordingExtents(recording, lo, hi)) return b;
    if (!std::isfinite(lo.x) || !std::isfinite(lo.y) || !std::isfinite(hi.x) || !std::isfinite(hi.y)) return b;
    for (const gi::GiPrimitive& p : recording)
        if (p.kind == gi::GiPrimitive::Xline || p.kind == gi::GiPrimitive::Ray) return b; // endless
    return {lo.x, lo.y, hi.x, hi.y};
}

} // namespace

EntityIndex::EntityIndex(AcDbDatabase* db) : m_db(db) {}
EntityIndex::~EntityIndex() = default;

uint32_t EntityIndex::slotOf(AcDbObjectId id, bool create) {
    auto it = m_slots.find(static_cast<AcDbStub*>(id));
    if (it != m_slots.end()) return it->second;
    if (!create) return UINT32_MAX;
    const uint32_t slot = uint32_t(m_entries.size());
    Entry e;
    e.id = id;
    e.order = m_nextOrder++;
    m_entries.push_back(std::move(e));
    m_slots.emplace(static_cast<AcDbStub*>(id), slot);
    m_stale.push_back(slot);
    return slot;
}

void EntityIndex::build() {
    m_built = true;
    AcDbBlockTableRecord* space = nullptr;
    if (acdbOpenObject(space, m_db->modelSpaceId(), AcDb::kForRead) != Acad::eOk) return;
    const std::vector<AcDbObjectId> ids = space->entityIds();
    space->close();
    m_entries.reserve(ids.size());
    for (const AcDbObjectId& id : ids) {
        const uint32_t slot = slotOf(id, true);
        if (!m_hints.empty() && seed(m_entries[slot])) m_stale.pop_back(); // pushed by slotOf: no drawing needed
    }
    m_hints.clear();
    // The grid is sized for the hinted boxes now, so they need not wait for a draw.
    if (m_hintedLeft > 0) {
        for (uint32_t slot = 0; slot < m_entries.size(); ++slot)
            if (m_entries[slot].hinted) m_entries[slot].inGrid = true;
        regrid();
    }
}

// An entry placed from its hint: in model space, not erased (the file said so and
// nothing has changed since), drawn only when it is needed.
bool EntityIndex::seed(Entry& e) {
    const auto it = m_hints.find(static_cast<AcDbStub*>(e.id));
    if (it == m_hints.end() || e.id.isErased()) return false;
    e.box = it->second;
    e.unbounded = false;
    e.live = true;
    e.stale = false;
    e.hinted = true;
    ++m_hintedLeft;
    return true;
}

void EntityIndex::hint(AcDbObjectId id, const PlanBox& box, const AcRxClass* cls, uint64_t stamp) {
    if (m_built || id.isNull() || box.isEmpty()) return;
    m_hints[static_cast<AcDbStub*>(id)] = box;
    for (const auto& [known, knownStamp] : m_hintClasses)
        if (known == cls && knownStamp == stamp) return;
    m_hintClasses.emplace_back(cls, stamp);
}

// An application whose settings changed may draw its entities differently from
// the boxes the file kept; its hints are then worth nothing.
bool EntityIndex::hintsStillHold() {
    if (m_hintedLeft == 0 && m_hints.empty()) {
        m_hintClasses.clear();
        return true;
    }
    for (const auto& [cls, stamp] : m_hintClasses) {
        uint64_t now = 0;
        if (!classLooksStamp(cls, now) || now != stamp) return false;
    }
    return true;
}

void EntityIndex::dropAll() {
    ++m_generation;
    m_built = false;
    m_entries.clear();
    m_slots.clear();
    m_stale.clear();
    m_cells.clear();
    m_unbounded.clear();
    m_cell = 0;
    m_gridSizedFor = m_placed = 0;
    m_nextOrder = 0;
    m_cachedBytes = 0;
    m_hints.clear();
    m_hintClasses.clear();
    m_hintedLeft = 0;
}

void EntityIndex::appended(const AcDbObject* obj) {
    if (m_built && AcDbEntity::cast(obj)) slotOf(obj->objectId(), true);
}

void EntityIndex::markStale(const AcDbObject* obj) {
    const uint32_t slot = slotOf(obj->objectId(), false);
    if (slot == UINT32_MAX) return;
    Entry& e = m_entries[slot];
    if (e.drawn) m_cachedBytes -= std::min(m_cachedBytes, gi::recordingBytes(*e.drawn));
    e.drawn.reset();
    dropHint(e);
    if (!e.stale) m_stale.push_back(slot);
    e.stale = true;
}

void EntityIndex::keepForSave(AcDbObjectId id, const PlanBox& box, uint64_t stamp) {
    m_kept[static_cast<AcDbStub*>(id)] = {box, stamp};
}

bool EntityIndex::keptForSave(AcDbObjectId id, PlanBox& box, uint64_t& stamp) const {
    const auto it = m_kept.find(static_cast<AcDbStub*>(id));
    if (it == m_kept.end()) return false;
    box = it->second.first;
    stamp = it->second.second;
    return true;
}

void EntityIndex::changed(const AcDbObject* obj) {
    if (!m_kept.empty()) m_kept.erase(static_cast<AcDbStub*>(obj->objectId()));
    if (!m_built) return;
    if (AcDbEntity::cast(obj)) {
        const AcDbObjectId owner = obj->ownerId();
        // An entity of a block definition changes how every reference to it looks.
        if (!owner.isNull() && owner != m_db->modelSpaceId()) return dropAll();
        return markStale(obj);
    }
    if (const AcDbBlockTableRecord* block = AcDbBlockTableRecord::cast(obj)) {
        if (block->objectId() != m_db->modelSpaceId()) dropAll();
        return;
    }
    // Layers decide only what may be selected, which is asked each time; a text
    // style, a dimension style or a linetype can change how entities are drawn.
    if (AcDbSymbolTableRecord::cast(obj) && !AcDbLayerTableRecord::cast(obj)) dropAll();
}

void EntityIndex::headerChanged(const wchar_t* name) {
    // What new entities get, or how the drawing is saved: no entity looks different.
    static const wchar_t* const kNoLooks[] = {L"CLAYER", L"TEXTSTYLE", L"DIMSTYLE", L"CELTYPE", L"CECOLOR",
                                              L"CELWEIGHT", L"CELTSCALE", L"TEXTSIZE", L"TILEMODE",
                                              L"PROXYGRAPHICS", L"UCSORG"};
    for (const wchar_t* n : kNoLooks)
        if (name && std::wcscmp(n, name) == 0) return;
    dropAll();
}

bool EntityIndex::redraw(uint32_t slot) {
    const uint64_t generation = m_generation;
    AcDbEntity* ent = nullptr;
    if (acdbOpenAcDbEntity(ent, m_entries[slot].id, AcDb::kForRead) != Acad::eOk) return false;
    gi::GiRecording recording = drawEntity(ent);
    const bool live = ent->ownerId() == m_db->modelSpaceId();
    ent->close();
    ++m_drawCount;
    // Drawing may add to the drawing (a dimension's arrowhead block), which drops
    // everything: the entry is gone then.
    if (generation != m_generation) return false;
    // Kept for long: without the room the drawing left for more primitives.
    recording.shrink_to_fit();
    auto drawn = std::make_shared<gi::GiRecording>(std::move(recording));
    const size_t bytes = gi::recordingBytes(*drawn);
    if (m_cachedBytes + bytes > kMaxCachedBytes) {
        for (Entry& other : m_entries)
            other.drawn.reset();
        m_cachedBytes = 0;
    }
    m_cachedBytes += bytes;
    Entry& e = m_entries[slot];
    e.live = live;
    dropHint(e);
    e.box = drawnBox(*drawn);
    e.unbounded = e.box.isEmpty();
    e.drawn = std::move(drawn);
    return true;
}

void EntityIndex::dropHint(Entry& e) {
    if (!e.hinted) return;
    e.hinted = false;
    --m_hintedLeft;
}

void EntityIndex::refresh() {
    // A drawing that drops everything happens once (the block it makes is there
    // afterwards); the index is then built again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (!m_built) build();
        if (drawStale()) break;
    }
    if (m_cell == 0 || m_placed > 2 * m_gridSizedFor + 32) regrid();
}

bool EntityIndex::drawStale() {
    const uint64_t generation = m_generation;
    std::vector<uint32_t> pending;
    pending.swap(m_stale);
    for (uint32_t slot : pending) {
        if (!m_entries[slot].stale) continue;
        unplace(slot);
        if (m_entries[slot].id.isErased()) {
            m_entries[slot].live = false;
            m_entries[slot].stale = false;
            continue;
        }
        if (!redraw(slot)) {
            if (generation != m_generation) return false;
            m_stale.push_back(slot); // open for write just now: drawn when it is closed
            continue;
        }
        m_entries[slot].stale = false;
        if (m_entries[slot].live) place(slot);
    }
    return true;
}

template <typename Fn>
void EntityIndex::forCells(const PlanBox& box, Fn fn) const {
    const int64_t cx0 = cellIndex(box.x0, m_cell), cx1 = cellIndex(box.x1, m_cell);
    const int64_t cy0 = cellIndex(box.y0, m_cell), cy1 = cellIndex(box.y1, m_cell);
    for (int64_t cx = cx0; cx <= cx1; ++cx)
        for (int64_t cy = cy0; cy <= cy1; ++cy)
            fn(cellKey(cx, cy));
}

void EntityIndex::place(uint32_t slot) {
    Entry& e = m_entries[slot];
    ++m_placed;
    e.inGrid = true;
    const auto cells = [&](const PlanBox& b) {
        return (double(cellIndex(b.x1, m_cell)) - double(cellIndex(b.x0, m_cell)) + 1) *
               (double(cellIndex(b.y1, m_cell)) - double(cellIndex(b.y0, m_cell)) + 1);
    };
    if (e.unbounded || m_cell == 0 || cells(e.box) > kMaxCellsPerBox) {
        m_unbounded.push_back(slot);
        return;
    }
    forCells(e.box, [&](uint64_t key) { m_cells[key].push_back(slot); });
}

void EntityIndex::unplace(uint32_t slot) {
    Entry& e = m_entries[slot];
    if (!e.inGrid) return;
    e.inGrid = false;
    --m_placed;
    auto drop = [slot](std::vector<uint32_t>& list) {
        auto it = std::find(list.begin(), list.end(), slot);
        if (it == list.end()) return false;
        *it = list.back();
        list.pop_back();
        return true;
    };
    if (drop(m_unbounded)) return;
    forCells(e.box, [&](uint64_t key) {
        auto it = m_cells.find(key);
        if (it == m_cells.end()) return;
        drop(it->second);
        if (it->second.empty()) m_cells.erase(it);
    });
}

// The cell size follows the entities: twice the median size of their boxes, chosen
// again whenever their number has doubled, so a cell holds a few entities whatever
// the drawing's scale.
void EntityIndex::regrid() {
    std::vector<double> sizes;
    for (const Entry& e : m_entries)
        if (e.inGrid && !e.unbounded) sizes.push_back(std::max(e.box.x1 - e.box.x0, e.box.y1 - e.box.y0));
    if (sizes.empty()) return;
    std::nth_element(sizes.begin(), sizes.begin() + sizes.size() / 2, sizes.end());
    const double median = sizes[sizes.size() / 2];
    m_cell = median > 0 ? 2 * median : 1.0;
    m_cells.clear();
    m_unbounded.clear();
    m_placed = 0;
    for (uint32_t slot = 0; slot < m_entries.size(); ++slot) {
        Entry& e = m_entries[slot];
        if (!e.inGrid) continue;
        e.inGrid = false;
        place(slot);
    }
    m_gridSizedFor = m_placed;
}

std::vector<AcDbObjectId> EntityIndex::overlapping(const PlanBox& box) {
    update();
    ++m_stamp;
    std::vector<uint32_t> found;
    auto consider = [&](uint32_t slot) {
        Entry& e = m_entries[slot];
        if (e.stamp == m_stamp || !e.inGrid) return;
        if (!e.unbounded && !e.box.overlaps(box)) return;
        e.stamp = m_stamp;
        found.push_back(slot);
    };
    const double cellsAsked = m_cell > 0 ? ((box.x1 - box.x0) / m_cell + 1) * ((box.y1 - box.y0) / m_cell + 1) : 0;
    if (box.isEmpty()) {
        // nothing but the endless ones
    } else if (m_cell == 0 || !(cellsAsked <= double(m_placed) + 16)) {
        for (uint32_t slot = 0; slot < m_entries.size(); ++slot)
            consider(slot);
    } else {
        forCells(box, [&](uint64_t key) {
            auto it = m_cells.find(key);
            if (it != m_cells.end())
                for (uint32_t slot : it->second)
                    consider(slot);
        });
    }
    for (uint32_t slot : m_unbounded)
        consider(slot);
    std::sort(found.begin(), found.end(),
              [this](uint32_t a, uint32_t b) { return m_entries[a].order < m_entries[b].order; });
    std::vector<AcDbObjectId> ids;
    ids.reserve(found.size());
    for (uint32_t slot : found)
        ids.push_back(m_entries[slot].id);
    return ids;
}

SharedRecording EntityIndex::recording(AcDbObjectId id) {
    // A drawing that drops everything (see refresh) is asked again, once.
    for (int attempt = 0; attempt < 2; ++attempt) {
        refresh();
        const uint32_t slot = slotOf(id, false);
        if (slot == UINT32_MAX || m_entries[slot].stale) break;
        Entry& e = m_entries[slot];
        if (e.drawn) return e.drawn;
        const bool moves = e.hinted && e.inGrid;
        if (moves) unplace(slot); // the drawn box replaces the hint
        const uint64_t generation = m_generation;
        if (redraw(slot)) {
            if (moves && m_entries[slot].live) place(slot);
            return m_entries[slot].drawn;
        }
        if (generation == m_generation) {
            if (moves) place(slot);
            break;
        }
    }
    // Not one of model space's, or open for write just now: drawn as it is.
    AcDbEntity* ent = nullptr;
    if (acdbOpenAcDbEntity(ent, id, AcDb::kForRead) != Acad::eOk) return nullptr;
    auto drawn = std::make_shared<gi::GiRecording>(drawEntity(ent));
    ent->close();
    ++m_drawCount;
    return drawn;
}

void EntityIndex::update() {
    dropStaleHints();
    refresh();
}

void EntityIndex::dropStaleHints() {
    if (!hintsStillHold()) dropAll();
}

bool EntityIndex::knownBox(AcDbObjectId id, PlanBox& box) {
    if (!m_built) {
        const auto it = m_hints.find(static_cast<AcDbStub*>(id));
        if (it == m_hints.end() || id.isErased()) return false;
        box = it->second;
        return true;
    }
    const uint32_t slot = slotOf(id, false);
    if (slot == UINT32_MAX) return false;
    const Entry& e = m_entries[slot];
    if (e.stale || !e.live || e.unbounded) return false;
    box = e.box;
    return true;
}

bool EntityIndex::boxOf(AcDbObjectId id, PlanBox& box) {
    refresh();
    return knownBox(id, box);
}

} // namespace host
