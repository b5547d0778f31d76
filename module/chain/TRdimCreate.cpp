#include "module/chain/TRdimCreate.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/database/acutResbuf.h"
#include "host/db/entities/AcDb2dPolyline.h"
#include "host/db/entities/AcDbCurve.h"
#include "host/ed/Ucs.h"
#include "host/ed/acutPrintf.h"
#include "host/ed/input/EditorInput.h"
#include "host/ed/lisp/LispFunctions.h"
#include "host/ed/selection/AcEdSelectionSet.h"
#include "host/ed/selection/acedSSGet.h"
#include "module/base/LintaroLog.h"
#include "module/base/UcsPoint.h"
#include "module/chain/TRdim.h"
#include "module/chain/TRdimJig.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/OptionIndices.h"
#include "module/options/ScaleMaps.h"
#include "module/resources/resource.h"
#include "module/services/DbServices.h"
#include "module/services/DocLocks.h"
#include "module/services/PalettePort.h"
#include "module/services/XDataServices.h"

#include <memory>

namespace {

constexpr int kAdjustAll = 82;

// The layer a new chain would get from the palette and the chain options.
std::wstring NewChainLayer() {
    if (!pGlobDimOptions) return std::wstring();
    return NewChainLayerFor(pGlobDimOptions->GetOptionSet(OPT_MODE_CHAIN).arrayOptString[IND_S_Scale]);
}

// The first and second point (UCS); false when the user gave something else.
bool AskTwoPoints(ads_point first, ads_point second) {
    if (acedGetPoint(nullptr, std::wstring(LoadStr(IDS_PROMPT_FIRST_POINT)).c_str(), first) != RTNORM)
        return false;
    for (;;) {
        if (acedGetPoint(first, std::wstring(LoadStr(IDS_PROMPT_SECOND_POINT)).c_str(), second) != RTNORM)
            return false;
        if (!AcGePoint3d(first[0], first[1], first[2])
                 .isEqualTo(AcGePoint3d(second[0], second[1], second[2])))
            return true;
        acutPrintf(L"%s", LoadStr(IDS_POINTS_IDENTICAL));
    }
}

void RunLinearJig(int type) {
    ads_point first, second;
    if (!AskTwoPoints(first, second)) return;
    AcDbDatabase* db = acdbCurDwg();
    const bool wasLocked = IsLocked(db);
    if (!wasLocked) LockDb(db);
    {
        TRdimJig jig(WorldOf(first), WorldOf(second), type, AcDbObjectId::kNull, 0);
        jig.dragAcquire();
        LogFmt(L"\n XOTA creation: chain %s ", jig.m_idResult.isNull() ? L"discarded" : L"appended");
    }
    if (!wasLocked) UnlockDB(db);
}

// The cutting line's points (world); false when it was cancelled or has fewer than two.
bool AskCuttingLine(int type, std::vector<AcGePoint3d>& points) {
    ads_point previous = {0, 0, 0};
    for (;;) {
        ads_point p;
        const int rc = acedGetPoint(points.empty() ? nullptr : previous,
                                    std::wstring(LoadStr(IDS_PROMPT_CUTTING_LINE)).c_str(), p);
        if (rc == RTCAN) return false;
        if (rc != RTNORM) break;
        points.push_back(WorldOf(p));
        ads_point_set(p, previous);
        if (type == kDimAligned && points.size() == 2) break;
    }
    return points.size() >= 2;
}

// The points where the curves crossed by the fence meet the polyline, in the order of
// the selection and, within one curve, in the host's order.
std::vector<AcGePoint3d> GetIntersectPoints(AcDbObjectId polylineId, const std::vector<AcGePoint3d>& fence) {
    std::vector<AcGePoint3d> found;
    resbuf* list = nullptr;
    resbuf** tail = &list;
    for (const AcGePoint3d& w : fence) {
        const ads_point wp = {w.x, w.y, w.z};
        ads_point ucs;
        acdbWcs2Ucs(wp, ucs, false);
        *tail = acutBuildList(RT3DPOINT, ucs, 0);
        if (*tail) tail = &(*tail)->rbnext;
    }
    ads_name ss;
    const int rc = acedSSGet(L"_F", list, nullptr, nullptr, ss);
    acutRelRb(list);
    if (rc != RTNORM) return found;
    AcDbEntity* poly = nullptr;
    if (acdbOpenAcDbEntity(poly, polylineId, AcDb::kForRead) != Acad::eOk) {
        acedSSFree(ss);
        return found;
    }
    Adesk::Int32 n = 0;
    acedSSLength(ss, &n);
    for (Adesk::Int32 i = 0; i < n && i < kCuttingLineMaxObjects; ++i) {
        ads_name e;
        AcDbObjectId id;
        if (acedSSName(ss, i, e) != RTNORM || acdbGetObjectId(id, e) != Acad::eOk || id == polylineId)
            continue;
        AcDbCurve* curve = nullptr;
        if (acdbOpenObject(curve, id, AcDb::kForRead) != Acad::eOk) continue;
        AcGePoint3dArray meets;
        curve->intersectWith(poly, AcDb::kOnBothOperands, meets);
        curve->close();
        for (const AcGePoint3d& p : meets)
            found.push_back(p);
    }
    poly->close();
    acedSSFree(ss);
    return found;
}

// Adds the cutting line as a temporary polyline (undo off), finds where the drawing
// crosses it and takes the polyline away again.
std::vector<AcGePoint3d> CrossingsOf(AcDbDatabase* db, const std::vector<AcGePoint3d>& line) {
    db->disableUndoRecording(true);
    AcGePoint3dArray vertices;
    for (const AcGePoint3d& p : line)
        vertices.append(AcGePoint3d(p.x, p.y, 0.0));
    auto* poly = new AcDb2dPolyline(AcDb::k2dSimplePoly, vertices, line.front().z);
    AcDbObjectId polyId;
    std::vector<AcGePoint3d> found;
    if (posToDb(poly, polyId) == Acad::eOk) {
        poly->close();
        found = GetIntersectPoints(polyId, line);
        AcDbEntity* temp = nullptr;
        if (acdbOpenAcDbEntity(temp, polyId, AcDb::kForWrite) == Acad::eOk) {
            temp->erase();
            temp->close();
        }
    } else {
        delete poly;
    }
    db->disableUndoRecording(false);
    return found;
}

// Builds and appends the chain through the crossings; false when the user did not
// place it.
bool BuildChainFromCrossings(int type, const std::vector<AcGePoint3d>& points) {
    RegisterChainMouseFilter();
    ads_point at;
    const int rc = acedGetPoint(nullptr, std::wstring(LoadStr(IDS_PROMPT_PLACE_CHAIN)).c_str(), at);
    RemoveChainMouseFilter();
    Palette().Show();
    if (rc != RTNORM) return false;
    AcGePoint3d position = WorldOf(at);
    auto chain = std::make_unique<TRdim>(points[0], points[1], type, position);
    if (chain->GetExtensions() < 2) return false;
    for (size_t i = 2; i < points.size(); ++i)
        chain->AddPointInput(points[i], false);
    if (std::optional<POINT> click = ChainClickPixel())
        if (std::optional<AcGePoint3d> placed = PlaceByExistingChain(*chain, *click)) position = *placed;
    chain->ChangePointMainDim(position);
    chain->AdjustTexts(kAdjustAll);
    SetNewChainLayer(*chain);
    AcDbObjectId id;
    if (posToDb(chain.get(), id) != Acad::eOk) return false;
    chain.release()->close();
    return true;
}

} // namespace

