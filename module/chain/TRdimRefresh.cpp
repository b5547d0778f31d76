// Rebuilding a chain from its input points (Refresh, DimRefresh, Regenerate) and the
// notifications of the curve an arc chain measures. All of it runs inside the host's
// commands and notifications, so every operation takes write access the way the
// object's open state allows (WriteAccess) and locks the drawing only when it is not
// locked yet.
#include "module/chain/TRdim.h"

#include "host/db/entities/AcDbCurve.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/ge/AcGeCircArc3d.h"
#include "host/ge/AcGeTol.h"
#include "host/rx/AcRxClass.h"
#include "module/services/ActiveCommand.h"
#include "module/services/DocLocks.h"
#include "module/base/LintaroLog.h"
#include "module/services/CommandObjects.h"
#include "module/services/PalettePort.h"
#include "module/chain/TextSide.h"
#include "module/chain/WriteAccess.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/OptionIndices.h"

#include <cmath>
#include <memory>
#include <string>
#include <vector>

using namespace lintaro::tol;

namespace {

// What Regenerate does with the texts.
enum TextTreatment { kTextsKeep = 0, kTextsCentre = 1, kTextsCarry = 2 };

// A text box reaching less than this across the dimension line does not cross it.
constexpr double kCrossesDimLine = 1e-6;
// Where the arc data keeps the centre of the measured arc (TRdimArc.cpp).
constexpr int kArcCentreSlot = 3;

double GlobalChainDouble(int index) {
    const std::vector<double>& values = pGlobDimOptions->GetOptionSet(OPT_MODE_CHAIN).arrayOptDouble;
    return index >= 0 && index < static_cast<int>(values.size()) ? values[static_cast<size_t>(index)] : 0.0;
}

std::wstring GlobalChainString(int index) {
    const std::vector<std::wstring>& values = pGlobDimOptions->GetOptionSet(OPT_MODE_CHAIN).arrayOptString;
    return index >= 0 && index < static_cast<int>(values.size()) ? values[static_cast<size_t>(index)]
                                                                 : std::wstring();
}

bool GlobalFlag(int index) {
    return pGlobDimOptions && pGlobDimOptions->GetOptFlag(index) != 0;
}

// The palette has no choice for the texts of a regenerated chain: it keeps them.
int PaletteTextTreatment() {
    return kTextsKeep;
}

const wchar_t* WayText(WriteAccess::Way way) {
    switch (way) {
    case WriteAccess::kAlready:
        return L"write";
    case WriteAccess::kFromNotify:
        return L"upgradeFromNotify";
    case WriteAccess::kUpgraded:
        return L"upgradeOpen";
    case WriteAccess::kNone:
        break;
    }
    return L"none";
}

std::wstring HandleText(const AcDbObject* object) {
    return object ? object->handle().text() : std::wstring(L"-");
}

const wchar_t* DxfName(const AcDbObject* object) {
    return object && object->isA() ? object->isA()->dxfName() : L"?";
}

} // namespace

// ---------------------------------------------------------------- shared pieces

void TRdim::TakeRotationFromVector() {
    // The angle of the dimension line as the chain's UCS sees it.
    AcGeVector3d inUcs = m_rec.geo.vectorDim;
    inUcs.transformBy(GetUcsMatrix().inverse());
    if (inUcs.isZeroLength()) return;
    m_rec.geo.rotation = std::atan2(inUcs.y, inUcs.x);
    if (m_rec.geo.rotation < 0) m_rec.geo.rotation += kArcTwoPi;
}

std::vector<AcGePoint3d> TRdim::TextPoints() const {
    std::vector<AcGePoint3d> points;
    for (int k = 0; k < GetExtensions(); ++k)
        points.push_back(m_rec.geo.points[4 * k + 3]);
    return points;
}

std::vector<AcGePoint3d> TRdim::ExtensionStarts() const {
    std::vector<AcGePoint3d> points;
    for (int i = 0; i < GetExtensions(); ++i)
        points.push_back(m_rec.geo.points[4 * i + 1]);
    return points;
}

