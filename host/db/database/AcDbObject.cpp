#include "host/db/database/AcDbObject.h"
#include "host/db/database/HighlightedParts.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/entities/AcDbEntity.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/db/database/AcDbObjectReactor.h"
#include "host/db/filing/DwgBufferFiler.h"
#include "host/db/database/ObjectAccess.h"
#include "host/db/tables/AcDbRegAppTableRecord.h"
#include "host/db/database/UndoManager.h"
#include "host/db/database/XDataStore.h"

#include "host/rx/AcRxClass.h"

#include <algorithm>
#include <cwchar>
#include <vector>

ACRX_HOST_DEFINE_MEMBERS(AcDbObject, AcGiDrawable, L"", nullptr)

struct AcDbObject::Extras {
    std::vector<AcDbObjectId> persistent;
    std::vector<AcDbObjectReactor*> transient;
    host::XDataStore xdata;
};

namespace {
unsigned long g_protocolSlips = 0;
constexpr Adesk::Int16 kObjectFilingVersion = 1;
} // namespace

unsigned long host::protocolSlips() { return g_protocolSlips; }

AcDbObject::AcDbObject() = default;

AcDbObject::~AcDbObject() {
    // Deleted while still in its database (a mistake of the caller): the slot
    // forgets it, so opening its id later fails instead of touching freed memory.
    if (m_stub && m_stub->object == this) m_stub->object = nullptr;
    host::clearHighlightedParts(this);
    if (m_extras)
        for (AcDbObjectReactor* r : std::vector<AcDbObjectReactor*>(m_extras->transient)) r->goodbye(this);
}

AcDbObject::Extras& AcDbObject::extras() const {
    if (!m_extras) m_extras = std::make_unique<Extras>();
    return *m_extras;
}

// ---- identity -------------------------------------------------------------------

Acad::ErrorStatus AcDbObject::setOwnerId(AcDbObjectId ownerId) {
    m_ownerId = ownerId;
    return Acad::eOk;
}

void AcDbObject::getAcDbHandle(AcDbHandle& handle) const { handle = this->handle(); }

AcDbHandle AcDbObject::handle() const { return m_stub ? m_stub->handle : AcDbHandle(); }

AcDbDatabase* AcDbObject::database() const { return m_stub ? m_stub->database : nullptr; }

AcDbDatabase* AcDbObject::databaseToUse() const {
    AcDbDatabase* db = database();
    return db ? db : acdbHostApplicationServices()->workingDatabase();
}

bool AcDbObject::isAProxy() const {
    for (const AcRxClass* c = isA(); c; c = c->myParent())
        if (std::wcscmp(c->name(), L"AcDbProxyEntity") == 0 || std::wcscmp(c->name(), L"AcDbProxyObject") == 0)
            return true;
    return false;
}

bool AcDbObject::isReadEnabled() const { return !m_stub || m_readers > 0 || m_writer || m_notify > 0 || m_undoing; }

bool AcDbObject::isWriteEnabled() const { return !m_stub || m_writer || m_undoing; }

// ---- open / close ------------------------------------------------------------------

void AcDbObject::recordUndoIfNeeded() {
    AcDbDatabase* db = database();
    if (!db) return;
    host::UndoManager& undo = db->undoManager();
    if (!undo.isRecording() || m_undoSerial == undo.groupSerial()) return;
    m_undoSerial = undo.groupSerial();
    undo.recordState(this);
}

void AcDbObject::closeWrite() {
    m_writer = false;
    if (m_changed) sendModified();
    m_changed = m_xdataChanged = m_graphicsChanged = false;
    m_eraseToggled = false;
}

Acad::ErrorStatus AcDbObject::close() {
    if (!m_stub) return Acad::eOk; // not in a database: the maker owns it and deletes it
    Acad::ErrorStatus es = Acad::eOk;
    // A read open made while the object notifies (a reactor looking at it) ends
    // before the notification does, so readers are released first.
    if (m_writer) {
        closeWrite();
    } else if (m_readers > 0) {
        --m_readers;
    } else if (m_notify > 0) {
        --m_notify;
    } else {
        return Acad::eNotOpenForRead;
    }
    es = subClose();
    if (!m_writer && m_readers == 0 && m_notify == 0) m_newObject = false;
    return es;
}

