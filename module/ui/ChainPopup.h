#pragma once
// The chain operations of the context menu. "XOTA_LintaroPopUp" runs
// XOTA_OnPopupVargo on the pending operation (module/chain/PopupState.h): it checks
// the object, locks the document, dispatches the menu id and clears the pending
// object. The operations below work on the chain by id; those that need more picks
// ask for them (ChainSegmentPick.h).
#include "host/db/AcDbObjectId.h"
#include "module/app/ContextMenuPort.h" // XOTA_OnPopupVargo

// The same for one menu id on one object (the dispatch, without the pending state).
void RunChainPopupCommand(int commandId, AcDbObjectId chainId);

// ---- points and whole chains (ChainPopupEdit.cpp)
// 32798: asks for points until Enter; true when the user switched to removing.
bool AddChainPoints(AcDbObjectId chainId);
// 32797: true when the user switched to adding.
bool RemoveChainPoints(AcDbObjectId chainId);
void RemoveChainSegments(AcDbObjectId chainId);
void JoinChainInto(AcDbObjectId chainId);
void SetExtensionDirection(AcDbObjectId chainId);
void MatchChainProperties(AcDbObjectId chainId);
void CurrentFormatToDefault(AcDbObjectId objectId);

// ---- texts and segment switches (ChainPopupTexts.cpp)
void EditChainValues(AcDbObjectId chainId);
void ClearPickedValues(AcDbObjectId chainId);
void EditPrefixSuffix(AcDbObjectId chainId);
void ClearPrefixSuffix(AcDbObjectId chainId);
void EditChainLabel(AcDbObjectId chainId);
// 32852 .. 32861 on the picked segments.
void SwitchPickedSegments(AcDbObjectId chainId, int commandId);

// The location code of a chain label: 1 left, 2 right, 3 both; 0 for none.
int LabelLocationCode(bool left, bool right);
