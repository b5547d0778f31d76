#pragma once
// A block: model space, paper space or a block definition. It owns its entities
// in the order they were appended (the draw order unless the block's sort table
// says otherwise).
#include "host/db/tables/AcDbSymbolTableRecord.h"
#include "host/db/database/IdListCursor.h"
#include "host/ge/AcGePoint3d.h"

#include <vector>

class AcDbEntity;
class AcDbSortentsTable;
class AcDbBlockTableRecordIterator;

#define ACDB_MODEL_SPACE L"*Model_Space"
#define ACDB_PAPER_SPACE L"*Paper_Space"

class AcDbBlockTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbBlockTableRecord);
    AcDbBlockTableRecord() = default;
    ~AcDbBlockTableRecord() override = default;

    // The block must be open for write and in a database; the entity (in none)
    // comes back in it, open for write, with the database's defaults for the
    // properties it has not been given. eMustFirstAddBlockToDb for a block not in a
    // database, eAlreadyInDb for an entity that is.
    Acad::ErrorStatus appendAcDbEntity(AcDbEntity* pEntity);
    Acad::ErrorStatus appendAcDbEntity(AcDbObjectId& pOutputId, AcDbEntity* pEntity);
    Acad::ErrorStatus newIterator(AcDbBlockTableRecordIterator*& pIterator, bool atBeginning = true,
                                  bool skipDeleted = true) const;

    // The block's draw-order table; with createIfNecessary a block without one
    // gets it. eKeyNotFound when there is none.
    Acad::ErrorStatus getSortentsTable(AcDbSortentsTable*& pSortents, AcDb::OpenMode openMode,
                                       bool createIfNecessary = false);

    AcGePoint3d origin() const { return m_origin; }
    void setOrigin(const AcGePoint3d& origin);
    Acad::ErrorStatus comments(const wchar_t*& pString) const;
    Acad::ErrorStatus setComments(const wchar_t* pString);
    bool isLayout() const;
    bool isAnonymous() const;
    // True when one of the block's entities (not erased) defines an attribute.
    bool hasAttributeDefinitions() const;
    // An external reference: a block whose entities are the model space of another
    // drawing, read in when it was attached (acdbAttachXref). The drawing keeps the
    // copy it read, so it opens the same when the other drawing is missing.
    bool isFromExternalReference() const { return !m_path.empty(); }
    // An overlay: an external reference that the drawings attaching this one do not see.
    bool isFromOverlayReference() const { return isFromExternalReference() && m_overlay; }
    Acad::ErrorStatus setIsFromOverlayReference(bool overlaid);
    // The other drawing's path as it was given; empty for a block of this drawing.
    Acad::ErrorStatus pathName(const wchar_t*& pPath) const;
    Acad::ErrorStatus setPathName(const wchar_t* pathStr);
    AcDbDatabase* xrefDatabase(bool incUnres = false) const { return nullptr; }

    // Every entity id, erased ones included, in append order.
    const std::vector<AcDbObjectId>& entityIds() const { return m_entities; }
    AcDbObjectId sortentsTableId() const { return m_sortents; }

    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;

protected:
    bool isNameFixed() const override;
    bool allowsStarName() const override { return true; }
    Acad::ErrorStatus subErase(Adesk::Boolean erasing) override;

private:
    std::vector<AcDbObjectId> m_entities;
    AcDbObjectId m_sortents;
    AcGePoint3d m_origin;
    std::wstring m_comments;
    std::wstring m_path;
    bool m_overlay = false;
};

class AcDbBlockTableRecordIterator {
public:
    void start(bool atBeginning = true, bool skipDeleted = true) { m_cursor.start(atBeginning, skipDeleted); }
    bool done() const { return m_cursor.done(); }
    void step(bool forward = true, bool skipDeleted = true) { m_cursor.step(forward, skipDeleted); }
    Acad::ErrorStatus getEntityId(AcDbObjectId& entityId) const { return m_cursor.current(entityId); }
    Acad::ErrorStatus getEntity(AcDbEntity*& pEntity, AcDb::OpenMode openMode = AcDb::kForRead,
                                bool openErasedEntity = false) const;
    Acad::ErrorStatus seek(AcDbObjectId id) { return m_cursor.seek(id); }
    Acad::ErrorStatus seek(const AcDbEntity* pEntity);

private:
    friend class AcDbBlockTableRecord;
    explicit AcDbBlockTableRecordIterator(std::vector<AcDbObjectId> ids) : m_cursor(std::move(ids)) {}
    host::IdListCursor m_cursor;
};
