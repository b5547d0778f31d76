#pragma once
// A position in a list of object ids that can skip erased ones, and the filing of
// such a list: what block and table iterators walk and what blocks and tables file.
#include "host/db/filing/AcDbDwgFiler.h"
#include "host/db/database/AcDbObjectId.h"
#include "host/rx/acadstrc.h"

#include <vector>

namespace host {

class IdListCursor {
public:
    explicit IdListCursor(std::vector<AcDbObjectId> ids) : m_ids(std::move(ids)) {}

    // To the first (or last) id, past erased ones when asked.
    void start(bool atBeginning, bool skipDeleted);
    bool done() const { return m_pos < 0 || m_pos >= int(m_ids.size()); }
    void step(bool forward, bool skipDeleted);
    // The id at the position; eIteratorDone past either end.
    Acad::ErrorStatus current(AcDbObjectId& id) const;
    // To that id (erased or not); eInvalidInput when the list does not have it.
    Acad::ErrorStatus seek(AcDbObjectId id);

private:
    void skipErased(bool forward);
    std::vector<AcDbObjectId> m_ids;
    int m_pos = 0;
};

// Writes the count and the ids as hard ownership.
void writeOwnedIds(AcDbDwgFiler* filer, const std::vector<AcDbObjectId>& ids);
// Reads what writeOwnedIds wrote, dropping null ids; reads no further than the data
// goes whatever the count says. The filer's status; `ids` only set on eOk.
Acad::ErrorStatus readOwnedIds(AcDbDwgFiler* filer, std::vector<AcDbObjectId>& ids);

} // namespace host
