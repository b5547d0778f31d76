#pragma once
// A database as the bytes of a drawing file (layout in DrawingImage.h). Every
// object files itself with dwgOutFields through a file filer; entities of classes
// the host does not define also get their proxy graphics, so a program without
// their class can still show them; proxies give back what they were read with.
#include <cstdint>
#include <string>
#include <vector>

class AcDbDatabase;

namespace host::io {

// False with a message naming the object when one refuses to file itself; `out`
// is then left as it was. Files are written packed with their entities' boxes (format version 3); `packed`
// false gives the plain layout of version 1, which tests take apart. Custom
// entities get their graphics only when the drawing's PROXYGRAPHICS is 1.
bool drawingToBytes(AcDbDatabase* db, std::vector<uint8_t>& out, std::wstring& error, bool packed = true);

} // namespace host::io
