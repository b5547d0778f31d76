#pragma once
// Reading a drawing-exchange (DXF) file into a database, for the database's own users
// (attaching a DXF file as an external reference). The DXF import lives above the
// database and installs itself here; without it every read gives eNotImplementedYet.
// A file that cannot be read leaves the database as it was, with the reason in
// DrawingFileMessage.h; eFileNotFound for a file that is not there.
#include "host/rx/acadstrc.h"

#include <functional>

class AcDbDatabase;

namespace host {

using DxfInHook = std::function<Acad::ErrorStatus(AcDbDatabase* db, const wchar_t* fileName)>;
void setDxfInHook(DxfInHook read);

Acad::ErrorStatus dxfIn(AcDbDatabase* db, const wchar_t* fileName);

} // namespace host
