#pragma once
// The database reactor: keeps height-mark groups whole when marks are erased, and
// remembers the height marks that copy commands append, so that the end of the command
// can put them right. It watches every database it is attached to.
#include "host/db/database/AcDbObjectId.h"

#include <vector>

class AcDbDatabase;

// Creates the reactor and attaches it to the working database.
void WatchDb();
// Attaches the reactor (when it exists) to the database that is now the working one.
void RewatchDb();
// Detaches the reactor from every database and deletes it.
void UnwatchDbs();

// After a copy, move or rotation: the height marks among `ids` follow their links and
// bases again, and a copy becomes the master of its own handle.
void SecondaryModify(const std::vector<AcDbObjectId>& ids);
