#pragma once
// The table of linetype records of a database.
#include "host/db/tables/AcDbLinetypeTableRecord.h"
#include "host/db/tables/AcDbSymbolTable.h"

LINTARO_SYMBOL_TABLE(AcDbLinetypeTable, AcDbLinetypeTableRecord, AcDbLinetypeTableIterator);
