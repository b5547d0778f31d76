// The recording world draw keeps exactly what a drawable drew, where and how.
#include "host/ge/AcGeMatrix3d.h"
#include "host/gi/AcGiContext.h"
#include "host/gi/AcGiDrawable.h"
#include "host/gi/AcGiSubEntityTraits.h"
#include "host/gi/AcGiTextStyle.h"
#include "host/gi/RecordingWorldDraw.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

using host::gi::GiPrimitive;
using host::gi::RecordingWorldDraw;

namespace {

constexpr double kPointTol = 1e-9;

#define EXPECT_POINT(actual, ex, ey, ez)                                                                     \
    do {                                                                                                     \
        EXPECT_NEAR((actual).x, (ex), kPointTol);                                                            \
        EXPECT_NEAR((actual).y, (ey), kPointTol);                                                            \
        EXPECT_NEAR((actual).z, (ez), kPointTol);                                                            \
    } while (0)

// A drawable whose drawing is given as a function, like an entity's subWorldDraw.
class FnDrawable : public AcGiDrawable {
public:
    explicit FnDrawable(std::function<bool(AcGiWorldDraw*)> fn) : m_fn(std::move(fn)) {}

protected:
    bool subWorldDraw(AcGiWorldDraw* wd) override { return m_fn(wd); }

private:
    std::function<bool(AcGiWorldDraw*)> m_fn;
};

} // namespace

TEST(RecordingWorldDraw, KeepsEveryPrimitiveWithItsMarkerAndTraits) {
    auto* layer = reinterpret_cast<AcDbStub*>(0x1234);
    FnDrawable chain([&](AcGiWorldDraw* wd) {
        AcGiSubEntityTraits& t = wd->subEntityTraits();
        AcGiWorldGeometry& g = wd->geometry();
        t.setSelectionMarker(2);
        t.setColor(1);
        t.setLayer(layer);
        t.setLineWeight(50);
        AcGePoint3d line[2] = {{0, 0, 0}, {10, 0, 0}};
        g.polyline(2, line);
        t.setSelectionMarker(3);
        t.setFillType(kAcGiFillAlways);
        AcGePoint3d tri[3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
        g.polygon(3, tri);
        t.setFillType(kAcGiFillNever);
        t.setTrueColor(AcGiColor(10, 20, 30));
        g.circle(AcGePoint3d(5, 5, 0), 2.0, AcGeVector3d::kZAxis);
        t.setSelectionMarker(4);
        AcGiTextStyle style;
        style.setFileName(L"DejaVuSans.ttf");
        style.setTextSize(2.5);
        style.setXScale(0.8);
        style.setObliquingAngle(0.25);
        g.text(AcGePoint3d(1, 2, 0), AcGeVector3d::kZAxis, AcGeVector3d(0, 3, 0), L"1,23^5", -1, false,
               style);
        g.xline(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0));
        return true;
    });
    RecordingWorldDraw wd;
    EXPECT_TRUE(wd.drawDrawable(&chain));
    const auto& p = wd.primitives();
    ASSERT_EQ(p.size(), 5u);

    EXPECT_EQ(p[0].kind, GiPrimitive::Polyline);
    EXPECT_EQ(p[0].traits.marker, 2);
    EXPECT_EQ(p[0].traits.colorIndex, 1);
    EXPECT_TRUE(p[0].traits.trueColor.isByACI());
    EXPECT_EQ(p[0].traits.layer, layer);
    EXPECT_EQ(p[0].traits.lineWeight, 50);
    ASSERT_EQ(p[0].points.size(), 2u);
    EXPECT_POINT(p[0].points[1], 10, 0, 0);

    EXPECT_EQ(p[1].kind, GiPrimitive::Polygon);
    EXPECT_EQ(p[1].traits.marker, 3);
    EXPECT_TRUE(p[1].isFilled());
    EXPECT_EQ(p[1].points.size(), 3u);

    EXPECT_EQ(p[2].kind, GiPrimitive::Circle);
    EXPECT_FALSE(p[2].isFilled()) << "the fill was switched off again";
    EXPECT_TRUE(p[2].traits.trueColor.isByColor());
    EXPECT_EQ(p[2].traits.trueColor.green(), 20);
    EXPECT_EQ(p[2].traits.colorIndex, 1) << "a true colour leaves the index colour";
    EXPECT_POINT(p[2].center, 5, 5, 0);
    EXPECT_NEAR(p[2].radius, 2.0, kPointTol);

    EXPECT_EQ(p[3].kind, GiPrimitive::Text);
    EXPECT_EQ(p[3].traits.marker, 4);
    EXPECT_EQ(p[3].text, L"1,23^5");
    EXPECT_NEAR(p[3].height(), 2.5, kPointTol);
    EXPECT_NEAR(p[3].widthFactor(), 0.8, kPointTol);
    EXPECT_NEAR(p[3].oblique(), 0.25, kPointTol);
    EXPECT_POINT(p[3].direction, 0, 1, 0);
    EXPECT_STREQ(p[3].style().fileName(), L"DejaVuSans.ttf");

    EXPECT_EQ(p[4].kind, GiPrimitive::Xline);
    EXPECT_EQ(p[4].traits.marker, 4);
}

