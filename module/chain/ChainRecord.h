#pragma once
// Everything a chain keeps and files, as a value: its geometry, one text entry per
// extension, its parameters, the text style, the appended texts and the curve an arc
// chain measures along. The entity (TRdim) holds one; the record reads and writes itself
// through any DWG filer, so it round-trips without a drawing.
//
// The filed layout (version 4): version, type, UCS origin and axes, rotation, direction,
// the points, the text entries, the three parameter arrays, the normal, the text style,
// the appended texts, the arc block and the extension flags. Versions 1 to 4 are read
// and repaired; a newer or damaged record is refused and leaves the target as it was.
#include "host/db/database/AcDbObjectId.h"
#include "host/rx/acadstrc.h"
#include "module/chain/AppendingText.h"
#include "module/chain/ChainGeometry.h"
#include "module/chain/TRdimParams.h"

#include <cstdint>
#include <string>
#include <vector>

class AcDbDwgFiler;

// Record version written; 1 ... 4 are read.
inline constexpr int kTRdimRecordVersion = 4;
// What the host gets for a record the chain cannot take (newer version, no extension,
// an old arc chain without its curve).
inline constexpr Acad::ErrorStatus kTRdimRecordRefused = static_cast<Acad::ErrorStatus>(301);

struct ChainRecord {
    ChainGeometry geo;
    std::vector<std::wstring> texts;
    TRdimParams params;
    AcDbObjectId textStyleId;
    AppendingTextList appTexts;
    // The curve an arc chain measures along, and its segment for a polyline.
    AcDbObjectId arcObjectId;
    int arcSubent = 0;
};

// Gives back the room the record's lists grew beyond what they hold (a chain made point
// by point leaves its points with room for as many again). Changes no value.
void ShrinkRecord(ChainRecord& record);

// Whether every count of the record fits the 16-bit count it is filed with.
bool RecordFits(const ChainRecord& record);

// Writes the record. `appVersion` is filed in place of the parameter IND_I_AppVersion:
// the record says which module wrote it, whatever the chain held.
void WriteChainRecord(AcDbDwgFiler* filer, const ChainRecord& record, std::uint32_t appVersion);

// Reads a whole record into `record`, which the caller prepares with what a record may
// leave out: the parameters an older record does not carry, the arc block of a linear
// record. Returns the filer's status or kTRdimRecordRefused for a damaged or refused
// record (`record` is then not to be used). `result` becomes kTRdimRecordRefused for a
// version 3 arc chain without its curve, which is read but cannot be rebuilt.
Acad::ErrorStatus ReadChainRecord(AcDbDwgFiler* filer, ChainRecord& record, Acad::ErrorStatus& result);
