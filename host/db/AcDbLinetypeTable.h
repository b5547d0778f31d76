#pragma once
// The table of linetype records of a database.
#include "host/db/AcDbLinetypeTableRecord.h"
#include "host/db/AcDbSymbolTable.h"

LINTARO_SYMBOL_TABLE(AcDbLinetypeTable, AcDbLinetypeTableRecord, AcDbLinetypeTableIterator);
