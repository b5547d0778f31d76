// Arc chains: measured along an arc, a circle or a polyline arc, with radial extension
// lines and a dimension arc concentric with the measured one.
#include "tests/module/chain/TRdimTestEnv.h"

#include "host/db/entities/AcDbArc.h"
#include "host/db/entities/AcDbCircle.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/entities/AcDbPolyline.h"
#include "host/gi/RecordingWorldDraw.h"
#include "host/rx/AcRxClass.h"
#include "module/chain/ArcGeometry.h"
#include "module/chain/TRdimCreate.h"

#include <cmath>
#include <numbers>

using namespace chaintest;
using host::gi::GiPrimitive;
using host::gi::GiRecording;
using host::gi::RecordingWorldDraw;

namespace {

constexpr double kPi = std::numbers::pi;
// Lengths along arcs: the module takes pi as 3.1415926535 for full circles, and
// parameters come from angles of points, so values agree to far below a millimetre.
constexpr double kLengthTol = 1e-8;
// Angles compared with this (radians).
constexpr double kAngleTol = 1e-9;

AcGePoint3d P(double x, double y) {
    return AcGePoint3d(x, y, 0);
}
// The point at `angle` on the circle about `c` with radius `r`.
AcGePoint3d OnCircle(const AcGePoint3d& c, double r, double angle) {
    return c + AcGeVector3d(std::cos(angle), std::sin(angle), 0) * r;
}

class ArcChainTest : public ChainTest {
protected:
    AcDbObjectId addArc(const AcGePoint3d& c, double r, double start, double end) {
        return append(new AcDbArc(c, r, start, end));
    }
    AcDbObjectId addCircle(const AcGePoint3d& c, double r) {
        return append(new AcDbCircle(c, AcGeVector3d::kZAxis, r));
    }
    // An arc chain on the curve, with the chain parameters of the other chain tests
    // (metres, two decimals, a comma) and extension lines that start near the object.
    static std::unique_ptr<TRdim> arcChain(AcDbObjectId curve, const AcGePoint3d& first, const AcGePoint3d& second,
                                           const AcGePoint3d& dimPoint, int subent = 0) {
        auto chain = std::make_unique<TRdim>(first, second, curve, subent, dimPoint, AcGeMatrix3d());
        setChainParams(*chain, false);
        chain->ChangePointMainDim(dimPoint, false);
        chain->Refresh();
        return chain;
    }
    static GiRecording draw(TRdim& chain) {
        RecordingWorldDraw wd;
        wd.drawDrawable(&chain);
        return wd.takePrimitives();
    }
    static std::vector<const GiPrimitive*> arcs(const GiRecording& rec) {
        std::vector<const GiPrimitive*> out;
        for (const GiPrimitive& p : rec)
            if (p.kind == GiPrimitive::Arc) out.push_back(&p);
        return out;
    }
    void erase(AcDbObjectId id) {
        AcDbEntity* ent = nullptr;
        ASSERT_EQ(acdbOpenAcDbEntity(ent, id, AcDb::kForWrite), Acad::eOk);
        ASSERT_EQ(ent->erase(), Acad::eOk);
        ent->close();
    }
};

} // namespace

