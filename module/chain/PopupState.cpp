#include "module/chain/PopupState.h"

#include "host/db/entities/AcDbEntity.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/ed/commands/CommandLine.h"
#include "module/base/LintaroLog.h"

namespace {
PopupOperation g_pending;
} // namespace

PopupOperation GetPopupOperation() { return g_pending; }

void SetPopupOperation(int commandId, AcDbObjectId objectId) {
    g_pending.commandId = commandId;
    g_pending.objectId = objectId;
}

void ClearPopupObject() { g_pending.objectId = AcDbObjectId::kNull; }

bool PostPopupOperation(int commandId, AcDbObjectId objectId, bool heightMark) {
    SetPopupOperation(commandId, objectId);
    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, objectId, AcDb::kForWrite) == Acad::eOk) {
        entity->recordGraphicsModified(true);
        entity->close();
    } else if (acdbOpenAcDbEntity(entity, objectId, AcDb::kForRead) == Acad::eOk) {
        // On a locked layer: the operation still runs, to tell the user why it refuses.
        entity->close();
    } else {
        LogFmt(L"\n PostPopupOperation: object of menu ID %d cannot be opened ", commandId);
        ClearPopupObject();
        return false;
    }
    acedPostCommand(heightMark ? L"XOTA_LintaroPopUpH " : L"XOTA_LintaroPopUp ");
    return true;
}
