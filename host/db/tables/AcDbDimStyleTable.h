#pragma once
// The table of dimstyle records of a database.
#include "host/db/tables/AcDbDimStyleTableRecord.h"
#include "host/db/tables/AcDbSymbolTable.h"

LINTARO_SYMBOL_TABLE(AcDbDimStyleTable, AcDbDimStyleTableRecord, AcDbDimStyleTableIterator);
