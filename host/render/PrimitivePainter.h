#pragma once
// Paints recorded primitives onto a cairo context: lines, areas, arcs and texts in
// their colours and line weights, texts as the glyph outlines of the very layout
// that measures them, so a picture shows what the chains measured.
#include "host/gi/GiPrimitive.h"
#include "host/render/RenderOptions.h"

#include <cairo.h>

namespace host::render {

// Maps drawing units to device units: the window's top-left corner is the
// device origin, y downwards, `scale` device units per drawing unit.
struct DeviceMap {
    double x1 = 0, y2 = 0, scale = 1;
    double width = 0, height = 0; // device size
    void toDevice(double x, double y, double& dx, double& dy) const {
        dx = (x - x1) * scale;
        dy = (y2 - y) * scale;
    }
};

class PrimitivePainter {
public:
    PrimitivePainter(cairo_t* cr, const DeviceMap& map, const RenderOptions& options);

    void paper();
    void paint(const host::gi::GiRecording& primitives);
    void paint(const host::gi::GiPrimitive& primitive);

private:
    bool setLook(const host::gi::GiTraits& traits);
    // The traits' linetype as cairo dashes; continuous for fills and texts.
    void setDashes(const host::gi::GiTraits& traits, bool filled);
    void pathThrough(const std::vector<AcGePoint3d>& pts, bool closed);
    void finish(bool filled);
    void paintLine(const host::gi::GiPrimitive& p);
    void paintArc(const host::gi::GiPrimitive& p);
    void paintText(const host::gi::GiPrimitive& p);
    void paintConstructionLine(const host::gi::GiPrimitive& p);

    cairo_t* m_cr;
    DeviceMap m_map;
    const RenderOptions& m_options;
    LayerLook m_layerLook; // of the primitive being painted
    double m_lineWidth = 1.0; // device units
};

} // namespace host::render