int TRdim::ReplaceInputPoints(const std::vector<AcGePoint3d>& starts, bool bPutStartsBack,
                              const wchar_t* label) {
    const int n = GetExtensions();
    for (int i = 0; i < n; ++i) {
        const int r = SetPointInput(i, GetPointInput(i), kPointNew);
        if (r < 0) return i;
        if (r != i)
            LogFmt(label, r);
        else if (bPutStartsBack && i < static_cast<int>(starts.size()))
            SetPointExt(i, starts[static_cast<size_t>(i)], false);
    }
    return n;
}

void TRdim::KeepTextsOffDimLine() {
    const int n = GetExtensions();
    if (IsDimArc() || n < 2) return;
    const AcGeVector3d across = GetUcsNormal().crossProduct(m_rec.geo.vectorDim);
    const AcGePoint3d through = GetPointDim(0);
    for (int k = 1; k < n; ++k) {
        if (!BoxCrossesLine(TextBox(k, 0.0), through, across, kCrossesDimLine)) continue;
        LogMsg(L" !!!CROSS DimLine! ");
        SetPointText(k, MirrorThroughLine(GetPointTextPos(k), through, across), false);
        LogMsg(L"-mirror ");
    }
}

// ---------------------------------------------------------------- refresh

int TRdim::Refresh() {
    LogMsg(L"\nTRdim::Refresh START");
    LogFmt(L"\nEnabled R:%d W:%d N:%d ", isReadEnabled() ? 1 : 0, isWriteEnabled() ? 1 : 0,
           isNotifyEnabled() ? 1 : 0);
    CDbLockScope lock(databaseToUse(), L"TRdim::Refresh");
    WriteAccess access(this);
    if (access.way() == WriteAccess::kFromNotify)
        LogFmt(L"\nupgradeFromNotify=%d ", static_cast<int>(access.status()));
    if (access.way() == WriteAccess::kUpgraded)
        LogFmt(L"\nupgradeOpen=%d ", static_cast<int>(access.status()));
    if (!access.ok()) {
        LogFmt(L" NIE/%d NOTIFY=%d ", static_cast<int>(access.status()), isNotifyEnabled() ? 1 : 0);
        return 0;
    }
    LogFmt(L" ANO/%d NOTIFY=%d ", static_cast<int>(access.status()), isNotifyEnabled() ? 1 : 0);
    for (int i = 0; i < GetExtensions(); ++i)
        if (SetPointInput(i, GetPointInput(i), kPointNew) < 0) break;
    recordGraphicsModified();
    LogMsg(L"\nREFRESH STOP ");
    return 1;
}

int TRdim::DimRefresh(int iType) {
    LogFmt(L"\nTRdim::DimRefresh START iType=%d ", iType);
    LogFmt(L" bIsWriteEnabled=%d ", isWriteEnabled() ? 1 : 0);
    CDbLockScope lock(databaseToUse(), L"TRdim::DimRefresh");
    WriteAccess access(this);
    if (!access.ok()) {
        LogFmt(L" NIE/%d NOTIFY=%d ", static_cast<int>(access.status()), isNotifyEnabled() ? 1 : 0);
        return 0;
    }
    if (!IsDimArc()) TakeRotationFromVector();
    if (iType > 0 && pGlobDimOptions) SetParamDouble(IND_D_TextOffset, GlobalChainDouble(IND_D_TextOffset));

    const AcGePoint3dArray before = m_rec.geo.points;
    RearrangeExtensions(0);
    if (!(before == m_rec.geo.points)) LogMsg(L" - Rearrange ");
    const std::vector<AcGePoint3d> texts = TextPoints();
    const std::vector<AcGePoint3d> starts = ExtensionStarts();

    LogMsg(L" STEP3 ");
    ReplaceInputPoints(starts, iType >= 0, L"\n **** !!! DimRefresh ext!=%d ");
    if (iType <= 0) {
        LogMsg(L" !bTextArrange  ");
        for (int k = 1; k < GetExtensions() && k < static_cast<int>(texts.size()); ++k)
            SetPointText(k, texts[static_cast<size_t>(k)], false);
        KeepTextsOffDimLine();
    }
    if (GlobalFlag(IND_OPT_B_AutoPosition) && !IsDimArc()) AdjustTexts('G');
    recordGraphicsModified();
    LogMsg(L"\nTRdim::Refresh STOP");
    return 1;
}

