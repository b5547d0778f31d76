// Editing a height mark with the host's commands: grips, stretch, transformation with the
// protection of a fixed group base, and applying the current settings again.
#include "module/height/TRdimHeight.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/ge/AcGeTol.h"
#include "host/win/WinKeyState.h"
#include "module/services/ActiveCommand.h"
#include "module/services/DocLocks.h"
#include "module/base/LintaroLog.h"
#include "module/services/ReactorSuspension.h"
#include "module/services/PalettePort.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/OptionIndices.h"

#include <cmath>
#include <memory>

namespace {

constexpr double kTwoPi = 6.283185307;
constexpr double kRadToDeg = 57.29577951308232;

bool Contains(const std::wstring& text, const wchar_t* part) {
    return text.find(part) != std::wstring::npos;
}

bool CtrlHeld() {
    return GetKeyState(VK_CONTROL) < 0;
}

// A transformation that makes a new object: the host's copy commands, or a drag with Ctrl.
bool IsCopying(const std::wstring& command) {
    return Contains(command, L"PASTECLIP") || Contains(command, L"COPY") ||
           (Contains(command, L"DROPGEOM") && CtrlHeld());
}

bool InWorkingDrawing(const AcDbObject* object) {
    const AcDbHostApplicationServices* services = acdbHostApplicationServices();
    return !object->database() || (services && object->database() == services->workingDatabase());
}

} // namespace

// ---------------------------------------------------------------- grips and stretch

Acad::ErrorStatus TRdimHeight::subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& /*osnapModes*/,
                                                AcDbIntArray& /*geomIds*/) const {
    if (IsPlan()) {
        gripPoints.append(GetPoint(kHPointInput));
        gripPoints.append(GetPoint(kHPointText1));
        if (HasSecondRow()) gripPoints.append(GetPoint(kHPointText2));
        return Acad::eOk;
    }
    gripPoints.append(GetPoint(kHPointInput));
    gripPoints.append(GetPoint(kHPointDim));
    gripPoints.append(GetPoint(kHPointText1));
    if (HasSecondRow()) gripPoints.append(GetPoint(kHPointText2));
    gripPoints.append(GetPoint(kHPointExt1));
    gripPoints.append(GetPoint(kHPointExt2));
    return Acad::eOk;
}

Acad::ErrorStatus TRdimHeight::subGetStretchPoints(AcGePoint3dArray& stretchPoints) const {
    AcDbIntArray modes, ids;
    return subGetGripPoints(stretchPoints, modes, ids);
}

Acad::ErrorStatus TRdimHeight::subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    if (IsFixedBase()) {
        LogMsg(L"\n!!! NEMOZNO MODIFIKOVAT !!!");
        return Acad::eOk;
    }
    assertWriteEnabled();
    const bool second = HasSecondRow();
    for (int index : indices) {
        LogFmt(L" #%d ", index);
        // The points in grip order; a mark without a second row has no grip for it.
        int point = -1;
        if (IsPlan()) {
            static const int kPlan[] = {kHPointInput, kHPointText1, kHPointText2};
            if (index >= 0 && index < (second ? 3 : 2)) point = kPlan[index];
        } else {
            const int ext = second ? 4 : 3;
            static const int kSection[] = {kHPointInput, kHPointDim, kHPointText1, kHPointText2};
            if (index >= 0 && index < ext) point = kSection[index];
            else if (index == ext) point = kHPointExt1;
            else if (index == ext + 1) point = kHPointExt2;
        }
        const AcGePoint3d moved = GetPoint(point) + offset;
        switch (point) {
        case kHPointInput:
            if (IsPlan()) SetPointDim(moved);
            else SetPointInput(moved);
            break;
        case kHPointDim: SetPointDim(moved); break;
        case kHPointExt1: SetPointExt1(moved); break;
        case kHPointExt2: SetPointExt2(moved); break;
        case kHPointText1:
        case kHPointText2: SetPoint(point, moved); break;
        default: break;
        }
    }
    // A section mark's level may have changed with its measured point.
    if (!IsPlan()) SetCurHeight();
    return Acad::eOk;
}

Acad::ErrorStatus TRdimHeight::subMoveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    if (indices.isEmpty() || offset.isZeroLength()) return Acad::eOk;
    return subMoveGripPointsAt(indices, offset);
}

// ---------------------------------------------------------------- transformation

