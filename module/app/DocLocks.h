#pragma once
// The documents the module has locked, so that it can release every lock it took
// before control goes back to the user.
#include <string>
#include <vector>

// "UNLOCK ALL": releases every write lock the module holds and empties the list.
void UnlockAll();
// The file names of the documents the module has locked.
const std::vector<std::wstring>& LockedDocuments();
