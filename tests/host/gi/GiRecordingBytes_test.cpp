// Proxy graphics filed as bytes come back exactly, and damaged bytes are refused.
#include "host/gi/GiRecordingBytes.h"
#include "host/gi/RecordingWorldDraw.h"
#include "host/win/Utf8.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

using namespace host::gi;

namespace {

constexpr double kExact = 0.0; // doubles are filed bit for bit

GiRecording sampleRecording() {
    RecordingWorldDraw wd(kAcGiSaveWorldDrawForProxy);
    AcGiWorldGeometry& g = wd.geometry();
    AcGiSubEntityTraits& t = wd.subEntityTraits();
    t.setSelectionMarker(3 * 7 + 1);
    t.setLayer(reinterpret_cast<AcDbStub*>(0x10));
    t.setLineType(reinterpret_cast<AcDbStub*>(0x20));
    t.setLineWeight(35);
    AcGePoint3d pts[3] = {{0.1, 0.2, 0.3}, {1e6, -2.5, 0}, {3, 4, 5}};
    g.polyline(3, pts, nullptr, 7);
    t.setFillType(kAcGiFillAlways);
    t.setTrueColor(AcGiColor(255, 128, 1));
    g.polygon(3, pts);
    g.circularArc(AcGePoint3d(1, 2, 0), 3.0, AcGeVector3d::kZAxis, AcGeVector3d::kYAxis, 1.25,
                  kAcGiArcSector);
    t.setFillType(kAcGiFillNever);
    t.setColor(256);
    g.circle(AcGePoint3d(-1, -2, 0), 0.5, AcGeVector3d::kZAxis);
    AcGiTextStyle style;
    style.setFont(L"DejaVu Sans", true, false, 0, 34);
    style.setFileName(L"arial.ttf");
    style.setStyleName(L"BMaß");
    style.setTextSize(0.35);
    style.setXScale(0.9);
    style.setObliquingAngle(-0.1);
    style.setUnderlined(true);
    g.text(AcGePoint3d(5, 6, 0), AcGeVector3d::kZAxis, AcGeVector3d(1, 1, 0), L"±12,5² BMaß", -1, true,
           style);
    g.xline(AcGePoint3d(0, 0, 0), AcGePoint3d(0, 1, 0));
    t.setSelectionMarker(-5);
    g.ray(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
    return wd.takePrimitives();
}

void expectSame(const GiPrimitive& a, const GiPrimitive& b) {
    EXPECT_EQ(a.kind, b.kind);
    EXPECT_TRUE(a.traits == b.traits);
    ASSERT_EQ(a.points.size(), b.points.size());
    for (size_t i = 0; i < a.points.size(); ++i) {
        EXPECT_NEAR(a.points[i].x, b.points[i].x, kExact);
        EXPECT_NEAR(a.points[i].y, b.points[i].y, kExact);
        EXPECT_NEAR(a.points[i].z, b.points[i].z, kExact);
    }
    EXPECT_EQ(a.baseMarker, b.baseMarker);
    EXPECT_NEAR(a.radius, b.radius, kExact);
    EXPECT_NEAR(a.sweep, b.sweep, kExact);
    EXPECT_NEAR(a.center.y, b.center.y, kExact);
    EXPECT_NEAR(a.startVector.y, b.startVector.y, kExact);
    EXPECT_EQ(a.arcType, b.arcType);
    EXPECT_EQ(a.text, b.text);
    EXPECT_EQ(a.raw, b.raw);
    EXPECT_NEAR(a.direction.x, b.direction.x, kExact);
    EXPECT_NEAR(a.height(), b.height(), kExact);
    EXPECT_NEAR(a.widthFactor(), b.widthFactor(), kExact);
    EXPECT_NEAR(a.oblique(), b.oblique(), kExact);
    EXPECT_EQ(a.style().typeface(), b.style().typeface());
    EXPECT_STREQ(a.style().fileName(), b.style().fileName());
    EXPECT_STREQ(a.style().styleName(), b.style().styleName());
    EXPECT_EQ(a.style().isBold(), b.style().isBold());
    EXPECT_EQ(a.style().isUnderlined(), b.style().isUnderlined());
    EXPECT_EQ(a.style().pitchAndFamily(), b.style().pitchAndFamily());
}

} // namespace

TEST(GiRecordingBytes, RoundTripKeepsEveryPrimitiveAndMapsLayersThroughHandles) {
    GiRecording original = sampleRecording();
    ASSERT_EQ(original.size(), 7u);
    auto toHandle = [](AcDbStub* s) { return uint64_t(reinterpret_cast<uintptr_t>(s)) + 0x100; };
    auto fromHandle = [](uint64_t h) { return reinterpret_cast<AcDbStub*>(uintptr_t(h - 0x100)); };
    std::vector<uint8_t> bytes = recordingToBytes(original, toHandle);
    EXPECT_EQ(std::memcmp(bytes.data(), "LGI1", 4), 0);

    GiRecording back;
    std::wstring error;
    ASSERT_TRUE(recordingFromBytes(bytes, back, error, fromHandle)) << host::toUtf8(error);
    EXPECT_TRUE(error.empty());
    ASSERT_EQ(back.size(), original.size());
    for (size_t i = 0; i < back.size(); ++i) {
        SCOPED_TRACE(i);
        expectSame(original[i], back[i]);
    }
    EXPECT_EQ(recordingToBytes(back, toHandle), bytes) << "writing again gives the same bytes";

    // Without a handle mapping the layer is not kept, everything else is.
    GiRecording plain;
    ASSERT_TRUE(recordingFromBytes(recordingToBytes(original), plain, error));
    EXPECT_EQ(plain[0].traits.layer, nullptr);
    EXPECT_EQ(plain[0].traits.marker, 22);

    // An empty recording is valid too.
    ASSERT_TRUE(recordingFromBytes(recordingToBytes({}), plain, error));
    EXPECT_TRUE(plain.empty());
}

TEST(GiRecordingBytes, DamagedBytesAreRefusedWithTheirOffsetAndChangeNothing) {
    const GiRecording original = sampleRecording();
    const std::vector<uint8_t> bytes = recordingToBytes(original);
    GiRecording keep = sampleRecording();
    std::wstring error;

    // Cut at every length: never a crash, never a partial result.
    for (size_t n = 0; n < bytes.size(); ++n) {
        GiRecording out = keep;
        ASSERT_FALSE(recordingFromBytes(bytes.data(), n, out, error)) << "cut at " << n;
        ASSERT_FALSE(error.empty());
        ASSERT_EQ(out.size(), keep.size()) << "the output is untouched";
    }
    GiRecording out;
    EXPECT_FALSE(recordingFromBytes(nullptr, 100, out, error));

    auto damaged = [&](size_t at, std::initializer_list<uint8_t> patch) {
        std::vector<uint8_t> b = bytes;
        size_t i = at;
        for (uint8_t v : patch)
            b[i++] = v;
        GiRecording o;
        std::wstring e;
        bool ok = recordingFromBytes(b, o, e);
        return ok ? std::string("accepted") : host::toUtf8(e);
    };
    EXPECT_NE(damaged(0, {'X'}).find("signature"), std::string::npos);
    EXPECT_NE(damaged(4, {9}).find("version"), std::string::npos);
    // A count of four billion primitives in a few hundred bytes.
    EXPECT_NE(damaged(8, {0xFF, 0xFF, 0xFF, 0xFF}).find("at byte 12"), std::string::npos);
    // The polyline's point count (after magic, version, count, kind, traits, base marker).
    const size_t pointCountAt = 12 + 1 + 51 + 8;
    EXPECT_NE(damaged(pointCountAt, {0xFF, 0xFF, 0xFF, 0x7F}).find("more points"), std::string::npos);
    EXPECT_NE(damaged(12, {42}).find("unknown primitive kind"), std::string::npos);
    // A NaN coordinate: the first x of the polyline.
    EXPECT_NE(damaged(pointCountAt + 4, {0, 0, 0, 0, 0, 0, 0xF8, 0x7F}).find("not finite"),
              std::string::npos);

    std::vector<uint8_t> longer = bytes;
    longer.push_back(0);
    EXPECT_FALSE(recordingFromBytes(longer, out, error));
    EXPECT_NE(host::toUtf8(error).find("left over"), std::string::npos);
}
