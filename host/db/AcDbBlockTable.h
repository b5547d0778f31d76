#pragma once
// The table of block records of a database.
#include "host/db/AcDbBlockTableRecord.h"
#include "host/db/AcDbSymbolTable.h"

LINTARO_SYMBOL_TABLE(AcDbBlockTable, AcDbBlockTableRecord, AcDbBlockTableIterator);
