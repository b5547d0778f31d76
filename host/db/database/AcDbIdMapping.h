#pragma once
// What a deep clone made of what: pairs of original and copy ids, with the
// source and destination databases and the kind of cloning.
#include "host/db/database/AcDb.h"
#include "host/db/database/AcDbObjectId.h"
#include "host/rx/acadstrc.h"

#include <map>

class AcDbDatabase;

class AcDbIdPair {
public:
    AcDbIdPair() = default;
    AcDbIdPair(AcDbObjectId key, AcDbObjectId value, bool isCloned, bool isPrimary = false,
               bool isOwnerXlated = true)
        : m_key(key), m_value(value), m_cloned(isCloned), m_primary(isPrimary), m_ownerXlated(isOwnerXlated) {}

    AcDbObjectId key() const { return m_key; }
    AcDbObjectId value() const { return m_value; }
    bool isCloned() const { return m_cloned; }
    bool isPrimary() const { return m_primary; }
    bool isOwnerXlated() const { return m_ownerXlated; }
    void setKey(AcDbObjectId key) { m_key = key; }
    void setValue(AcDbObjectId value) { m_value = value; }
    void setIsCloned(bool isCloned) { m_cloned = isCloned; }
    void setIsPrimary(bool isPrimary) { m_primary = isPrimary; }
    void setIsOwnerXlated(bool isOwnerXlated) { m_ownerXlated = isOwnerXlated; }

private:
    AcDbObjectId m_key, m_value;
    bool m_cloned = false, m_primary = false, m_ownerXlated = true;
};

class AcDbIdMapping {
public:
    AcDbIdMapping() = default;

    Acad::ErrorStatus assign(const AcDbIdPair& pair);
    // Fills in the value of the pair whose key is given; false when there is none.
    bool compute(AcDbIdPair& pair) const;
    bool del(AcDbObjectId key);
    Acad::ErrorStatus destDb(AcDbDatabase*& db) const;
    Acad::ErrorStatus setDestDb(AcDbDatabase* db);
    Acad::ErrorStatus origDb(AcDbDatabase*& db) const;
    AcDb::DeepCloneType deepCloneContext() const { return m_context; }
    void setDeepCloneContext(AcDb::DeepCloneType context) { m_context = context; }
    AcDb::DuplicateRecordCloning duplicateRecordCloning() const { return AcDb::kDrcIgnore; }
    // Every pair, by key.
    const std::map<AcDbObjectId, AcDbIdPair>& pairs() const { return m_pairs; }

private:
    std::map<AcDbObjectId, AcDbIdPair> m_pairs;
    AcDbDatabase* m_dest = nullptr;
    AcDbDatabase* m_orig = nullptr;
    AcDb::DeepCloneType m_context = AcDb::kDcCopy;
};