TEST(RecordingWorldDraw, ModelTransformsMapToTheWorld) {
    FnDrawable d([](AcGiWorldDraw* wd) {
        AcGiWorldGeometry& g = wd->geometry();
        AcGeMatrix3d move = AcGeMatrix3d::translation(AcGeVector3d(100, 50, 0));
        AcGeMatrix3d turnAndScale =
            AcGeMatrix3d::rotation(M_PI / 2, AcGeVector3d::kZAxis) * AcGeMatrix3d::scaling(2.0);
        g.pushModelTransform(move);
        g.pushModelTransform(turnAndScale);
        AcGePoint3d seg[2] = {{0, 0, 0}, {1, 0, 0}};
        g.polyline(2, seg);                                        // -> (100,50)-(100,52)
        g.circle(AcGePoint3d(1, 0, 0), 1.5, AcGeVector3d::kZAxis); // centre (100,52), r 3
        g.text(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, 1.0, 1.0, 0.0, L"A");
        g.popModelTransform();
        g.polyline(2, seg); // only moved
        g.popModelTransform();
        g.popModelTransform(); // one pop too many changes nothing
        g.polyline(2, seg);
        return true;
    });
    RecordingWorldDraw wd;
    wd.drawDrawable(&d);
    const auto& p = wd.primitives();
    ASSERT_EQ(p.size(), 5u);
    EXPECT_POINT(p[0].points[0], 100, 50, 0);
    EXPECT_POINT(p[0].points[1], 100, 52, 0);
    EXPECT_POINT(p[1].center, 100, 52, 0);
    EXPECT_NEAR(p[1].radius, 3.0, kPointTol);
    EXPECT_NEAR(p[2].height(), 2.0, kPointTol) << "text scales with the transform";
    EXPECT_NEAR(p[2].widthFactor(), 1.0, kPointTol);
    EXPECT_POINT(p[2].direction, 0, 1, 0);
    EXPECT_POINT(p[3].points[1], 101, 50, 0);
    EXPECT_POINT(p[4].points[1], 1, 0, 0);

    // The arbitrary-axis system of a normal: (0,0,-1) mirrors X.
    FnDrawable ocs([](AcGiWorldDraw* wd) {
        wd->geometry().pushModelTransform(AcGeVector3d(0, 0, -1));
        AcGePoint3d seg[2] = {{0, 0, 0}, {1, 0, 0}};
        wd->geometry().polyline(2, seg);
        return true; // the transform is left pushed on purpose
    });
    RecordingWorldDraw wd2;
    wd2.drawDrawable(&ocs);
    EXPECT_POINT(wd2.primitives()[0].points[1], -1, 0, 0);
    EXPECT_TRUE(wd2.modelToWorld().isEqualTo(AcGeMatrix3d::kIdentity))
        << "a drawable's transforms do not leak";
}

