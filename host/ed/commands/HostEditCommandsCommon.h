#pragma once
// What the host's editing commands share: the objects they may change, points in
// the world, and applying a transformation or appending transformed copies.
#include "host/db/database/AcDbObjectId.h"
#include "host/ge/AcGeMatrix3d.h"
#include "host/ge/AcGePoint3d.h"
#include "host/rx/acadstrc.h"

#include <vector>

class AcDbDatabase;
class AcDbEntity;

namespace host::edit {

// "Select objects: " until Enter. RTNORM with at least one object of the drawing
// that may be changed; RTNONE when nothing (or only objects on locked layers) was
// selected, which is said; RTCAN when cancelled.
int selectEditable(AcDbDatabase* db, std::vector<AcDbObjectId>& ids);
// Leaves out, with a message, the objects on locked layers or no longer there.
void dropLocked(std::vector<AcDbObjectId>& ids);

// A point typed in the UCS, also as a world point. RTNORM, RTNONE, RTCAN or RTKWORD.
int getUcsPoint(const wchar_t* prompt, const AcGePoint3d* baseUcs, AcGePoint3d& ucs, AcGePoint3d& world,
                const wchar_t* keywords = nullptr, int flags = 0);
// The base point every transforming command asks first; RTNORM or RTCAN/RTNONE.
int getBasePoint(AcGePoint3d& ucs, AcGePoint3d& world);

// Transforms each object; the count that took it. Refusals are told (e.g. a circle
// cannot be scaled unevenly) and leave their object as it was.
int transformAll(const std::vector<AcDbObjectId>& ids, const AcGeMatrix3d& xform);
// Appends a transformed copy of each object to the space that owns it. `made` (may
// be null) gets the new ids, `copied` (may be null) the sources that were copied.
int copyAll(const std::vector<AcDbObjectId>& ids, const AcGeMatrix3d& xform, std::vector<AcDbObjectId>* made,
            std::vector<AcDbObjectId>* copied);
// Appends an entity (not in a database) to the block `space`; deletes it and returns
// false when that fails. The entity is closed when appended.
bool appendToSpace(AcDbObjectId space, AcDbEntity* entity, AcDbObjectId* id = nullptr);
void eraseObject(AcDbObjectId id);
// "%d object(s) ... (error name)." for refusals of one kind.
void sayRefused(int count, const wchar_t* what, Acad::ErrorStatus es);

// The commands.
void moveCommand();
void copyCommand();
void rotateCommand();
void scaleCommand();
void mirrorCommand();
void stretchCommand();
void explodeCommand();
void gripMoveCommand();

} // namespace host::edit
