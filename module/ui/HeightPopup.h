#pragma once
// The height-mark operations of the context menu (menus 131 section mark, 132 plan mark,
// 133 group base). "XOTA_LintaroPopUpH" runs XOTA_OnPopupMHDim on the pending operation
// (module/chain/PopupState.h): it checks the mark, locks the document, dispatches the
// menu id and clears the pending object. Aligning (32822, 32824) runs at once from the
// menu, without a posted command.
#include "host/db/database/AcDbObjectId.h"
#include "host/ge/AcGePoint3d.h"
#include "module/app/ContextMenuPort.h" // XOTA_OnPopupMHDim

class TRdimHeight;

// The same for one menu id on one mark (the dispatch, without the pending state).
void RunHeightPopupCommand(int commandId, AcDbObjectId markId);

// ---- groups (HeightPopupGroups.cpp)
// The group a mark belongs to: a base or a plan mark is its own, a member gives its base.
AcDbObjectId HeightGroupOf(AcDbObjectId markId);
// 32818, 32835, 32836: new marks in the mark's group, texts and format from the mark
// (32836) or from the group's base (the others).
void AddMarksToGroup(int commandId, AcDbObjectId markId);
// 32844: picked marks (a picked base brings its whole group) join the mark's group; a
// group left without members loses its base with the message. Returns the marks moved.
int TakeMarksFromGroups(AcDbObjectId markId);
// 32822 (vertical of the current UCS through the mark's point) and 32824 (a line asked
// for): every picked height mark moves along its own X axis onto the line. Returns the
// marks moved; 0 when the line's two points are equal.
int AlignHeightMarks(int commandId, AcDbObjectId markId);
// Where a mark moving along its X axis from its symbol point meets the line through a
// and b; false when it runs parallel to the line.
bool AlignedSymbolPoint(const TRdimHeight& mark, const AcGePoint3d& a, const AcGePoint3d& b,
                        AcGePoint3d& result);