// ---------------------------------------------------------------- regenerate

void TRdim::CarryTextsAlong(const std::vector<AcGePoint3d>& texts) {
    const int n = GetExtensions();
    std::unique_ptr<AcGeCircArc3d> arc(IsDimArc() ? GetArcInput(false) : nullptr);
    for (int k = 1; k < n && k < static_cast<int>(texts.size()); ++k) {
        const AcGePoint3d old = texts[static_cast<size_t>(k)];
        const AcGePoint3d now = GetPointTextPos(k);
        AcGePoint3d carried = old;
        bool found = false;
        if (IsDimArc()) {
            if (arc) {
                const AcGeVector3d radial = old - arc->center();
                const AcGeCircArc3d textCircle(arc->center(), arc->normal(), now.distanceTo(arc->center()));
                found = !radial.isZeroLength() &&
                        MyIntersect(AcGeLine3d(arc->center(), radial), textCircle, carried, old);
            }
        } else {
            const AcGeVector3d ext = GetLineExt(k).direction();
            found = Intersect(AcGeLine3d(old, ext), AcGeLine3d(now, m_rec.geo.vectorDim), carried);
        }
        SetPointText(k, found ? carried : old, false);
    }
}

int TRdim::Regenerate(int iType) {
    LogFmt(L"\nTRdim::Regenerate START iType=%d ", iType);
    AcDbDatabase* db = databaseToUse();
    if (!pGlobDimOptions || !db) return 0;
    CDbLockScope lock(db, L"TRdim::Regenerate");
    WriteAccess access(this);
    if (!access.ok()) {
        LogFmt(L"\nNOT WRITE ENABLED !! es=%d ", static_cast<int>(access.status()));
        LogFmt(L" open_status=%d ", isReadEnabled() ? 1 : 0);
        return 0;
    }
    int treatment = iType >= 1 ? kTextsCentre : kTextsKeep;
    if (iType < 1) {
        if (!IsDimArc()) TakeRotationFromVector();
        if (Palette().Exists()) {
            Palette().InitParameters(OPT_MODE_CHAIN, this, IsDimArc());
            treatment = PaletteTextTreatment();
        }
    }
    const std::wstring delimiter = GlobalChainString(IND_S_Delimiter);
    if (!delimiter.empty()) SetParamString(IND_S_Delimiter, delimiter);
    if (iType != 0) SetParamDouble(IND_D_TextOffset, GlobalChainDouble(IND_D_TextOffset));

    const int savedMode = pGlobDimOptions->m_iMode;
    pGlobDimOptions->m_iMode = OPT_MODE_CHAIN;
    RearrangeExtensions(0);
    const std::vector<AcGePoint3d> texts = TextPoints();
    // Kept texts that sat at their default place follow it: only hand-placed ones stay.
    std::vector<bool> handPlaced(texts.size(), false);
    for (int k = 1; k < static_cast<int>(texts.size()); ++k)
        handPlaced[static_cast<size_t>(k)] = !TextAtDefault(k);
    ReplaceInputPoints(ExtensionStarts(), !GlobalFlag(IND_OPT_B_ExtNewPosition),
                       L"\n *****!!! Regenerate ext!=%d ");

    const bool autoPosition = GlobalFlag(IND_OPT_B_AutoPosition) && !IsDimArc();
    if (autoPosition || treatment == kTextsKeep) {
        for (int k = 1; k < GetExtensions() && k < static_cast<int>(texts.size()); ++k)
            if (autoPosition || handPlaced[static_cast<size_t>(k)])
                SetPointText(k, texts[static_cast<size_t>(k)], false);
    } else if (treatment == kTextsCarry) {
        CarryTextsAlong(texts);
    }
    if (autoPosition) AdjustTexts('G');
    pGlobDimOptions->m_iMode = savedMode;
    recordGraphicsModified();
    LogMsg(L"\nTRdim::Regenerate STOP");
    return 1;
}

