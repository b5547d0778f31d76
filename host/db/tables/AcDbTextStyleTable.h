#pragma once
// The table of textstyle records of a database.
#include "host/db/tables/AcDbTextStyleTableRecord.h"
#include "host/db/tables/AcDbSymbolTable.h"

LINTARO_SYMBOL_TABLE(AcDbTextStyleTable, AcDbTextStyleTableRecord, AcDbTextStyleTableIterator);
