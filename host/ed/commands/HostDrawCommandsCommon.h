#pragma once
// What the host's drawing commands share: the drawing they work on, points typed in
// the current UCS, appending to model space and picking objects.
#include "host/db/database/AcDbObjectId.h"
#include "host/ge/AcGeMatrix3d.h"
#include "host/ge/AcGePoint2d.h"
#include "host/ge/AcGePoint3d.h"
#include "host/ge/AcGeVector2d.h"

#include <string>
#include <vector>

class AcDbDatabase;
class AcDbEntity;

namespace host::draw {

// The working database; without one the user is told and null comes back.
AcDbDatabase* drawingOrSay();
// From the drawing's current UCS to world coordinates.
AcGeMatrix3d ucsMatrix(AcDbDatabase* db);
// Asks for a point (UCS); RTNORM, RTNONE, RTCAN or RTKWORD (keywords as acedInitGet
// takes them, may be null). `base` (UCS) is the point rubber bands start from.
int getPoint(const wchar_t* prompt, const AcGePoint3d* base, AcGePoint3d& point,
             const wchar_t* keywords = nullptr, int flags = 0);
// The global name of the keyword the last RTKWORD answered.
std::wstring lastKeyword();
// Moves an entity drawn in UCS coordinates to the world, appends it to model space
// and closes it. The entity is deleted when it cannot be appended; false then.
bool appendEntity(AcDbDatabase* db, AcDbEntity* entity, AcDbObjectId* id = nullptr);
// "Select objects: " until Enter (picks, windows, Last, ALL ... as acedSSGet takes
// them). RTNORM with the objects of the drawing (none when nothing was selected),
// RTCAN when cancelled.
int selectObjects(AcDbDatabase* db, std::vector<AcDbObjectId>& ids);

// The arc from `start` through `mid` to `end` in their XY plane (at the start's
// elevation): centre, radius and the counter-clockwise start and end angles. False
// for points on one line or two points that are one.
bool arcThroughPoints(const AcGePoint3d& start, const AcGePoint3d& mid, const AcGePoint3d& end,
                      AcGePoint3d& centre, double& radius, double& startAngle, double& endAngle);
// The arc segment that leaves `from` along `tangent` and ends at `to`: its bulge (tan of
// a quarter of the included angle, negative clockwise) and the direction it arrives in.
// False when `to` is `from` or lies straight behind it (no such arc).
bool tangentArc(const AcGeVector2d& tangent, const AcGePoint2d& from, const AcGePoint2d& to, double& bulge,
                AcGeVector2d& endTangent);

// The commands.
void lineCommand();
void circleCommand();
void arcCommand();
void plineCommand();
void textCommand();
void mtextCommand();
void layerCommand();

} // namespace host::draw
