#pragma once
// Drawing-exchange (DXF) export: a drawing as DXF R2000 (AC1015) that other
// programs take as it is: header (with the $DIM... variables that programs which
// redraw dimensions need), classes, tables with handles and owners, blocks, the
// entities of model and paper space, and the objects (root dictionary, layouts,
// plot style names). Native entities are written as themselves; every dimension
// gets its graphics block made afresh from what it draws; entities of other
// classes (the add-on's chains and height marks, proxies) are written as the
// lines, arcs, circles, texts and solids they draw.
//
// Exporting reads the drawing and changes nothing in it.
#include <cstddef>
#include <map>
#include <string>

class AcDbDatabase;

namespace host::dxf {

struct DxfExportReport {
    // Entities written as themselves, by DXF type.
    std::map<std::wstring, size_t> written;
    // Entities written as the geometry they draw, by their class.
    std::map<std::wstring, size_t> asGeometry;

    // "DXF export (AC1015): 954 LINE, 13 DIMENSION; 2 TRdim as geometry"
    std::wstring line() const;
};

// The drawing as DXF text; false with a message when there is nothing to write.
bool exportDxf(AcDbDatabase* db, std::string& out, DxfExportReport& report, std::wstring& error);
// The same into a file (a native path in UTF-8), written through a temporary file
// so that a failed write leaves an old file of that name as it was.
bool exportDxfFile(AcDbDatabase* db, const std::string& path, DxfExportReport& report, std::wstring& error);

} // namespace host::dxf
