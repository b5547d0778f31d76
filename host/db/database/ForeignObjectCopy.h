#pragma once
// Copies of another database's entities in this one: what reading in an external
// reference does. Each entity is filed out in its own database and read into a new
// object whose ids are translated on the way:
// - a layer, linetype, text style, dimension style or application name becomes the
//   record of the same name in the target (the target's own record stays as it is;
//   a name the target lacks gets a copy of the source's record);
// - a block becomes the target's block of the same name, or a copy of it with its
//   entities (anonymous blocks, such as dimension graphics, are always copied and
//   numbered afresh); an overlay of the source is not brought along;
// - any other id (persistent reactors, links between objects) is dropped.
// An entity that owns objects of its own (attributes, vertices) cannot be read in
// this way and is counted as skipped; nothing of it reaches the target.
#include "host/db/database/AcDbObjectId.h"
#include "host/rx/acadstrc.h"

class AcDbDatabase;

namespace host {

struct ForeignCopyReport {
    int copied = 0;
    int skipped = 0;
};

// Copies every entity of the source's model space into the target block (in
// another database). The source must stay open until this returns; afterwards the
// target refers to nothing of it.
Acad::ErrorStatus copyModelSpaceInto(AcDbDatabase* source, AcDbObjectId targetBlockId,
                                     ForeignCopyReport& report);

} // namespace host
