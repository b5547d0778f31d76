#include "host/ed/selection/SelectionScene.h"

#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/entities/AcDbEntity.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/db/tables/AcDbLayerTableRecord.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/entities/DrawnGeometry.h"
#include "host/gi/GiPick.h"
#include "host/rx/AcRxClass.h"

namespace host {

namespace {

struct LayerState {
    std::wstring name;
    bool hidden = false;
    bool locked = false;
};

LayerState layerOf(const AcDbEntity* ent) {
    LayerState s;
    AcDbLayerTableRecord* layer = nullptr;
    if (acdbOpenObject(layer, ent->layerId(), AcDb::kForRead) != Acad::eOk) return s;
    layer->getName(s.name);
    s.hidden = layer->isOff() || layer->isFrozen();
    s.locked = layer->isLocked();
    layer->close();
    return s;
}

} // namespace

SelectionScene::SelectionScene(bool includeHidden)
    : m_db(acdbHostApplicationServices()->workingDatabase()), m_includeHidden(includeHidden) {}

std::optional<SelectionScene::Entry> SelectionScene::entryOf(AcDbObjectId id) const {
    AcDbEntity* ent = nullptr;
    if (acdbOpenAcDbEntity(ent, id, AcDb::kForRead) != Acad::eOk) return std::nullopt; // erased, or being changed
    std::optional<Entry> e;
    const LayerState layer = layerOf(ent);
    if (m_includeHidden || (!layer.hidden && ent->visibility() == AcDb::kVisible)) {
        e.emplace();
        e->id = id;
        e->facts.dxfName = ent->isA()->dxfName();
        e->facts.layer = layer.name;
        e->facts.colorIndex = ent->colorIndex();
        e->locked = layer.locked;
    }
    ent->close();
    return e;
}

std::vector<SelectionScene::Entry>& SelectionScene::everyEntry() {
    if (m_entries) return *m_entries;
    m_entries.emplace();
    AcDbBlockTableRecord* space = nullptr;
    if (!m_db || acdbOpenObject(space, m_db->currentSpaceId(), AcDb::kForRead) != Acad::eOk) return *m_entries;
    const std::vector<AcDbObjectId> ids = space->entityIds();
    space->close();
    for (const AcDbObjectId& id : ids)
        if (std::optional<Entry> e = entryOf(id)) m_entries->push_back(std::move(*e));
    return *m_entries;
}

std::vector<SelectionScene::Entry> SelectionScene::within(const PlanBox& box) {
    std::vector<Entry> found;
    if (!m_db) return found;
    for (const AcDbObjectId& id : m_db->entityIndex().overlapping(box))
        if (std::optional<Entry> e = entryOf(id)) found.push_back(std::move(*e));
    return found;
}

const gi::GiRecording& SelectionScene::drawn(Entry& e) {
    static const gi::GiRecording kNothing;
    if (!e.drawn && m_db) e.drawn = m_db->entityIndex().recording(e.id);
    return e.drawn ? *e.drawn : kNothing;
}

const gi::GiRecording& SelectionScene::recording(size_t i) { return drawn(everyEntry()[i]); }

bool SelectionScene::passes(const Entry& e, const Rules& rules) const {
    if (rules.skipLocked && e.locked) return false;
    return !rules.filter || rules.filter->accepts(e.facts);
}

SelectedEntity SelectionScene::entityOf(const Entry& e, int method) const {
    SelectedEntity s;
    ads_name name;
    if (acdbGetAdsName(name, e.id) == Acad::eOk) {
        s.name[0] = name[0];
        s.name[1] = name[1];
    }
    s.method = method;
    return s;
}

std::vector<SelectedEntity> SelectionScene::pick(const AcGePoint3d& world, double halfSize, bool everything,
                                                 const Rules& rules) {
    m_filteredOut = 0;
    std::optional<gi::PickHit> best;
    size_t bestIndex = 0;
    std::vector<SelectedEntity> found;
    std::vector<Entry> near = within({world.x - halfSize, world.y - halfSize, world.x + halfSize, world.y + halfSize});
    for (size_t i = 0; i < near.size(); ++i) {
        std::optional<gi::PickHit> hit = gi::pickNearest(drawn(near[i]), world, halfSize);
        if (!hit) continue;
        if (!passes(near[i], rules)) {
            ++m_filteredOut;
            continue;
        }
        if (everything) {
            SelectedEntity s = entityOf(near[i], kSelectPick);
            s.marker = hit->marker;
            s.pickPoint = world;
            found.push_back(s);
        } else if (!best || hit->distance <= best->distance) {
            // Later entities lie on top and win ties.
            best = hit;
            bestIndex = i;
        }
    }
    if (best) {
        SelectedEntity s = entityOf(near[bestIndex], kSelectPick);
        s.marker = best->marker;
        s.pickPoint = world;
        found.push_back(s);
    }
    return found;
}

std::vector<SelectedEntity> SelectionScene::window(const PlanWindow& w, bool crossing, const Rules& rules) {
    m_filteredOut = 0;
    std::vector<SelectedEntity> found;
    for (Entry& e : within({w.x0, w.y0, w.x1, w.y1})) {
        const bool in = crossing ? crossesWindow(drawn(e), w) : insideWindow(drawn(e), w);
        if (!in) continue;
        if (!passes(e, rules)) {
            ++m_filteredOut;
            continue;
        }
        found.push_back(entityOf(e, crossing ? kSelectCrossing : kSelectWindow));
    }
    return found;
}

std::vector<SelectedEntity> SelectionScene::fence(const std::vector<AcGePoint3d>& points,
                                                  const Rules& rules) {
    m_filteredOut = 0;
    std::vector<SelectedEntity> found;
    PlanBox box;
    for (const AcGePoint3d& p : points)
        box = box.isEmpty() ? PlanBox{p.x, p.y, p.x, p.y}
                            : PlanBox{std::min(box.x0, p.x), std::min(box.y0, p.y), std::max(box.x1, p.x),
                                      std::max(box.y1, p.y)};
    for (Entry& e : within(box)) {
        if (!crossesFence(drawn(e), points)) continue;
        if (!passes(e, rules)) {
            ++m_filteredOut;
            continue;
        }
        found.push_back(entityOf(e, kSelectFence));
    }
    return found;
}

std::vector<SelectedEntity> SelectionScene::all(const Rules& rules) {
    m_filteredOut = 0;
    std::vector<SelectedEntity> found;
    for (const Entry& e : everyEntry()) {
        if (passes(e, rules))
            found.push_back(entityOf(e, kSelectUnknown));
        else
            ++m_filteredOut;
    }
    return found;
}

std::vector<SelectedEntity> SelectionScene::last(const Rules& rules) {
    m_filteredOut = 0;
    std::optional<Entry> e;
    AcDbBlockTableRecord* space = nullptr;
    if (!m_db || acdbOpenObject(space, m_db->currentSpaceId(), AcDb::kForRead) != Acad::eOk) return {};
    const std::vector<AcDbObjectId>& ids = space->entityIds();
    for (auto it = ids.rbegin(); it != ids.rend() && !e; ++it)
        e = entryOf(*it);
    space->close();
    if (!e) return {};
    if (!passes(*e, rules)) {
        m_filteredOut = 1;
        return {};
    }
    return {entityOf(*e, kSelectUnknown)};
}

} // namespace host
