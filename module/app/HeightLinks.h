#pragma once
// Work on all height marks of a drawing: refreshing the automatic values of plan marks
// from their sources (also in other drawings), and the group checks of the HK checker.
#include "host/db/database/AcDbObjectId.h"

#include <string>
#include <vector>

class AcDbDatabase;
class CExtDWGList;

// The height marks of the database's model space, in handle order.
AcDbObjectIdArray HeightMarksOf(AcDbDatabase* db);

// Refreshes both rows of every plan mark that follows a source: the databases of all
// open documents (external: also resolves links into those drawings read from disk).
// A source that cannot be found marks the row's text with "#". Returns 1.
int RefreshHDimAutoValues(CExtDWGList* external);

// A row of a plan mark that follows a source which is not there: its drawing is
// missing, the handle names nothing, or what it names is no section mark.
struct BrokenHeightLink {
    std::wstring mark; // the plan mark's handle
    int row = 0;
    std::wstring link; // the row's link text as stored
};
// The broken links of the database's plan marks, in handle order. Reads only: links
// stay as they are, so a drawing that comes back is followed again.
std::vector<BrokenHeightLink> BrokenHeightLinks(AcDbDatabase* db);

struct HDimCheckResult {
    int all = 0;     // height marks in the drawing
    int changed = 0; // members that took their base's layer or scale, bases moved off "0"
    int erased = 0;  // bases without members that were erased
    std::vector<BrokenHeightLink> broken;
};
// The checks over every group base of the working drawing: a base on layer "0" moves to
// `layerFor0` (when not empty), lone bases are erased (eraseLone), members take their
// base's layer and scale (sameScaleAndLayer). The broken links of plan marks are
// listed too.
HDimCheckResult CheckHeightGroups(bool eraseLone, bool sameScaleAndLayer, const std::wstring& layerFor0);
