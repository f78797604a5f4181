// The sheet computation at the sizes users reach: a state-sized polygon at the
// finest scale, and the whole index. Single-threaded.

#include "DistrictLayer.h"

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
    static const Feature f = bench::Ring(20000, 24.0001, 33.9999, 74.0001, 83.9999, 1);
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
    ctl.progress = [&texts](int32_t, const std::string& t) { texts += t.size(); };
    ctl.cancel = &cancel;
    Run(state, OpenFinest(), State20k(), Algorithm::Fast, ctl);
    benchmark::DoNotOptimize(texts);
}
BENCHMARK(BM_Polygon20k_Grid1000_WithProgress)->Unit(benchmark::kMillisecond);

// No target: 20,000 spikes, each crossing hundreds of rows and cells.
void BM_SpikyPolygon20k_Grid1000(benchmark::State& state) {
    static const Feature f = bench::Ring(20000, 24.0, 34.0, 74.0, 84.0, 4, true);
    Run(state, OpenFinest(), f, Algorithm::Fast);
}
BENCHMARK(BM_SpikyPolygon20k_Grid1000)->Unit(benchmark::kMillisecond);

// Target 2: 2,000 vertices over about 300 x 300 cells, fast against reference.
const Feature& State2k() {
    static const Feature f = bench::Ring(2000, 24.0001, 26.9999, 74.0001, 76.9999, 2);
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
    static const Feature f = bench::Ring(50000, 4.0005, 39.9995, 64.0005, 99.9995, 3);
    Run(state, OpenFinest(), f, Algorithm::Fast);
}
BENCHMARK(BM_Polygon50k_WholeIndex)->Unit(benchmark::kMillisecond)->Iterations(3);

// Multi-part against one ring: the 20,000 vertices of State20k's box as 20 rings
// of 1000 in one feature, on the same grid.
void BM_MultiPart20x1000_Grid1000(benchmark::State& state) {
    static const Feature f = [] {
        std::vector<VertexRec> vs;
        std::vector<FeaturePart> parts;
        for (int k = 0; k < 20; ++k) {
            const double lat0 = 24.0001 + 2.5 * (k / 5);
            const double lon0 = 74.0001 + 2.0 * (k % 5);
            const Feature ring =
                bench::Ring(1000, lat0, lat0 + 2.4998, lon0, lon0 + 1.9998, 10 + k);
            parts.push_back({static_cast<int32_t>(vs.size()), PartKind::Polygon});
            vs.insert(vs.end(), ring.Vertices.begin(), ring.Vertices.end());
        }
        return MakePartsFeature(std::move(vs), std::move(parts));
    }();
    Run(state, OpenFinest(), f, Algorithm::Fast);
}
BENCHMARK(BM_MultiPart20x1000_Grid1000)->Unit(benchmark::kMillisecond);

Settings Old50k() {
    Settings s = StartSettings(); // old series, "1:50,000"
    s.SheetPixelHeight = 70;
    return s;
}

const std::vector<Feature>& Districts() {
    static const std::vector<Feature> all = [] {
        std::vector<Feature> out;
        for (int k = 0; k < bench::DistrictCount; ++k) {
            std::vector<VertexRec> vs;
            for (const bench::LonLat& p : bench::DistrictRing(k)) {
                vs.push_back(VertexRec{DecimalToDms(p.Lat), DecimalToDms(p.Lon)});
            }
            out.push_back(MakeVertexFeature(std::move(vs), true));
        }
        return out;
    }();
    return all;
}

// 700 districts, 100,000 vertices, at "1:50,000": each on its own grid.
void BM_Districts700_PerFeature_50k(benchmark::State& state) {
    const Settings s = Old50k();
    for (auto _ : state) {
        int64_t in = 0;
        for (const Feature& d : Districts()) {
            Feature f = d;
            SheetGrid g;
            ComputeSheets(s, f, g);
            in += g.InSheetCount;
        }
        state.counters["in"] = static_cast<double>(in);
    }
}
BENCHMARK(BM_Districts700_PerFeature_50k)->Unit(benchmark::kMillisecond);

// The same layer as one union on the common grid.
void BM_Districts700_Union_50k(benchmark::State& state) {
    const Settings s = Old50k();
    for (auto _ : state) {
        std::vector<Feature> fs = Districts();
        SheetGrid g;
        ComputeUnion(s, fs, g);
        state.counters["cells"] = g.SheetCount;
        state.counters["in"] = g.InSheetCount;
    }
}
BENCHMARK(BM_Districts700_Union_50k)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
