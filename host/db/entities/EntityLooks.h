#pragma once
// What, beyond its own data and the drawing it lies in, decides how an entity
// looks: a 64-bit stamp that is the same in every session where the entity would
// be drawn the same. A drawing file keeps the boxes of its entities with their
// stamps; a box is used again at reading only where the stamp is still the same,
// so a pick never trusts a box that the entity would no longer be drawn in.
//
// - The host's own entities are drawn from their data, the drawing's tables and
//   header and the host's drawing code: their stamp changes with that code alone
//   (kHostLooksVersion).
// - An application's entities may also depend on the application's settings; the
//   application says so by giving its class a stamp function. Without one, no
//   stamp: their boxes are never kept in a file and they are drawn to be found.
// - Entities kept as proxies get no stamp either: a drawing that passes through a
//   session without their application is written back as it was read.
#include <cstdint>
#include <functional>
#include <vector>

class AcDbEntity;
class AcRxClass;

namespace host {

// Raised whenever the host draws one of its own entities differently.
inline constexpr uint64_t kHostLooksVersion = 1;

using LooksStampFn = std::function<uint64_t()>;
// Gives `cls` (and the classes derived from it) a stamp function; an empty one takes it away.
void setClassLooksStamp(const AcRxClass* cls, LooksStampFn stamp);

// The stamp of how entities of `cls` (or `ent`) look now; false when nothing vouches for it.
bool classLooksStamp(const AcRxClass* cls, uint64_t& stamp);
bool entityLooksStamp(const AcDbEntity* ent, uint64_t& stamp);

// Stamps asked often (a file's every entity) are worked out once per class.
class LooksStampCache {
public:
    bool stampOf(const AcDbEntity* ent, uint64_t& stamp);

private:
    struct Known {
        const AcRxClass* cls;
        bool vouched;
        uint64_t stamp;
    };
    std::vector<Known> m_known;
};

} // namespace host
