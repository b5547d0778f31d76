#pragma once
// Making height marks: the commands XOTA_HdimPlan and XOTA_HdimFront, and adding marks
// to an existing group, all run MakeDimHeight.
#include "host/db/database/AcDbObjectId.h"

#include <string>

// Asks for points and makes marks until the input ends: one plan mark, or a group of
// section marks whose base is made on the first point (or members of `baseId` when one
// is given). The base and plan marks take their values from the value dialog; members
// take theirs from the base. `iFormat` >= 0 sets the palette's row boxes first. Returns
// the number of marks made.
int MakeDimHeight(bool bPlan, AcDbObjectId baseId, double reserved, const std::wstring& prefix1,
                  const std::wstring& suffix1, const std::wstring& prefix2, const std::wstring& suffix2, int flag,
                  int iFormat);

// What XOTA_HdimPlan (plan) and XOTA_HdimFront run.
void MakeHeightMarks(bool plan);