Acad::ErrorStatus AcDbObject::cancel() {
    if (!m_stub) return Acad::eOk;
    if (m_writer) {
        m_writer = false;
        m_changed = m_xdataChanged = m_graphicsChanged = false;
        if (m_extras)
            for (AcDbObjectReactor* r : std::vector<AcDbObjectReactor*>(m_extras->transient)) r->cancelled(this);
        return subCancel();
    }
    return close();
}

Acad::ErrorStatus AcDbObject::upgradeOpen() {
    if (!m_stub) return Acad::eOk;
    if (m_writer) return Acad::eWasOpenForWrite;
    if (m_notify > 0) return Acad::eWasOpenForNotify;
    if (m_readers == 0) return Acad::eNotOpenForRead;
    if (m_readers > 1) return Acad::eHadMultipleReaders;
    if (const AcDbEntity* ent = AcDbEntity::cast(this); ent && host::isOnLockedLayer(ent)) return Acad::eOnLockedLayer;
    m_readers = 0;
    m_writer = true;
    m_changed = false;
    recordUndoIfNeeded();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::downgradeOpen() {
    if (!m_stub) return Acad::eOk;
    if (!m_writer) return Acad::eNotOpenForWrite;
    closeWrite();
    m_readers = 1;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::upgradeFromNotify(Adesk::Boolean& wasWritable) {
    wasWritable = isWriteEnabled();
    if (!m_stub || m_writer) return Acad::eOk;
    if (m_notify == 0) return Acad::eNotOpenForRead;
    m_writer = true;
    m_notifyUpgraded = true;
    recordUndoIfNeeded();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::downgradeToNotify(Adesk::Boolean wasWritable) {
    if (!m_stub || wasWritable) return Acad::eOk;
    if (!m_writer) return Acad::eNotOpenForWrite;
    // The changes are told when the notify open ends.
    m_writer = false;
    return Acad::eOk;
}

void AcDbObject::assertWriteEnabled(Adesk::Boolean autoUndo, Adesk::Boolean recordModified) {
    if (!isWriteEnabled()) ++g_protocolSlips;
    if (!recordModified) return;
    bool first = !m_changed;
    m_changed = true;
    if (first && m_stub && !m_undoing) sendOpenedForModify();
}

void AcDbObject::recordGraphicsModified(Adesk::Boolean setModified) {
    m_graphicsChanged = setModified;
    if (setModified) assertWriteEnabled(false, true);
}

Acad::ErrorStatus AcDbObject::erase(Adesk::Boolean erasing) {
    if (!m_stub) return Acad::eNotInDatabase;
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (m_stub->erased == erasing) return erasing ? Acad::eWasErased : Acad::eWasNotErased;
    Acad::ErrorStatus es = subErase(erasing);
    if (es != Acad::eOk) return es;
    assertWriteEnabled();
    host::ObjectAccess::setErased(this, erasing);
    return Acad::eOk;
}

// ---- notifications -------------------------------------------------------------------

namespace {
// Each persistent reactor is opened for notify around its callback; one that
// cannot be opened (erased, busy) is skipped.
template <typename Fn>
void forEachPersistent(const AcDbObject* obj, const std::vector<AcDbObjectId>& ids, Fn fn) {
    for (AcDbObjectId id : ids) {
        if (id == obj->objectId() || !id.isValid() || id.isErased()) continue;
        AcDbObject* reactor = static_cast<AcDbStub*>(id)->object;
        if (host::ObjectAccess::open(reactor, AcDb::kForNotify) != Acad::eOk) continue;
        fn(reactor);
        host::ObjectAccess::closeNotify(reactor);
    }
}
} // namespace

void AcDbObject::sendModified() {
    if (m_sendingModified) return;
    m_sendingModified = true;
    ++m_notify; // while others hear of it the object can be read, not written
    if (m_extras) {
        auto transient = m_extras->transient;
        for (AcDbObjectReactor* r : transient) {
            if (m_xdataChanged) r->modifiedXData(this);
            r->modified(this);
        }
        auto persistent = m_extras->persistent;
        forEachPersistent(this, persistent, [&](AcDbObject* r) {
            if (m_xdataChanged) r->modifiedXData(this);
            r->modified(this);
        });
    }
    if (AcDbDatabase* db = database()) {
        db->setModifiedSinceSave(true);
        db->notifyModified(this);
    }
    --m_notify;
    m_sendingModified = false;
}

void AcDbObject::sendErased(bool erasing) {
    if (m_extras) {
        auto transient = m_extras->transient;
        for (AcDbObjectReactor* r : transient) r->erased(this, erasing);
        auto persistent = m_extras->persistent;
        forEachPersistent(this, persistent, [&](AcDbObject* r) { r->erased(this, erasing); });
    }
    if (AcDbDatabase* db = database()) db->notifyErased(this, erasing);
}

void AcDbObject::sendOpenedForModify() {
    if (m_extras) {
        auto transient = m_extras->transient;
        for (AcDbObjectReactor* r : transient) r->openedForModify(this);
        auto persistent = m_extras->persistent;
        forEachPersistent(this, persistent, [&](AcDbObject* r) { r->openedForModify(this); });
    }
    if (AcDbDatabase* db = database()) db->notifyOpenedForModify(this);
}

void AcDbObject::sendCopied(const AcDbObject* copy) const {
    if (!m_extras) return;
    auto transient = m_extras->transient;
    for (AcDbObjectReactor* r : transient) r->copied(this, copy);
    auto persistent = m_extras->persistent;
    forEachPersistent(this, persistent, [&](AcDbObject* r) { r->copied(this, copy); });
}

// ---- reactors ------------------------------------------------------------------------

void AcDbObject::addReactor(AcDbObjectReactor* r) const {
    if (!r) return;
    auto& list = extras().transient;
    if (std::find(list.begin(), list.end(), r) == list.end()) list.push_back(r);
}

void AcDbObject::removeReactor(AcDbObjectReactor* r) const {
    if (!m_extras) return;
    auto& list = m_extras->transient;
    list.erase(std::remove(list.begin(), list.end(), r), list.end());
}

void AcDbObject::addPersistentReactor(AcDbObjectId objId) {
    if (objId.isNull() || hasPersistentReactor(objId)) return;
    if (m_writer || !m_stub) assertWriteEnabled(false, true);
    extras().persistent.push_back(objId);
}

Acad::ErrorStatus AcDbObject::removePersistentReactor(AcDbObjectId objId) {
    if (!hasPersistentReactor(objId)) return Acad::eKeyNotFound;
    // Allowed while the object is telling its reactors: a reactor may leave then.
    if (m_writer || !m_stub) assertWriteEnabled(false, true);
    auto& list = m_extras->persistent;
    list.erase(std::remove(list.begin(), list.end(), objId), list.end());
    return Acad::eOk;
}

bool AcDbObject::hasPersistentReactor(AcDbObjectId objId) const {
    if (!m_extras) return false;
    const auto& list = m_extras->persistent;
    return std::find(list.begin(), list.end(), objId) != list.end();
}

AcDbObjectIdArray AcDbObject::persistentReactorIds() const {
    AcDbObjectIdArray ids;
    if (m_extras)
        for (AcDbObjectId id : m_extras->persistent) ids.append(id);
    return ids;
}

// ---- extended data -------------------------------------------------------------------

resbuf* AcDbObject::xData(const wchar_t* regappName) const {
    if (!m_extras) return nullptr;
    return m_extras->xdata.get(regappName);
}

// Checked against the database's registered applications and the host's size
// limit before anything changes.
Acad::ErrorStatus AcDbObject::setXData(const resbuf* xdata) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    AcDbDatabase* db = databaseToUse();
    auto registered = [db](const std::wstring& app) { return !db || host::isRegisteredApp(db, app); };
    host::XDataStore next = m_extras ? m_extras->xdata : host::XDataStore();
    Acad::ErrorStatus es = next.set(xdata, registered);
    if (es != Acad::eOk) return es;
    assertWriteEnabled();
    extras().xdata = std::move(next);
    m_xdataChanged = true;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::xDataTransformBy(const AcGeMatrix3d& xform) {
    if (!m_extras || m_extras->xdata.empty()) return Acad::eOk;
    assertWriteEnabled();
    m_extras->xdata.transformBy(xform);
    return Acad::eOk;
}

// ---- filing ----------------------------------------------------------------------------

Acad::ErrorStatus AcDbObject::dwgOut(AcDbDwgFiler* filer) const {
    if (!filer) return Acad::eNullObjectPointer;
    Acad::ErrorStatus es = dwgOutFields(filer);
    return es != Acad::eOk ? es : filer->filerStatus();
}

Acad::ErrorStatus AcDbObject::dwgIn(AcDbDwgFiler* filer) {
    if (!filer) return Acad::eNullObjectPointer;
    // A record that fails part way must not leave the object half read: the
    // classes read in layers (object, entity, own fields), and an earlier layer
    // would already be applied. The state before is put back.
    host::DwgBufferFiler before(AcDb::kCopyFiler, databaseToUse());
    bool saved = dwgOutFields(&before) == Acad::eOk && before.filerStatus() == Acad::eOk;
    Acad::ErrorStatus es = dwgInFields(filer);
    if (es == Acad::eOk) es = filer->filerStatus();
    if (es != Acad::eOk && saved) {
        before.rewind();
        dwgInFields(&before);
    }
    return es;
}

Acad::ErrorStatus AcDbObject::dwgOutFields(AcDbDwgFiler* filer) const {
    assertReadEnabled();
    filer->writeInt16(kObjectFilingVersion);
    const std::vector<AcDbObjectId> none;
    const auto& reactors = m_extras ? m_extras->persistent : none;
    filer->writeUInt32(Adesk::UInt32(reactors.size()));
    for (AcDbObjectId id : reactors) filer->writeSoftPointerId(id);
    if (m_extras)
        m_extras->xdata.dwgOut(filer);
    else
        filer->writeUInt32(0);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbObject::dwgInFields(AcDbDwgFiler* filer) {
    assertWriteEnabled();
    Adesk::Int16 version = 0;
    if (filer->readInt16(&version) != Acad::eOk) return filer->filerStatus();
    if (version != kObjectFilingVersion) {
        filer->setFilerStatus(Acad::eInvalidDwgVersion);
        return Acad::eInvalidDwgVersion;
    }
    Adesk::UInt32 n = 0;
    filer->readUInt32(&n);
    std::vector<AcDbObjectId> reactors;
    for (Adesk::UInt32 i = 0; i < n && filer->filerStatus() == Acad::eOk; ++i) {
        AcDbSoftPointerId id;
        filer->readSoftPointerId(&id);
        if (!id.isNull()) reactors.push_back(id);
    }
    host::XDataStore xdata;
    xdata.dwgIn(filer);
    if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
    // A copy is a new object: it does not take over the original's reactors.
    AcDb::FilerType t = filer->filerType();
    bool keepReactors = t != AcDb::kCopyFiler && t != AcDb::kDeepCloneFiler && t != AcDb::kWblockCloneFiler;
    if (keepReactors && (!reactors.empty() || m_extras)) extras().persistent = std::move(reactors);
    if (!xdata.empty() || m_extras) extras().xdata = std::move(xdata);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::dxfOutFields(AcDbDxfFiler* filer) const { return Acad::eOk; }

Acad::ErrorStatus AcDbObject::dxfInFields(AcDbDxfFiler* filer) { return Acad::eOk; }

Acad::ErrorStatus AcDbObject::applyPartialUndo(AcDbDwgFiler* undoFiler, AcRxClass* classObj) {
    return Acad::eNotApplicable;
}

AcRxObject* AcDbObject::clone() const {
    AcRxClass* cls = isA();
    AcRxObject* made = cls ? cls->create() : nullptr;
    AcDbObject* copy = AcDbObject::cast(made);
    if (!copy) {
        delete made;
        return nullptr;
    }
    if (copy->copyFrom(this) != Acad::eOk) {
        delete copy;
        return nullptr;
    }
    return copy;
}

Acad::ErrorStatus AcDbObject::copyFrom(const AcRxObject* other) {
    const AcDbObject* src = AcDbObject::cast(other);
    if (!src || src->isA() != isA()) return Acad::eNotThatKindOfClass;
    host::DwgBufferFiler filer(AcDb::kCopyFiler, src->databaseToUse());
    Acad::ErrorStatus es = src->dwgOut(&filer);
    if (es != Acad::eOk) return es;
    filer.rewind();
    return dwgIn(&filer);
}
