#include "host/db/database/ObjectAccess.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbObjectReactor.h"
#include "host/db/database/UndoManager.h"

namespace host {

namespace {
// The host's limit of simultaneous readers of one object.
constexpr uint16_t kMaxReaders = 256;
} // namespace

Acad::ErrorStatus ObjectAccess::open(AcDbObject* obj, AcDb::OpenMode mode) {
    switch (mode) {
    case AcDb::kForRead:
        if (obj->m_writer) return Acad::eWasOpenForWrite;
        if (obj->m_readers >= kMaxReaders) return Acad::eAtMaxReaders;
        ++obj->m_readers;
        break;
    case AcDb::kForWrite:
        if (obj->m_writer) return Acad::eWasOpenForWrite;
        if (obj->m_notify > 0) return Acad::eWasOpenForNotify;
        if (obj->m_readers > 0) return Acad::eWasOpenForRead;
        obj->m_writer = true;
        obj->m_changed = false;
        obj->recordUndoIfNeeded();
        break;
    case AcDb::kForNotify:
        ++obj->m_notify;
        break;
    default:
        return Acad::eInvalidOpenState;
    }
    Acad::ErrorStatus es = obj->subOpen(mode);
    if (es != Acad::eOk) {
        // The class refused: the open did not happen.
        if (mode == AcDb::kForRead) --obj->m_readers;
        if (mode == AcDb::kForWrite) obj->m_writer = false;
        if (mode == AcDb::kForNotify) --obj->m_notify;
    }
    return es;
}

void ObjectAccess::closeNotify(AcDbObject* obj) {
    const bool upgraded = obj->m_notifyUpgraded;
    obj->m_notifyUpgraded = false;
    if (upgraded) obj->m_writer = false; // an upgrade the reactor did not undo
    if (obj->m_notify > 0) --obj->m_notify;
    // What the reactor changed in itself is told like any other change.
    if (upgraded && obj->m_notify == 0 && obj->m_changed) {
        obj->sendModified();
        obj->m_changed = false;
    }
}

void ObjectAccess::attach(AcDbObject* obj, AcDbStub* stub, bool openForWrite) {
    obj->m_stub = stub;
    stub->object = obj;
    obj->m_writer = openForWrite;
    obj->m_newObject = openForWrite;
    obj->m_changed = false;
}

void ObjectAccess::setErased(AcDbObject* obj, bool erased) {
    AcDbStub* stub = obj->m_stub;
    if (!stub || stub->erased == erased) return;
    stub->erased = erased;
    obj->m_eraseToggled = true;
    obj->m_changed = true;
    if (AcDbDatabase* db = stub->database) {
        UndoManager& undo = db->undoManager();
        if (undo.isRecording()) undo.recordErase(obj->objectId(), erased);
    }
    obj->sendErased(erased);
}

} // namespace host