TEST(ArcGeometry, PolylineArcsRunCounterClockwiseAndPointsFindTheirParameters) {
    // A clockwise half circle from (0,0) over (1,1) to (2,0), then a straight segment.
    AcDbPolyline poly;
    poly.addVertexAt(0, AcGePoint2d(0, 0), -1.0);
    poly.addVertexAt(1, AcGePoint2d(2, 0));
    poly.addVertexAt(2, AcGePoint2d(4, 0));
    std::unique_ptr<AcGeCircArc3d> arc(Polyline2GeArc(&poly, 0));
    ASSERT_NE(arc, nullptr);
    EXPECT_NEAR(arc->normal().z, 1.0, kAngleTol) << "turned to the polyline's own normal";
    EXPECT_POINT_NEAR(arc->startPoint(), P(2, 0), kGeomTol);
    EXPECT_POINT_NEAR(arc->endPoint(), P(0, 0), kGeomTol);
    EXPECT_POINT_NEAR(arc->evalPoint((arc->startAng() + arc->endAng()) / 2), P(1, 1), kGeomTol);
    EXPECT_EQ(Polyline2GeArc(&poly, 1), nullptr) << "a straight segment has no arc";
    EXPECT_EQ(Polyline2GeArc(&poly, 2), nullptr);
    EXPECT_EQ(Polyline2GeArc(&poly, -1), nullptr);
    EXPECT_EQ(Polyline2GeArc(nullptr, 0), nullptr);

    // A quarter arc: inside, beyond the end, before the start; on a circle the start is 0.
    const AcGeCircArc3d quarter(P(0, 0), AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, 2, 0, kPi / 2);
    ArcParam in = ParamOnArc(quarter, OnCircle(P(0, 0), 2, kPi / 4), false);
    EXPECT_NEAR(in.param, kPi / 4, kAngleTol);
    EXPECT_EQ(in.end, 0);
    ArcParam beyond = ParamOnArc(quarter, OnCircle(P(0, 0), 2, kPi / 2 + 0.3), false);
    EXPECT_EQ(beyond.param, kPi / 2);
    EXPECT_EQ(beyond.end, 1);
    EXPECT_GT(beyond.tries, 1);
    ArcParam before = ParamOnArc(quarter, OnCircle(P(0, 0), 2, -0.3), false);
    EXPECT_EQ(before.param, 0.0);
    EXPECT_EQ(before.end, -1);
    const AcGeCircArc3d circle(P(0, 0), AcGeVector3d::kZAxis, 2);
    EXPECT_EQ(ParamOnArc(circle, circle.startPoint(), true).param, 0.0);

    // Widened to the full circle, half the missing angle at each end.
    AcGeCircArc3d wide = quarter;
    WidenToFullCircle(wide);
    EXPECT_NEAR(wide.endAng() - wide.startAng(), 2 * kPi, kAngleTol);
    EXPECT_NEAR(wide.startAng(), -3 * kPi / 4, 1e-8);

    // Picked points land on the arc along the line from its centre.
    EXPECT_POINT_NEAR(PointOntoArc(quarter, P(4, 4), P(9, 9)), P(std::sqrt(2.0), std::sqrt(2.0)), kGeomTol);
    EXPECT_POINT_NEAR(PointOntoArc(quarter, P(-3, 0), P(9, 9)), P(-2, 0), kGeomTol);
    EXPECT_POINT_NEAR(PointOntoArc(quarter, P(0, 0), P(9, 9)), P(9, 9), 0.0) << "at the centre";
}

TEST(ArcGeometry, TheSubstituteArcComesFromTheChainsOwnPoints) {
    // Extension lines along the axes meet at the centre.
    SubstituteArcInput in;
    in.inputs = {P(12, 10), P(10, 12)};
    in.dims = {P(13, 10), P(10, 13)};
    bool parallel = true;
    std::optional<AcGeCircArc3d> arc = SubstituteArc(in, parallel);
    ASSERT_TRUE(arc);
    EXPECT_FALSE(parallel);
    EXPECT_POINT_NEAR(arc->center(), P(10, 10), kGeomTol);
    EXPECT_NEAR(arc->radius(), 2, kGeomTol);
    EXPECT_NEAR(arc->length(), kPi, kLengthTol) << "counter-clockwise from the first to the last point";

    // Without usable extension lines the centre is the middle of the two points.
    in.dims = in.inputs;
    arc = SubstituteArc(in, parallel);
    ASSERT_TRUE(arc);
    EXPECT_TRUE(parallel);
    EXPECT_POINT_NEAR(arc->center(), P(11, 11), kGeomTol);

    // More points, one of them not yet in its place in the order: the arc still holds
    // them all, from the first counter-clockwise; without extension lines the circle
    // through the first, last but one and last point gives the centre.
    in.inputs = {OnCircle(P(0, 0), 5, 0.1), OnCircle(P(0, 0), 5, 1.0), OnCircle(P(0, 0), 5, 2.0),
                 OnCircle(P(0, 0), 5, 0.5)};
    in.dims = in.inputs;
    arc = SubstituteArc(in, parallel);
    ASSERT_TRUE(arc);
    EXPECT_POINT_NEAR(arc->center(), P(0, 0), 1e-9);
    EXPECT_NEAR(arc->length(), 5 * 1.9, kLengthTol);
    // All at one point: the whole circle.
    in.inputs = {P(3, 0), P(3, 0)};
    in.dims = {P(4, 0), P(4, 0)};
    arc = SubstituteArc(in, parallel);
    ASSERT_TRUE(arc);
    EXPECT_NEAR(arc->endAng() - arc->startAng(), 2 * kPi, kAngleTol);
    in.inputs.resize(1);
    EXPECT_FALSE(SubstituteArc(in, parallel));
}

