#pragma once
// The objects the properties dialog edits, by kind: chains and height marks hold their
// parameter arrays themselves; the host's dimensions and texts that carry the module's
// mark hold theirs in their "LINTARO_DATA" record. Reading and writing go through one
// pair of functions, so the dialog treats every kind alike.
#include "host/db/database/AcDbObjectId.h"
#include "module/chain/TRdimParams.h"

#include <map>
#include <string>
#include <utility>

// The dialog's kind of the object: kPropKindChains, kPropKindHeights, kPropKindHostDims,
// kPropKindHostTexts; 0 for anything else (a host object without the module's mark too).
int PropertyKindOf(const AcDbObjectId& id);

// The object's arrays; false when it cannot be opened or is none of the kinds.
bool ReadPropertyParams(const AcDbObjectId& id, TRdimParams& params);

// Edited row texts by (type, index).
using PropertyEdits = std::map<std::pair<int, int>, std::wstring>;

// The edits onto one object of `kind`; true when it changed. A chain keeps its texts
// where they are, a mark composes its texts again, a host dimension takes the style
// record of its new set, a host text its style, height and colour.
bool WritePropertyEdits(const AcDbObjectId& id, int kind, const PropertyEdits& edits);
