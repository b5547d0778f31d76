// Picking finds the primitive under the pick box and the marker users pick by.
#include "host/gi/GiPick.h"
#include "host/gi/GiPrimitiveGeometry.h"
#include "host/gi/RecordingWorldDraw.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace host::gi;

namespace {

constexpr double kBox = 0.1;      // pick box half size in drawing units
constexpr double kDistTol = 1e-9; // plan distances
constexpr double kArcTol = 1e-3;  // arcs are searched along their chords

void line(RecordingWorldDraw& wd, LONG_PTR marker, AcGePoint3d a, AcGePoint3d b) {
    wd.subEntityTraits().setSelectionMarker(marker);
    AcGePoint3d pts[2] = {a, b};
    wd.geometry().polyline(2, pts);
}

} // namespace

TEST(GiPick, NearestPrimitiveUnderTheBoxGivesItsMarker) {
    RecordingWorldDraw wd;
    line(wd, 5, {0, 0, 0}, {10, 0, 0});
    line(wd, 8, {0, 1, 0}, {10, 1, 0});
    GiRecording rec = wd.takePrimitives();

    auto hit = pickNearest(rec, AcGePoint3d(5, 0.05, 0), kBox);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->marker, 5);
    EXPECT_EQ(hit->primitive, 0u);
    EXPECT_NEAR(hit->distance, 0.05, kDistTol);
    hit = pickNearest(rec, AcGePoint3d(5, 0.97, 0), kBox);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->marker, 8);
    // Empty space between the lines, and beyond their ends.
    EXPECT_FALSE(pickNearest(rec, AcGePoint3d(5, 0.5, 0), kBox));
    EXPECT_FALSE(pickNearest(rec, AcGePoint3d(10.2, 0, 0), kBox));
    // A large box sees both; the nearer wins.
    hit = pickNearest(rec, AcGePoint3d(5, 0.4, 0), 0.7);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->marker, 5);
    // The box is a square: a line across its corner is under it although it is
    // further from the point than the half size.
    RecordingWorldDraw diag;
    line(diag, 3, {0, 0.19, 0}, {0.19, 0, 0});
    hit = pickNearest(diag.primitives(), AcGePoint3d(0, 0, 0), kBox);
    ASSERT_TRUE(hit);
    EXPECT_NEAR(hit->distance, 0.19 / std::sqrt(2.0), kDistTol);
    EXPECT_FALSE(pickNearest(diag.primitives(), AcGePoint3d(0, 0, 0), 0.09));
}

TEST(GiPick, SegmentsArcsAreasAndTexts) {
    RecordingWorldDraw wd;
    AcGiWorldGeometry& g = wd.geometry();
    AcGePoint3d run[4] = {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}};
    g.polyline(4, run, nullptr, 10); // segments picked as 10, 11, 12
    wd.subEntityTraits().setSelectionMarker(20);
    g.circle(AcGePoint3d(30, 0, 0), 2.0, AcGeVector3d::kZAxis);
    wd.subEntityTraits().setSelectionMarker(21);
    g.circularArc(AcGePoint3d(40, 0, 0), 2.0, AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, M_PI / 2);
    wd.subEntityTraits().setSelectionMarker(22);
    wd.subEntityTraits().setFillType(kAcGiFillAlways);
    AcGePoint3d tri[3] = {{50, 0, 0}, {60, 0, 0}, {50, 10, 0}};
    g.polygon(3, tri);
    wd.subEntityTraits().setFillType(kAcGiFillNever);
    wd.subEntityTraits().setSelectionMarker(23);
    g.text(AcGePoint3d(70, 0, 0), AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, 2.0, 1.0, 0.0, L"12,50");
    wd.subEntityTraits().setSelectionMarker(24);
    g.xline(AcGePoint3d(0, 100, 0), AcGePoint3d(1, 100, 0));
    GiRecording rec = wd.takePrimitives();

    auto markerAt = [&](double x, double y) -> LONG_PTR {
        auto h = pickNearest(rec, AcGePoint3d(x, y, 0), kBox);
        return h ? h->marker : -999;
    };
    EXPECT_EQ(markerAt(5, 0), 10);
    EXPECT_EQ(markerAt(10, 5), 11);
    EXPECT_EQ(markerAt(5, 10.05), 12);
    EXPECT_EQ(markerAt(5, 5), -999) << "an open polyline has no inside";

    EXPECT_EQ(markerAt(32.05, 0), 20);
    EXPECT_EQ(markerAt(30 + 2 * std::cos(1.0), 2 * std::sin(1.0)), 20);
    EXPECT_EQ(markerAt(30, 0), -999) << "an unfilled circle is picked at its line only";
    EXPECT_EQ(markerAt(40 + std::sqrt(2.0), std::sqrt(2.0)), 21);
    EXPECT_EQ(markerAt(40 - std::sqrt(2.0), -std::sqrt(2.0)), -999) << "outside the arc's sweep";
    auto onArc = pickNearest(rec, AcGePoint3d(40, 2.05, 0), kBox);
    ASSERT_TRUE(onArc);
    EXPECT_NEAR(onArc->distance, 0.05, kArcTol);

    EXPECT_EQ(markerAt(52, 2), 22) << "a filled polygon contains the point";
    EXPECT_EQ(markerAt(58, 8), -999);

    // Inside the measured box of the text, and not beyond its end.
    AcGePoint3d lo, hi;
    ASSERT_TRUE(primitiveExtents(rec[4], lo, hi));
    EXPECT_NEAR(lo.x, 70.0, 0.3);
    EXPECT_NEAR(hi.y - 0.0, 2.0, 0.1);
    EXPECT_EQ(markerAt((lo.x + hi.x) / 2, 1.0), 23);
    EXPECT_EQ(markerAt(hi.x + 0.5, 1.0), -999);

    EXPECT_EQ(markerAt(-1e6, 100.05), 24) << "a construction line has no end";

    // Several recordings, one per entity: the hit names the recording.
    RecordingWorldDraw other;
    line(other, 7, {5, 5, 0}, {6, 5, 0});
    GiRecording second = other.takePrimitives();
    auto h = pickNearest({&rec, nullptr, &second}, AcGePoint3d(5.5, 5.02, 0), kBox);
    ASSERT_TRUE(h);
    EXPECT_EQ(h->recording, 2u);
    EXPECT_EQ(h->marker, 7);
}

TEST(GiPick, BadPickInputFindsNothing) {
    RecordingWorldDraw wd;
    line(wd, 1, {0, 0, 0}, {1, 0, 0});
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(pickNearest(wd.primitives(), AcGePoint3d(nan, 0, 0), kBox));
    EXPECT_FALSE(pickNearest(wd.primitives(), AcGePoint3d(0.5, 0, 0), -1.0));
    EXPECT_FALSE(pickNearest(wd.primitives(), AcGePoint3d(0.5, 0, 0), nan));
    EXPECT_FALSE(pickNearest(GiRecording{}, AcGePoint3d(0, 0, 0), kBox));
    // A zero box still finds a line through the point.
    EXPECT_TRUE(pickNearest(wd.primitives(), AcGePoint3d(0.5, 0, 0), 0.0));
}