TEST_F(ArcChainTest, AQuarterArcMeasuresItsLengthWithRadialExtensionsAndAConcentricArc) {
    const AcDbObjectId arcId = addArc(P(10, 10), 2, 0, kPi / 2);
    auto chain = arcChain(arcId, P(12, 10), P(10, 12), P(13, 10));
    ASSERT_EQ(chain->GetExtensions(), 2);
    EXPECT_EQ(chain->GetDimType(), kDimArc);
    EXPECT_NEAR(chain->GetDistance(1), kPi, kLengthTol);
    EXPECT_EQ(valueOf(*chain, 1), L"3,14");
    // Dimension points on the circle through the placement point, on the radial lines.
    EXPECT_POINT_NEAR(chain->GetPointDim(0), P(13, 10), kGeomTol);
    EXPECT_POINT_NEAR(chain->GetPointDim(1), P(10, 13), kGeomTol);
    for (int i = 0; i < 2; ++i) {
        AcGeTol tol;
        tol.setEqualPoint(kGeomTol);
        EXPECT_TRUE(chain->GetLineExt(i).isOn(P(10, 10), tol)) << i;
        EXPECT_TRUE(chain->GetLineExt(i).isOn(chain->GetPointInput(i), tol)) << i;
    }
    // Extension lines start the gap away from the object.
    EXPECT_POINT_NEAR(chain->GetPointExt(0), P(10 + 2 + kGap, 10), kGeomTol);
    EXPECT_POINT_NEAR(chain->GetPointExt(1), P(10, 10 + 2 + kGap), kGeomTol);

    // Drawn: the dimension arc about the centre through both dimension points, radial
    // extension lines running past it, the value along it.
    const GiRecording rec = draw(*chain);
    const auto drawnArcs = arcs(rec);
    ASSERT_EQ(drawnArcs.size(), 1u);
    EXPECT_POINT_NEAR(drawnArcs[0]->center, P(10, 10), kGeomTol);
    EXPECT_NEAR(drawnArcs[0]->radius, 3, kGeomTol);
    EXPECT_NEAR(drawnArcs[0]->sweep, kPi / 2, kAngleTol);
    EXPECT_EQ(drawnArcs[0]->traits.marker, 6);
    bool extensionDrawn = false, valueDrawn = false;
    for (const GiPrimitive& p : rec) {
        // The extension line shares its marker with the tick; it is the one from its start.
        if (p.kind == GiPrimitive::Polyline && p.traits.marker == 2 && p.points.size() == 2 &&
            PointNear(p.points[0], P(12.5, 10), kGeomTol)) {
            extensionDrawn = true;
            EXPECT_POINT_NEAR(p.points[1], P(13 + kBeyond, 10), kGeomTol);
        }
        if (p.kind == GiPrimitive::Text && p.text.find(L"3,14") != std::wstring::npos) {
            valueDrawn = true;
            // Along the arc: at right angles to the radius through the middle.
            EXPECT_NEAR(p.direction.dotProduct(AcGeVector3d(1, 1, 0).normal()), 0, 1e-9);
            EXPECT_GT(p.position.distanceTo(P(10, 10)), 3.0) << "outside the dimension arc";
        }
    }
    EXPECT_TRUE(extensionDrawn);
    EXPECT_TRUE(valueDrawn);

    // The dimension arc moved outwards keeps the values; a point in the middle splits it.
    chain->ChangePointMainDim(P(10, 15));
    EXPECT_POINT_NEAR(chain->GetPointDim(0), P(15, 10), kGeomTol);
    EXPECT_POINT_NEAR(chain->GetPointDim(1), P(10, 15), kGeomTol);
    EXPECT_EQ(chain->AddPointInput(OnCircle(P(10, 10), 2, kPi / 4)), 1) << "sorted between the two";
    ASSERT_EQ(chain->GetExtensions(), 3);
    EXPECT_POINT_NEAR(chain->GetPointDim(1), OnCircle(P(10, 10), 5, kPi / 4), kGeomTol);
    EXPECT_EQ(valueOf(*chain, 1), L"1,57");
    EXPECT_EQ(valueOf(*chain, 2), L"1,57");
    EXPECT_NEAR(chain->GetDistance(0), kPi, kLengthTol) << "the whole chain";
    EXPECT_EQ(chain->ArcParams().length(), 3);
}

