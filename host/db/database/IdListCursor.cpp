#include "host/db/database/IdListCursor.h"

#include <algorithm>

namespace host {

void IdListCursor::skipErased(bool forward) {
    while (!done() && m_ids[size_t(m_pos)].isErased()) m_pos += forward ? 1 : -1;
}

void IdListCursor::start(bool atBeginning, bool skipDeleted) {
    m_pos = atBeginning ? 0 : int(m_ids.size()) - 1;
    if (skipDeleted) skipErased(atBeginning);
}

void IdListCursor::step(bool forward, bool skipDeleted) {
    if (done()) return;
    m_pos += forward ? 1 : -1;
    if (skipDeleted) skipErased(forward);
}

Acad::ErrorStatus IdListCursor::current(AcDbObjectId& id) const {
    if (done()) return Acad::eIteratorDone;
    id = m_ids[size_t(m_pos)];
    return Acad::eOk;
}

Acad::ErrorStatus IdListCursor::seek(AcDbObjectId id) {
    auto it = std::find(m_ids.begin(), m_ids.end(), id);
    if (it == m_ids.end()) return Acad::eInvalidInput;
    m_pos = int(it - m_ids.begin());
    return Acad::eOk;
}

void writeOwnedIds(AcDbDwgFiler* filer, const std::vector<AcDbObjectId>& ids) {
    filer->writeUInt32(Adesk::UInt32(ids.size()));
    for (AcDbObjectId id : ids) filer->writeHardOwnershipId(id);
}

Acad::ErrorStatus readOwnedIds(AcDbDwgFiler* filer, std::vector<AcDbObjectId>& ids) {
    Adesk::UInt32 n = 0;
    filer->readUInt32(&n);
    std::vector<AcDbObjectId> read;
    for (Adesk::UInt32 i = 0; i < n && filer->filerStatus() == Acad::eOk; ++i) {
        AcDbHardOwnershipId id;
        filer->readHardOwnershipId(&id);
        if (!id.isNull()) read.push_back(id);
    }
    if (filer->filerStatus() == Acad::eOk) ids = std::move(read);
    return filer->filerStatus();
}

} // namespace host
