#pragma once
// The root of everything a database holds. Code reaches a database-resident
// object through its id and the open/close protocol (acdbOpenObject, in
// AcDbObjectOpen.h): many readers or one writer; closing an object that was opened
// for write and changed tells its reactors and the database's reactors. An object
// made with `new` and not yet appended belongs to its maker and is always writable.
//
// Changes are announced with assertWriteEnabled() before they are made; that is
// what marks the object modified (and what undo and the reactors hang on).
#include "host/db/database/AcDb.h"
#include "host/db/database/AcDbHandle.h"
#include "host/db/database/AcDbObjectId.h"
#include "host/db/database/adesk.h"
#include "host/gi/AcGiDrawable.h"
#include "host/rx/acadstrc.h"
#include "host/rx/adsdef.h"

#include <cstdint>
#include <memory>

class AcDbDatabase;
class AcDbDwgFiler;
class AcDbDxfFiler;
class AcDbObjectReactor;
class AcDbIdMapping;
class AcGeMatrix3d;
namespace host {
class XDataStore;
class ObjectAccess;
}

class AcDbObject : public AcGiDrawable {
public:
    ACRX_DECLARE_MEMBERS(AcDbObject);
    ~AcDbObject() override;

    // ---- identity and ownership
    AcDbObjectId objectId() const { return AcDbObjectId(m_stub); }
    AcDbObjectId ownerId() const { return m_ownerId; }
    virtual Acad::ErrorStatus setOwnerId(AcDbObjectId ownerId);
    void getAcDbHandle(AcDbHandle& handle) const;
    AcDbHandle handle() const;
    AcDbDatabase* database() const;
    // The object's database, or the working database for an object not in one.
    AcDbDatabase* databaseToUse() const;
    AcDbDatabase* intendedDatabase() const { return databaseToUse(); }

    // ---- the open/close protocol
    Acad::ErrorStatus close();
    Acad::ErrorStatus closeAndPage(bool onlyWhenClean = true) { return close(); }
    // Closes without telling anyone of the changes (the stand-in keeps no copy to
    // roll back to outside undo).
    Acad::ErrorStatus cancel();
    Acad::ErrorStatus upgradeOpen();
    Acad::ErrorStatus downgradeOpen();
    Acad::ErrorStatus upgradeFromNotify(Adesk::Boolean& wasWritable);
    Acad::ErrorStatus downgradeToNotify(Adesk::Boolean wasWritable);

    bool isReadEnabled() const;
    bool isWriteEnabled() const;
    bool isNotifyEnabled() const { return m_notify > 0; }
    bool isNotifying() const { return m_notify > 0; }
    bool isModified() const { return m_changed; }
    bool isModifiedXData() const { return m_xdataChanged; }
    bool isModifiedGraphics() const { return m_graphicsChanged; }
    bool isNewObject() const { return m_newObject; }
    bool isUndoing() const { return m_undoing; }
    bool isCancelling() const { return false; }
    bool isReallyClosing() const { return true; }
    bool isTransactionResident() const { return false; }
    bool isErased() const { return m_stub && m_stub->erased; }
    bool isEraseStatusToggled() const { return m_eraseToggled; }
    bool isPersistent() const { return m_stub != nullptr; }
    bool isAProxy() const;

    void assertReadEnabled() const {}
    // Marks the object changed before a change is made. Called on an object that
    // is not open for write it still records the change (the host never crashes
    // on a protocol slip) and counts it in host::protocolSlips().
    void assertWriteEnabled(Adesk::Boolean autoUndo = true, Adesk::Boolean recordModified = true);
    void assertNotifyEnabled() const {}
    void recordGraphicsModified(Adesk::Boolean setModified = true);

    Acad::ErrorStatus erase(Adesk::Boolean erasing = true);

