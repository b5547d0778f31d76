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

struct HDimCheckResult {
    int all = 0;     // height marks in the drawing
    int changed = 0; // members that took their base's layer or scale, bases moved off "0"
    int erased = 0;  // bases without members that were erased
};
// The checks over every group base of the working drawing: a base on layer "0" moves to
// `layerFor0` (when not empty), lone bases are erased (eraseLone), members take their
// base's layer and scale (sameScaleAndLayer).
HDimCheckResult CheckHeightGroups(bool eraseLone, bool sameScaleAndLayer, const std::wstring& layerFor0);
