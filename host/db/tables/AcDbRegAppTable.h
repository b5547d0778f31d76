#pragma once
// The table of regapp records of a database.
#include "host/db/tables/AcDbRegAppTableRecord.h"
#include "host/db/tables/AcDbSymbolTable.h"

LINTARO_SYMBOL_TABLE(AcDbRegAppTable, AcDbRegAppTableRecord, AcDbRegAppTableIterator);
