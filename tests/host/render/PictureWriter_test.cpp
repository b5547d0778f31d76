// Pictures show what was drawn, where it was drawn, and never spoil a file.
#include "host/gi/GiPrimitiveGeometry.h"
#include "host/gi/RecordingWorldDraw.h"
#include "host/render/PictureWriter.h"
#include "host/win/Utf8.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace host::gi;
using namespace host::render;
namespace fs = std::filesystem;

namespace {

// Pixels within this many of a line's or a glyph's edge may be touched by
// anti-aliasing.
constexpr int kEdgePx = 2;

class PictureWriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/lintaro-render-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(m_dir, ec);
    }
    std::wstring file(const char* name) const { return host::fromUtf8((m_dir / name).string()); }

    fs::path m_dir;
};

struct Image {
    cairo_surface_t* s = nullptr;
    explicit Image(const std::wstring& path) {
        s = cairo_image_surface_create_from_png(host::toUtf8(path).c_str());
    }
    ~Image() { cairo_surface_destroy(s); }
    bool ok() const { return cairo_surface_status(s) == CAIRO_STATUS_SUCCESS; }
    int width() const { return cairo_image_surface_get_width(s); }
    int height() const { return cairo_image_surface_get_height(s); }
    // 0xRRGGBB of a pixel.
    uint32_t at(int x, int y) const {
        cairo_surface_flush(s);
        const unsigned char* row = cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s);
        return reinterpret_cast<const uint32_t*>(row)[x] & 0xFFFFFF;
    }
    bool white(int x, int y) const { return at(x, y) == 0xFFFFFF; }
    // A thin line between two pixel rows is shared by both, lighter: the colour's
    // own channel is full and the others clearly lower.
    bool tinted(int x, int y, uint32_t rgb) const {
        uint32_t p = at(x, y);
        for (int shift : {0, 8, 16}) {
            uint32_t want = (rgb >> shift) & 0xFF, got = (p >> shift) & 0xFF;
            if (want == 0xFF ? got != 0xFF : got > 0x80) return false;
        }
        return true;
    }
};

GiRecording redLineAndGreenSquare() {
    RecordingWorldDraw wd;
    wd.subEntityTraits().setColor(1);
    AcGePoint3d line[2] = {{10, 25, 0}, {90, 25, 0}};
    wd.geometry().polyline(2, line);
    wd.subEntityTraits().setColor(3);
    wd.subEntityTraits().setFillType(kAcGiFillAlways);
    AcGePoint3d square[4] = {{60, 35, 0}, {80, 35, 0}, {80, 45, 0}, {60, 45, 0}};
    wd.geometry().polygon(4, square);
    return wd.takePrimitives();
}

RenderOptions window100x50(int widthPx = 200) {
    RenderOptions o;
    o.hasWindow = true;
    o.x1 = 0;
    o.y1 = 0;
    o.x2 = 100;
    o.y2 = 50;
    o.widthPx = widthPx;
    return o;
}

} // namespace

TEST_F(PictureWriterTest, PngHasTheSizeAndShowsLinesAndAreasWhereTheyWereDrawn) {
    std::wstring path = file("plan.png");
    std::wstring error;
    ASSERT_TRUE(renderToFile(redLineAndGreenSquare(), path, window100x50(), error)) << host::toUtf8(error);
    Image img(path);
    ASSERT_TRUE(img.ok());
    EXPECT_EQ(img.width(), 200);
    EXPECT_EQ(img.height(), 100);
    // Drawing (50,25) is pixel (100,50): on the red line. y runs downwards.
    EXPECT_TRUE(img.tinted(100, 50, 0xFF0000)) << std::hex << img.at(100, 50);
    EXPECT_TRUE(img.white(100, 50 - 3 * kEdgePx));
    EXPECT_TRUE(img.white(10, 50)) << "left of the line's start";
    // Inside the filled square (drawing 70,40 -> pixel 140,20): green.
    EXPECT_EQ(img.at(140, 20), 0x00FF00u);
    EXPECT_TRUE(img.white(140, 35));
}