    // ---- filing
    Acad::ErrorStatus dwgOut(AcDbDwgFiler* filer) const;
    Acad::ErrorStatus dwgIn(AcDbDwgFiler* filer);
    virtual Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const;
    virtual Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer);
    Acad::ErrorStatus dxfOut(AcDbDxfFiler* filer) const { return dxfOutFields(filer); }
    Acad::ErrorStatus dxfIn(AcDbDxfFiler* filer) { return dxfInFields(filer); }
    virtual Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const;
    virtual Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer);
    virtual Acad::ErrorStatus applyPartialUndo(AcDbDwgFiler* undoFiler, AcRxClass* classObj);
    virtual AcDb::DuplicateRecordCloning mergeStyle() const { return AcDb::kDrcIgnore; }

    // A new object of the same class with the same filed state (through the copy
    // filer), not in any database; the caller owns it.
    AcRxObject* clone() const override;
    // Copies another object of the same class through the copy filer.
    Acad::ErrorStatus copyFrom(const AcRxObject* other) override;
    // A copy of an entity appended to the owner block (open for write when it
    // comes back; the caller closes it), recorded in idMap. Objects other than
    // entities, and owners other than blocks, give eNotApplicable.
    virtual Acad::ErrorStatus deepClone(AcDbObject* pOwnerObject, AcDbObject*& pClonedObject, AcDbIdMapping& idMap,
                                        Adesk::Boolean isPrimary = true) const;

    // ---- extended data
    // A new chain (the caller frees it with acutRelRb) with the data of one
    // registered application, or of all of them for a null name; null when none.
    virtual resbuf* xData(const wchar_t* regappName = nullptr) const;
    // Each application section of the chain (1001 name, then its groups) replaces
    // that application's data; a section with the name alone removes it. Refused
    // with nothing changed: an unregistered name (eRegappIdNotFound), more than
    // 16383 bytes in all (eXdataSizeExceeded), a malformed chain (eInvalidResBuf).
    virtual Acad::ErrorStatus setXData(const resbuf* xdata);
    Acad::ErrorStatus xDataTransformBy(const AcGeMatrix3d& xform);

    // ---- reactors
    void addReactor(AcDbObjectReactor* newObj) const;
    void removeReactor(AcDbObjectReactor* newObj) const;
    virtual void addPersistentReactor(AcDbObjectId objId);
    virtual Acad::ErrorStatus removePersistentReactor(AcDbObjectId objId);
    bool hasPersistentReactor(AcDbObjectId objId) const;
    AcDbObjectIdArray persistentReactorIds() const;

    // The callbacks an object receives as a persistent reactor of another.
    virtual void cancelled(const AcDbObject* dbObj) {}
    virtual void copied(const AcDbObject* dbObj, const AcDbObject* newObj) {}
    virtual void erased(const AcDbObject* dbObj, Adesk::Boolean bErasing = true) {}
    virtual void goodbye(const AcDbObject* dbObj) {}
    virtual void openedForModify(const AcDbObject* dbObj) {}
    virtual void modified(const AcDbObject* dbObj) {}
    virtual void modifiedXData(const AcDbObject* dbObj) {}
    virtual void modifyUndone(const AcDbObject* dbObj) {}

protected:
    AcDbObject();
    // What a class does when it is erased or un-erased; an error refuses the erase.
    virtual Acad::ErrorStatus subErase(Adesk::Boolean erasing) { return Acad::eOk; }
    virtual Acad::ErrorStatus subOpen(AcDb::OpenMode mode) { return Acad::eOk; }
    virtual Acad::ErrorStatus subClose() { return Acad::eOk; }
    virtual Acad::ErrorStatus subCancel() { return Acad::eOk; }

private:
    friend class host::ObjectAccess;
    AcDbObject(const AcDbObject&) = delete;
    AcDbObject& operator=(const AcDbObject&) = delete;

    struct Extras;
    Extras& extras() const;
    void sendModified();
    void sendErased(bool erasing);
    void sendOpenedForModify();
    void sendCopied(const AcDbObject* copy) const;
    void recordUndoIfNeeded();
    void closeWrite();

    AcDbStub* m_stub = nullptr;
    AcDbObjectId m_ownerId;
    uint16_t m_readers = 0;
    uint16_t m_notify = 0;
    uint32_t m_undoSerial = 0; // the undo group this object's state was last recorded in
    bool m_writer = false;
    bool m_changed = false;
    bool m_xdataChanged = false;
    bool m_graphicsChanged = false;
    bool m_newObject = false;
    bool m_undoing = false;
    bool m_eraseToggled = false;
    bool m_sendingModified = false;
    bool m_notifyUpgraded = false; // upgraded from notify during the current notify open
    mutable std::unique_ptr<Extras> m_extras; // reactors and extended data; most objects have none
};

namespace host {
// How often code changed an object that was not open for write (tests look at it).
unsigned long protocolSlips();
// The pseudo-constructor of a host class, for ACRX_HOST_DEFINE_MEMBERS.
template <class T>
AcRxObject* makeObject() {
    return new T();
}
} // namespace host
