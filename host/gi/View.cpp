#include "host/gi/View.h"

#include <algorithm>
#include <cmath>

namespace host::gi {

View::View(const AcGePoint2d& center, double height, int widthPx, int heightPx) {
    setCenter(center);
    setHeight(height);
    setWindowSize(widthPx, heightPx);
}

bool View::setCenter(const AcGePoint2d& center) {
    if (!std::isfinite(center.x) || !std::isfinite(center.y)) return false;
    m_center = center;
    return true;
}

bool View::setHeight(double height) {
    if (!std::isfinite(height) || !(height > 0)) return false;
    m_height = height;
    return true;
}

bool View::setWindowSize(int widthPx, int heightPx) {
    if (widthPx <= 0 || heightPx <= 0) return false;
    m_widthPx = widthPx;
    m_heightPx = heightPx;
    return true;
}

bool View::zoomExtents(const AcGePoint3d& minPt, const AcGePoint3d& maxPt, double marginFraction) {
    if (!std::isfinite(minPt.x) || !std::isfinite(minPt.y) || !std::isfinite(maxPt.x) ||
        !std::isfinite(maxPt.y) || !std::isfinite(marginFraction) || marginFraction < 0)
        return false;
    double w = std::fabs(maxPt.x - minPt.x), h = std::fabs(maxPt.y - minPt.y);
    double aspect = double(m_widthPx) / m_heightPx;
    double height = std::max(h, w / aspect) * (1.0 + 2.0 * marginFraction);
    if (height > 0 && std::isfinite(height)) m_height = height;
    m_center.set((minPt.x + maxPt.x) / 2, (minPt.y + maxPt.y) / 2);
    return true;
}

AcGePoint3d View::screenToDrawing(double px, double py) const {
    double s = unitsPerPixel();
    return {m_center.x + (px - m_widthPx / 2.0) * s, m_center.y - (py - m_heightPx / 2.0) * s, 0.0};
}

AcGePoint2d View::drawingToScreen(const AcGePoint3d& pt) const {
    double s = unitsPerPixel();
    return {(pt.x - m_center.x) / s + m_widthPx / 2.0, m_heightPx / 2.0 - (pt.y - m_center.y) / s};
}

} // namespace host::gi
