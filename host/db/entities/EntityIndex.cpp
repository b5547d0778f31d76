#include "host/db/entities/EntityIndex.h"

#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/entities/AcDbEntity.h"
#include "host/db/tables/AcDbLayerTableRecord.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/entities/DrawnGeometry.h"
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

PlanBox boxOf(const gi::GiRecording& recording) {
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
    for (const AcDbObjectId& id : ids)
        slotOf(id, true);
}

void EntityIndex::dropAll() {
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
    if (!e.stale) m_stale.push_back(slot);
    e.stale = true;
}

void EntityIndex::changed(const AcDbObject* obj) {
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

void EntityIndex::redraw(Entry& e) {
    AcDbEntity* ent = nullptr;
    if (acdbOpenAcDbEntity(ent, e.id, AcDb::kForRead) != Acad::eOk) return;
    gi::GiRecording recording = drawEntity(ent);
    e.live = ent->ownerId() == m_db->modelSpaceId();
    ent->close();
    ++m_drawCount;
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
    e.box = boxOf(*drawn);
    e.unbounded = e.box.isEmpty();
    e.drawn = std::move(drawn);
}

void EntityIndex::refresh() {
    if (!m_built) build();
    std::vector<uint32_t> pending;
    pending.swap(m_stale);
    for (uint32_t slot : pending) {
        Entry& e = m_entries[slot];
        if (!e.stale) continue;
        unplace(slot);
        if (e.id.isErased()) {
            e.live = false;
            e.stale = false;
            continue;
        }
        redraw(e);
        if (!e.drawn) {
            m_stale.push_back(slot); // open for write just now: drawn when it is closed
            continue;
        }
        e.stale = false;
        if (e.live) place(slot);
    }
    if (m_cell == 0 || m_placed > 2 * m_gridSizedFor + 32) regrid();
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
    refresh();
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
    refresh();
    const uint32_t slot = slotOf(id, false);
    if (slot == UINT32_MAX || m_entries[slot].stale) {
        // Not one of model space's, or open for write just now: drawn as it is.
        AcDbEntity* ent = nullptr;
        if (acdbOpenAcDbEntity(ent, id, AcDb::kForRead) != Acad::eOk) return nullptr;
        auto drawn = std::make_shared<gi::GiRecording>(drawEntity(ent));
        ent->close();
        ++m_drawCount;
        return drawn;
    }
    Entry& e = m_entries[slot];
    if (!e.drawn) redraw(e);
    return e.drawn;
}

} // namespace host
