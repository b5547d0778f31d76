#pragma once
// The position codes of a segment text: five columns of three rows around the segment.
//
//   columns  1-3 before the segment   4-6 inside at its start   7-9 middle
//            10-12 inside at its end  13-15 after the segment
//   rows     (code - 1) mod 3: 0 raised one text line, 1 above the line, 2 below it
//
// Code 8 is the standard place; 0 and codes above 15 behave like 8, and a negative code
// is the automatic choice of its absolute value.
#include <vector>

inline constexpr int kStandardTextCode = 8;

// The code that decides the place: the absolute value, with 0 and codes above 15 as 8.
int EffectiveCode(int code);

enum class CodeColumn { Before, StartInside, Middle, EndInside, After };
enum class CodeRow { Raised, Above, Below };

CodeColumn ColumnOf(int code);
CodeRow RowOf(int code);
bool IsInnerCode(int code);  // 4 ... 12
bool IsBeforeCode(int code); // 1 ... 3
bool IsAfterCode(int code);  // 13 ... 15

// Where a text stands relative to its text point: ending there (codes 1-3 and 10-12),
// starting there (4-6 and 13-15) or centred on it.
enum class TextAnchor { End, Start, Centre };
TextAnchor AnchorOf(int code);

// The anchor along the segment: the dimension point at its start (codes 1-6), at its
// end (10-15) or the middle (all others).
enum class SegmentAnchor { First, Last, Middle };
SegmentAnchor SegmentAnchorOf(int code);

// Shift of the default point along the text direction. `gap` is the text gap o, `h0`
// the text height; an automatic code moves by -0.1 h0 / +0.2 h0 instead of -o / +o.
double AlongShift(int code, double gap, double h0, bool automatic);
// Shift across the dimension line; `blockHeight` is the height of the text block
// (room for a superscript included).
double AcrossShift(int code, double gap, double blockHeight);

// The codes automatic placement tries, in order: the configured order with 8 put in
// before its first 7 or 9; mirrored (13-15 <-> 1-3) for the second half of a chain.
std::vector<int> AutoPositionCandidates(const std::vector<int>& order, bool mirror);
