#pragma once
// The id of an object in a database. Ids are cheap values; they point to the
// object's slot in its database, so an id stays meaningful while the object is
// erased and brought back. Ids order by database and handle, so ordered maps of
// ids iterate the same way every run; they hash by their slot.
#include "host/db/database/AcArray.h"
#include "host/db/database/AcDbHandle.h"
#include "host/db/database/AcDbStub.h"
#include "host/win/WinTypes.h"

#include <cstddef>
#include <functional>

class AcDbDatabase;

class AcDbObjectId {
public:
    AcDbObjectId() = default;
    AcDbObjectId(AcDbStub* stub) : m_stub(stub) {}
    static const AcDbObjectId kNull;

    bool isNull() const { return m_stub == nullptr; }
    void setNull() { m_stub = nullptr; }
    // The object exists (it may be erased).
    bool isValid() const { return m_stub && m_stub->object; }
    bool isErased() const { return m_stub && m_stub->erased; }
    bool isEffectivelyErased() const { return isErased(); }
    bool objectLeftOnDisk() const { return false; }
    bool isResident() const { return isValid(); }
    AcDbDatabase* database() const { return m_stub ? m_stub->database : nullptr; }
    AcDbDatabase* originalDatabase() const { return database(); }
    AcDbHandle handle() const { return m_stub ? m_stub->handle : AcDbHandle(); }
    AcDbHandle nonForwardedHandle() const { return handle(); }

    operator AcDbStub*() const { return m_stub; }
    AcDbObjectId& operator=(AcDbStub* stub) {
        m_stub = stub;
        return *this;
    }
    // The host's old integer form of an id (the slot's address).
    LONG_PTR asOldId() const { return reinterpret_cast<LONG_PTR>(m_stub); }
    AcDbObjectId& setFromOldId(LONG_PTR oldId) {
        m_stub = reinterpret_cast<AcDbStub*>(oldId);
        return *this;
    }

    bool operator==(const AcDbObjectId& id) const { return m_stub == id.m_stub; }
    bool operator!=(const AcDbObjectId& id) const { return m_stub != id.m_stub; }
    bool operator==(const AcDbStub* stub) const { return m_stub == stub; }
    bool operator!=(const AcDbStub* stub) const { return m_stub != stub; }
    bool operator<(const AcDbObjectId& id) const;
    bool operator>(const AcDbObjectId& id) const { return id < *this; }
    bool operator<=(const AcDbObjectId& id) const { return !(id < *this); }
    bool operator>=(const AcDbObjectId& id) const { return !(*this < id); }

protected:
    AcDbStub* m_stub = nullptr;
};

// The kinds of reference a filer distinguishes; they are ids in every other respect.
class AcDbHardOwnershipId : public AcDbObjectId {
public:
    AcDbHardOwnershipId() = default;
    AcDbHardOwnershipId(const AcDbObjectId& id) : AcDbObjectId(id) {}
    AcDbHardOwnershipId(AcDbStub* stub) : AcDbObjectId(stub) {}
};
class AcDbSoftOwnershipId : public AcDbObjectId {
public:
    AcDbSoftOwnershipId() = default;
    AcDbSoftOwnershipId(const AcDbObjectId& id) : AcDbObjectId(id) {}
    AcDbSoftOwnershipId(AcDbStub* stub) : AcDbObjectId(stub) {}
};
class AcDbHardPointerId : public AcDbObjectId {
public:
    AcDbHardPointerId() = default;
    AcDbHardPointerId(const AcDbObjectId& id) : AcDbObjectId(id) {}
    AcDbHardPointerId(AcDbStub* stub) : AcDbObjectId(stub) {}
};
class AcDbSoftPointerId : public AcDbObjectId {
public:
    AcDbSoftPointerId() = default;
    AcDbSoftPointerId(const AcDbObjectId& id) : AcDbObjectId(id) {}
    AcDbSoftPointerId(AcDbStub* stub) : AcDbObjectId(stub) {}
};

typedef AcArray<AcDbObjectId> AcDbObjectIdArray;

template <>
struct std::hash<AcDbObjectId> {
    size_t operator()(const AcDbObjectId& id) const noexcept {
        return std::hash<const void*>()(static_cast<const AcDbStub*>(id));
    }
};
