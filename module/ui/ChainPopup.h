#pragma once
// The chain operations of the context menu. "XOTA_LintaroPopUp" runs
// XOTA_OnPopupVargo on the pending operation (module/chain/PopupState.h): it checks
// the object, locks the document, dispatches the menu id and clears the pending
// object. The operations below work on the chain by id; those that need more picks
// ask for them (ChainSegmentPick.h).
#include "host/db/database/AcDbObjectId.h"
#include "module/app/ContextMenuPort.h" // XOTA_OnPopupVargo

#include <string>
#include <vector>

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
// 32844: an arc chain measures along another arc, circle or polyline the user picks.
void LinkArcChain(AcDbObjectId chainId);
// 32800: the object's format (a chain's parameters, or the format a marked host text or
// dimension carries) becomes the options' default, with its type and layer.
void CurrentFormatToDefault(AcDbObjectId objectId);

// A format that becomes the default of the options of `mode`: its parameter arrays
// (entries beyond the option set's are left out), type and layer.
struct FormatAsDefault {
    int mode = 0;
    std::vector<std::wstring> strings;
    std::vector<int> ints;
    std::vector<double> doubles;
    int type = 0;
    std::wstring layer;
};
void TakeFormatAsDefault(const FormatAsDefault& format);

// ---- the host's texts and dimensions with the module's mark (HostObjectPopup.cpp)
// Runs a menu item of menus 137 to 139 on a marked host text or dimension: a
// dimension's value text, extension lines, leader, ticks and text place; the format
// made the default. An object on a locked layer is refused with the message.
void RunHostObjectPopupCommand(int commandId, AcDbObjectId objectId);
// 32800 on such an object: its format mark's parameters become the default of the
// text options (texts) or the chain options (dimensions). Nothing changes, after a
// message, for an object without a format mark.
void HostFormatToDefault(AcDbObjectId objectId);
// The answer of an item whose work is not in this build.
void NotInThisBuild(int commandId);

// ---- texts and segment switches (ChainPopupTexts.cpp)
class CDlgChainText;
// Shows the text dialog with the palette hidden; true when it was confirmed.
bool RunTextDialog(CDlgChainText& dlg);
void EditChainValues(AcDbObjectId chainId);
void ClearPickedValues(AcDbObjectId chainId);
void EditPrefixSuffix(AcDbObjectId chainId);
void ClearPrefixSuffix(AcDbObjectId chainId);
void EditChainLabel(AcDbObjectId chainId);
// 32813 / 32814: an appended text for the picked segments (CDlgAppendText), or none.
void EditAppendedTexts(AcDbObjectId chainId);
void ClearAppendedTexts(AcDbObjectId chainId);
// 32852 .. 32861 on the picked segments.
void SwitchPickedSegments(AcDbObjectId chainId, int commandId);

// The location code of a chain label: 1 left, 2 right, 3 both; 0 for none.
int LabelLocationCode(bool left, bool right);
