#pragma once
// Picking one entity. Both ask with the prompt (default "\nSelect object: ") for a
// point, honour the keywords of acedInitGet (RTKWORD) and return RTCAN for a
// cancel, RTERROR when nothing lies under the pick box or the answer was Enter.
#include "host/rx/adsdef.h"

// The entity under the pick box and the picked point (UCS).
int acedEntSel(const wchar_t* str, ads_name entres, ads_point ptres);

// The innermost entity under the pick box: inside a block reference the block's own
// entity. With `pickflag` non-zero `ptres` is the point (UCS) and nothing is asked.
// `xformres` gets the transformation from the entity's block to the world (rows and
// columns as AcGeMatrix3d: translation in the last column), the identity for an
// entity of model space; `refstkres` (may be null) the block references that hold
// it, innermost first, as RTENAME entries the caller frees, null for none.
int acedNEntSelP(const wchar_t* str, ads_name entres, ads_point ptres, int pickflag, ads_matrix xformres,
                 struct resbuf** refstkres);
