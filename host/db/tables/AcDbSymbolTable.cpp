#include "host/db/tables/AcDbSymbolTable.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/filing/AcDbDwgFiler.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/database/ObjectAccess.h"

#include <algorithm>

ACRX_HOST_DEFINE_MEMBERS(AcDbSymbolTable, AcDbObject, L"", nullptr)

namespace {
const AcDbSymbolTableRecord* recordOf(AcDbObjectId id) {
    return id.isValid() ? AcDbSymbolTableRecord::cast(static_cast<AcDbStub*>(id)->object) : nullptr;
}
} // namespace

void AcDbSymbolTable::rebuildIndex() const {
    m_byName.clear();
    for (AcDbObjectId id : m_records)
        if (const AcDbSymbolTableRecord* rec = recordOf(id)) m_byName[host::symbolKey(rec->name())].push_back(id);
    m_indexStale = false;
}

AcDbObjectId AcDbSymbolTable::find(const std::wstring& key, bool erasedToo) const {
    if (m_indexStale) rebuildIndex();
    auto it = m_byName.find(key);
    if (it == m_byName.end()) return AcDbObjectId::kNull;
    AcDbObjectId erased;
    for (AcDbObjectId id : it->second) {
        if (!id.isErased()) return id;
        if (erased.isNull()) erased = id;
    }
    return erasedToo ? erased : AcDbObjectId::kNull;
}

Acad::ErrorStatus AcDbSymbolTable::getAt(const wchar_t* entryName, AcDbObjectId& recordId, bool getErasedRecord) const {
    recordId.setNull();
    if (!entryName) return Acad::eInvalidInput;
    recordId = find(host::symbolKey(entryName), getErasedRecord);
    return recordId.isNull() ? Acad::eKeyNotFound : Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTable::getAt(const wchar_t* entryName, AcDbSymbolTableRecord*& pRec,
                                         AcDb::OpenMode openMode, bool openErasedRec) const {
    pRec = nullptr;
    AcDbObjectId id;
    Acad::ErrorStatus es = getAt(entryName, id, openErasedRec);
    if (es != Acad::eOk) return es;
    return acdbOpenObject(pRec, id, openMode, openErasedRec);
}

bool AcDbSymbolTable::has(const wchar_t* name) const { return name && !find(host::symbolKey(name), false).isNull(); }

bool AcDbSymbolTable::has(AcDbObjectId id) const {
    return !id.isErased() && std::find(m_records.begin(), m_records.end(), id) != m_records.end();
}

Acad::ErrorStatus AcDbSymbolTable::add(AcDbSymbolTableRecord* pRecord) {
    AcDbObjectId id;
    return add(id, pRecord);
}

Acad::ErrorStatus AcDbSymbolTable::add(AcDbObjectId& recordId, AcDbSymbolTableRecord* pRecord) {
    recordId.setNull();
    if (!pRecord) return Acad::eNullObjectPointer;
    if (!database()) return Acad::eNoDatabase;
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (pRecord->objectId().isValid()) return Acad::eAlreadyInDb;
    if (!pRecord->isKindOf(recordClass())) return Acad::eWrongObjectType;
    if (pRecord->name().empty()) return Acad::eInvalidSymbolTableName;
    std::wstring key = host::symbolKey(pRecord->name());
    if (!find(key, false).isNull()) return Acad::eDuplicateRecordName;

    host::ObjectAccess::setOwner(pRecord, objectId());
    AcDbObjectId id;
    Acad::ErrorStatus es = database()->addAcDbObject(id, pRecord);
    if (es != Acad::eOk) {
        host::ObjectAccess::setOwner(pRecord, AcDbObjectId::kNull);
        return es;
    }
    assertWriteEnabled();
    m_records.push_back(id);
    if (!m_indexStale) m_byName[key].push_back(id);
    recordId = id;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTable::renameRecord(AcDbObjectId id, const std::wstring& oldName,
                                                const std::wstring& newName) {
    std::wstring newKey = host::symbolKey(newName);
    AcDbObjectId other = find(newKey, false);
    if (!other.isNull() && other != id) return Acad::eDuplicateRecordName;
    if (m_indexStale) return Acad::eOk;
    auto it = m_byName.find(host::symbolKey(oldName));
    if (it != m_byName.end()) {
        auto& v = it->second;
        v.erase(std::remove(v.begin(), v.end(), id), v.end());
        if (v.empty()) m_byName.erase(it);
    }
    m_byName[newKey].push_back(id);
    return Acad::eOk;
}

AcDbSymbolTableIterator* AcDbSymbolTable::makeIterator(std::vector<AcDbObjectId> ids) const {
    return new AcDbSymbolTableIterator(std::move(ids));
}

Acad::ErrorStatus AcDbSymbolTable::newIterator(AcDbSymbolTableIterator*& pIterator, bool atBeginning,
                                               bool skipDeleted) const {
    pIterator = makeIterator(m_records);
    pIterator->start(atBeginning, skipDeleted);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTable::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbObject::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    // Undo leaves the record list alone: records only come and go by adding and
    // erasing, which undo handles itself.
    if (filer->filerType() == AcDb::kUndoFiler) return filer->filerStatus();
    host::writeOwnedIds(filer, m_records);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbSymbolTable::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbObject::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    if (filer->filerType() == AcDb::kUndoFiler) return filer->filerStatus();
    std::vector<AcDbObjectId> ids;
    if (host::readOwnedIds(filer, ids) != Acad::eOk) return filer->filerStatus();
    m_records = std::move(ids);
    m_indexStale = true; // the records may not be read yet
    return Acad::eOk;
}

// ---- iterator -------------------------------------------------------------------------

Acad::ErrorStatus AcDbSymbolTableIterator::getRecord(AcDbSymbolTableRecord*& pRecord, AcDb::OpenMode openMode,
                                                     bool openErasedRec) const {
    pRecord = nullptr;
    AcDbObjectId id;
    Acad::ErrorStatus es = m_cursor.current(id);
    return es == Acad::eOk ? acdbOpenObject(pRecord, id, openMode, openErasedRec) : es;
}
