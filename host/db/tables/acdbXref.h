#pragma once
// Attaching another drawing as an external reference: a block of the host drawing,
// named pBlockName, with the path as it was given, whose entities are copies of
// the other drawing's model space (ForeignObjectCopy.h says what is copied and
// how). The caller inserts references to the block. An overlay is an external
// reference that drawings attaching the host drawing do not bring along.
//
// Results: eOk with the block's id (a block of that name that already refers to the
// same drawing is reused as it is); eInvalidInput for no database or file name;
// eInvalidSymbolTableName for a name the host does not allow; eDuplicateRecordName
// when a block of the name exists and refers to another drawing or to none;
// eSelfReference for the host drawing itself; the reading's own error (eFileNotFound,
// a damaged file) when the other drawing cannot be read. On any error the host
// drawing is unchanged.
//
// The other drawing is a drawing file of this host, or a DXF file (by its ".dxf" name).
//
// Reloading reads each reference's file again and puts the other drawing's model space
// as it is now in place of the block's entities; the references to the block stay. A
// file no longer found where the block says is looked for in the host drawing's folder
// (relative path, then the name alone). Results: eOk; eInvalidInput for a block that is
// no external reference of pHostDb; the reading's error (eFileNotFound, a damaged
// file), the block then as it was. With several blocks, the first error is returned and
// the others are still reloaded.
#include "host/db/database/AcDbObjectId.h"
#include "host/rx/acadstrc.h"

#include <vector>

class AcDbDatabase;

Acad::ErrorStatus acdbAttachXref(AcDbDatabase* pHostDb, const wchar_t* pFilename, const wchar_t* pBlockName,
                                 AcDbObjectId& xrefBlkId);
Acad::ErrorStatus acdbOverlayXref(AcDbDatabase* pHostDb, const wchar_t* pFilename, const wchar_t* pBlockName,
                                  AcDbObjectId& xrefBlkId);
Acad::ErrorStatus acdbReloadXrefs(AcDbDatabase* pHostDb, const AcDbObjectIdArray& xrefBlkIds, bool bQuiet = true);

namespace host {
// The blocks of the drawing that are external references (overlays included).
std::vector<AcDbObjectId> xrefBlocks(AcDbDatabase* db);
} // namespace host