TEST_F(PictureWriterTest, TextInkStaysInsideItsMeasuredBox) {
    RecordingWorldDraw wd;
    AcGiTextStyle style;
    style.setFont(L"DejaVu Sans", false, false, 0, 0);
    style.setTextSize(10.0);
    wd.geometry().text(AcGePoint3d(10, 20, 0), AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, L"12,5 Maß", -1,
                       false, style);
    GiRecording rec = wd.takePrimitives();
    AcGePoint3d lo, hi;
    ASSERT_TRUE(primitiveExtents(rec[0], lo, hi));

    std::wstring path = file("text.png");
    std::wstring error;
    RenderOptions o = window100x50(400); // 4 pixels per unit
    ASSERT_TRUE(renderToFile(rec, path, o, error)) << host::toUtf8(error);
    Image img(path);
    ASSERT_TRUE(img.ok());
    int inside = 0, outside = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            if (img.white(x, y)) continue;
            double dx = (x + 0.5) / 4.0, dy = 50 - (y + 0.5) / 4.0;
            bool in = dx >= lo.x - kEdgePx / 4.0 && dx <= hi.x + kEdgePx / 4.0 &&
                      dy >= lo.y - kEdgePx / 4.0 && dy <= hi.y + kEdgePx / 4.0;
            (in ? inside : outside)++;
        }
    EXPECT_GT(inside, 500) << "the glyphs are drawn";
    EXPECT_EQ(outside, 0) << "no ink outside the box the text measured";
}

TEST_F(PictureWriterTest, LayerColourVisibilityAndVectorFormats) {
    auto* shown = reinterpret_cast<AcDbStub*>(0x1);
    auto* hidden = reinterpret_cast<AcDbStub*>(0x2);
    RecordingWorldDraw wd;
    wd.subEntityTraits().setColor(256); // ByLayer
    wd.subEntityTraits().setLayer(shown);
    AcGePoint3d a[2] = {{10, 25, 0}, {90, 25, 0}};
    wd.geometry().polyline(2, a);
    wd.subEntityTraits().setLayer(hidden);
    AcGePoint3d b[2] = {{50, 5, 0}, {50, 45, 0}};
    wd.geometry().polyline(2, b);
    GiRecording rec = wd.takePrimitives();

    RenderOptions o = window100x50();
    o.layerLook = [&](AcDbStub* layer) {
        LayerLook look;
        look.color.setColorIndex(5);
        look.visible = layer != hidden;
        return look;
    };
    std::wstring path = file("layers.png"), error;
    ASSERT_TRUE(renderToFile(rec, path, o, error)) << host::toUtf8(error);
    Image img(path);
    EXPECT_TRUE(img.tinted(60, 50, 0x0000FF))
        << "ByLayer takes the layer's blue: " << std::hex << img.at(60, 50);
    EXPECT_TRUE(img.white(100, 20)) << "a layer that is off is not drawn";

    for (const char* name : {"plan.svg", "plan.PDF"}) {
        std::wstring p = file(name);
        ASSERT_TRUE(renderToFile(rec, p, o, error)) << host::toUtf8(error);
        std::ifstream in(host::toUtf8(p), std::ios::binary);
        std::stringstream head;
        head << in.rdbuf();
        std::string content = head.str();
        EXPECT_TRUE(content.rfind("%PDF", 0) == 0 || content.find("<svg") != std::string::npos) << name;
        EXPECT_FALSE(fs::exists(host::toUtf8(p) + ".part"));
    }

    // Without a window: the extents and a margin, never an empty or endless picture.
    RenderOptions fit;
    fit.widthPx = 300;
    ASSERT_TRUE(renderToFile(rec, file("fit.png"), fit, error)) << host::toUtf8(error);
    Image fitted(file("fit.png"));
    EXPECT_EQ(fitted.width(), 300);
    EXPECT_GT(fitted.height(), 100);
    ASSERT_TRUE(renderToFile({}, file("empty.png"), fit, error)) << host::toUtf8(error);
}

TEST_F(PictureWriterTest, BadRequestsAreRefusedAndLeaveExistingFilesAlone) {
    GiRecording rec = redLineAndGreenSquare();
    std::wstring error;
    EXPECT_FALSE(renderToFile(rec, file("plan.bmp"), window100x50(), error));
    EXPECT_NE(host::toUtf8(error).find("unknown picture type \".bmp\""), std::string::npos)
        << host::toUtf8(error);
    EXPECT_FALSE(renderToFile(rec, file("noext"), window100x50(), error));

    EXPECT_FALSE(renderToFile(rec, file("missing/dir/plan.png"), window100x50(), error));
    EXPECT_NE(host::toUtf8(error).find("Cannot write"), std::string::npos);

    // An old picture stays as it was when a new one cannot be made.
    std::wstring old = file("old.png");
    { std::ofstream(host::toUtf8(old)) << "old picture"; }
    RenderOptions tooTall = window100x50();
    tooTall.y2 = 1e7;
    EXPECT_FALSE(renderToFile(rec, old, tooTall, error));
    RenderOptions flat = window100x50();
    flat.y2 = flat.y1;
    EXPECT_FALSE(renderToFile(rec, old, flat, error));
    EXPECT_NE(host::toUtf8(error).find("no size"), std::string::npos);
    RenderOptions noWidth = window100x50(0);
    EXPECT_FALSE(renderToFile(rec, old, noWidth, error));
    std::ifstream in(host::toUtf8(old));
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(content, "old picture");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1) << "no stray files";
}