// ---------------------------------------------------------------- the curve's notifications

void TRdim::FollowCurve() {
    const int n = GetExtensions();
    if (n < 2) return;
    // The curve may have moved as a whole: the chain moves with its centre first, so that
    // its dimension arc and texts keep their place beside the curve and every point keeps
    // its angle about the centre.
    const AcGePoint3d oldCentre = m_rec.geo.arcPoints.length() > kArcCentreSlot
                                      ? m_rec.geo.arcPoints[kArcCentreSlot]
                                      : AcGePoint3d::kOrigin;
    std::unique_ptr<AcGeCircArc3d> arc(GetArcInput(false));
    if (!arc) {
        LogMsg(L"\n TRdim::modified - no arc of the curve ");
        return;
    }
    const AcGeVector3d shift = arc->center() - oldCentre;
    if (!shift.isZeroLength()) {
        assertWriteEnabled();
        for (AcGePoint3d& p : m_rec.geo.points)
            p += shift;
        for (AcGePoint3d& p : m_rec.geo.arcPoints)
            p += shift;
        for (AppendingText& rec : m_rec.appTexts) {
            rec.m_position += shift;
            rec.m_refPoint += shift;
        }
        arc.reset(GetArcInput(false));
        if (!arc) return;
    }
    if (m_rec.geo.arcParams.length() != n) MakeParamArray();
    const AcGeDoubleArray params = m_rec.geo.arcParams;
    const bool curveIsCircle = GetParamInt(IND_I_ArcDimInputArcIsCircle) != 0;
    const bool toStart = GetParamInt(IND_I_ArcDimMinPoint) != 0 && !curveIsCircle;
    const bool toEnd = GetParamInt(IND_I_ArcDimMaxPoint) != 0 && !curveIsCircle;
    for (int i = 0; i < n && i < params.length(); ++i) {
        AcGePoint3d point = arc->evalPoint(params[i]);
        if (i == 0 && toStart) {
            LogMsg(L" <#MIN> ");
            point = arc->startPoint();
        } else if (i == n - 1 && toEnd) {
            LogMsg(L" <#MAX> ");
            point = arc->endPoint();
        }
        SetPointInputArc(i, point, kPointMoved);
    }
    AdjustTexts('R');
}

