#include "host/ed/selection/AcEdSelectionSet.h"

#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/entities/AcDbEntity.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/database/acutResbuf.h"
#include "host/rx/adscodes.h"

#include <algorithm>
#include <map>

namespace {

// The second word of a set's name: tells a set's name from an entity's, whose second
// word is its database.
constexpr LONG_PTR kSetTag = 0x5353;

struct Registry {
    std::map<LONG_PTR, std::vector<host::SelectedEntity>> sets;
    LONG_PTR next = 1;
    std::vector<host::SelectedEntity> previous;
    std::vector<host::SelectedEntity> pickFirst;
};

Registry& registry() {
    static Registry r;
    return r;
}

std::vector<host::SelectedEntity>* findSet(const ads_name ss) {
    if (!ss || ss[1] != kSetTag) return nullptr;
    auto it = registry().sets.find(ss[0]);
    return it == registry().sets.end() ? nullptr : &it->second;
}

bool sameName(const host::SelectedEntity& e, const ads_name name) {
    return e.name[0] == name[0] && e.name[1] == name[1];
}

// An entity name must stand for an entity of a living database.
bool isEntityName(const ads_name ename) {
    if (!ename) return false;
    AcDbObjectId id;
    if (acdbGetObjectId(id, ename) != Acad::eOk) return false;
    AcDbEntity* ent = nullptr;
    if (acdbOpenAcDbEntity(ent, id, AcDb::kForRead, true) != Acad::eOk) return false;
    ent->close();
    return true;
}

host::SelectedEntity memberOf(const ads_name ename) {
    host::SelectedEntity e;
    e.name[0] = ename[0];
    e.name[1] = ename[1];
    return e;
}

resbuf* picksResbuf(const std::vector<host::SelectedEntity>& members) {
    if (members.empty()) return nullptr;
    ads_name ss;
    if (host::newSelectionSet(members, ss) != RTNORM) return nullptr;
    resbuf* rb = acutNewRb(RTPICKS);
    if (!rb) {
        acedSSFree(ss);
        return nullptr;
    }
    ads_name_set(ss, rb->resval.rlname);
    return rb;
}

} // namespace

int acedSSLength(const ads_name sname, Adesk::Int32* len) {
    const auto* set = findSet(sname);
    if (!set || !len) return RTERROR;
    *len = static_cast<Adesk::Int32>(set->size());
    return RTNORM;
}

int acedSSName(const ads_name ss, Adesk::Int32 i, ads_name entres) {
    const auto* set = findSet(ss);
    if (!set || !entres || i < 0 || size_t(i) >= set->size()) return RTERROR;
    entres[0] = (*set)[i].name[0];
    entres[1] = (*set)[i].name[1];
    return RTNORM;
}

int acedSSNameX(struct resbuf** rbpp, const ads_name ss, const Adesk::Int32 i, unsigned int) {
    const auto* set = findSet(ss);
    if (!rbpp) return RTERROR;
    *rbpp = nullptr;
    if (!set || i < 0 || size_t(i) >= set->size()) return RTERROR;
    const host::SelectedEntity& e = (*set)[i];
    ads_name name = {e.name[0], e.name[1]};
    resbuf* head = nullptr;
    if (e.method == host::kSelectPick) {
        const ads_point p = {e.pickPoint.x, e.pickPoint.y, e.pickPoint.z};
        head = acutBuildList(RTLB, RTSHORT, e.method, RTENAME, name, RTLONG, static_cast<int>(e.marker), RTLB,
                             RTSHORT, 0, RT3DPOINT, p, RTLE, RTLE, 0);
    } else {
        head = acutBuildList(RTLB, RTSHORT, e.method, RTENAME, name, RTLONG, static_cast<int>(e.marker), RTLE,
                             0);
    }
    if (!head) return RTERROR;
    *rbpp = head;
    return RTNORM;
}

int acedSSFree(const ads_name sname) {
    if (!findSet(sname)) return RTERROR;
    registry().sets.erase(sname[0]);
    return RTNORM;
}

