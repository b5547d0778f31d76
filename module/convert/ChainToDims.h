#pragma once
// A dimension chain as the host's own dimensions, one per segment, for people whose
// programs know nothing of chains: a linear chain gives rotated dimensions along its
// direction, an arc chain arc length dimensions on its arc. Each dimension takes the
// chain's layer and colour, its dimension line, the place of a text the user moved,
// and the value the chain shows where the host could not format it itself (a manual
// value, a raised millimetre part).
//
// The dimensions are made in no database; the caller appends them where the chain is
// and gives them the chain's formatting (DimStyleRecord.h, the format marks).
#include <memory>
#include <string>
#include <vector>

class AcDbDimension;
class TRdim;

// The chain's raised notation "a^b" as the host's stacked text: "\A1;a{\H0.7x;\Sb^;}"
// (b on top, at 0.7 of the text height). A text without "^" comes back unchanged.
std::wstring StackedDimText(const std::wstring& value);
// The other way: a dimension text of that stacked form gives "a^b"; any other text
// comes back unchanged.
std::wstring UnstackDimText(const std::wstring& text);

// What the dimension of segment k shows.
struct SegmentDimText {
    // The dimension's own text: empty for the host's measurement, " " (nothing) for a
    // segment whose value is replaced by a text.
    std::wstring dimText;
    // The replacing text, kept beside the dimension so that it can come back; empty
    // when the value is not replaced.
    std::wstring replacedText;
};
// `associative`: a value the chain formats itself (the raised millimetres of "m/cm")
// is left to the host's measurement, so the dimension goes on measuring when its
// points move; manual values stay.
SegmentDimText DimTextOfSegment(TRdim& chain, int k, bool associative = false);

// The dimensions of every segment, in segment order (segment k is element k - 1), in
// the chain's own coordinates: made for a chain inside a block definition they sit in
// that definition and turn with every reference to it. A chain with fewer than two
// points, or an arc chain without its arc, gives none.
std::vector<std::unique_ptr<AcDbDimension>> MakeAcadDims(TRdim& chain);
