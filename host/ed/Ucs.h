#pragma once
// The user coordinate system (UCS) of the working database, and the conversions
// between the host's coordinate systems. Points typed at a prompt are UCS points;
// the database holds world (WCS) points. The display (DCS) of the plan view is the
// world's, so "2" converts like "0".
#include "host/db/database/adesk.h"
#include "host/ge/AcGeMatrix3d.h"
#include "host/ge/AcGePoint3d.h"
#include "host/rx/acadstrc.h"
#include "host/rx/adsdef.h"

// The current UCS as the matrix from UCS to world coordinates; eNoDatabase, and the
// identity, without a working database.
Acad::ErrorStatus acedGetCurrentUCS(AcGeMatrix3d& mat);
// Makes the matrix the current UCS. Its axes must be perpendicular and of one length
// (a uniform scale is taken out); eInvalidInput otherwise, and nothing changes.
Acad::ErrorStatus acedSetCurrentUCS(const AcGeMatrix3d& mat);

// A point (or with `vec` a direction) from UCS to world and back; false without a
// working database (q is then a copy of p).
bool acdbUcs2Wcs(const ads_point p, ads_point q, bool vec);
bool acdbWcs2Ucs(const ads_point p, ads_point q, bool vec);

// Converts between coordinate systems. `from` and `to` are RTSHORT 0 (world), 1
// (UCS) or 2 (display), an RT3DPOINT extrusion direction (that object coordinate
// system) or an RTENAME (the entity's). `disp` non-zero converts a direction.
// RTERROR for a code or a name it cannot use, and `result` is left alone.
int acedTrans(const ads_point pt, const struct resbuf* from, const struct resbuf* to, int disp,
              ads_point result);

namespace host {
AcGeMatrix3d ucsToWorld();
AcGePoint3d ucsToWorld(const AcGePoint3d& ucsPoint);
AcGePoint3d worldToUcs(const AcGePoint3d& worldPoint);
// Remembers the current UCS so that the UCS command's "Previous" can bring it back.
void pushPreviousUcs();
// Restores the UCS remembered last; false when there is none.
bool popPreviousUcs();
} // namespace host
