#pragma once
// The table of layer records of a database.
#include "host/db/AcDbLayerTableRecord.h"
#include "host/db/AcDbSymbolTable.h"

LINTARO_SYMBOL_TABLE(AcDbLayerTable, AcDbLayerTableRecord, AcDbLayerTableIterator);
