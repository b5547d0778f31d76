#include "host/render/PictureWriter.h"

#include "host/gi/GiPrimitiveGeometry.h"
#include "host/render/PrimitivePainter.h"
#include "host/win/FormatW.h"
#include "host/win/Utf8.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <cwctype>
#include <filesystem>

namespace host::render {

namespace {

enum class PictureKind { Png, Svg, Pdf };

bool kindOf(const std::wstring& path, PictureKind& kind, std::wstring& ext) {
    ext = std::filesystem::path(path).extension().wstring();
    std::wstring lower = ext;
    for (auto& c : lower)
        c = wchar_t(std::towlower(wint_t(c)));
    if (lower == L".png")
        kind = PictureKind::Png;
    else if (lower == L".svg")
        kind = PictureKind::Svg;
    else if (lower == L".pdf")
        kind = PictureKind::Pdf;
    else
        return false;
    return true;
}

struct Sink {
    FILE* file = nullptr;
    bool failed = false;
    static cairo_status_t write(void* closure, const unsigned char* data, unsigned int length) {
        auto* s = static_cast<Sink*>(closure);
        if (std::fwrite(data, 1, length, s->file) != length) {
            s->failed = true;
            return CAIRO_STATUS_WRITE_ERROR;
        }
        return CAIRO_STATUS_SUCCESS;
    }
};

// Draws onto the surface and, for PNG, writes it; the status of the whole run.
cairo_status_t drawAndWrite(cairo_surface_t* surface, PictureKind kind, Sink& sink, const DeviceMap& map,
                            const host::gi::GiRecording& primitives, const RenderOptions& options) {
    cairo_t* cr = cairo_create(surface);
    PrimitivePainter painter(cr, map, options);
    painter.paper();
    painter.paint(primitives);
    cairo_status_t status = cairo_status(cr);
    cairo_destroy(cr);
    if (status == CAIRO_STATUS_SUCCESS && kind == PictureKind::Png)
        status = cairo_surface_write_to_png_stream(surface, &Sink::write, &sink);
    cairo_surface_finish(surface);
    if (status == CAIRO_STATUS_SUCCESS) status = cairo_surface_status(surface);
    return status;
}

} // namespace

bool renderWindow(const host::gi::GiRecording& primitives, const RenderOptions& options, double& x1,
                  double& y1, double& x2, double& y2, std::wstring& error) {
    if (options.hasWindow) {
        x1 = std::min(options.x1, options.x2);
        x2 = std::max(options.x1, options.x2);
        y1 = std::min(options.y1, options.y2);
        y2 = std::max(options.y1, options.y2);
        if (!std::isfinite(x1) || !std::isfinite(x2) || !std::isfinite(y1) || !std::isfinite(y2) ||
            !(x2 > x1) || !(y2 > y1)) {
            error = L"The picture window has no size: give two different corners";
            return false;
        }
        return true;
    }
    AcGePoint3d lo, hi;
    if (!host::gi::recordingExtents(primitives, lo, hi) || !std::isfinite(lo.x) || !std::isfinite(hi.x) ||
        !std::isfinite(lo.y) || !std::isfinite(hi.y)) {
        x1 = y1 = 0;
        x2 = y2 = 100;
        return true;
    }
    double w = hi.x - lo.x, h = hi.y - lo.y;
    double size = std::max(w, h);
    if (!(size > 0)) size = 1.0; // a single point
    double margin = std::isfinite(options.margin) && options.margin >= 0 ? options.margin : 0.05;
    // A flat drawing (one horizontal line) still gets a picture of some height.
    double mx = std::max(w, size * 0.1) * margin + (w > 0 ? 0 : size * 0.05);
    double my = std::max(h, size * 0.1) * margin + (h > 0 ? 0 : size * 0.05);
    x1 = lo.x - mx;
    x2 = hi.x + mx;
    y1 = lo.y - my;
    y2 = hi.y + my;
    return true;
}

namespace {

// The mapping from the window to the picture's pixels; false with a message when
// the picture would have no size. A PNG taller than the limit is made smaller to
// fit it, and `note` says which size it got; SVG and PDF have no such limit.
bool pictureMap(PictureKind kind, const host::gi::GiRecording& primitives, const std::wstring& path,
                const RenderOptions& options, DeviceMap& map, std::wstring& error, std::wstring* note) {
    double x1, y1, x2, y2;
    if (!renderWindow(primitives, options, x1, y1, x2, y2, error)) return false;
    if (options.widthPx <= 0 || options.widthPx > RenderOptions::kMaxPixels) {
        error = host::FormatW(L"Cannot draw \"%s\": a width of %d pixels is not between 1 and %d",
                              path.c_str(), options.widthPx, RenderOptions::kMaxPixels);
        return false;
    }
    map.x1 = x1;
    map.y2 = y2;
    map.scale = options.widthPx / (x2 - x1);
    map.width = options.widthPx;
    double height = std::ceil((y2 - y1) * map.scale);
    if (kind == PictureKind::Png && height > RenderOptions::kMaxPixels) {
        const double fitted = RenderOptions::kMaxPixels / (y2 - y1);
        const double width = std::floor((x2 - x1) * fitted);
        if (!(width >= 1)) {
            error = host::FormatW(L"Cannot draw \"%s\": the window is so tall that a PNG of at most %d pixels "
                                  L"high would be less than a pixel wide; give a wider window",
                                  path.c_str(), RenderOptions::kMaxPixels);
            return false;
        }
        if (note)
            *note = host::FormatW(L"\"%s\" is %.0f x %d pixels: %d pixels wide it would be %.0f pixels high, "
                                  L"more than the %d a PNG may have.",
                                  path.c_str(), width, RenderOptions::kMaxPixels, options.widthPx, height,
                                  RenderOptions::kMaxPixels);
        map.scale = fitted;
        map.width = width;
        height = RenderOptions::kMaxPixels;
    }
    if (!std::isfinite(height)) {
        error = host::FormatW(L"Cannot draw \"%s\": the window has no size that can be drawn", path.c_str());
        return false;
    }
    map.height = std::max(1.0, height);
    return true;
}

cairo_surface_t* newSurface(PictureKind kind, const DeviceMap& map, Sink& sink) {
    switch (kind) {
    case PictureKind::Png:
        return cairo_image_surface_create(CAIRO_FORMAT_RGB24, int(map.width), int(map.height));
    case PictureKind::Svg:
        return cairo_svg_surface_create_for_stream(&Sink::write, &sink, map.width, map.height);
    case PictureKind::Pdf:
        return cairo_pdf_surface_create_for_stream(&Sink::write, &sink, map.width, map.height);
    }
    return nullptr;
}

// Draws into "<path>.part" and renames it over the path only when all went well.
bool writePicture(PictureKind kind, const std::wstring& path, const DeviceMap& map,
                  const host::gi::GiRecording& primitives, const RenderOptions& options,
                  std::wstring& error) {
    std::string temp = host::toUtf8(path + L".part");
    Sink sink;
    sink.file = std::fopen(temp.c_str(), "wb");
    if (!sink.file) {
        error = host::FormatW(L"Cannot write \"%s\": %S", path.c_str(), std::strerror(errno));
        return false;
    }
    cairo_surface_t* surface = newSurface(kind, map, sink);
    cairo_status_t status = drawAndWrite(surface, kind, sink, map, primitives, options);
    cairo_surface_destroy(surface);
    bool closed = std::fclose(sink.file) == 0;
    std::error_code ec;
    if (status != CAIRO_STATUS_SUCCESS || sink.failed || !closed) {
        std::filesystem::remove(temp, ec);
        error = host::FormatW(L"Cannot write \"%s\": %S", path.c_str(),
                              sink.failed || !closed ? "the disk refused the data"
                                                     : cairo_status_to_string(status));
        return false;
    }
    std::filesystem::rename(temp, host::toUtf8(path), ec);
    if (ec) {
        std::string why = ec.message();
        std::filesystem::remove(temp, ec);
        error = host::FormatW(L"Cannot write \"%s\": %S", path.c_str(), why.c_str());
        return false;
    }
    return true;
}

} // namespace

bool renderToFile(const host::gi::GiRecording& primitives, const std::wstring& path,
                  const RenderOptions& options, std::wstring& error, std::wstring* note) {
    PictureKind kind;
    std::wstring ext;
    if (!kindOf(path, kind, ext)) {
        error = host::FormatW(L"Cannot draw \"%s\": unknown picture type \"%s\" (use .png, .svg or .pdf)",
                              path.c_str(), ext.c_str());
        return false;
    }
    DeviceMap map;
    if (!pictureMap(kind, primitives, path, options, map, error, note)) return false;
    if (!writePicture(kind, path, map, primitives, options, error)) return false;
    error.clear();
    return true;
}

} // namespace host::render
