#pragma once
// The host's own linear and arc length dimensions as dimension chains: dimensions on
// one dimension line that share their measured points are joined into one chain, the
// way a user would have drawn them as a chain in the first place.
//
// Joining costs time in proportion to the number of dimensions: they are first grouped
// by their dimension line (direction and offset, or centre and radius of an arc, hashed
// on a grid of the joining tolerance), and within a line by their measured points, so
// no pair of dimensions is ever compared that could not join.
#include "host/db/database/AcDbObjectId.h"
#include "host/ge/AcGePoint3d.h"
#include "host/ge/AcGeVector3d.h"
#include "module/chain/TRdimParams.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class AcDbDimension;
class TRdim;

// Points and directions closer than this join.
inline constexpr double kDimJoinTolerance = 0.001;
// A dimension this short adds no point to its chain.
inline constexpr double kDimZeroLength = 0.0001;

// One host dimension as the conversion sees it.
struct DimRecord {
    AcDbObjectId id;
    AcGePoint3d first, second; // the measured points (extension line origins)
    AcGePoint3d dimLinePoint;  // on the dimension line (the dimension arc of an arc)
    AcGeVector3d direction;    // along the dimension line; unused for an arc
    AcGePoint3d textPosition;
    bool defaultTextPosition = true;
    std::wstring text; // the dimension's own text ("" for the measurement)
    double measurement = 0.0;
    bool arc = false;
    AcGePoint3d centre; // of an arc length dimension
    AcDbObjectId arcId; // the arc it measures, found by the caller
    // The chain parameters the dimension carries, when it was made from a chain.
    std::optional<TRdimParams> params;
};

// The record of a rotated, aligned or arc length dimension; false for any other kind.
// An arc length dimension's arc is left for the caller to find.
bool RecordOfDimension(const AcDbDimension* dimension, DimRecord& record);

// A chain found by joining: the records that give its points, in joining order, and
// the zero-length ones it swallowed (they add no point; their dimensions go too).
struct JoinedRecords {
    std::vector<int> records;
    std::vector<int> zeroLength;
};
// Joins the records (indices into `records`): each record not yet used starts a chain
// whose two free ends are its measured points, and a record of the same dimension line
// that has a measured point at a free end joins, moving that end to its other point.
std::vector<JoinedRecords> JoinRecords(const std::vector<DimRecord>& records);

// A chain (in no database) through the records' measured points, its dimension line
// through the first record's, with the palette's parameters or, when the first record
// carries some, with those. keepText makes a dimension's own text the segment's manual
// value ("a^b" for a stacked one), keepPos puts the segment text where the
// dimension's text was. Null, with a log line, for fewer than two distinct points.
std::unique_ptr<TRdim> MakeLintaroDim(const std::vector<DimRecord>& records, const std::vector<int>& which,
                                      bool keepText, bool keepPos);
