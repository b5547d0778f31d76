#pragma once
// The dimension style records of host dimensions that carry the module's formatting:
// one record per drawing scale, named "lintaro" or "lintaro 1-50" (the scale text with
// ":" written "-"), made from the drawing's "Standard" style or, in a drawing without
// one, from an empty record, and filled from a parameter set (the chain set's indices).
// Sizes are paper millimetres scaled to drawing units the way chains scale theirs.
//
// Host failures are logged with their status and the next step still runs; a dimension
// whose style could not be set keeps the style it had.
#include "host/db/database/AcDbObjectId.h"
#include "module/chain/TRdimParams.h"

#include <string>

class AcDbDatabase;
class AcDbDimension;
class AcDbDimStyleTableRecord;

// "lintaro" for an empty scale text, else "lintaro " + the scale with ":" as "-".
std::wstring DimStyleName(const std::wstring& scale);

// The host's linear factor (dimlfac) that shows a length of drawing units in the unit
// of `measure`: "mm" 1/A, "cm" 0.1/A, feet and inches 1/(A*25.4), "ft" 1/(A*304.8),
// anything else (metres) 0.001/A, where A is the drawing units per millimetre; 1.0
// when A is 0.
double LinearFactor(const std::wstring& measure, double acadUnits);

// The drawing's text style of that name; the current text style when there is none
// (or no name).
AcDbObjectId TextStyleIdFor(AcDbDatabase* db, const std::wstring& name);

// The record for the parameter set, added to the drawing when it has none, with every
// setting copied from the current style ("Standard" is made current first when the
// drawing has it) and then taken from the parameters. With a dimension, the dimension
// gets the set's text colour too. Returns the record open for write (the caller
// closes it), or null after logging why.
AcDbDimStyleTableRecord* GetDimStyleDD(AcDbDatabase* db, ParamArraysView params, AcDbDimension* dimension);

// Gives the dimension (open for write) the record of its parameter set: the record's
// settings become the dimension's own and the record its style. True when the style
// was set.
bool SetDimStyleDD(AcDbDatabase* db, AcDbDimension* dimension, ParamArraysView params);
