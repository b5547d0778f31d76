#pragma once
// The plan view of the drawing window: which drawing point is in the middle, how
// much drawing height the window shows and how many pixels it has. Screen points
// are pixels from the window's top-left corner, y downwards; drawing points are in
// the world's XY plan.
#include "host/ge/AcGePoint2d.h"
#include "host/ge/AcGePoint3d.h"

namespace host::gi {

class View {
public:
    View() = default;
    View(const AcGePoint2d& center, double height, int widthPx, int heightPx);

    // Each setter refuses what would break the mapping (a height or size that is
    // not positive, a non-finite point) and returns false, changing nothing.
    bool setCenter(const AcGePoint2d& center);
    bool setHeight(double height);
    bool setWindowSize(int widthPx, int heightPx);
    // Shows the box with a margin (a fraction of its size) on every side, keeping
    // the window's proportions. A box of no size keeps the height.
    bool zoomExtents(const AcGePoint3d& minPt, const AcGePoint3d& maxPt, double marginFraction = 0.05);

    const AcGePoint2d& center() const { return m_center; }
    double height() const { return m_height; }
    double width() const { return m_height * m_widthPx / m_heightPx; }
    int windowWidth() const { return m_widthPx; }
    int windowHeight() const { return m_heightPx; }
    double unitsPerPixel() const { return m_height / m_heightPx; }
    double pixelsToUnits(double pixels) const { return pixels * unitsPerPixel(); }

    AcGePoint3d screenToDrawing(double px, double py) const;
    AcGePoint2d drawingToScreen(const AcGePoint3d& pt) const;

private:
    AcGePoint2d m_center{0, 0};
    double m_height = 100.0;
    int m_widthPx = 1280;
    int m_heightPx = 960;
};

} // namespace host::gi
