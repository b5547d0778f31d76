#pragma once
// Small helpers the database tests share (and the editor tests use): a drawing
// with the working database set, appending to model space, and a filer round trip.
#include "host/db/tables/AcDbBlockTable.h"
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/tables/AcDbLayerTable.h"
#include "host/db/tables/AcDbLayerTableRecord.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/entities/AcDbEntity.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/filing/DwgBufferFiler.h"
#include "host/rx/AcRxClass.h"

#include <memory>

namespace dbtest {

// Geometry compared to this: far below any drawing's precision, far above rounding.
inline constexpr double kGeomTol = 1e-9;

// Appends to the model space of `db` and closes; the id (null on failure, and the
// entity is deleted).
inline AcDbObjectId appendToModelSpace(AcDbDatabase* db, AcDbEntity* ent) {
    AcDbBlockTableRecord* ms = nullptr;
    if (acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForWrite) != Acad::eOk) {
        delete ent;
        return {};
    }
    AcDbObjectId id;
    if (ms->appendAcDbEntity(id, ent) == Acad::eOk)
        ent->close();
    else
        delete ent;
    ms->close();
    return id;
}

// Adds a layer of that colour (switched off with `off`) and closes it; the id (null
// when the table refuses it).
inline AcDbObjectId addLayer(AcDbDatabase* db, const wchar_t* name, int colour, bool off = false) {
    AcDbLayerTable* layers = nullptr;
    AcDbObjectId id;
    if (db->getLayerTable(layers, AcDb::kForWrite) != Acad::eOk) return id;
    auto* rec = new AcDbLayerTableRecord();
    rec->setName(name);
    AcCmColor c;
    c.setColorIndex(static_cast<int16_t>(colour));
    rec->setColor(c);
    rec->setIsOff(off);
    if (layers->add(id, rec) == Acad::eOk)
        rec->close();
    else
        delete rec;
    layers->close();
    return id;
}

// A new default drawing that is the working database while the fixture lives.
struct Drawing {
    std::unique_ptr<AcDbDatabase> db = std::make_unique<AcDbDatabase>();
    AcDbDatabase* previous = acdbHostApplicationServices()->workingDatabase();
    Drawing() { acdbHostApplicationServices()->setWorkingDatabase(db.get()); }
    ~Drawing() { acdbHostApplicationServices()->setWorkingDatabase(previous); }

    AcDbObjectId append(AcDbEntity* ent) const { return appendToModelSpace(db.get(), ent); }
};

// Files `obj` out through a filer of the given kind and reads the bytes into a
// fresh object of the same class; null when either side refuses.
template <class T>
std::unique_ptr<T> roundTrip(const T* obj, AcDbDatabase* db, AcDb::FilerType type = AcDb::kFileFiler) {
    host::DwgBufferFiler out(type, db);
    if (obj->dwgOut(&out) != Acad::eOk) return nullptr;
    host::DwgBufferFiler in(out.bytes(), type, db);
    auto copy = std::unique_ptr<T>(T::cast(obj->isA()->create()));
    if (!copy || copy->dwgIn(&in) != Acad::eOk) return nullptr;
    if (in.bytesRemaining() != 0) return nullptr; // read less than was written
    return copy;
}

} // namespace dbtest
