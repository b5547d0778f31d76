#pragma once
// The database layer's own access to an object's open state and slot: opening
// under the protocol's rules, putting an object into its slot, undo's read-back.
// Host code only.
#include "host/db/database/AcDbObject.h"

namespace host {

class ObjectAccess {
public:
    // The rules of acdbOpenObject for an object already found in its slot.
    static Acad::ErrorStatus open(AcDbObject* obj, AcDb::OpenMode mode);
    // Ends an open for notify made by open(kForNotify), whatever the reactor did
    // with it in between (an upgrade it did not undo is closed as a write).
    static void closeNotify(AcDbObject* obj);
    // Puts the object into its slot; it comes out open for write and new.
    static void attach(AcDbObject* obj, AcDbStub* stub, bool openForWrite);
    static void setUndoing(AcDbObject* obj, bool undoing) { obj->m_undoing = undoing; }
    static void setOwner(AcDbObject* obj, AcDbObjectId owner) { obj->m_ownerId = owner; }
    // Open-state counters, for undo to see whether someone still holds the object.
    static bool isOpen(const AcDbObject* obj) { return obj->m_writer || obj->m_readers || obj->m_notify; }
    // Sets the erase flag as undo does, with the notifications but without the
    // class's own subErase.
    static void setErased(AcDbObject* obj, bool erased);
};

} // namespace host
