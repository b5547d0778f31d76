// Drawing into the recording world draw, measuring texts and picking: the three
// things every regeneration, chain layout and mouse click pays for.
#include "host/ge/AcGePoint2d.h"
#include "host/gi/AcGiTextStyle.h"
#include "host/gi/GiPick.h"
#include "host/gi/GiRecordingBytes.h"
#include "host/gi/RecordingWorldDraw.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// A chain-like mix: lines, ticks, a text per segment.
void drawMix(host::gi::RecordingWorldDraw& wd, int primitives) {
    AcGiWorldGeometry& g = wd.geometry();
    AcGiSubEntityTraits& t = wd.subEntityTraits();
    AcGiTextStyle style;
    style.setTextSize(0.25);
    for (int i = 0; i < primitives; ++i) {
        t.setSelectionMarker(i);
        double x = i * 0.5;
        switch (i % 4) {
        case 0:
        case 1: {
            AcGePoint3d pts[2] = {{x, 0, 0}, {x + 0.5, 0, 0}};
            g.polyline(2, pts);
            break;
        }
        case 2:
            g.circle(AcGePoint3d(x, 0, 0), 0.05, AcGeVector3d::kZAxis);
            break;
        default:
            g.text(AcGePoint3d(x, 0.1, 0), AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, L"1,25", -1, false,
                   style);
            break;
        }
    }
}

void BM_Record100kPrimitives(benchmark::State& state) {
    size_t bytes = 0;
    for (auto _ : state) {
        host::gi::RecordingWorldDraw wd;
        drawMix(wd, 100000);
        benchmark::DoNotOptimize(wd.primitives().data());
        bytes = wd.primitives().capacity() * sizeof(host::gi::GiPrimitive);
        for (const auto& p : wd.primitives())
            bytes += p.points.capacity() * sizeof(AcGePoint3d) + p.text.capacity() * sizeof(wchar_t);
    }
    state.SetItemsProcessed(state.iterations() * 100000);
    // Memory a recording of this size holds (the heap parts of strings in the
    // text style aside).
    state.counters["bytes_per_primitive"] = double(bytes) / 100000;
}
BENCHMARK(BM_Record100kPrimitives)->Unit(benchmark::kMillisecond);

void BM_TextExtents(benchmark::State& state) {
    AcGiTextStyle style;
    style.setFont(L"DejaVu Sans", false, false, 0, 0);
    style.setTextSize(2.5);
    int i = 0;
    for (auto _ : state) {
        std::wstring text = std::to_wstring(1000 + (i++ % 9000)) + L",5";
        benchmark::DoNotOptimize(style.extents(text.c_str(), true, -1, false));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TextExtents);

void BM_Pick10kPrimitives(benchmark::State& state) {
    host::gi::RecordingWorldDraw wd;
    drawMix(wd, 10000);
    const host::gi::GiRecording& rec = wd.primitives();
    double x = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(host::gi::pickNearest(rec, AcGePoint3d(x, 0.01, 0), 0.05));
        x = x > 5000 ? 0 : x + 7.3;
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_Pick10kPrimitives)->Unit(benchmark::kMicrosecond);

void BM_RecordingBytesRoundTrip(benchmark::State& state) {
    host::gi::RecordingWorldDraw wd;
    drawMix(wd, 10000);
    for (auto _ : state) {
        std::vector<uint8_t> bytes = host::gi::recordingToBytes(wd.primitives());
        host::gi::GiRecording back;
        std::wstring error;
        benchmark::DoNotOptimize(host::gi::recordingFromBytes(bytes, back, error));
        state.counters["bytes"] = double(bytes.size());
    }
}
BENCHMARK(BM_RecordingBytesRoundTrip)->Unit(benchmark::kMillisecond);

} // namespace