std::vector<AcGePoint3d> DropRepeatedPoints(const std::vector<AcGePoint3d>& points) {
    std::vector<AcGePoint3d> kept;
    for (const AcGePoint3d& p : points) {
        bool seen = false;
        for (const AcGePoint3d& q : kept)
            seen = seen || q.isEqualTo(p);
        if (!seen) kept.push_back(p);
    }
    return kept;
}

bool MakeDimByLine(int type) {
    Palette().Hide();
    std::vector<AcGePoint3d> line;
    AcDbDatabase* db = acdbCurDwg();
    if (!AskCuttingLine(type, line) || !db) {
        Palette().Show();
        return false;
    }
    const bool wasLocked = IsLocked(db);
    if (!wasLocked) LockDb(db);
    const std::vector<AcGePoint3d> points = DropRepeatedPoints(CrossingsOf(db, line));
    bool made = false;
    if (points.size() < 2) {
        MsgBox(IDS_CUTTING_LINE_NO_CROSSINGS);
        Palette().Show();
    } else {
        made = BuildChainFromCrossings(type, points);
    }
    if (!wasLocked) UnlockDB(db);
    return made;
}

void CreateLinearChain(int type) {
    // The palette is opened for the command when it is not, and closed again afterwards;
    // new chains take their settings from it.
    PalettePort& palette = Palette();
    const bool hadPalette = palette.Exists();
    try {
        if (!palette.Exists()) palette.Start();
        if (!palette.Exists() || !MayCreateOnLayer(NewChainLayer())) {
            palette.Show();
            return;
        }
        palette.SelectMode(OPT_MODE_CHAIN);
        palette.EnableActions(false);
        if (pGlobDimOptions && pGlobDimOptions->GetOptFlag(IND_OPT_B_DimByLine)) {
            MakeDimByLine(type);
        } else {
            palette.Hide();
            RunLinearJig(type);
            if (!hadPalette && palette.Exists()) palette.Discard();
        }
    } catch (...) {
        LogMsg(L"\n*** ERROR ON CreateLinearChain");
        acutPrintf(L"\nAny ERROR on creating the chain");
    }
    palette.Show();
    palette.EnableActions(true);
}

int MakeDimByLineFromLisp() {
    // Without an argument the chain runs along the options' palette-hidden flag: 0
    // horizontal, 1 vertical.
    int type = pGlobDimOptions && pGlobDimOptions->m_bDlgMainHidden ? kDimVertical : kDimHorizontal;
    if (const resbuf* args = acedGetArgs()) {
        if (args->restype != RTSHORT && args->restype != RTLONG) return RTERROR;
        type = args->restype == RTSHORT ? args->resval.rint : args->resval.rlong;
    }
    if (type < kDimHorizontal || type > kDimAligned) {
        acutPrintf(LoadStr(IDS_CUTTING_LINE_BAD_TYPE), type);
        return RTERROR;
    }
    try {
        MakeDimByLine(type);
    } catch (...) {
        LogMsg(L"\n*** ERROR ON MakeDimByLine");
        Palette().Show();
    }
    return RTNORM;
}
