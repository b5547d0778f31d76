#pragma once
// The pending context operation: the menu command chosen on an object and that
// object, stored when the item is chosen and read by the popup command that runs it in
// command context ("XOTA_LintaroPopUp " for chains and host objects,
// "XOTA_LintaroPopUpH " for height marks). The handler clears the object when done.
#include "host/db/database/AcDbObjectId.h"

struct PopupOperation {
    int commandId = 0;
    AcDbObjectId objectId;
};

PopupOperation GetPopupOperation();
void SetPopupOperation(int commandId, AcDbObjectId objectId);
void ClearPopupObject();

// Stores the operation, marks the object's graphics modified (the caller holds the
// document's lock; an object on a locked layer is left as it is) and posts the popup
// command: the chain one unless `heightMark`. False when the object cannot be opened;
// nothing is posted then.
bool PostPopupOperation(int commandId, AcDbObjectId objectId, bool heightMark);
