#pragma once
// The current drawing as the page gets it: a picture (SVG, PNG, PDF) through the
// host's renderer and the files a person downloads (the host's drawing file, DXF).
// Host thread only; nothing is changed in the drawing.
#include <string>

class AcDbDatabase;
class AcDbEntity;

namespace serve {

// The drawing's model space as SVG, and the window it shows in drawing units: the
// page maps its clicks to drawing points through it.
struct DrawingPicture {
    std::string svg;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};
bool drawingSvg(AcDbDatabase* db, DrawingPicture& picture, std::wstring& error);

// An entity that is not in the drawing (a jig's, while it drags) as SVG on the scale of
// `shown`, the picture the page shows: its window is the picture's, grown to take in
// the entity where that stays within the largest picture.
bool entitySvg(AcDbEntity* entity, AcDbDatabase* db, const DrawingPicture& shown, DrawingPicture& picture,
               std::wstring& error);

// The bytes of the drawing as "dwg", "dxf", "png", "pdf" or "svg"; false with a
// message for another format or when the file cannot be made.
bool drawingFileBytes(AcDbDatabase* db, const std::string& format, std::string& bytes, std::wstring& error);

// The MIME type of a format above.
const char* formatMimeType(const std::string& format);

} // namespace serve
