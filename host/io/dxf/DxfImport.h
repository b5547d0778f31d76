#pragma once
// Drawing-exchange (DXF) import: ASCII DXF of AutoCAD R12 to 2018 into a database.
// Layers (colour, frozen, off, locked), linetypes, text styles, dimension styles,
// block definitions, and the entities LINE, ARC, CIRCLE, LWPOLYLINE, POLYLINE (2D,
// with bulges), TEXT, MTEXT, SOLID, 3DFACE, XLINE, INSERT (any scale, with its
// ATTRIBs), ATTDEF, LEADER, HATCH and DIMENSION (linear, aligned, angular, radius,
// diameter, arc length) come in with their extended data. What cannot come in is counted by type, never dropped
// silently.
//
// A file that cannot be read (binary DXF, no DXF, malformed or cut short) is
// refused with a message naming the line, and the database is left as it was.
// Into an empty drawing the file's header and table records come in as they are;
// into a drawing with content, records the drawing has already keep their values.
#include <cstddef>
#include <map>
#include <string>

class AcDbDatabase;

namespace host::dxf {

struct DxfImportReport {
    std::wstring version; // $ACADVER as the file gives it
    // Entities that came into model and paper space, by DXF type.
    std::map<std::wstring, size_t> imported;
    // Everything that did not come in, in blocks too, by DXF type (with a note in
    // brackets where the type itself came in but this one could not).
    std::map<std::wstring, size_t> notImported;
    size_t blocks = 0;
    size_t layers = 0;

    // "DXF import (AC1027): 954 LINE, 69 ARC, 188 CIRCLE; 2 blocks, 11 layers"
    std::wstring importedLine() const;
    // "DXF import: 2 HATCH, 5 LEADER not imported"; empty when nothing was left out.
    std::wstring notImportedLine() const;
};

// Imports the bytes of a DXF file; false with a message and nothing changed when
// they cannot be read.
bool importDxf(std::string bytes, AcDbDatabase* db, DxfImportReport& report, std::wstring& error);
// The same for a file (a native path in UTF-8).
bool importDxfFile(const std::string& path, AcDbDatabase* db, DxfImportReport& report, std::wstring& error);

} // namespace host::dxf
