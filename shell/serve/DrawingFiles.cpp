#include "shell/serve/DrawingFiles.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/entities/AcDbEntity.h"
#include "host/gi/GiPrimitiveGeometry.h"
#include "host/gi/RecordingWorldDraw.h"
#include "host/io/DrawingFile.h"
#include "host/io/dxf/DxfExport.h"
#include "host/render/DatabasePicture.h"
#include "host/render/PictureWriter.h"
#include "host/win/FileBytes.h"
#include "host/win/Utf8.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace serve {

namespace {

constexpr std::size_t kMaxDownloadBytes = std::size_t(1) << 31;
// Width of the SVG in its own units; the page scales it to its window.
constexpr int kSvgWidth = 2000;

// A file in the temporary folder that is removed when the object goes.
class TempFile {
public:
    explicit TempFile(const std::string& extension) {
        static std::atomic<unsigned> counter{0};
        std::error_code ec;
        m_path = (std::filesystem::temp_directory_path(ec) /
                  ("lintaro-serve-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "." + extension))
                     .string();
    }
    ~TempFile() {
        std::error_code ec;
        std::filesystem::remove(m_path, ec);
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

bool readBack(const TempFile& file, std::string& bytes, std::wstring& error) {
    if (host::readFileBytes(file.path(), bytes, kMaxDownloadBytes) == host::ReadResult::Ok) return true;
    error = L"the file made for the download could not be read back";
    return false;
}

} // namespace

bool drawingSvg(AcDbDatabase* db, DrawingPicture& picture, std::wstring& error) {
    // The window first, so the page knows which drawing point each point of the picture is.
    host::gi::GiRecording primitives;
    if (!host::render::recordModelSpace(db, primitives, error, false)) return false;
    host::render::RenderOptions options;
    options.widthPx = kSvgWidth;
    if (!host::render::renderWindow(primitives, options, picture.x1, picture.y1, picture.x2, picture.y2, error))
        return false;
    options.hasWindow = true;
    options.x1 = picture.x1;
    options.y1 = picture.y1;
    options.x2 = picture.x2;
    options.y2 = picture.y2;
    TempFile file("svg");
    if (!host::render::renderDatabaseToFile(db, host::fromUtf8(file.path()), options, error)) return false;
    return readBack(file, picture.svg, error);
}

namespace {

// The looks of the drawing's layers and linetypes, as its own picture has them.
void useDrawingLooks(AcDbDatabase* db, host::render::RenderOptions& options) {
    options.layerLook = [](AcDbStub* layer) { return host::render::layerLookOf(layer); };
    options.linetypeLook = [](AcDbStub* linetype) { return host::render::linetypeLookOf(linetype); };
    if (db) options.ltscale = db->ltscale();
}

// The shown window grown to take in lo-hi, on the shown picture's scale; the shown
// window alone when the grown one would be wider or higher than a picture may be.
void previewWindow(const DrawingPicture& shown, const AcGePoint3d& lo, const AcGePoint3d& hi,
                   host::render::RenderOptions& options) {
    const double scale = kSvgWidth / (shown.x2 - shown.x1);
    options.x1 = std::min(shown.x1, lo.x);
    options.y1 = std::min(shown.y1, lo.y);
    options.x2 = std::max(shown.x2, hi.x);
    options.y2 = std::max(shown.y2, hi.y);
    const double limit = host::render::RenderOptions::kMaxPixels;
    if (!((options.x2 - options.x1) * scale <= limit) || !((options.y2 - options.y1) * scale <= limit)) {
        options.x1 = shown.x1;
        options.y1 = shown.y1;
        options.x2 = shown.x2;
        options.y2 = shown.y2;
    }
    options.widthPx = std::max(1, int(std::lround((options.x2 - options.x1) * scale)));
}

} // namespace

bool entitySvg(AcDbEntity* entity, AcDbDatabase* db, const DrawingPicture& shown, DrawingPicture& picture,
               std::wstring& error) {
    if (!entity) {
        error = L"nothing to show";
        return false;
    }
    host::gi::RecordingWorldDraw draw;
    draw.setDragging(true);
    draw.setDatabase(db);
    draw.drawDrawable(entity);
    const host::gi::GiRecording& primitives = draw.primitives();
    host::render::RenderOptions options;
    AcGePoint3d lo(shown.x1, shown.y1, 0), hi(shown.x2, shown.y2, 0);
    if (shown.x2 > shown.x1 && shown.y2 > shown.y1) {
        host::gi::recordingExtents(primitives, lo, hi);
        previewWindow(shown, lo, hi, options);
    } else {
        // No picture shown yet: the entity's own.
        options.widthPx = kSvgWidth;
        if (!host::render::renderWindow(primitives, options, options.x1, options.y1, options.x2, options.y2, error))
            return false;
    }
    options.hasWindow = true;
    useDrawingLooks(db, options);
    picture.x1 = options.x1;
    picture.y1 = options.y1;
    picture.x2 = options.x2;
    picture.y2 = options.y2;
    TempFile file("svg");
    if (!host::render::renderToFile(primitives, host::fromUtf8(file.path()), options, error)) return false;
    return readBack(file, picture.svg, error);
}

bool drawingFileBytes(AcDbDatabase* db, const std::string& format, std::string& bytes, std::wstring& error) {
    if (!db) {
        error = L"no drawing is open";
        return false;
    }
    TempFile file(format);
    if (format == "dwg") {
        if (!host::io::saveDrawingFile(db, host::fromUtf8(file.path()), false, error)) return false;
    } else if (format == "dxf") {
        host::dxf::DxfExportReport report;
        if (!host::dxf::exportDxfFile(db, file.path(), report, error)) return false;
    } else if (format == "png" || format == "pdf" || format == "svg") {
        host::render::RenderOptions options;
        if (!host::render::renderDatabaseToFile(db, host::fromUtf8(file.path()), options, error)) return false;
    } else {
        error = L"downloads are dwg, dxf, png, pdf or svg";
        return false;
    }
    return readBack(file, bytes, error);
}

const char* formatMimeType(const std::string& format) {
    if (format == "png") return "image/png";
    if (format == "pdf") return "application/pdf";
    if (format == "svg") return "image/svg+xml";
    if (format == "dxf") return "image/vnd.dxf";
    return "application/octet-stream";
}

} // namespace serve
