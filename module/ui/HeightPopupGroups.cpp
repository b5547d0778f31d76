// The group operations of the height-mark context menu: adding marks to a group, taking
// marks over from other groups, and aligning marks on a line.
#include "module/ui/HeightPopup.h"

#include "host/db/database/AcDbObjectOpen.h"
#include "host/ed/input/EditorInput.h"
#include "host/ed/Ucs.h"
#include "host/ed/acutPrintf.h"
#include "host/ge/AcGeTol.h"
#include "module/services/DbServices.h"
#include "module/ui/PaletteApp.h"
#include "module/services/XDataServices.h"
#include "module/base/LintaroLog.h"
#include "module/height/TRdimHeight.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/OptionIndices.h"
#include "module/resources/resource.h"
#include "module/ui/CDlgMain.h"
#include "module/ui/HeightCreate.h"

#include <cmath>
#include <set>

namespace {

// The palette's prefix and suffix fields of row 1 and row 2.
constexpr int kPaletteTextFields[4] = {1099, 1097, 1098, 1096};
// Selection kind of height marks.
constexpr int kSelectHeightMarks = 3;

AcGePoint3d World(const ads_point p) {
    ads_point w;
    acdbUcs2Wcs(p, w, false);
    return AcGePoint3d(w[0], w[1], w[2]);
}

// The texts and row layout new marks of the group take.
struct GroupTemplate {
    std::wstring texts[4];
    int format = -1;
};

GroupTemplate TemplateOf(AcDbObjectId templateId, bool intoPalette) {
    GroupTemplate t;
    TRdimHeight* mark = ObjectId2TRdimHeight(templateId);
    if (!mark) return t;
    for (int i = 0; i < 4; ++i)
        t.texts[i] = mark->GetText(i);
    t.format = static_cast<int>(mark->GetParamInt(IND_I_Format));
    if (intoPalette && dlgMyApp) {
        // New members share the base's scale and layer.
        dlgMyApp->SetControlText(IDC_COMBO_SCALE, mark->GetParamString(IND_S_Scale));
        const std::wstring layer = GetLayerName(mark->layerId());
        if (!layer.empty()) dlgMyApp->SetControlText(IDC_COMBO_LAYER, layer);
    }
    mark->close();
    return t;
}

// A plan mark "nach aktuellen Einstellungen": the palette's fields and the current format.
GroupTemplate PaletteTemplate() {
    GroupTemplate t;
    for (int i = 0; i < 4; ++i)
        if (CWnd* field = dlgMyApp ? dlgMyApp->GetDlgItem(kPaletteTextFields[i]) : nullptr)
            field->GetWindowText(t.texts[i]);
    if (pGlobDimOptions)
        t.format = pGlobDimOptions->GetOptionSet(OPT_MODE_HEIGHT_PLAN).arrayOptInt[IND_I_Format];
    return t;
}

bool IsPlanMark(AcDbObjectId id) {
    TRdimHeight* mark = ObjectId2TRdimHeight(id);
    if (!mark) return false;
    const bool plan = mark->IsPlan();
    mark->close();
    return plan;
}

// The marks a picked mark brings along: a base its members, a member itself.
void CollectMoving(AcDbObjectId pickedId, AcDbObjectId targetId, AcDbObjectIdArray& moving,
                   std::set<AcDbObjectId>& oldBases) {
    TRdimHeight* mark = ObjectId2TRdimHeight(pickedId);
    if (!mark) return;
    const bool plan = mark->IsPlan();
    const int role = mark->GetRole();
    const AcDbObjectId base = mark->GetBaseId();
    mark->close();
    if (plan || pickedId == targetId) return;
    if (role == kHeightRoleBase) {
        oldBases.insert(pickedId);
        for (const AcDbObjectId& id : GetGroupMembers(pickedId))
            if (!moving.contains(id)) moving.append(id);
        return;
    }
    if (base == targetId) return;
    if (!base.isNull()) oldBases.insert(base);
    if (!moving.contains(pickedId)) moving.append(pickedId);
}

// A base whose group has no members left is erased, with the message.
void EraseEmptyBases(const std::set<AcDbObjectId>& bases) {
    for (const AcDbObjectId& baseId : bases) {
        if (baseId.isErased() || !GetGroupMembers(baseId).isEmpty()) continue;
        AcDbEntity* base = nullptr;
        if (acdbOpenAcDbEntity(base, baseId, AcDb::kForWrite) != Acad::eOk) continue;
        base->erase();
        base->close();
        LogMsg(LoadStr(IDS_HK_GROUP_EMPTY));
        MsgBox(IDS_HK_GROUP_EMPTY);
    }
}

// The alignment line: asked for (32824) or the UCS vertical through the mark (32822).
bool AlignmentLine(int commandId, AcDbObjectId markId, AcGePoint3d& a, AcGePoint3d& b) {
    if (commandId == 32822) {
        TRdimHeight* mark = ObjectId2TRdimHeight(markId);
        if (!mark) return false;
        a = mark->GetPoint(kHPointDim);
        mark->close();
        AcGeMatrix3d ucs;
        acedGetCurrentUCS(ucs);
        AcGePoint3d origin;
        AcGeVector3d x, y, z;
        ucs.getCoordSystem(origin, x, y, z);
        b = a + y;
        return true;
    }
    ads_point p1, p2;
    if (acedGetPoint(nullptr, std::wstring(LoadStr(IDS_PROMPT_ALIGN_LINE_START)).c_str(), p1) != RTNORM)
        return false;
    if (acedGetPoint(p1, std::wstring(LoadStr(IDS_PROMPT_ALIGN_LINE_END)).c_str(), p2) != RTNORM)
        return false;
    a = World(p1);
    b = World(p2);
    if (a.isEqualTo(b)) {
        acutPrintf(L"%s", LoadStr(IDS_ALIGN_LINE_EMPTY));
        return false;
    }
    return true;
}

} // namespace