TEST(RecordingWorldDraw, TextsDrawnAlikeShareOneStyleThatKeepsItsValues) {
    AcGiTextStyle style(L"DejaVuSans.ttf", L"", 2.5, 0.8, 0.25, 1.0, false, false, false, false, true, false,
                        L"Standard");
    FnDrawable d([&](AcGiWorldDraw* wd) {
        AcGiWorldGeometry& g = wd->geometry();
        const AcGePoint3d at(0, 0, 0);
        g.text(at, AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, L"1,25", -1, false, style);
        g.text(at, AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, L"3,75", -1, false, style);
        AcGiTextStyle smaller = style;
        smaller.setTextSize(1.5);
        g.text(at, AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, L"5", -1, false, smaller);
        g.pushModelTransform(AcGeMatrix3d::scaling(2.0));
        g.text(at, AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, L"7", -1, false, style);
        g.popModelTransform();
        return true;
    });
    RecordingWorldDraw wd;
    wd.drawDrawable(&d);
    // The drawable's style changes after drawing: what was recorded keeps what it drew.
    style.setTextSize(9.0);
    style.setFileName(L"other.ttf");
    const auto& p = wd.primitives();
    ASSERT_EQ(p.size(), 4u);
    EXPECT_EQ(&p[0].style(), &p[1].style()) << "two texts drawn alike hold one style";
    EXPECT_NE(&p[0].style(), &p[2].style());
    EXPECT_NE(&p[0].style(), &p[3].style());
    const double heights[] = {2.5, 2.5, 1.5, 5.0};
    for (size_t i = 0; i < p.size(); ++i) {
        EXPECT_NEAR(p[i].height(), heights[i], kPointTol) << "text " << i;
        EXPECT_NEAR(p[i].widthFactor(), 0.8, kPointTol) << "text " << i;
        EXPECT_NEAR(p[i].oblique(), 0.25, kPointTol) << "text " << i;
        EXPECT_STREQ(p[i].style().fileName(), L"DejaVuSans.ttf") << "text " << i;
        EXPECT_STREQ(p[i].style().styleName(), L"Standard") << "text " << i;
        EXPECT_TRUE(p[i].style().isUnderlined()) << "text " << i;
    }
    EXPECT_EQ(p[0].text, L"1,25");
    EXPECT_EQ(p[1].text, L"3,75");

    // Recordings made apart from each other still share, and a copy shares with its original.
    RecordingWorldDraw again;
    style.setTextSize(2.5);
    style.setFileName(L"DejaVuSans.ttf");
    again.drawDrawable(&d);
    EXPECT_EQ(&again.primitives()[0].style(), &p[0].style());
    const GiPrimitive copy = p[2];
    EXPECT_EQ(&copy.style(), &p[2].style());
    EXPECT_NEAR(GiPrimitive().height(), AcGiTextStyle().textSize(), kPointTol) << "no style: the default one";
}

TEST(RecordingWorldDraw, ArcsAndCirclesThroughPoints) {
    RecordingWorldDraw wd;
    AcGiWorldGeometry& g = wd.geometry();
    g.circularArc(AcGePoint3d(1, 0, 0), AcGePoint3d(0, 1, 0), AcGePoint3d(-1, 0, 0));
    g.circularArc(AcGePoint3d(-1, 0, 0), AcGePoint3d(0, 1, 0), AcGePoint3d(1, 0, 0), kAcGiArcChord);
    g.circle(AcGePoint3d(0, 0, 0), AcGePoint3d(2, 0, 0), AcGePoint3d(1, 1, 0));
    g.circle(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0), AcGePoint3d(2, 2, 0)); // collinear: nothing
    g.circularArc(AcGePoint3d(0, 0, 0), 2.0, AcGeVector3d::kZAxis, AcGeVector3d(0, 5, 0), -M_PI / 2);
    const auto& p = wd.primitives();
    ASSERT_EQ(p.size(), 4u);
    EXPECT_POINT(p[0].center, 0, 0, 0);
    EXPECT_NEAR(p[0].radius, 1.0, kPointTol);
    EXPECT_NEAR(p[0].sweep, M_PI, kPointTol);
    EXPECT_POINT(p[0].startVector, 1, 0, 0);
    EXPECT_POINT(p[0].normal, 0, 0, 1);
    // The other way round: clockwise in the plan, so the normal points down.
    EXPECT_POINT(p[1].normal, 0, 0, -1);
    EXPECT_NEAR(p[1].sweep, M_PI, kPointTol);
    EXPECT_EQ(p[1].arcType, kAcGiArcChord);
    EXPECT_EQ(p[2].kind, GiPrimitive::Circle);
    EXPECT_POINT(p[2].center, 1, 0, 0);
    EXPECT_NEAR(p[2].radius, 1.0, kPointTol);
    // A negative sweep runs clockwise: the same arc about the reversed normal.
    EXPECT_POINT(p[3].normal, 0, 0, -1);
    EXPECT_NEAR(p[3].sweep, M_PI / 2, kPointTol);
    EXPECT_POINT(p[3].startVector, 0, 1, 0);
}