int acedSSAdd(const ads_name ename, const ads_name sname, ads_name result) {
    if (!result) return RTERROR;
    const bool noEntity = !ename || ads_name_nil(ename);
    const bool noSet = !sname || ads_name_nil(sname);
    if (noSet) {
        if (!noEntity && !isEntityName(ename)) return RTERROR;
        std::vector<host::SelectedEntity> members;
        if (!noEntity) members.push_back(memberOf(ename));
        return host::newSelectionSet(members, result);
    }
    auto* set = findSet(sname);
    if (!set) return RTERROR;
    if (!noEntity) {
        if (!isEntityName(ename)) return RTERROR;
        const bool present =
            std::any_of(set->begin(), set->end(), [&](const auto& e) { return sameName(e, ename); });
        if (!present) set->push_back(memberOf(ename));
    }
    result[0] = sname[0];
    result[1] = sname[1];
    return RTNORM;
}

int acedSSDel(const ads_name ename, const ads_name ss) {
    auto* set = findSet(ss);
    if (!set || !ename) return RTERROR;
    auto it = std::find_if(set->begin(), set->end(), [&](const auto& e) { return sameName(e, ename); });
    if (it == set->end()) return RTERROR;
    set->erase(it);
    return RTNORM;
}

int acedSSMemb(const ads_name ename, const ads_name ss) {
    const auto* set = findSet(ss);
    if (!set || !ename) return RTERROR;
    return std::any_of(set->begin(), set->end(), [&](const auto& e) { return sameName(e, ename); }) ? RTNORM
                                                                                                    : RTERROR;
}

int acedSSSetFirst(const ads_name pset, const ads_name) {
    if (!pset || ads_name_nil(pset)) {
        registry().pickFirst.clear();
        return RTNORM;
    }
    const auto* set = findSet(pset);
    if (!set) return RTERROR;
    registry().pickFirst = *set;
    return RTNORM;
}

int acedSSGetFirst(struct resbuf** gset, struct resbuf** pset) {
    if (gset) *gset = picksResbuf(registry().pickFirst);
    if (pset) *pset = picksResbuf(registry().pickFirst);
    return RTNORM;
}

int acdbEntLast(ads_name result) {
    if (!result) return RTERROR;
    ads_name_clear(result);
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (!db) return RTERROR;
    AcDbBlockTableRecord* space = nullptr;
    if (acdbOpenObject(space, db->currentSpaceId(), AcDb::kForRead) != Acad::eOk) return RTERROR;
    const std::vector<AcDbObjectId> ids = space->entityIds();
    space->close();
    for (auto it = ids.rbegin(); it != ids.rend(); ++it)
        if (!it->isErased() && it->isValid()) {
            ads_name name;
            if (acdbGetAdsName(name, *it) != Acad::eOk) return RTERROR;
            ads_name_set(name, result);
            return RTNORM;
        }
    return RTERROR;
}

namespace host {

int newSelectionSet(const std::vector<SelectedEntity>& members, ads_name result) {
    if (!result) return RTERROR;
    Registry& r = registry();
    if (r.sets.size() >= size_t(kMaxSelectionSets)) return RTERROR;
    const LONG_PTR id = r.next++;
    r.sets[id] = members;
    result[0] = id;
    result[1] = kSetTag;
    return RTNORM;
}

const std::vector<SelectedEntity>* selectionSetMembers(const ads_name ss) {
    return findSet(ss);
}

int openSelectionSetCount() {
    return static_cast<int>(registry().sets.size());
}

void setPreviousSelection(const std::vector<SelectedEntity>& members) {
    registry().previous = members;
}

const std::vector<SelectedEntity>& previousSelection() {
    return registry().previous;
}

const std::vector<SelectedEntity>& pickFirstSelection() {
    return registry().pickFirst;
}

void resetSelectionSets() {
    Registry& r = registry();
    r.sets.clear();
    r.previous.clear();
    r.pickFirst.clear();
}

} // namespace host
