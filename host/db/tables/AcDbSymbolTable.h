#pragma once
// A table of named records. Erased records stay in the table (undo may bring them
// back) but are not found by name unless asked for.
#include "host/db/database/AcDbObject.h"
#include "host/db/tables/AcDbSymbolTableRecord.h"
#include "host/db/database/IdListCursor.h"

#include <string>
#include <unordered_map>
#include <vector>

class AcDbSymbolTableIterator;

class AcDbSymbolTable : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbSymbolTable);
    ~AcDbSymbolTable() override = default;

    Acad::ErrorStatus getAt(const wchar_t* entryName, AcDbSymbolTableRecord*& pRec, AcDb::OpenMode openMode,
                            bool openErasedRec = false) const;
    // eKeyNotFound when there is no such record.
    Acad::ErrorStatus getAt(const wchar_t* entryName, AcDbObjectId& recordId, bool getErasedRecord = false) const;
    bool has(const wchar_t* name) const;
    bool has(AcDbObjectId id) const;
    // The table must be open for write and in a database; the record (not in a
    // database) comes back in it, open for write. eDuplicateRecordName for a name
    // the table has, eInvalidSymbolTableName for one the host does not allow,
    // eAlreadyInDb for a record already in a database.
    Acad::ErrorStatus add(AcDbSymbolTableRecord* pRecord);
    Acad::ErrorStatus add(AcDbObjectId& recordId, AcDbSymbolTableRecord* pRecord);
    Acad::ErrorStatus newIterator(AcDbSymbolTableIterator*& pIterator, bool atBeginning = true,
                                  bool skipDeleted = true) const;

    // The records in the order they were added (erased ones included).
    const std::vector<AcDbObjectId>& recordIds() const { return m_records; }
    // Keeps the name index right when a record of this table is renamed.
    Acad::ErrorStatus renameRecord(AcDbObjectId id, const std::wstring& oldName, const std::wstring& newName);

    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;

protected:
    AcDbSymbolTable() = default;
    // The record class this table holds, and its iterator.
    virtual AcRxClass* recordClass() const { return AcDbSymbolTableRecord::desc(); }
    virtual AcDbSymbolTableIterator* makeIterator(std::vector<AcDbObjectId> ids) const;

private:
    AcDbObjectId find(const std::wstring& key, bool erasedToo) const;
    void rebuildIndex() const;

    std::vector<AcDbObjectId> m_records;
    mutable std::unordered_map<std::wstring, std::vector<AcDbObjectId>> m_byName;
    mutable bool m_indexStale = false;
};

class AcDbSymbolTableIterator {
public:
    virtual ~AcDbSymbolTableIterator() = default;
    void start(bool atBeginning = true, bool skipDeleted = true) { m_cursor.start(atBeginning, skipDeleted); }
    bool done() const { return m_cursor.done(); }
    void step(bool forward = true, bool skipDeleted = true) { m_cursor.step(forward, skipDeleted); }
    Acad::ErrorStatus getRecordId(AcDbObjectId& id) const { return m_cursor.current(id); }
    Acad::ErrorStatus getRecord(AcDbSymbolTableRecord*& pRecord, AcDb::OpenMode openMode = AcDb::kForRead,
                                bool openErasedRec = false) const;
    Acad::ErrorStatus seek(AcDbObjectId id) { return m_cursor.seek(id); }

protected:
    friend class AcDbSymbolTable;
    explicit AcDbSymbolTableIterator(std::vector<AcDbObjectId> ids) : m_cursor(std::move(ids)) {}

private:
    host::IdListCursor m_cursor;
};

// The typed tables share the base's work; these give the typed getAt/add/newIterator.
#define LINTARO_SYMBOL_TABLE(TABLE, RECORD, ITERATOR)                                                        \
    class ITERATOR : public AcDbSymbolTableIterator {                                                      \
    public:                                                                                                \
        explicit ITERATOR(std::vector<AcDbObjectId> ids) : AcDbSymbolTableIterator(std::move(ids)) {}     \
        using AcDbSymbolTableIterator::getRecord;                                                          \
        Acad::ErrorStatus getRecord(RECORD*& pRecord, AcDb::OpenMode openMode = AcDb::kForRead,            \
                                    bool openErasedRec = false) const {                                    \
            AcDbSymbolTableRecord* p = nullptr;                                                            \
            Acad::ErrorStatus es = AcDbSymbolTableIterator::getRecord(p, openMode, openErasedRec);         \
            pRecord = es == Acad::eOk ? RECORD::cast(p) : nullptr;                                        \
            if (es == Acad::eOk && !pRecord) {                                                             \
                p->close();                                                                                \
                return Acad::eWrongObjectType;                                                             \
            }                                                                                              \
            return es;                                                                                     \
        }                                                                                                  \
    };                                                                                                     \
    class TABLE : public AcDbSymbolTable {                                                                 \
    public:                                                                                                \
        ACRX_DECLARE_MEMBERS(TABLE);                                                                       \
        TABLE() = default;                                                                                 \
        using AcDbSymbolTable::add;                                                                        \
        using AcDbSymbolTable::getAt;                                                                      \
        using AcDbSymbolTable::newIterator;                                                                \
        Acad::ErrorStatus getAt(const wchar_t* entryName, RECORD*& pRec, AcDb::OpenMode openMode,          \
                                bool openErasedRec = false) const {                                        \
            AcDbSymbolTableRecord* p = nullptr;                                                            \
            Acad::ErrorStatus es = AcDbSymbolTable::getAt(entryName, p, openMode, openErasedRec);          \
            pRec = es == Acad::eOk ? RECORD::cast(p) : nullptr;                                           \
            if (es == Acad::eOk && !pRec) {                                                                \
                p->close();                                                                                \
                return Acad::eWrongObjectType;                                                             \
            }                                                                                              \
            return es;                                                                                     \
        }                                                                                                  \
        Acad::ErrorStatus add(RECORD* pRecord) { return AcDbSymbolTable::add(pRecord); }                   \
        Acad::ErrorStatus add(AcDbObjectId& recordId, RECORD* pRecord) {                                   \
            return AcDbSymbolTable::add(recordId, pRecord);                                                \
        }                                                                                                  \
        Acad::ErrorStatus newIterator(ITERATOR*& pIterator, bool atBeginning = true,                       \
                                      bool skipDeleted = true) const {                                     \
            AcDbSymbolTableIterator* it = nullptr;                                                         \
            Acad::ErrorStatus es = AcDbSymbolTable::newIterator(it, atBeginning, skipDeleted);             \
            pIterator = static_cast<ITERATOR*>(it);                                                        \
            return es;                                                                                     \
        }                                                                                                  \
                                                                                                           \
    protected:                                                                                             \
        AcRxClass* recordClass() const override { return RECORD::desc(); }                                 \
        AcDbSymbolTableIterator* makeIterator(std::vector<AcDbObjectId> ids) const override {              \
            return new ITERATOR(std::move(ids));                                                           \
        }                                                                                                  \
    }
