// Groups of section marks: a base (role 2) holds the reference values and every member
// takes its values from its level above the base, in the member's own coordinate system.
#include "module/height/TRdimHeight.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/ed/acutPrintf.h"
#include "host/ge/AcGeTol.h"
#include "module/services/DbServices.h"
#include "module/services/DocLocks.h"
#include "module/base/LintaroLog.h"
#include "module/app/HeightLinks.h"
#include "module/options/OptionIndices.h"

#include <cmath>
#include <string>

namespace {

// A base's second value this close to zero is unset: members take the first instead.
constexpr double kBaseSecondUnset = 1e-4;
// Integer parameter 7 of a section mark: 3 on a new base, the row layout on a member.
constexpr int kIndGroupFormat = 7;

// Gives the member the base's layer and scale; true when anything changed.
bool TakeLayerAndScale(TRdimHeight* member, const TRdimHeight* base) {
    bool changed = false;
    const std::wstring layer = GetLayerName(base->layerId());
    if (!layer.empty() && GetLayerName(member->layerId()) != layer) changed = member->setLayer(layer.c_str()) == Acad::eOk;
    if (member->GetParamString(IND_S_Scale) != base->GetParamString(IND_S_Scale) ||
        member->GetParamDouble(IND_D_ScaleVal) != base->GetParamDouble(IND_D_ScaleVal)) {
        member->SetParamString(IND_S_Scale, base->GetParamString(IND_S_Scale));
        member->SetParamDouble(IND_D_ScaleVal, base->GetParamDouble(IND_D_ScaleVal));
        member->InitPointText();
        changed = true;
    }
    return changed;
}

} // namespace

AcDbObjectIdArray GetGroupMembers(AcDbObjectId baseId) {
    AcDbObjectIdArray members;
    if (baseId.isNull()) return members;
    for (const AcDbObjectId& id : HeightMarksOf(baseId.database())) {
        if (id == baseId) continue;
        TRdimHeight* mark = nullptr;
        if (acdbOpenObject(mark, id, AcDb::kForRead) != Acad::eOk) continue;
        if (!mark->IsPlan() && mark->GetRole() == kHeightRoleMark && mark->GetBaseId() == baseId) members.append(id);
        mark->close();
    }
    return members;
}

bool TRdimHeight::IsFixedBase() const {
    return !IsPlan() && m_iRole != kHeightRoleMark && GetParamInt(IND_I_HDimNoModify) != 0;
}

double TRdimHeight::SetCurHeight() {
    TRdimHeight* base = m_idBase.isNull() ? nullptr : ObjectId2TRdimHeight(m_idBase);
    if (!base) {
        RefreshAutoValue(true);
        if (!m_idBase.isNull())
            LogFmt(L"\n SetCurHeight:!pBaseDim(id:%d) ", static_cast<int>(m_idBase.handle().low()));
        return m_dHeight1;
    }
    const double dy = WorldToMark(GetPoint(kHPointInput)).y - WorldToMark(base->GetPoint(kHPointInput)).y;
    double second = base->GetHeight2();
    if (std::abs(second) < kBaseSecondUnset) second = base->GetHeight1();
    assertWriteEnabled();
    m_dHeight1 = base->GetHeight1() + dy;
    m_dHeight2 = second + dy;
    base->close();
    InitPointText();
    return m_dHeight1;
}

int TRdimHeight::DimMoved(const AcGeVector3d& offset) {
    if (IsPlan()) return 0;
    if (m_iRole == kHeightRoleMark) {
        const double dy = WorldToMarkVector(offset).y;
        assertWriteEnabled();
        m_dHeight1 += dy;
        m_dHeight2 += dy;
        return 0;
    }
    AcDbDatabase* db = database();
    CDbLockScope lock(db, L"DimMoved");
    try {
        const double baseLevel = WorldToMark(GetPoint(kHPointInput)).y;
        for (const AcDbObjectId& id : GetGroupMembers(objectId())) {
            TRdimHeight* member = nullptr;
            if (acdbOpenObject(member, id, AcDb::kForWrite) != Acad::eOk) continue;
            const double dy = WorldToMark(member->GetPoint(kHPointInput)).y - baseLevel;
            member->SetHeight(1, dy + m_dHeight1);
            member->SetHeight(2, dy + m_dHeight2);
            member->SetParamInt(kIndGroupFormat, GetParamInt(IND_I_Format));
            member->InitPointText();
            member->recordGraphicsModified();
            member->close();
        }
    } catch (...) {
        LogMsg(L"\n!!!DimMoved - ANY PROBLEM");
        acutPrintf(L"DimMoved - ANY PROBLEM");
    }
    return 1;
}

int TRdimHeight::ScaleOrLayerChanged() {
    if (IsPlan()) return 0;
    int changed = 0;
    if (m_iRole != kHeightRoleMark) {
        for (const AcDbObjectId& id : GetGroupMembers(objectId())) {
            TRdimHeight* member = nullptr;
            if (acdbOpenObject(member, id, AcDb::kForWrite) != Acad::eOk) continue;
            if (TakeLayerAndScale(member, this)) changed = 1;
            member->close();
        }
        return changed;
    }
    TRdimHeight* base = m_idBase.isNull() ? nullptr : ObjectId2TRdimHeight(m_idBase);
    if (!base) {
        LogFmt(L"\n ScaleOrLayerChanged :!pBaseDim(id:%d) ", static_cast<int>(m_idBase.handle().low()));
        return 0;
    }
    changed = TakeLayerAndScale(this, base) ? 1 : 0;
    base->close();
    return changed;
}
