#pragma once
// The palette's menu items that pick parts of chains as the context menu does:
// "Maßpunkt(e) entfernen" (points of any chains, removed in pick order) and "Maßlinien
// neu verteilen" (chains stacked at equal distances from a base chain).
#include "module/ui/ChainSegmentPick.h"

// Removes the picked points; returns how many were removed.
int PaletteRemovePoints();
// Moves the dimension lines of the picked chains; returns how many were moved.
int PaletteRedistributeChains();

// Removal order: after each removal, later picks on the same chain with a higher index
// move down by one. Returns the indices as they are when each removal happens.
DimSegmentList RemovalOrder(const DimSegmentList& picked);
