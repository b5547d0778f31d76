// The geometry the chains run for every extension on every redraw and jig sample:
// line and arc intersections, arcs through three points, parameters, inverses.
#include "host/ge/AcGeCircArc3d.h"
#include "host/ge/AcGeLine3d.h"
#include "host/ge/AcGeMatrix3d.h"
#include "host/ge/AcGeTol.h"

#include <benchmark/benchmark.h>

namespace {

void BM_LineLineIntersect(benchmark::State& state) {
    const AcGeLine3d dim(AcGePoint3d(1e6, 1e6, 0), AcGeVector3d(1, 0.2, 0));
    const AcGeLine3d ext(AcGePoint3d(1e6 + 5, 1e6 - 3, 0), AcGeVector3d(-0.2, 1, 0));
    AcGePoint3d p;
    for (auto _ : state)
        benchmark::DoNotOptimize(dim.intersectWith(ext, p));
}
BENCHMARK(BM_LineLineIntersect);

// The worst case of the widening retry: parallel lines tried at every tolerance.
void BM_WideningIntersectParallel(benchmark::State& state) {
    const AcGeLine3d a(AcGePoint3d(0, 0, 0), AcGeVector3d(1, 0, 0));
    const AcGeLine3d b(AcGePoint3d(0, 1, 0), AcGeVector3d(1, 0, 0));
    AcGePoint3d p;
    for (auto _ : state) {
        bool found = a.intersectWith(b, p);
        AcGeTol tol;
        for (int n = 1; n <= lintaro::tol::kIntersectTolSteps && !found; ++n) {
            tol.setEqualPoint(n * lintaro::tol::kIntersectTolStep);
            found = a.intersectWith(b, p, tol);
        }
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_WideningIntersectParallel);

void BM_ArcLineIntersect(benchmark::State& state) {
    const AcGeCircArc3d circle(AcGePoint3d(1e6, 1e6, 0), AcGeVector3d::kZAxis, 250.0);
    const AcGeLine3d radial(AcGePoint3d(1e6, 1e6, 0), AcGePoint3d(1e6 + 300, 1e6 + 120, 0));
    int n = 0;
    AcGePoint3d p1, p2;
    for (auto _ : state)
        benchmark::DoNotOptimize(circle.intersectWith(radial, n, p1, p2));
}
BENCHMARK(BM_ArcLineIntersect);

void BM_ArcThroughThreePoints(benchmark::State& state) {
    const AcGePoint3d a(1e6 + 100, 1e6, 0), b(1e6, 1e6 + 100, 0), c(1e6 - 100, 1e6, 0);
    for (auto _ : state) {
        AcGeCircArc3d arc(a, b, c);
        benchmark::DoNotOptimize(arc);
    }
}
BENCHMARK(BM_ArcThroughThreePoints);

void BM_ArcParamOfAndLength(benchmark::State& state) {
    const AcGeCircArc3d arc(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, 40.0, 0.3, 2.9);
    const AcGePoint3d p(-10, 35, 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(arc.length(arc.startAng(), arc.paramOf(p)));
}
BENCHMARK(BM_ArcParamOfAndLength);

void BM_MatrixInverse(benchmark::State& state) {
    AcGeMatrix3d m = AcGeMatrix3d::rotation(0.7, AcGeVector3d(1, 2, 3), AcGePoint3d(1e6, 1e6, 0));
    m.preMultBy(AcGeMatrix3d::scaling(2.0));
    for (auto _ : state)
        benchmark::DoNotOptimize(m.inverse());
}
BENCHMARK(BM_MatrixInverse);

} // namespace
