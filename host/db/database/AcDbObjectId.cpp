#include "host/db/database/AcDbObjectId.h"

#include <functional>

const AcDbObjectId AcDbObjectId::kNull;

bool AcDbObjectId::operator<(const AcDbObjectId& id) const {
    // Null first, then by database, then by handle: a stable order for sorted containers.
    if (m_stub == id.m_stub) return false;
    if (!m_stub) return true;
    if (!id.m_stub) return false;
    if (m_stub->database != id.m_stub->database)
        return std::less<const AcDbDatabase*>()(m_stub->database, id.m_stub->database);
    return m_stub->handle < id.m_stub->handle;
}
