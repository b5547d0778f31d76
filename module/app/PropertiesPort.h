#pragma once
// The properties dialog belongs to the palette's side (module/ui); the commands
// XOTA_DimProp, XOTA_DimPropL and XOTA_DimPropH open it through this, which ui implements.
#include "host/db/database/AcDbObjectId.h"

// Kinds the commands pass: chains, height marks, all kinds.
constexpr int kDimPropChains = 50;
constexpr int kDimPropHeights = 51;
constexpr int kDimPropAll = 52;

// Opens the dialog for `objects`, or for the current selection (one the user makes now
// when there is none) when null. True when it ended with OK.
bool OpenDlgProperties(const AcDbObjectIdArray* objects, int kind);
