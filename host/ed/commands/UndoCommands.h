#pragma once
// The host's commands that take work back or show it again:
//   U       undoes the last command and names it
//   UNDO    a number of commands, Mark (a place to come back to) or Back (to the mark)
//   OOPS    brings back what the last ERASE erased
//   REGEN   draws every entity again from its own data
//   REDRAW  refreshes the view (nothing to do on a terminal)
class AcDbDatabase;
class AcEdCommandStack;

#include "host/db/database/AcDbObjectId.h"

#include <vector>

namespace host::draw {

void registerUndoCommands(AcEdCommandStack& stack, const wchar_t* group);
// ERASE tells what it erased, for OOPS.
void rememberErased(AcDbDatabase* db, std::vector<AcDbObjectId> ids);

} // namespace host::draw
