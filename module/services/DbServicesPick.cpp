// Picking in the drawing window and the pick-first selection.
#include "module/services/DbServices.h"

#include "module/base/LintaroLog.h"

#include "host/db/database/AcDbObjectOpen.h"
#include "host/ed/selection/AcEdSelectionSet.h"
#include "host/ed/DrawingView.h"
#include "host/ed/Ucs.h"
#include "host/ed/selection/acedSSGet.h"
#include "host/ed/acutPrintf.h"
#include "host/rx/adscodes.h"

#include <algorithm>
#include <limits>

namespace {
// The log shows whole drawing units; a point far out (a view centred at 1e15) is
// logged at the end of the int range instead of overflowing the conversion.
int logUnits(double v) {
    if (!(v == v)) return 0;
    return static_cast<int>(std::clamp(v, double(std::numeric_limits<int>::min()),
                                       double(std::numeric_limits<int>::max())));
}
} // namespace

AcGePoint3d ScreenToWorld(const POINT& point) {
    AcGePoint3d world;
    acedCoordFromPixelToWorld(point, world);
    LogFmt(L"*windnum*:%d", 1);
    LogFmt(L"**wcsPt:%d, %d, %d", logUnits(world.x), logUnits(world.y), logUnits(world.z));
    return world;
}

AcDbObjectId GetEntityAtPoint(const POINT& point) {
    const AcGePoint3d world = ScreenToWorld(point);
    const ads_point wcs = {world.x, world.y, world.z};
    ads_point ucs = {world.x, world.y, world.z};
    acdbWcs2Ucs(wcs, ucs, false);
    ads_name ss = {0, 0};
    if (acedSSGet(L":E", ucs, nullptr, nullptr, ss) != RTNORM) return AcDbObjectId::kNull;
    Adesk::Int32 length = 0;
    acedSSLength(ss, &length);
    ads_name ent = {0, 0};
    AcDbObjectId id;
    if (length > 0 && acedSSName(ss, length - 1, ent) == RTNORM) acdbGetObjectId(id, ent);
    acedSSFree(ss);
    return id;
}

bool SetPickfirst(AcDbObjectIdArray& ids) {
    if (ids.isEmpty()) return false;
    ads_name ss = {0, 0};
    bool ok = acedSSAdd(nullptr, nullptr, ss) == RTNORM;
    for (int i = 0; ok && i < ids.length(); ++i) {
        ads_name ent = {0, 0};
        if (acdbGetAdsName(ent, ids[i]) != Acad::eOk) {
            acutPrintf(L"\nCannot get entity name from objectID!");
            ok = false;
        } else if (acedSSAdd(ent, ss, ss) != RTNORM) {
            acutPrintf(L"\nCannot add entity to selection set!");
            ok = false;
        }
    }
    if (ok && acedSSSetFirst(ss, nullptr) != RTNORM) {
        acutPrintf(L"\nCannot set pickfirst selection set!");
        ok = false;
    }
    acedSSFree(ss);
    ids.setLogicalLength(0);
    return ok;
}
