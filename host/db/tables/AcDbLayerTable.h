#pragma once
// The table of layer records of a database.
#include "host/db/tables/AcDbLayerTableRecord.h"
#include "host/db/tables/AcDbSymbolTable.h"

LINTARO_SYMBOL_TABLE(AcDbLayerTable, AcDbLayerTableRecord, AcDbLayerTableIterator);
