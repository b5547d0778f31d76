#pragma once
// The editor, document and database reactors that keep the module's objects right
// under the host's own commands.
#include "host/db/AcDbObjectId.h"

void InstallReactors();
void RemoveReactors();
bool AreReactorsInstalled();

// The objects the current command has already dealt with (no duplicates). A chain put
// here by its own transformation is not moved again by its curve's notification.
// Emptied where a command ends, is cancelled or fails.
bool IsInAppendedList(AcDbObjectId id);
// Adds `id` unless it is null or already listed.
void AddToAppendedList(AcDbObjectId id);
void ClearAppendedList();

// Remembers a chain whose curve changed during the running command; the chain takes the
// curve's new shape when the command ends, unless the command transformed the chain
// too. False (nothing remembered) while the editor reactor is not installed.
bool DeferCurveFollow(AcDbObjectId chainId);
