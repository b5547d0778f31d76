// XOTA_dimArc: the user shows the arc, circle or polyline arc segment to measure along,
// gives two points on it (or, on a circle, one point or a leader start for the whole
// circumference), and places the dimension arc with the jig. The chain then follows
// its curve as a persistent reactor of it.
#include "module/chain/TRdimCreate.h"

#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/database/acutResbuf.h"
#include "host/db/entities/AcDbArc.h"
#include "host/db/entities/AcDbCircle.h"
#include "host/db/entities/AcDbCurve.h"
#include "host/db/entities/AcDbPolyline.h"
#include "host/ed/Ucs.h"
#include "host/ed/acutPrintf.h"
#include "host/ed/input/EditorInput.h"
#include "host/ed/selection/AcEdSelectionSet.h"
#include "host/ed/selection/acedSSGet.h"
#include "module/base/LintaroLog.h"
#include "module/base/UcsPoint.h"
#include "module/chain/PopupState.h"
#include "module/chain/TRdim.h"
#include "module/chain/TRdimJig.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/OptionIndices.h"
#include "module/options/ScaleMaps.h"
#include "module/resources/ContextMenuResources.h"
#include "module/resources/resource.h"
#include "module/services/DbServices.h"
#include "module/services/DocLocks.h"
#include "module/services/PalettePort.h"

#include <memory>

namespace {

// A picked point this close to the arc's centre has no direction: an end of the arc
// is taken instead.
constexpr double kPickAtCentre = 1e-4;

std::wstring NewChainLayer() {
    if (!pGlobDimOptions) return std::wstring();
    return NewChainLayerFor(pGlobDimOptions->GetOptionSet(OPT_MODE_CHAIN).arrayOptString[IND_S_Scale]);
}

// The marker of the picked primitive (a polyline's segment is marker - 1); 0 without.
int PickedMarker(const ads_name ss) {
    resbuf* list = nullptr;
    if (acedSSNameX(&list, ss, 0) != RTNORM) return 0;
    int marker = 0;
    for (const resbuf* rb = list; rb; rb = rb->rbnext)
        if (rb->restype == RTLONG) {
            marker = static_cast<int>(rb->resval.rlong);
            break;
        }
    acutRelRb(list);
    return marker;
}

// The arc of the picked curve and whether it is a circle; null when it has none.
std::unique_ptr<AcGeCircArc3d> ArcOfCurve(AcDbObjectId curveId, int subIndex, bool& isCircle) {
    AcDbCurve* curve = nullptr;
    if (acdbOpenObject(curve, curveId, AcDb::kForRead) != Acad::eOk) return nullptr;
    isCircle = AcDbCircle::cast(curve) != nullptr;
    std::unique_ptr<AcGeCircArc3d> arc(TRdim::Curve2GeArc(curve, subIndex));
    curve->close();
    return arc;
}

struct ArcPoints {
    AcGePoint3d first, second;
    bool fullCircle = false;
    bool leaderStart = false;
};

// The two measured points on the arc; false when the command ends.
bool AskArcPoints(const AcGeCircArc3d& arc, bool isCircle, ArcPoints& out) {
    ads_point p;
    const int rc = acedGetPoint(nullptr, std::wstring(LoadStr(IDS_PROMPT_ARC_FIRST_POINT)).c_str(), p);
    if (rc == RTNORM) {
        out.first = PointOntoArc(arc, WorldOf(p), arc.startPoint());
        out.second = out.first;
        ads_point q;
        const int rc2 = acedGetPoint(p, std::wstring(LoadStr(IDS_PROMPT_ARC_SECOND_POINT)).c_str(), q);
        if (rc2 == RTNORM)
            out.second = PointOntoArc(arc, WorldOf(q), arc.endPoint());
        else if (rc2 == RTCAN)
            return false;
        else if (isCircle)
            out.fullCircle = true;
    } else if (rc == RTNONE && isCircle) {
        if (acedGetPoint(nullptr, std::wstring(LoadStr(IDS_PROMPT_LEADER_START)).c_str(), p) != RTNORM)
            return false;
        out.first = out.second = WorldOf(p);
        out.fullCircle = true;
        out.leaderStart = true;
    } else {
        return false;
    }
    if (!isCircle && out.first.isEqualTo(out.second)) {
        acutPrintf(L"%s", LoadStr(IDS_POINTS_IDENTICAL));
        return false;
    }
    return true;
}

// The chain follows its curve, and takes the full-circle mark of the command.
void AttachToCurve(AcDbObjectId curveId, AcDbObjectId chainId, bool fullCircle) {
    AcDbObject* curve = nullptr;
    if (acdbOpenObject(curve, curveId, AcDb::kForWrite) == Acad::eOk) {
        curve->addPersistentReactor(chainId);
        curve->close();
    } else {
        LogMsg(L"\n*** XOTA_dimArc: curve not open for write ");
    }
    TRdim* chain = nullptr;
    if (acdbOpenObject(chain, chainId, AcDb::kForWrite) != Acad::eOk) return;
    chain->SetParamInt(IND_I_ArcDimInputArcIsCircle, fullCircle ? 1 : 0);
    chain->SetParamInt(IND_I_ArcDimAsCircle, fullCircle ? 1 : 0);
    chain->Regenerate(1);
    chain->AdjustTexts(0);
    chain->close();
}

void RunArcJig() {
    AcDbObjectId curveId;
    int subIndex = 0;
    if (!PickArcCurve(curveId, subIndex)) return;
    bool isCircle = false;
    std::unique_ptr<AcGeCircArc3d> arc = ArcOfCurve(curveId, subIndex, isCircle);
    if (!arc) {
        acutPrintf(L"%s", LoadStr(IDS_ARC_SEGMENT_NOT_ARC));
        return;
    }
    ArcPoints points;
    if (!AskArcPoints(*arc, isCircle, points)) return;
    AcDbDatabase* db = acdbCurDwg();
    const bool wasLocked = IsLocked(db);
    if (!wasLocked) LockDb(db);
    AcDbObjectId chainId;
    {
        TRdimJig jig(points.first, points.second, kDimArc, curveId, subIndex);
        jig.dragAcquire();
        chainId = jig.m_idResult;
    }
    LogFmt(L"\n XOTA_dimArc: chain %s ", chainId.isNull() ? L"discarded" : L"appended");
    if (!chainId.isNull()) AttachToCurve(curveId, chainId, points.fullCircle);
    // The user goes on adding points, as after the first two of a linear chain.
    if (!chainId.isNull() && !points.leaderStart) PostPopupOperation(ID_CTX_POINTS_ADD, chainId, false);
    if (!wasLocked) UnlockDB(db);
}

} // namespace