TEST_F(ArcChainTest, PointsAreSortedAlongTheArcAndEndsBeyondItCountToTheEnd) {
    const AcDbObjectId arcId = addArc(P(0, 0), 2, 0, kPi / 2);
    // Picked from the end back to the start: the chain still runs from the start.
    auto reversed = arcChain(arcId, P(0, 2), P(2, 0), P(0, 4));
    EXPECT_POINT_NEAR(reversed->GetPointInput(0), P(2, 0), kGeomTol);
    EXPECT_POINT_NEAR(reversed->GetPointInput(1), P(0, 2), kGeomTol);
    EXPECT_NEAR(reversed->GetDistance(1), kPi, kLengthTol);
    EXPECT_NEAR(arcs(draw(*reversed)).at(0)->sweep, kPi / 2, kAngleTol) << "the short way, as measured";

    // Before the start and beyond the end: the points stay where they were picked (on
    // the arc's circle), their parameters are the arc's ends and the flags say so.
    auto beyond = arcChain(arcId, OnCircle(P(0, 0), 2, -0.4), OnCircle(P(0, 0), 2, kPi / 4), P(3, 0));
    EXPECT_EQ(beyond->GetParamInt(IND_I_ArcDimMinPoint), 1u);
    EXPECT_EQ(beyond->GetParamInt(IND_I_ArcDimMaxPoint), 0u);
    EXPECT_POINT_NEAR(beyond->GetPointInput(0), OnCircle(P(0, 0), 2, -0.4), kGeomTol);
    EXPECT_NEAR(beyond->GetDistance(1), kPi / 2, kLengthTol);
    beyond->AddPointInput(OnCircle(P(0, 0), 2, kPi / 2 + 0.5));
    ASSERT_EQ(beyond->GetExtensions(), 3);
    EXPECT_EQ(beyond->GetParamInt(IND_I_ArcDimMaxPoint), 1u);
    ASSERT_EQ(beyond->ArcParams().length(), 3);
    EXPECT_EQ(beyond->ArcParams()[0], 0.0);
    EXPECT_EQ(beyond->ArcParams()[2], kPi / 2);
    EXPECT_NEAR(beyond->GetDistance(2), kPi / 2, kLengthTol);
    EXPECT_NEAR(beyond->GetDistance(0), kPi, kLengthTol);
}

