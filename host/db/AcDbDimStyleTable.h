#pragma once
// The table of dimstyle records of a database.
#include "host/db/AcDbDimStyleTableRecord.h"
#include "host/db/AcDbSymbolTable.h"

LINTARO_SYMBOL_TABLE(AcDbDimStyleTable, AcDbDimStyleTableRecord, AcDbDimStyleTableIterator);