TEST(RecordingWorldDraw, RegenStateAbortAndNestedDrawing) {
    RecordingWorldDraw wd(kAcGiSaveWorldDrawForProxy);
    wd.setPlotGeneration(true);
    wd.setDragging(true);
    bool sawProxy = false, sawPlot = false, sawDrag = false;
    FnDrawable inner([](AcGiWorldDraw* w) {
        w->subEntityTraits().setSelectionMarker(99);
        w->subEntityTraits().setColor(3);
        AcGePoint3d s[2] = {{0, 0, 0}, {0, 1, 0}};
        w->geometry().polyline(2, s);
        return true;
    });
    FnDrawable outer([&](AcGiWorldDraw* w) {
        sawProxy = w->regenType() == kAcGiSaveWorldDrawForProxy;
        sawPlot = w->context()->isPlotGeneration();
        sawDrag = w->isDragging();
        w->subEntityTraits().setSelectionMarker(1);
        w->geometry().draw(&inner);
        AcGePoint3d s[2] = {{0, 0, 0}, {1, 0, 0}};
        w->geometry().polyline(2, s);
        return true;
    });
    wd.drawDrawable(&outer);
    EXPECT_TRUE(sawProxy && sawPlot && sawDrag);
    ASSERT_EQ(wd.primitives().size(), 2u);
    EXPECT_EQ(wd.primitives()[0].traits.marker, 99);
    EXPECT_EQ(wd.primitives()[1].traits.marker, 1) << "the nested drawable's traits do not leak out";

    // Inside a block, ByBlock takes the colour and line weight of the reference.
    FnDrawable byBlock([](AcGiWorldDraw* w) {
        w->subEntityTraits().setColor(0);
        w->subEntityTraits().setLineWeight(-2);
        AcGePoint3d s[2] = {{0, 0, 0}, {0, 1, 0}};
        w->geometry().polyline(2, s);
        return true;
    });
    FnDrawable reference([&](AcGiWorldDraw* w) {
        w->subEntityTraits().setColor(6);
        w->subEntityTraits().setLineWeight(70);
        w->geometry().draw(&byBlock);
        return true;
    });
    RecordingWorldDraw blocks;
    blocks.drawDrawable(&reference);
    ASSERT_EQ(blocks.primitives().size(), 1u);
    EXPECT_EQ(blocks.primitives()[0].traits.colorIndex, 6);
    EXPECT_TRUE(blocks.primitives()[0].traits.trueColor.isByACI());
    EXPECT_EQ(blocks.primitives()[0].traits.lineWeight, 70);

    // An abort request stops the recording; every call then answers true.
    RecordingWorldDraw limited;
    limited.setPrimitiveLimit(3);
    int calls = 0, stoppedAt = -1;
    FnDrawable many([&](AcGiWorldDraw* w) {
        AcGePoint3d s[2] = {{0, 0, 0}, {1, 0, 0}};
        for (int i = 0; i < 10; ++i) {
            ++calls;
            if (w->geometry().polyline(2, s)) {
                stoppedAt = i;
                break;
            }
        }
        return true;
    });
    limited.drawDrawable(&many);
    EXPECT_EQ(limited.primitives().size(), 3u);
    EXPECT_EQ(stoppedAt, 2);
    EXPECT_TRUE(limited.regenAbort());
}

TEST(RecordingWorldDraw, BrokenInputDrawsNothingAndNeverCrashes) {
    RecordingWorldDraw wd;
    AcGiWorldGeometry& g = wd.geometry();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    AcGePoint3d bad[2] = {{0, 0, 0}, {nan, 0, 0}};
    g.polyline(2, bad);
    g.polyline(5, nullptr);
    g.polygon(0, bad);
    g.circle(AcGePoint3d(0, 0, 0), -1.0, AcGeVector3d::kZAxis);
    g.circle(AcGePoint3d(0, 0, 0), nan, AcGeVector3d::kZAxis);
    g.circularArc(AcGePoint3d(0, 0, 0), 1.0, AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, nan);
    g.text(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, 1.0, 1.0, 0.0, nullptr);
    g.xline(AcGePoint3d(1, 1, 0), AcGePoint3d(1, 1, 0));
    g.draw(nullptr);
    EXPECT_TRUE(wd.primitives().empty());

    // A zero normal or direction means the plan: still drawn, along world X.
    g.text(AcGePoint3d(0, 0, 0), AcGeVector3d(), AcGeVector3d(), 1.0, 1.0, 0.0, L"x");
    g.circle(AcGePoint3d(0, 0, 0), 1.0, AcGeVector3d());
    ASSERT_EQ(wd.primitives().size(), 2u);
    EXPECT_POINT(wd.primitives()[0].direction, 1, 0, 0);
    EXPECT_POINT(wd.primitives()[1].normal, 0, 0, 1);

    // A drawable drawing itself is cut off, not followed forever.
    FnDrawable* selfPtr = nullptr;
    FnDrawable self([&](AcGiWorldDraw* w) {
        AcGePoint3d s[2] = {{0, 0, 0}, {1, 0, 0}};
        w->geometry().polyline(2, s);
        w->geometry().draw(selfPtr);
        return true;
    });
    selfPtr = &self;
    RecordingWorldDraw deep;
    deep.drawDrawable(&self);
    EXPECT_EQ(deep.primitives().size(), size_t(RecordingWorldDraw::kMaxNestingDepth) + 1);
    EXPECT_TRUE(deep.nestedTooDeep()) << "the cut is reported";
    EXPECT_FALSE(deep.nestedTooMany());
}
