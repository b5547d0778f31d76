#pragma once
// What the running command has done to the module's objects, kept for the editor
// reactor that acts on it when the command ends. Chains add to it while they change;
// the reactor empties it where a command ends, is cancelled or fails.
#include "host/db/database/AcDbObjectId.h"

#include <vector>

// The objects the current command has already dealt with (no duplicates). A chain put
// here by its own transformation is not moved again by its curve's notification.
bool IsInAppendedList(AcDbObjectId id);
// Adds `id` unless it is null or already listed.
void AddToAppendedList(AcDbObjectId id);
void ClearAppendedList();
const std::vector<AcDbObjectId>& AppendedList();

// Remembers a chain whose curve changed during the running command; the chain takes the
// curve's new shape when the command ends, unless the command transformed the chain
// too. False (nothing remembered) while no editor reactor takes the list.
bool DeferCurveFollow(AcDbObjectId chainId);
// The editor reactor takes deferred follows while it is installed; switching off drops
// what is remembered.
void AcceptDeferredCurveFollows(bool accept);
// The remembered chains, in the order they were deferred; the list is empty after.
std::vector<AcDbObjectId> TakeDeferredCurveFollows();
