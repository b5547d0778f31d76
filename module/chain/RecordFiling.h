#pragma once
// What the chain's and the height mark's drawing records share: counts, strings, the
// three parameter arrays, and the option set a record is read onto.
#include "host/db/filing/AcDbDwgFiler.h"
#include "module/chain/TRdimParams.h"

#include <cstddef>
#include <string>

class AcDbDatabase;

// The drawing's file name, for messages; empty when it has none.
std::wstring FileNameOf(const AcDbDatabase* db);

// A count in a record: a 16-bit value that may not be negative.
bool ReadCount(AcDbDwgFiler* filer, int& count);
// Whether a count can be filed as such.
bool FitsCount(std::size_t count);
// A string; a null string read leaves `out` as it was.
bool ReadString(AcDbDwgFiler* filer, std::wstring& out);

// The global option set of `mode` as parameter arrays: the base a record is read onto,
// so parameters an older record does not carry take today's values.
TRdimParams OptionSetParams(int mode);
// The options of `mode` as a new object's parameter arrays, stamped with the options
// file in use and the module's version.
TRdimParams ParamsFromOptions(int mode);
// The three arrays as filed (doubles, strings, 16-bit integers), each read over `params`
// and grown where the record holds more. False for a broken record.
bool ReadParamArrays(AcDbDwgFiler* filer, TRdimParams& params);