Acad::ErrorStatus TRdimHeight::subTransformBy(const AcGeMatrix3d& xform) {
    const std::wstring command = GetActiveCommand(true);
    LogFmt(L"\nTRdimHeight::transformBy-<%s> ", command.c_str());
    CDbLockScope lock(database(), L"transformBy");
    const bool copying = IsCopying(command);
    if (IsFixedBase()) {
        if (copying) {
            LogMsg(L" - NewDim!!");
        } else if (CtrlHeld() && InWorkingDrawing(this)) {
            LogMsg(L" - CTRL PRESSED!!!");
        } else {
            LogMsg(L"\n!!! NESMIE SA MODIFIKOVAT !!!");
            return Acad::eOk;
        }
    }
    assertWriteEnabled();
    const AcGePoint3d oldDim = GetPoint(kHPointDim);
    for (AcGePoint3d& p : m_points)
        p.transformBy(xform);
    if (!m_vNormal.isZeroLength()) m_vNormal = m_vNormal.transformBy(xform).normal();
    if (copying && !IsPlan()) SetCoordSystem(true);
    if (!IsPlan() && (Contains(command, L"INSERT") || command == L"XATTACH")) return Acad::eOk;
    m_ptOrigin.transformBy(xform);
    for (AcGeVector3d& axis : m_xyzAxis)
        if (!axis.isZeroLength()) axis = axis.transformBy(xform).normal();
    if (IsPlan()) {
        m_xyzAxis[1] = m_xyzAxis[2].crossProduct(m_xyzAxis[0]).normal();
        m_dRotation = 0.0;
    } else {
        const double angle = m_xyzAxis[0].angleTo(AcGeVector3d::kXAxis, AcGeVector3d::kZAxis);
        m_dRotation = angle == 0.0 ? 0.0 : kTwoPi - angle;
    }
    m_vectorDim = AcGeVector3d(AcGeVector3d::kXAxis).rotateBy(m_dRotation, AcGeVector3d::kZAxis);
    if (!IsPlan() && (Contains(command, L"BLOCK") || AreReactorsSuspended() || command == L"EXPLODE")) {
        LogMsg(L"\nTRdimHeight::transformBy  - vynechavam inicializaciu...");
        return Acad::eOk;
    }
    SetCurHeight();
    if (!IsPlan() && m_iRole != kHeightRoleMark) DimMoved(GetPoint(kHPointDim) - oldDim);
    if (IsPlan()) {
        SetVectorDim();
        InitPointText();
    } else {
        // Section marks stay upright in the current UCS, mirrored or not.
        SetCoordSystem(true);
        SetCurHeight();
        SetPointDim(GetPoint(kHPointDim));
    }
    LogFmt(L" =>m_dRotation=%d ", static_cast<int>(m_dRotation * kRadToDeg));
    return Acad::eOk;
}

Acad::ErrorStatus TRdimHeight::subGetTransformedCopy(const AcGeMatrix3d& xform, AcDbEntity*& pEnt) const {
    LogMsg(L"\nTRdimHeight::getTransformedCopy ");
    pEnt = nullptr;
    std::unique_ptr<AcDbEntity> copy(AcDbEntity::cast(clone()));
    if (!copy) return Acad::eNotApplicable;
    const Acad::ErrorStatus es = copy->transformBy(xform);
    if (es != Acad::eOk) return es;
    pEnt = copy.release();
    return Acad::eOk;
}

// ---------------------------------------------------------------- settings again

int TRdimHeight::Regenerate(int iType) {
    LogFmt(L"\nTRdimHeight::Regenerate START iType=%d ", iType);
    CDbLockScope lock(database(), L"Regenerate");
    const bool wasWritable = isWriteEnabled();
    if (!wasWritable && upgradeOpen() != Acad::eOk) {
        LogFmt(L"\nRegenerate isWriteEnabled()=%d es=%d ", 0, 0);
        return 0;
    }
    const AcGePoint3d oldDim = GetPoint(kHPointDim);
    const AcGePoint3d ext1 = GetPoint(kHPointExt1), ext2 = GetPoint(kHPointExt2);
    if (iType < 1) {
        SetVectorDim();
        // The mark's own links and user-text choice survive taking the palette's settings.
        const std::uint32_t userText = GetParamInt(IND_I_HUserText);
        const std::uint32_t auto1 = GetParamInt(IND_I_HAutoValue1), auto2 = GetParamInt(IND_I_HAutoValue2);
        const std::wstring link1 = GetAutoLink(1), link2 = GetAutoLink(2);
        Palette().InitParameters(IsPlan() ? OPT_MODE_HEIGHT_PLAN : OPT_MODE_HEIGHT, this, false);
        SetParamInt(IND_I_HUserText, userText);
        SetParamInt(IND_I_HAutoValue1, auto1);
        SetParamInt(IND_I_HAutoValue2, auto2);
        SetParamString(IND_S_HK_Auto_Handle1, link1);
        SetParamString(IND_S_HK_Auto_Handle2, link2);
        FixOwnHandle();
        SetCoordSystem(false);
        ScaleOrLayerChanged();
    }
    if (pGlobDimOptions) {
        const COptionSet& set = pGlobDimOptions->GetOptionSet(OPT_MODE_HEIGHT);
        SetParamString(IND_S_Delimiter, set.arrayOptString[IND_S_Delimiter]);
        SetParamInt(IND_I_HPlusMinusHide, set.arrayOptInt[IND_I_HPlusMinusHide]);
    }
    SetCurHeight();
    SetPointDim(GetPoint(kHPointDim));
    if (iType < 1 && oldDim.isEqualTo(GetPoint(kHPointDim)) && !IsPlan()) {
        SetPoint(kHPointExt1, ext1);
        SetPoint(kHPointExt2, ext2);
    }
    recordGraphicsModified();
    if (!wasWritable) downgradeOpen();
    LogMsg(L"\nTRdimHeight::Regenerate STOP");
    return 1;
}
