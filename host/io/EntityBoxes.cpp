#include "host/io/EntityBoxes.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/entities/AcDbEntity.h"
#include "host/db/entities/EntityIndex.h"
#include "host/db/entities/EntityLooks.h"
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/io/ByteReader.h"
#include "host/win/FormatW.h"

#include <cmath>
#include <cstring>
#include <map>

namespace host::io {

namespace {

constexpr size_t kBoxRecordBytes = 8 + 4 * 8;
constexpr size_t kMinGroupBytes = 8 + 4;

void putLE(std::vector<uint8_t>& out, uint64_t v, size_t n) {
    for (size_t i = 0; i < n; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}

void putDouble(std::vector<uint8_t>& out, double d) {
    uint64_t bits = 0;
    std::memcpy(&bits, &d, sizeof bits);
    putLE(out, bits, 8);
}

double doubleFrom(uint64_t bits) {
    double d = 0;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

struct Boxed {
    uint64_t handle;
    PlanBox box;
};

// The model-space entities with a box and a stamp, by stamp.
std::map<uint64_t, std::vector<Boxed>> boxesByStamp(AcDbDatabase* db) {
    std::map<uint64_t, std::vector<Boxed>> groups;
    AcDbBlockTableRecord* space = nullptr;
    if (acdbOpenObject(space, db->modelSpaceId(), AcDb::kForRead) != Acad::eOk) return groups;
    const std::vector<AcDbObjectId> ids = space->entityIds();
    space->close();
    EntityIndex& index = db->entityIndex();
    // Only what is known: drawing a whole drawing to save it could take longer than
    // anything the user did (a block nested a thousand times over).
    index.dropStaleHints();
    LooksStampCache stamps;
    for (const AcDbObjectId& id : ids) {
        if (id.isErased()) continue;
        const auto* ent = AcDbEntity::cast(static_cast<AcDbStub*>(id)->object);
        uint64_t stamp = 0;
        PlanBox box;
        if (!ent) continue;
        const bool known = stamps.stampOf(ent, stamp) ? index.knownBox(id, box) : index.keptForSave(id, box, stamp);
        if (known) groups[stamp].push_back({id.handle().value(), box});
    }
    return groups;
}

// One box record: the entity it names must be one of model space's, its box a box.
bool checkRecord(ByteReader& r, AcDbDatabase* db, uint64_t handle, const PlanBox& b, size_t at) {
    const bool finite = std::isfinite(b.x0) && std::isfinite(b.y0) && std::isfinite(b.x1) && std::isfinite(b.y1);
    if (!finite || b.x0 > b.x1 || b.y0 > b.y1) {
        r.fail(at, FormatW(L"the box of object %s is no box", AcDbHandle(handle).text().c_str()));
        return false;
    }
    if (!db) return true;
    AcDbObjectId id;
    const bool found = handle != 0 && db->getAcDbObjectId(id, false, AcDbHandle(handle)) == Acad::eOk;
    const AcDbObject* obj = found ? static_cast<AcDbStub*>(id)->object : nullptr;
    if (!AcDbEntity::cast(obj) || obj->ownerId() != db->modelSpaceId()) {
        r.fail(at, FormatW(L"the box list names object %s, which is no entity of model space",
                           AcDbHandle(handle).text().c_str()));
        return false;
    }
    return true;
}

} // namespace

std::vector<uint8_t> entityBoxBytes(AcDbDatabase* db) {
    std::vector<uint8_t> out;
    const auto groups = boxesByStamp(db);
    putLE(out, groups.size(), 4);
    for (const auto& [stamp, boxes] : groups) {
        putLE(out, stamp, 8);
        putLE(out, boxes.size(), 4);
        for (const Boxed& b : boxes) {
            putLE(out, b.handle, 8);
            for (double v : {b.box.x0, b.box.y0, b.box.x1, b.box.y1})
                putDouble(out, v);
        }
    }
    return out;
}

bool readEntityBoxes(const uint8_t* data, size_t size, AcDbDatabase* db, size_t partAt, ImageError& error) {
    ByteReader r(data, size);
    const uint32_t groups = r.u32(L"the number of box groups");
    r.countFits(groups, kMinGroupBytes, L"the box list");
    LooksStampCache stamps;
    for (uint32_t g = 0; g < groups && r.ok(); ++g) {
        const uint64_t stamp = r.u64(L"a box group's stamp");
        const uint32_t count = r.u32(L"the number of boxes in a group");
        if (!r.countFits(count, kBoxRecordBytes, L"a box group")) break;
        for (uint32_t i = 0; i < count && r.ok(); ++i) {
            const size_t at = r.offset();
            const uint64_t handle = r.u64(L"a box's object");
            PlanBox b;
            for (double* v : {&b.x0, &b.y0, &b.x1, &b.y1})
                *v = doubleFrom(r.u64(L"a box"));
            if (!r.ok() || !checkRecord(r, db, handle, b, at) || !db) continue;
            AcDbObjectId id;
            db->getAcDbObjectId(id, false, AcDbHandle(handle));
            const auto* ent = AcDbEntity::cast(static_cast<AcDbStub*>(id)->object);
            uint64_t now = 0;
            if (!stamps.stampOf(ent, now))
                db->entityIndex().keepForSave(id, b, stamp); // a proxy: written back as it came
            else if (now == stamp)
                db->entityIndex().hint(id, b, ent->isA(), stamp);
        }
    }
    if (r.ok() && r.remaining() != 0) r.fail(r.offset(), FormatW(L"%zu bytes follow the last box", r.remaining()));
    if (r.ok()) return true;
    error = {partAt, FormatW(L"the box list is damaged at its byte %zu: %s", r.errorOffset(), r.error().c_str())};
    return false;
}

} // namespace host::io