bool PickArcCurve(AcDbObjectId& curveId, int& subIndex) {
    const std::wstring prompt = LoadStr(IDS_PROMPT_ARC_OBJECT);
    const wchar_t* prompts[2] = {prompt.c_str(), L""};
    ads_name ss;
    if (acedSSGet(L"_:S:$", prompts, nullptr, nullptr, ss) != RTNORM) return false;
    ads_name ent;
    const bool named = acedSSName(ss, 0, ent) == RTNORM && acdbGetObjectId(curveId, ent) == Acad::eOk;
    const int marker = PickedMarker(ss);
    acedSSFree(ss);
    if (!named) return false;
    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, curveId, AcDb::kForRead) != Acad::eOk) return false;
    const bool polyline = AcDbPolyline::cast(entity) != nullptr;
    const bool usable = polyline || AcDbArc::cast(entity) || AcDbCircle::cast(entity);
    entity->close();
    if (!usable) {
        acutPrintf(L"%s", LoadStr(IDS_ARC_OBJECT_REFUSED));
        return false;
    }
    subIndex = polyline && marker > 0 ? marker - 1 : 0;
    return true;
}

AcGePoint3d PointOntoArc(const AcGeCircArc3d& arc, const AcGePoint3d& point, const AcGePoint3d& atCentre) {
    const AcGeVector3d v = (point - arc.center()).orthoProject(arc.normal());
    if (v.length() < kPickAtCentre) return atCentre;
    return arc.center() + v.normal() * arc.radius();
}

void CreateArcChain() {
    // The palette gives the new chain its settings; opened for the command when it is
    // not, it stays hidden and is closed again afterwards.
    PalettePort& palette = Palette();
    const bool hadPalette = palette.Exists();
    try {
        if (!palette.Exists()) palette.Start();
        if (palette.Exists() && MayCreateOnLayer(NewChainLayer())) {
            palette.SelectMode(OPT_MODE_CHAIN);
            palette.EnableActions(false);
            palette.Hide();
            RunArcJig();
        }
    } catch (...) {
        LogMsg(L"\n*** ERROR ON CreateArcChain");
        acutPrintf(L"\nAny ERROR on creating the chain");
    }
    if (!hadPalette && palette.Exists()) palette.Discard();
    palette.Show();
    palette.EnableActions(true);
}