void TRdim::modified(const AcDbObject* dbObj) {
    if (!dbObj) return;
    if (dbObj->isUndoing()) {
        LogMsg(L"\n --- TRdim:: pObj modified isUndoing...");
        return;
    }
    if (isUndoing()) {
        LogMsg(L"\n --- TRdim::modified isUndoing...");
        return;
    }
    if (!pGlobDimOptions) {
        LogMsg(L"\n --- TRdim::modified !pGlobDimOptions...");
        return;
    }
    // Only the curve an arc chain measures moves the chain.
    if (!IsDimArc() || m_rec.arcObjectId.isNull() || dbObj->objectId() != m_rec.arcObjectId) return;
    CDbLockScope lock(databaseToUse(), L"TRdim::modified");
    LogFmt(L"\n## TRdim::modified H:%s DB:%d=%d R:%d W:%d N:%d NEW=%d Mod:%d MG:%d owner=%s/%s ",
           HandleText(this).c_str(), database() ? 1 : 0, dbObj->database() == database() ? 1 : 0,
           isReadEnabled() ? 1 : 0, isWriteEnabled() ? 1 : 0, isNotifyEnabled() ? 1 : 0,
           isNewObject() ? 1 : 0, isModified() ? 1 : 0, isModifiedGraphics() ? 1 : 0,
           ownerId().isNull() ? L"-" : L"ok", L"");
    LogFmt(L"\n   object %s H:%s DB:%d R:%d W:%d N:%d NEW=%d E:%d Mod:%d MG:%d owner=%s/%s ", DxfName(dbObj),
           HandleText(dbObj).c_str(), dbObj->database() ? 1 : 0, dbObj->isReadEnabled() ? 1 : 0,
           dbObj->isWriteEnabled() ? 1 : 0, dbObj->isNotifyEnabled() ? 1 : 0, dbObj->isNewObject() ? 1 : 0,
           dbObj->isErased() ? 1 : 0, dbObj->isModified() ? 1 : 0, dbObj->isModifiedGraphics() ? 1 : 0,
           dbObj->ownerId().isNull() ? L"-" : L"ok", L"");
    const std::wstring command = GetActiveCommand(true);
    LogFmt(L" CMD=%s ", command.c_str());
    if (command.find(L"BLOCK") != std::wstring::npos || command.find(L"BIND") != std::wstring::npos) return;
    if (dbObj->isErased()) {
        LogMsg(L" curve erased ");
        return;
    }
    if (IsInAppendedList(objectId())) {
        LogMsg(L" chain transformed with its curve ");
        return;
    }
    // The host may transform the curve before the chain in the same command: follow at
    // the command's end, once it is known whether the chain moved itself.
    if (!command.empty() && DeferCurveFollow(objectId())) {
        LogMsg(L" follow at the command's end ");
        return;
    }
    WriteAccess access(this);
    if (!access.ok()) {
        LogFmt(L" chain not writable (%s) es=%d ", WayText(access.way()), static_cast<int>(access.status()));
        return;
    }
    if (command.find(L"GRIP_STRETCH") == std::wstring::npos && command.find(L"SCALE") == std::wstring::npos)
        LogMsg(L" curve changed without the chain ");
    m_curveInNotify = AcDbCurve::cast(dbObj);
    FollowCurve();
    m_curveInNotify = nullptr;
}

void TRdim::erased(const AcDbObject* dbObj, Adesk::Boolean bErasing) {
    if (!dbObj) return;
    if (dbObj->isUndoing() || isUndoing()) {
        LogMsg(L"\n --- modified isUndoing...");
        return;
    }
    LogFmt(L"\nerased=%d %s H:%s R:%d W:%d N:%d NEW:%d ERASED:%d ", bErasing ? 1 : 0, DxfName(dbObj),
           HandleText(dbObj).c_str(), dbObj->isReadEnabled() ? 1 : 0, dbObj->isWriteEnabled() ? 1 : 0,
           dbObj->isNotifyEnabled() ? 1 : 0, dbObj->isNewObject() ? 1 : 0, dbObj->isErased() ? 1 : 0);
    if (objectId().isNull() || dbObj->objectId() != m_rec.arcObjectId) return;
    // The link lives in the curve: the host hands it over const, as it does to every
    // reactor, and the open state decides whether it may be written.
    AcDbObject* curve = const_cast<AcDbObject*>(dbObj);
    WriteAccess access(curve);
    if (access.way() == WriteAccess::kFromNotify)
        LogFmt(L"\nupgradeFromNotify=%d:%s ", static_cast<int>(access.status()), HandleText(curve).c_str());
    else if (access.way() == WriteAccess::kUpgraded)
        LogFmt(L"\nupgradeOpen=%d:%s ", static_cast<int>(access.status()), HandleText(curve).c_str());
    if (!access.ok()) {
        if (curve->isNotifyEnabled()) LogMsg(L" Notifying!! ");
        LogMsg(L"\n* !pObj->isWriteEnabled ");
        return;
    }
    if (bErasing)
        curve->removePersistentReactor(objectId());
    else
        curve->addPersistentReactor(objectId());
}