TEST_F(ArcChainTest, ACircleWithOnePointTwiceMeasuresItsCircumference) {
    const AcDbObjectId circleId = addCircle(P(5, 5), 2);
    auto full = arcChain(circleId, P(7, 5), P(7, 5), P(8, 5));
    ASSERT_EQ(full->GetExtensions(), 2);
    EXPECT_EQ(full->GetParamInt(IND_I_ArcDimInputArcIsCircle), 1u);
    EXPECT_EQ(full->GetParamInt(IND_I_ArcDimAsCircle), 1u);
    EXPECT_TRUE(full->IsFullCircle());
    EXPECT_NEAR(full->GetDistance(1), 2 * 3.1415926535 * 2, kLengthTol);
    std::vector<std::wstring> parts;
    full->BuildDisplayText(1, &parts);
    ASSERT_FALSE(parts.empty());
    EXPECT_EQ(parts[0], L"U=12,57");
    full->BuildDisplayText(0, &parts);
    EXPECT_TRUE(parts.empty() || parts[0].empty()) << "no circle text without a value of its own";
    const GiRecording rec = draw(*full);
    const auto drawn = arcs(rec);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_NEAR(drawn[0]->sweep, 2 * kPi, kAngleTol);
    EXPECT_NEAR(drawn[0]->radius, 3, kGeomTol);
    for (const GiPrimitive& p : rec)
        if (p.kind == GiPrimitive::Text) EXPECT_NE(p.text, L"U=");

    // Two points on a circle: measured counter-clockwise from the first, as drawn.
    for (const auto& [second, angle] : {std::pair{P(5, 7), kPi / 2}, std::pair{P(5, 3), 3 * kPi / 2}}) {
        auto part = arcChain(circleId, P(7, 5), second, P(8, 5));
        EXPECT_FALSE(part->IsFullCircle());
        EXPECT_NEAR(part->GetDistance(1), 2 * angle, kLengthTol);
        const GiRecording partRec = draw(*part);
        const auto partArcs = arcs(partRec);
        ASSERT_EQ(partArcs.size(), 1u);
        EXPECT_NEAR(partArcs[0]->sweep * 2, part->GetDistance(1), kLengthTol) << "value and drawing agree";
    }

    // A circle about the origin works the same (its centre is the origin, not "unset").
    const AcDbObjectId origin = addCircle(P(0, 0), 1);
    auto atOrigin = arcChain(origin, P(1, 0), P(0, 1), P(2, 0));
    EXPECT_NEAR(atOrigin->GetDistance(1), kPi / 2, kLengthTol);
    EXPECT_POINT_NEAR(atOrigin->GetPointDim(1), P(0, 2), kGeomTol);
}

TEST_F(ArcChainTest, APolylineArcSegmentIsMeasuredTheWayItIsDrawn) {
    // A straight segment, then a clockwise half circle from (4,0) over (5,-1) to (6,0).
    auto* poly = new AcDbPolyline();
    poly->addVertexAt(0, AcGePoint2d(0, 0));
    poly->addVertexAt(1, AcGePoint2d(4, 0), 1.0);
    poly->addVertexAt(2, AcGePoint2d(6, 0));
    const AcDbObjectId polyId = append(poly);
    auto chain = arcChain(polyId, P(4, 0), P(5, -1), P(5, -3), 1);
    ASSERT_EQ(chain->GetExtensions(), 2);
    EXPECT_NEAR(chain->GetDistance(1), kPi / 2, kLengthTol);
    EXPECT_POINT_NEAR(chain->ArcPoints()[3], P(5, 0), kGeomTol) << "the centre is kept";
    const GiRecording rec = draw(*chain);
    const auto drawn = arcs(rec);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_NEAR(drawn[0]->radius, 3, kGeomTol);
    EXPECT_NEAR(drawn[0]->sweep, kPi / 2, kAngleTol);

    // A segment index that is no arc: the chain finds the arc through its end points.
    auto wrongIndex = arcChain(polyId, P(4, 0), P(5, -1), P(5, -3), 0);
    EXPECT_NEAR(wrongIndex->GetDistance(1), kPi / 2, kLengthTol);
}

