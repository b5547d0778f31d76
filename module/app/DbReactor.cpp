#include "module/app/DbReactor.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbDatabaseReactor.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "module/services/ActiveCommand.h"
#include "module/services/DbServices.h"
#include "module/services/DocLocks.h"
#include "module/base/LintaroLog.h"
#include "module/services/CommandObjects.h"
#include "module/services/ReactorSuspension.h"
#include "module/height/TRdimHeight.h"
#include "module/resources/resource.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// Erases the entity behind `id`; true when it was erased here.
bool EraseId(AcDbObjectId id) {
    AcDbEntity* entity = nullptr;
    if (acdbOpenObject(entity, id, AcDb::kForWrite) != Acad::eOk) return false;
    const bool erased = entity->erase() == Acad::eOk;
    entity->close();
    return erased;
}

// A member is gone: a base with no member left goes too.
void MemberErased(const TRdimHeight& member) {
    const AcDbObjectId baseId = member.GetBaseId();
    TRdimHeight* base = baseId.isNull() ? nullptr : ObjectId2TRdimHeight(baseId);
    if (!base) return;
    base->close();
    int left = 0;
    for (const AcDbObjectId& id : GetGroupMembers(baseId))
        if (id != member.objectId() && id != baseId && !id.isErased()) ++left;
    if (left > 0) return;
    if (!EraseId(baseId)) return;
    LogMsg(LoadStr(IDS_HK_GROUP_EMPTY));
    MsgBox(IDS_HK_GROUP_EMPTY);
}

// A base is gone: its members go with it.
void BaseErased(const TRdimHeight& base) {
    const AcDbObjectIdArray members = GetGroupMembers(base.objectId());
    int erased = 0;
    {
        CReactorSuspension quiet;
        for (const AcDbObjectId& id : members)
            if (id != base.objectId() && EraseId(id)) ++erased;
    }
    if (erased == 0) return;
    LogFmt(LoadStr(IDS_HK_GROUP_MEMBERS_ERASED), erased);
    MsgBoxFmt(LoadStr(IDS_HK_GROUP_MEMBERS_ERASED), erased);
}

class AsdkDbReactor : public AcDbDatabaseReactor {
public:
    void objectAppended(const AcDbDatabase* dwg, const AcDbObject* obj) override {
        const TRdimHeight* mark = relevantMark(obj);
        if (!mark) return;
        LogFmt(L"\n## Appended=%s H:%s W:%d NEW:%d ", L"XOTA_DIM_HEIGHT",
               std::to_wstring(mark->objectId().handle().low()).c_str(), mark->isWriteEnabled() ? 1 : 0,
               mark->isNewObject() ? 1 : 0);
        (void)dwg;
        // Copies are put right when their command ends.
        const std::wstring command = GetActiveCommand(true);
        if (command.find(L"COPY") != std::wstring::npos || command.find(L"PASTECLIP") != std::wstring::npos)
            AddToAppendedList(mark->objectId());
    }
    void objectErased(const AcDbDatabase* /*dwg*/, const AcDbObject* obj, Adesk::Boolean bErased) override {
        if (!bErased) return;
        const TRdimHeight* mark = relevantMark(obj);
        if (!mark || mark->IsPlan()) return;
        try {
            if (mark->GetRole() == kHeightRoleMark)
                MemberErased(*mark);
            else
                BaseErased(*mark);
        } catch (...) {
            LogMsg(L"\n**** ANY ERROR IN AsdkDbReactor::objectErased ");
        }
    }

    void goodbye(const AcDbDatabase* dwg) override;

private:
    static const TRdimHeight* relevantMark(const AcDbObject* obj) {
        if (AreReactorsSuspended() || !obj || obj->isUndoing() || !obj->isReadEnabled()) return nullptr;
        return TRdimHeight::cast(obj);
    }
};

std::unique_ptr<AsdkDbReactor> g_dbReactor;
std::vector<AcDbDatabase*> g_watched;

// A database that goes away is no longer watched.
void AsdkDbReactor::goodbye(const AcDbDatabase* dwg) {
    g_watched.erase(std::remove(g_watched.begin(), g_watched.end(), dwg), g_watched.end());
}

void attach(AcDbDatabase* db) {
    if (!db || !g_dbReactor || std::find(g_watched.begin(), g_watched.end(), db) != g_watched.end()) return;
    LogMsg(L"\nSTART watchDb ");
    CDbLockScope lock(db, L"watchDb");
    db->addReactor(g_dbReactor.get());
    g_watched.push_back(db);
    LogMsg(L"\nEND watchDb ");
}

AcDbDatabase* workingDb() {
    const AcDbHostApplicationServices* services = acdbHostApplicationServices();
    return services ? services->workingDatabase() : nullptr;
}

} // namespace

void WatchDb() {
    SetReactorsSuspended(0);
    if (!g_dbReactor) g_dbReactor = std::make_unique<AsdkDbReactor>();
    attach(workingDb());
}

void RewatchDb() {
    SetReactorsSuspended(0);
    if (g_dbReactor) attach(workingDb());
}

void UnwatchDbs() {
    if (!g_dbReactor) return;
    LogMsg(L"\nSTART clearReactors ");
    // Every database it watches, so that none calls a deleted reactor.
    for (AcDbDatabase* db : g_watched)
        db->removeReactor(g_dbReactor.get());
    g_watched.clear();
    g_dbReactor.reset();
    LogMsg(L"\nEND clearReactors ");
}

void SecondaryModify(const std::vector<AcDbObjectId>& ids) {
    LogFmt(L"\n Secondary MODIFY %d ", static_cast<int>(ids.size()));
    CReactorSuspension quiet;
    std::vector<AcDbObjectId> sections;
    for (const AcDbObjectId& id : ids) {
        if (!id.isValid() || id.isErased()) continue;
        CDbLockScope lock(id.database(), L"SecondaryModify");
        TRdimHeight* mark = nullptr;
        if (acdbOpenObject(mark, id, AcDb::kForWrite) != Acad::eOk) continue;
        if (!mark->IsPlan()) {
            mark->SetCoordSystem(true);
            sections.push_back(id);
        }
        mark->RefreshAutoValue(true);
        mark->SetCurHeight();
        mark->SetPointDim(mark->GetPoint(kHPointDim));
        mark->recordGraphicsModified();
        mark->close();
    }
    for (const AcDbObjectId& id : sections) {
        TRdimHeight* mark = nullptr;
        if (acdbOpenObject(mark, id, AcDb::kForWrite) != Acad::eOk) continue;
        const std::wstring own = GetHandleString(mark);
        const std::wstring master = mark->GetParamString(kHeightOwnHandleIndex);
        if (!own.empty() && master != own) {
            LogFmt(L"\n Changed Master '%s' -> '%s' ", master.c_str(), own.c_str());
            mark->SetParamString(kHeightOwnHandleIndex, own);
        }
        mark->close();
    }
    LogMsg(L"\n Secondary MODIFY OK ");
}
