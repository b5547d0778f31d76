// Text masks as WIPEOUT entities. A mask is drawn in the background colour, and
// the background of the program that reads the file is not ours: a SOLID in white
// (true colour, ACI ByLayer) shows as a black box in a program that draws on white
// and turns white into black for contrast (LibreCAD), and ACI 7 means "the colour
// that contrasts with the background", the opposite of a mask. A wipeout means
// "paint the reader's background here": ezdxf's drawing add-on fills it with the
// layout's background colour, AutoCAD masks with it, and a program that does not
// know the entity (LibreCAD 2.2) leaves it out, so the text stays readable there
// too, only not masked.
#include "host/gi/RecordingWorldDraw.h"
#include "host/io/dxf/DxfExporter.h"

#include <cmath>

namespace host::dxf {

namespace {

// Corners this close (relative to the mask's size) make a parallelogram.
constexpr double kCornerTolerance = 1e-9;

// Only what the add-on draws as a mask: four corners in paper white, given as a
// true colour, lying in a plane parallel to XY and forming a parallelogram (a
// rectangle turned with its text). Any other fill stays a SOLID.
bool isMask(const gi::GiPrimitive& p) {
    if (p.kind != gi::GiPrimitive::Polygon || p.points.size() != 4) return false;
    const AcGiColor& c = p.traits.trueColor;
    if (!c.isByColor() || c.red() != 255 || c.green() != 255 || c.blue() != 255) return false;
    const AcGePoint3d* q = p.points.data();
    const AcGeVector3d u = q[1] - q[0], v = q[3] - q[0];
    const double size = u.length() + v.length();
    if (size <= 0.0 || u.crossProduct(v).length() <= kCornerTolerance * size * size) return false;
    if (std::fabs(q[1].z - q[0].z) > kCornerTolerance * size || std::fabs(q[3].z - q[0].z) > kCornerTolerance * size)
        return false;
    return (q[2] - (q[0] + u + v)).length() <= kCornerTolerance * size;
}

} // namespace

bool DxfExporter::writeWipeout(DxfOutput& o, const gi::GiPrimitive& p, const AcDbEntity* ent, uint64_t owner,
                               bool paper) {
    if (!isMask(p)) return false;
    const AcGePoint3d* q = p.points.data();
    primitiveCommon(o, p, ent, "WIPEOUT", owner, paper);
    o.raw(100, "AcDbWipeout");
    o.integer(90, 0);
    // An image of one pixel whose sides are the mask's: corner 0 at the insertion
    // point, corner 1 along U, corner 3 along V.
    o.point(10, q[0]);
    o.vector(11, q[1] - q[0]);
    o.vector(12, q[3] - q[0]);
    o.point2d(13, 1.0, 1.0);
    o.handle(340, 0);
    o.integer(70, 7); // shown, shown when not aligned, clipped to the boundary
    o.integer(280, 1);
    o.integer(281, 50);
    o.integer(282, 50);
    o.integer(283, 0);
    o.handle(360, 0);
    // The boundary in pixel coordinates (origin at the image's top left corner),
    // closed: corners 0, 1, 2, 3 and 0 again.
    o.integer(71, 2);
    o.integer(91, 5);
    const double corners[5][2] = {{-0.5, 0.5}, {0.5, 0.5}, {0.5, -0.5}, {-0.5, -0.5}, {-0.5, 0.5}};
    for (const auto& c : corners) o.point2d(14, c[0], c[1]);
    return true;
}

} // namespace host::dxf
