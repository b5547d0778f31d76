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
#include "host/db/database/AcDbObjectId.h"
#include "host/rx/acadstrc.h"

class AcDbDatabase;

Acad::ErrorStatus acdbAttachXref(AcDbDatabase* pHostDb, const wchar_t* pFilename, const wchar_t* pBlockName,
                                 AcDbObjectId& xrefBlkId);
Acad::ErrorStatus acdbOverlayXref(AcDbDatabase* pHostDb, const wchar_t* pFilename, const wchar_t* pBlockName,
                                  AcDbObjectId& xrefBlkId);