TEST_F(PictureWriterTest, TallDrawingsFitAPngAndStayWholeInSvgAndPdf) {
    const GiRecording rec = redLineAndGreenSquare();
    RenderOptions tall = window100x50(1600);
    tall.y2 = 5000; // 1600 wide it would be 80,000 pixels high
    std::wstring error, note;
    ASSERT_TRUE(renderToFile(rec, file("tall.png"), tall, error, &note)) << host::toUtf8(error);
    Image png(file("tall.png"));
    ASSERT_TRUE(png.ok());
    EXPECT_EQ(png.height(), RenderOptions::kMaxPixels);
    EXPECT_EQ(png.width(), 327) << "100 units at 16384 / 5000 pixels per unit";
    EXPECT_NE(note.find(L"327 x 16384"), std::wstring::npos) << host::toUtf8(note);
    // The red line at y = 25 is still where the smaller scale puts it: 25 units above the bottom.
    const int lineRow = RenderOptions::kMaxPixels - int(25 * 16384.0 / 5000);
    bool red = false;
    for (int dy = -kEdgePx; dy <= kEdgePx && !red; ++dy)
        red = png.tinted(150, lineRow + dy, 0xFF0000);
    EXPECT_TRUE(red);

    note.clear();
    ASSERT_TRUE(renderToFile(rec, file("tall.svg"), tall, error, &note)) << host::toUtf8(error);
    EXPECT_TRUE(note.empty()) << "a vector picture keeps the asked size";
    std::ifstream in(host::toUtf8(file("tall.svg")));
    std::string svg((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(svg.find("height=\"80000"), std::string::npos) << svg.substr(0, 300);
    ASSERT_TRUE(renderToFile(rec, file("tall.pdf"), tall, error)) << host::toUtf8(error);
    EXPECT_GT(fs::file_size(m_dir / "tall.pdf"), 0u);

    // A normal picture says nothing.
    ASSERT_TRUE(renderToFile(rec, file("plain.png"), window100x50(), error, &note));
    EXPECT_TRUE(note.empty());
}

TEST_F(PictureWriterTest, LinesShowTheDashesOfTheirLinetypeScaled) {
    // Two lines: one with its own linetype, one following its layer's.
    AcDbStub* const dashed = reinterpret_cast<AcDbStub*>(0x10);
    AcDbStub* const byLayer = reinterpret_cast<AcDbStub*>(0x20);
    AcDbStub* const layer = reinterpret_cast<AcDbStub*>(0x30);
    RecordingWorldDraw wd;
    wd.subEntityTraits().setColor(1);
    wd.subEntityTraits().setLineType(dashed);
    AcGePoint3d upper[2] = {{10, 40, 0}, {90, 40, 0}};
    wd.geometry().polyline(2, upper);
    wd.subEntityTraits().setLineType(byLayer);
    wd.subEntityTraits().setLayer(layer);
    wd.subEntityTraits().setLineTypeScale(2.0);
    AcGePoint3d lower[2] = {{10, 10, 0}, {90, 10, 0}};
    wd.geometry().polyline(2, lower);
    RenderOptions o = window100x50(); // 2 px a drawing unit
    o.ltscale = 0.5;
    o.linetypeLook = [&](AcDbStub* lt) {
        LinetypeLook look;
        look.byLayer = lt == byLayer;
        if (lt == dashed) look.dashes = {20.0, -20.0}; // at ltscale 0.5: 20 px dash, 20 px gap
        return look;
    };
    o.layerLook = [&](AcDbStub*) {
        LayerLook look;
        look.linetype = dashed; // at ltscale 0.5 and the line's 2: 40 px dash, 40 px gap
        return look;
    };
    std::wstring error;
    ASSERT_TRUE(renderToFile(wd.takePrimitives(), file("dashes.png"), o, error)) << host::toUtf8(error);
    Image img(file("dashes.png"));
    ASSERT_TRUE(img.ok());
    // The upper line (device row 20) starts at x 20: dashes 20-40, 60-80 ...
    EXPECT_TRUE(img.tinted(30, 20, 0xFF0000));
    EXPECT_TRUE(img.white(50, 20)) << "a gap";
    EXPECT_TRUE(img.tinted(70, 20, 0xFF0000));
    EXPECT_TRUE(img.white(90, 20));
    // The lower line (device row 80): dash 20-60, gap 60-100, dash 100-140.
    EXPECT_TRUE(img.tinted(50, 80, 0xFF0000));
    EXPECT_TRUE(img.white(80, 80)) << "the layer's linetype, scaled by the line's own scale";
    EXPECT_TRUE(img.tinted(120, 80, 0xFF0000));
}
