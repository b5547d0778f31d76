#include "host/ed/SelectionScene.h"

#include "host/db/AcDbBlockTableRecord.h"
#include "host/db/AcDbDatabase.h"
#include "host/db/AcDbEntity.h"
#include "host/db/AcDbHostApplicationServices.h"
#include "host/db/AcDbLayerTableRecord.h"
#include "host/db/AcDbObjectOpen.h"
#include "host/db/DrawnGeometry.h"
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

SelectionScene::SelectionScene(bool includeHidden) {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (!db) return;
    AcDbBlockTableRecord* space = nullptr;
    if (acdbOpenObject(space, db->currentSpaceId(), AcDb::kForRead) != Acad::eOk) return;
    const std::vector<AcDbObjectId> ids = space->entityIds();
    space->close();
    for (const AcDbObjectId& id : ids) {
        AcDbEntity* ent = nullptr;
        if (acdbOpenAcDbEntity(ent, id, AcDb::kForRead) != Acad::eOk) continue; // erased, or being changed
        const LayerState layer = layerOf(ent);
        if (includeHidden || (!layer.hidden && ent->visibility() == AcDb::kVisible)) {
            Entry e;
            e.id = id;
            e.facts.dxfName = ent->isA()->dxfName();
            e.facts.layer = layer.name;
            e.facts.colorIndex = ent->colorIndex();
            e.locked = layer.locked;
            m_entries.push_back(std::move(e));
        }
        ent->close();
    }
}

const gi::GiRecording& SelectionScene::recording(size_t i) {
    Entry& e = m_entries[i];
    if (!e.recording) {
        e.recording.emplace();
        AcDbEntity* ent = nullptr;
        if (acdbOpenAcDbEntity(ent, e.id, AcDb::kForRead) == Acad::eOk) {
            *e.recording = drawEntity(ent);
            ent->close();
        }
    }
    return *e.recording;
}

bool SelectionScene::passes(size_t i, const Rules& rules) {
    if (rules.skipLocked && m_entries[i].locked) return false;
    return !rules.filter || rules.filter->accepts(m_entries[i].facts);
}

SelectedEntity SelectionScene::entityOf(size_t i, int method) const {
    SelectedEntity s;
    ads_name name;
    if (acdbGetAdsName(name, m_entries[i].id) == Acad::eOk) {
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
    for (size_t i = 0; i < m_entries.size(); ++i) {
        std::optional<gi::PickHit> hit = gi::pickNearest(recording(i), world, halfSize);
        if (!hit) continue;
        if (!passes(i, rules)) {
            ++m_filteredOut;
            continue;
        }
        if (everything) {
            SelectedEntity s = entityOf(i, kSelectPick);
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
        SelectedEntity s = entityOf(bestIndex, kSelectPick);
        s.marker = best->marker;
        s.pickPoint = world;
        found.push_back(s);
    }
    return found;
}

std::vector<SelectedEntity> SelectionScene::window(const PlanWindow& w, bool crossing, const Rules& rules) {
    m_filteredOut = 0;
    std::vector<SelectedEntity> found;
    for (size_t i = 0; i < m_entries.size(); ++i) {
        const bool in = crossing ? crossesWindow(recording(i), w) : insideWindow(recording(i), w);
        if (!in) continue;
        if (!passes(i, rules)) {
            ++m_filteredOut;
            continue;
        }
        found.push_back(entityOf(i, crossing ? kSelectCrossing : kSelectWindow));
    }
    return found;
}

std::vector<SelectedEntity> SelectionScene::fence(const std::vector<AcGePoint3d>& points,
                                                  const Rules& rules) {
    m_filteredOut = 0;
    std::vector<SelectedEntity> found;
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (!crossesFence(recording(i), points)) continue;
        if (!passes(i, rules)) {
            ++m_filteredOut;
            continue;
        }
        found.push_back(entityOf(i, kSelectFence));
    }
    return found;
}

std::vector<SelectedEntity> SelectionScene::all(const Rules& rules) {
    m_filteredOut = 0;
    std::vector<SelectedEntity> found;
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (passes(i, rules))
            found.push_back(entityOf(i, kSelectUnknown));
        else
            ++m_filteredOut;
    }
    return found;
}

std::vector<SelectedEntity> SelectionScene::last(const Rules& rules) {
    m_filteredOut = 0;
    if (m_entries.empty()) return {};
    const size_t i = m_entries.size() - 1;
    if (!passes(i, rules)) {
        m_filteredOut = 1;
        return {};
    }
    return {entityOf(i, kSelectUnknown)};
}

} // namespace host