TEST_F(ArcChainTest, AChainWhoseArcIsErasedKeepsMeasuringAndFilesWhole) {
    const AcDbObjectId arcId = addArc(P(10, 10), 2, 0, kPi / 2);
    auto chain = arcChain(arcId, P(12, 10), P(10, 12), P(13, 10));
    chain->AddPointInput(OnCircle(P(10, 10), 2, kPi / 6));
    ASSERT_EQ(chain->GetExtensions(), 3);
    const double first = chain->GetDistance(1), second = chain->GetDistance(2);

    // Filed and read back, everything is there, the arc data too.
    host::DwgBufferFiler out(AcDb::kFileFiler, m_db.get());
    ASSERT_EQ(chain->dwgOut(&out), Acad::eOk);
    std::unique_ptr<TRdim> back(TRdim::cast(TRdim::desc()->create()));
    host::DwgBufferFiler in(out.bytes(), AcDb::kFileFiler, m_db.get());
    ASSERT_EQ(back->dwgIn(&in), Acad::eOk);
    EXPECT_EQ(back->GetArcObjectId(), arcId);
    ASSERT_EQ(back->Points().length(), chain->Points().length());
    for (int i = 0; i < chain->Points().length(); ++i)
        EXPECT_POINT_NEAR(back->Points()[i], chain->Points()[i], 0.0) << i;
    ASSERT_EQ(back->ArcPoints().length(), chain->ArcPoints().length());
    for (int i = 0; i < chain->ArcPoints().length(); ++i)
        EXPECT_POINT_NEAR(back->ArcPoints()[i], chain->ArcPoints()[i], 0.0) << i;
    EXPECT_TRUE(back->ArcParams() == chain->ArcParams());
    EXPECT_EQ(back->Texts(), chain->Texts());
    EXPECT_NEAR(back->GetDistance(2), second, kLengthTol);

    // The arc erased: the chain measures along the arc it makes from its own points.
    erase(arcId);
    chain->Refresh();
    EXPECT_NEAR(chain->GetDistance(1), first, kLengthTol);
    EXPECT_NEAR(chain->GetDistance(2), second, kLengthTol);
    EXPECT_EQ(valueOf(*chain, 1), L"1,05");
    EXPECT_EQ(valueOf(*chain, 2), L"2,09");
    const GiRecording rec = draw(*chain);
    const auto drawn = arcs(rec);
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_POINT_NEAR(drawn[0]->center, P(10, 10), kGeomTol);
    // A new point still lands on that arc.
    EXPECT_GE(chain->AddPointInput(P(10 + 4 * std::cos(1.2), 10 + 4 * std::sin(1.2))), 0);
    EXPECT_POINT_NEAR(chain->GetPointInput(2), OnCircle(P(10, 10), 2, 1.2), kGeomTol);

    // Read again now, its curve is gone for good; a current record still reads.
    host::DwgBufferFiler again(out.bytes(), AcDb::kFileFiler, m_db.get());
    std::unique_ptr<TRdim> orphan(TRdim::cast(TRdim::desc()->create()));
    ASSERT_EQ(orphan->dwgIn(&again), Acad::eOk);
    EXPECT_TRUE(orphan->GetArcObjectId().isNull());
    EXPECT_NEAR(orphan->GetDistance(2), second, kLengthTol);
}

TEST_F(ArcChainTest, ChainsWithoutAUsableCurveNeitherCrashNorLoseTheirPoints) {
    // No curve at all, a line, and an id of nothing: the chain's own points give the arc.
    const AcDbObjectId lineId = append(new AcDbLine(P(0, 0), P(5, 0)));
    for (AcDbObjectId curve : {AcDbObjectId::kNull, lineId}) {
        auto chain = arcChain(curve, P(2, 0), P(0, 2), P(3, 0));
        ASSERT_EQ(chain->GetExtensions(), 2);
        EXPECT_POINT_NEAR(chain->GetPointInput(0), P(2, 0), kGeomTol);
        EXPECT_POINT_NEAR(chain->GetPointInput(1), P(0, 2), kGeomTol);
        EXPECT_TRUE(std::isfinite(chain->GetDistance(1)));
        EXPECT_GT(chain->GetDistance(1), 0.0);
        draw(*chain);
    }
    // Both points at one place on an arc: a chain of nothing measures nothing.
    const AcDbObjectId arcId = addArc(P(0, 0), 2, 0, kPi);
    auto same = arcChain(arcId, P(2, 0), P(2, 0), P(0, 0));
    EXPECT_EQ(same->GetDistance(1), 0.0);
    EXPECT_FALSE(same->IsFullCircle());
    draw(*same);
    // The dimension arc placed at the centre is moved off it rather than collapse.
    EXPECT_GT(same->GetPointDim(0).distanceTo(P(0, 0)), 0.0);
}
