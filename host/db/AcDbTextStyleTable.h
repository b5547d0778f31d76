#pragma once
// The table of textstyle records of a database.
#include "host/db/AcDbTextStyleTableRecord.h"
#include "host/db/AcDbSymbolTable.h"

LINTARO_SYMBOL_TABLE(AcDbTextStyleTable, AcDbTextStyleTableRecord, AcDbTextStyleTableIterator);
