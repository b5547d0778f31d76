#include "host/db/tables/AcDbSortentsTable.h"

#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/filing/AcDbDwgFiler.h"

#include <algorithm>
#include <cmath>

ACRX_HOST_DEFINE_MEMBERS(AcDbSortentsTable, AcDbObject, L"SORTENTSTABLE", &host::makeObject<AcDbSortentsTable>)

namespace {
constexpr Adesk::Int16 kSortentsVersion = 1;
// More entries than a block can have entities; a larger count in a file is damage.
constexpr Adesk::UInt32 kMaxEntries = 100000000;

const AcDbBlockTableRecord* blockOf(AcDbObjectId id) {
    return id.isValid() ? AcDbBlockTableRecord::cast(static_cast<AcDbStub*>(id)->object) : nullptr;
}
} // namespace

Acad::ErrorStatus AcDbSortentsTable::setBlockId(AcDbObjectId id) {
    if (!blockOf(id)) return Acad::eWrongObjectType;
    assertWriteEnabled();
    m_block = id;
    return Acad::eOk;
}

double AcDbSortentsTable::keyOf(AcDbObjectId id) const {
    auto it = m_keys.find(id);
    return it != m_keys.end() ? it->second : double(id.handle().value());
}

std::vector<AcDbObjectId> AcDbSortentsTable::sortedIds() const {
    std::vector<AcDbObjectId> ids;
    if (const AcDbBlockTableRecord* block = blockOf(m_block))
        for (AcDbObjectId id : block->entityIds())
            if (!id.isNull() && !id.isErased()) ids.push_back(id);
    std::stable_sort(ids.begin(), ids.end(), [this](AcDbObjectId a, AcDbObjectId b) {
        double ka = keyOf(a), kb = keyOf(b);
        return ka != kb ? ka < kb : a.handle() < b.handle();
    });
    return ids;
}

bool AcDbSortentsTable::allInBlock(const AcDbObjectIdArray& ar) const {
    const AcDbBlockTableRecord* block = blockOf(m_block);
    if (!block) return false;
    const auto& ents = block->entityIds();
    for (AcDbObjectId id : ar)
        if (std::find(ents.begin(), ents.end(), id) == ents.end()) return false;
    return true;
}

void AcDbSortentsTable::placeBetween(const AcDbObjectIdArray& ar, double lo, double hi) {
    const double step = (hi - lo) / double(ar.length() + 1);
    int i = 1;
    for (AcDbObjectId id : ar) m_keys[id] = lo + step * i++;
}

Acad::ErrorStatus AcDbSortentsTable::moveToTop(const AcDbObjectIdArray& ar) {
    if (!allInBlock(ar)) return Acad::eInvalidInput;
    assertWriteEnabled();
    std::vector<AcDbObjectId> order = sortedIds();
    double top = order.empty() ? 0.0 : keyOf(order.back());
    placeBetween(ar, top, top + double(ar.length() + 1));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSortentsTable::moveToBottom(const AcDbObjectIdArray& ar) {
    if (!allInBlock(ar)) return Acad::eInvalidInput;
    assertWriteEnabled();
    std::vector<AcDbObjectId> order = sortedIds();
    double bottom = order.empty() ? 0.0 : keyOf(order.front());
    placeBetween(ar, bottom - double(ar.length() + 1), bottom);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSortentsTable::moveAbove(const AcDbObjectIdArray& ar, AcDbObjectId target) {
    AcDbObjectIdArray all = ar;
    all.append(target);
    if (!allInBlock(all) || ar.contains(target)) return Acad::eInvalidInput;
    assertWriteEnabled();
    std::vector<AcDbObjectId> order = sortedIds();
    // The next key above the target among the entities that stay put.
    double lo = keyOf(target), hi = lo + 1.0;
    bool past = false;
    for (AcDbObjectId id : order) {
        if (id == target) {
            past = true;
            continue;
        }
        if (past && !ar.contains(id)) {
            hi = keyOf(id);
            break;
        }
    }
    placeBetween(ar, lo, hi);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSortentsTable::moveBelow(const AcDbObjectIdArray& ar, AcDbObjectId target) {
    AcDbObjectIdArray all = ar;
    all.append(target);
    if (!allInBlock(all) || ar.contains(target)) return Acad::eInvalidInput;
    assertWriteEnabled();
    std::vector<AcDbObjectId> order = sortedIds();
    double hi = keyOf(target), lo = hi - 1.0;
    for (AcDbObjectId id : order) {
        if (id == target) break;
        if (!ar.contains(id)) lo = keyOf(id);
    }
    placeBetween(ar, lo, hi);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSortentsTable::swapOrder(AcDbObjectId id1, AcDbObjectId id2) {
    if (!allInBlock(AcDbObjectIdArray{id1, id2})) return Acad::eInvalidInput;
    assertWriteEnabled();
    double k1 = keyOf(id1), k2 = keyOf(id2);
    m_keys[id1] = k2;
    m_keys[id2] = k1;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSortentsTable::getFullDrawOrder(AcDbObjectIdArray& ents, Adesk::UInt8) const {
    ents.removeAll();
    for (AcDbObjectId id : sortedIds()) ents.append(id);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSortentsTable::firstEntityIsDrawnBeforeSecond(bool& result, AcDbObjectId first,
                                                                    AcDbObjectId second) const {
    if (!allInBlock(AcDbObjectIdArray{first, second})) return Acad::eInvalidInput;
    double a = keyOf(first), b = keyOf(second);
    result = a != b ? a < b : first.handle() < second.handle();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSortentsTable::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbObject::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeInt16(kSortentsVersion);
    filer->writeSoftPointerId(m_block);
    filer->writeUInt32(Adesk::UInt32(m_keys.size()));
    for (const auto& [id, key] : m_keys) {
        filer->writeSoftPointerId(id);
        filer->writeDouble(key);
    }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbSortentsTable::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbObject::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    Adesk::Int16 version = 0;
    AcDbSoftPointerId block;
    Adesk::UInt32 n = 0;
    filer->readInt16(&version);
    if (filer->filerStatus() == Acad::eOk && version != kSortentsVersion) filer->setFilerStatus(Acad::eInvalidDwgVersion);
    filer->readSoftPointerId(&block);
    filer->readUInt32(&n);
    if (filer->filerStatus() == Acad::eOk && n > kMaxEntries) filer->setFilerStatus(Acad::eInvalidInput);
    std::map<AcDbObjectId, double> keys;
    for (Adesk::UInt32 i = 0; i < n && filer->filerStatus() == Acad::eOk; ++i) {
        AcDbSoftPointerId id;
        double key = 0;
        filer->readSoftPointerId(&id);
        filer->readDouble(&key);
        if (!id.isNull() && std::isfinite(key)) keys[id] = key;
    }
    if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
    m_block = block;
    m_keys = std::move(keys);
    return Acad::eOk;
}
