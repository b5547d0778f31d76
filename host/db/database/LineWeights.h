#pragma once
// Which integers are line weights. A number read from a file or a DXF group is
// checked with this before it becomes an AcDb::LineWeight: a value outside the
// enumeration's list has no meaning, and outside its range not even a value.
namespace host {

// True for the hundredths of a millimetre the host offers (0, 5, 9 … 211) and for
// ByLayer (-1), ByBlock (-2) and the default (-3).
bool isLineWeight(int value);

} // namespace host
