#pragma once
// The picking that the chain operations share: the user picks parts of chains (value
// texts, extension lines, dimension line segments) one by one until Enter. A part
// picked twice leaves the list again ("zurück"). Picked parts show highlighted until
// the picking ends. The remove operations change the chain at once instead of
// gathering.
#include "host/db/database/AcDbObjectId.h"

#include <functional>
#include <vector>

class TRdim;

struct DimSegment {
    AcDbObjectId chainId;
    int index = 0; // segment (value parts) or extension (point parts)
    int kind = 0;  // 1 value text, 2 extension line, 3 dimension line
};
using DimSegmentList = std::vector<DimSegment>;

// What a pick is taken for.
enum DimPickMode {
    kPickValues = 1, // value texts and dimension lines, as segments
    kPickPoints = 2, // extension lines, as points
    kPickTexts = 3,  // value texts only
};

// Returned when the user asked to add points instead of removing them.
inline constexpr int kPickSwitchToAdd = 999;

// Runs the picking loop. `chainId` is the chain of the context operation; `operation`
// 32797 removes each picked point of that chain at once and ends when it has fewer
// than 3 points (the keyword "Hinzufügen" returns kPickSwitchToAdd); 32794 cuts each
// picked segment out at once, appending the split-off chains. Returns the number of
// parts in `list` (or of changes made), 0 when nothing was picked.
int GetDimSegments(DimSegmentList& list, AcDbObjectId chainId, int pickMode, const wchar_t* prompt, int operation);

// Runs `change` on every picked part, its chain opened for write once per part and
// drawn anew; chains that cannot be opened are passed over.
void ForEachPickedSegment(const DimSegmentList& list, const std::function<void(TRdim*, int)>& change);

// True (after its message) when the entity lies on a locked layer.
bool IsOnLockedLayer(AcDbObjectId entityId);