AcDbObjectId HeightGroupOf(AcDbObjectId markId) {
    TRdimHeight* mark = ObjectId2TRdimHeight(markId);
    if (!mark) return AcDbObjectId::kNull;
    const AcDbObjectId group =
        mark->IsPlan() || mark->GetRole() == kHeightRoleBase ? markId : mark->GetBaseId();
    mark->close();
    return group;
}

void AddMarksToGroup(int commandId, AcDbObjectId markId) {
    const AcDbObjectId groupId = HeightGroupOf(markId);
    const bool plan = IsPlanMark(markId);
    AcDbObjectIdArray self;
    self.append(markId);
    GroupTemplate t;
    if (commandId == 32836) {
        t = TemplateOf(markId, false);
        // The palette shows this mark's values, which the new marks take.
        if (dlgMyApp) dlgMyApp->SelectObjects(self);
    } else if (plan && dlgMyApp) {
        t = PaletteTemplate();
    } else {
        t = TemplateOf(groupId, true);
    }
    MakeDimHeight(plan, plan ? AcDbObjectId::kNull : groupId, 0.0, t.texts[0], t.texts[1], t.texts[2],
                  t.texts[3], 0, t.format);
    if (dlgMyApp) dlgMyApp->AdjustMode(plan ? OPT_MODE_HEIGHT_PLAN : OPT_MODE_HEIGHT);
}

int TakeMarksFromGroups(AcDbObjectId markId) {
    const AcDbObjectId targetId = HeightGroupOf(markId);
    if (targetId.isNull() || IsPlanMark(targetId)) return 0;
    AcDbObjectIdArray picked;
    if (SelectEntitiesOfKind(picked, std::wstring(LoadStr(IDS_PROMPT_HK_OR_GROUP_BASE)).c_str(),
                             kSelectHeightMarks) == 0)
        return 0;
    AcDbObjectIdArray moving;
    std::set<AcDbObjectId> oldBases;
    for (const AcDbObjectId& id : picked)
        CollectMoving(id, targetId, moving, oldBases);
    oldBases.erase(targetId);
    int moved = 0;
    for (const AcDbObjectId& id : moving) {
        TRdimHeight* mark = nullptr;
        if (acdbOpenObject(mark, id, AcDb::kForWrite) != Acad::eOk) continue;
        mark->SetBaseId(targetId);
        mark->ScaleOrLayerChanged();
        mark->Regenerate(1);
        mark->close();
        ++moved;
    }
    LogFmt(L"\n TakeMarksFromGroups moved=%d ", moved);
    EraseEmptyBases(oldBases);
    return moved;
}

bool AlignedSymbolPoint(const TRdimHeight& mark, const AcGePoint3d& a, const AcGePoint3d& b,
                        AcGePoint3d& result) {
    // In the mark's system the mark moves along X at its symbol's level.
    const AcGePoint3d la = mark.WorldToMark(a), lb = mark.WorldToMark(b);
    const AcGePoint3d d = mark.WorldToMark(mark.GetPoint(kHPointDim));
    const double rise = lb.y - la.y;
    if (std::abs(rise) <= AcGeContext::gTol.equalVector()) return false;
    const double t = (d.y - la.y) / rise;
    const double x = la.x + t * (lb.x - la.x);
    result = AcGePoint3d(x, d.y, d.z).transformBy(mark.MarkMatrix());
    return true;
}

int AlignHeightMarks(int commandId, AcDbObjectId markId) {
    AcGePoint3d a, b;
    if (!AlignmentLine(commandId, markId, a, b)) return 0;
    AcDbObjectIdArray picked;
    if (SelectEntitiesOfKind(picked, std::wstring(LoadStr(IDS_SELECT_HK)).c_str(), kSelectHeightMarks) == 0)
        return 0;
    int moved = 0;
    for (const AcDbObjectId& id : picked) {
        TRdimHeight* mark = nullptr;
        if (acdbOpenObject(mark, id, AcDb::kForWrite) != Acad::eOk) continue;
        AcGePoint3d target;
        // A fixed base keeps its place, as it does under MOVE.
        if (!mark->IsFixedBase() && AlignedSymbolPoint(*mark, a, b, target)) {
            if (mark->IsPlan()) mark->SetPoint(kHPointInput, target);
            mark->SetPointDim(target);
            mark->InitPointText();
            mark->recordGraphicsModified(true);
            ++moved;
        }
        mark->close();
    }
    LogFmt(L"\n AlignHeightMarks moved=%d ", moved);
    return moved;
}
