// The sheet computation at the sizes users reach: a state-sized polygon at the
// finest scale, and the whole index. Single-threaded.

#include "coverage/CellNumbering.h"
#include "coverage/Coverage.h"
#include "coverage/GridBox.h"
#include "index/SheetNumber.h"

#include "BenchShapes.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <sys/resource.h>

namespace {

using namespace sw;
using namespace sw::bench;

long PeakRssMb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024;
}

void Run(benchmark::State& state, const Settings& s, const Feature& feature, Algorithm a,
         const ComputeControl& ctl = {}) {
    for (auto _ : state) {
        Feature f = feature;
        SheetGrid g;
        ComputeSheets(s, f, g, ctl, a);
        benchmark::DoNotOptimize(g.SheetList.data());
        state.counters["cells"] = g.SheetCount;
        state.counters["in"] = g.InSheetCount;
    }
    state.counters["peak_rss_mb"] = static_cast<double>(PeakRssMb());
}

// Target 1: 20,000 vertices over about 1000 x 1000 cells.
const Feature& State20k() {
    static const Feature f = Ring(20000, 24.0001, 33.9999, 74.0001, 83.9999, 1);
    return f;
}

void BM_Polygon20k_Grid1000(benchmark::State& state) {
    Run(state, OpenFinest(), State20k(), Algorithm::Fast);
}
BENCHMARK(BM_Polygon20k_Grid1000)->Unit(benchmark::kMillisecond);

// The floor for target 1: merely allocating and numbering the same cells.
void BM_Floor_AllocateAndNumber_Grid1000(benchmark::State& state) {
    const Settings s = OpenFinest();
    const Feature& f = State20k();
    for (auto _ : state) {
        SheetGrid g;
        ComputeGridBox(s, f, f.VertexCount, g);
        AllocateSheetList(s, g.GridCols, g.GridRows, g);
        const GridNumberer numberer(s, g);
        for (int32_t r = 0; r < g.GridRows; ++r) {
            numberer.NumberRow(r, g.SheetList.data() + static_cast<std::size_t>(r) * g.GridCols);
        }
        benchmark::DoNotOptimize(g.SheetList.data());
    }
}
BENCHMARK(BM_Floor_AllocateAndNumber_Grid1000)->Unit(benchmark::kMillisecond);

// The same floor with every number built from scratch by SheetNumber.
void BM_Floor_AllocateAndSheetNumber_Grid1000(benchmark::State& state) {
    const Settings s = OpenFinest();
    const Feature& f = State20k();
    for (auto _ : state) {
        SheetGrid g;
        ComputeGridBox(s, f, f.VertexCount, g);
        AllocateSheetList(s, g.GridCols, g.GridRows, g);
        std::size_t i = 0;
        for (int32_t r = 0; r < g.GridRows; ++r) {
            const DmsAngle lat = SecToDms(g.GridNorthSec - (r + 1) * s.SheetHeightSec);
            for (int32_t c = 0; c < g.GridCols; ++c, ++i) {
                g.SheetList[i].SheetNo =
                    SheetNumber(s, SecToDms(g.GridWestSec + c * s.SheetWidthSec), lat);
            }
        }
        benchmark::DoNotOptimize(g.SheetList.data());
    }
}
BENCHMARK(BM_Floor_AllocateAndSheetNumber_Grid1000)->Unit(benchmark::kMillisecond);

// Target 4: progress texts and cancellation checks on the same run.
void BM_Polygon20k_Grid1000_WithProgress(benchmark::State& state) {
    std::atomic<bool> cancel{false};
    std::size_t texts = 0;
    ComputeControl ctl;
    ctl.progress = [&texts](const std::string& t) { texts += t.size(); };
    ctl.cancel = &cancel;
    Run(state, OpenFinest(), State20k(), Algorithm::Fast, ctl);
    benchmark::DoNotOptimize(texts);
}
BENCHMARK(BM_Polygon20k_Grid1000_WithProgress)->Unit(benchmark::kMillisecond);

// No target: 20,000 spikes, each crossing hundreds of rows and cells.
void BM_SpikyPolygon20k_Grid1000(benchmark::State& state) {
    static const Feature f = Ring(20000, 24.0, 34.0, 74.0, 84.0, 4, true);
    Run(state, OpenFinest(), f, Algorithm::Fast);
}
BENCHMARK(BM_SpikyPolygon20k_Grid1000)->Unit(benchmark::kMillisecond);

// Target 2: 2,000 vertices over about 300 x 300 cells, fast against reference.
const Feature& State2k() {
    static const Feature f = Ring(2000, 24.0001, 26.9999, 74.0001, 76.9999, 2);
    return f;
}

void BM_Polygon2k_Grid300_Fast(benchmark::State& state) {
    Run(state, OpenFinest(), State2k(), Algorithm::Fast);
}
BENCHMARK(BM_Polygon2k_Grid300_Fast)->Unit(benchmark::kMillisecond);

void BM_Polygon2k_Grid300_Reference(benchmark::State& state) {
    Run(state, OpenFinest(), State2k(), Algorithm::Reference);
}
BENCHMARK(BM_Polygon2k_Grid300_Reference)->Unit(benchmark::kMillisecond)->Iterations(1);

// Target 3: the whole index extent (about 3600 x 3600 cells), 50,000 vertices.
void BM_Polygon50k_WholeIndex(benchmark::State& state) {
    static const Feature f = Ring(50000, 4.0005, 39.9995, 64.0005, 99.9995, 3);
    Run(state, OpenFinest(), f, Algorithm::Fast);
}
BENCHMARK(BM_Polygon50k_WholeIndex)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
