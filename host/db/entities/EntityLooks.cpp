#include "host/db/entities/EntityLooks.h"

#include "host/db/entities/AcDbEntity.h"
#include "host/db/entities/AcDbProxyEntity.h"
#include "host/rx/AcRxClass.h"
#include "host/rx/RxClassTree.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace host {

namespace {

struct ClassStamp {
    const AcRxClass* cls;
    LooksStampFn stamp;
};

std::vector<ClassStamp>& classStamps() {
    static std::vector<ClassStamp> stamps;
    return stamps;
}

// Kinds of stamp kept apart, so an application's value can never equal the host's.
constexpr uint64_t kHostKind = 0x486F737400000000ull; // "Host"
constexpr uint64_t kAppKind = 0x4170700000000000ull;  // "App"

uint64_t mix(uint64_t kind, uint64_t value) {
    uint64_t h = 1469598103934665603ull;
    for (uint64_t v : {kind, value})
        for (int i = 0; i < 8; ++i) {
            h ^= (v >> (8 * i)) & 0xFF;
            h *= 1099511628211ull;
        }
    return h;
}

} // namespace

void setClassLooksStamp(const AcRxClass* cls, LooksStampFn stamp) {
    if (!cls) return;
    auto& stamps = classStamps();
    stamps.erase(std::remove_if(stamps.begin(), stamps.end(), [cls](const ClassStamp& s) { return s.cls == cls; }),
                 stamps.end());
    if (stamp) stamps.push_back({cls, std::move(stamp)});
}

bool entityLooksStamp(const AcDbEntity* ent, uint64_t& stamp) {
    return ent && classLooksStamp(ent->isA(), stamp);
}

bool classLooksStamp(const AcRxClass* cls, uint64_t& stamp) {
    if (!cls) return false;
    if (cls->isDerivedFrom(AcDbProxyEntity::desc())) return false;
    if (isHostClass(cls)) {
        stamp = mix(kHostKind, kHostLooksVersion);
        return true;
    }
    // The nearest class up the tree that gave a stamp speaks for it.
    const ClassStamp* best = nullptr;
    for (const AcRxClass* c = cls; c && !best; c = c->myParent())
        for (const ClassStamp& s : classStamps())
            if (s.cls == c) best = &s;
    if (!best) return false;
    stamp = mix(kAppKind ^ kHostLooksVersion, best->stamp());
    return true;
}

bool LooksStampCache::stampOf(const AcDbEntity* ent, uint64_t& stamp) {
    if (!ent) return false;
    const AcRxClass* cls = ent->isA();
    for (const Known& k : m_known)
        if (k.cls == cls) {
            stamp = k.stamp;
            return k.vouched;
        }
    Known k{cls, false, 0};
    k.vouched = classLooksStamp(cls, k.stamp);
    m_known.push_back(k);
    stamp = k.stamp;
    return k.vouched;
}

} // namespace host
