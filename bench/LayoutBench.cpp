// The application's side of a large layout: from a computed grid to a painted
// image, the pointer readout with its highlight, and the report. Offscreen; each
// case beside its floor.
//
//   painting 1000 x 1000 cells  <->  making the blank image of the same size
//   from OK to a painted layout  (computation, geometry, image, drawing)
//   painting 230 x 230 numbered cells  <->  its blank image
//   one pointer move            <->  reading the position alone
//   the report table            <->  its order alone

#include "coverage/Coverage.h"
#include "coverage/LayoutGeometry.h"
#include "coverage/PointerReadout.h"
#include "report/ReportTable.h"
#include "report/SheetOrder.h"
#include "view/LayoutPainter.h"

#include "BenchShapes.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

namespace {

using namespace sw;
using namespace sw::bench;
using namespace sw::gui;

// The 20,000-vertex polygon over about 1000 x 1000 cells at "1:2000", placed at
// zoom 5, where the application's fit to the window takes a grid this size.
struct Model : ComputedRing {
    LayoutGeometry geo;
};

// A ring of `vertices` over the box, computed at "1:2000" and laid out at `zoom`.
Model MakeModel(int32_t vertices, double south, double north, double west, double east,
                int32_t zoom) {
    Model out{ComputeRing(vertices, south, north, west, east, 1), {}};
    out.s.SheetPixelHeight = zoom;
    out.geo = PlanLayout(out.s, out.g.GridCols, out.g.GridRows);
    return out;
}

// The blank layout image of a model, as the window makes it.
QImage BlankImage(const Model& m, double ratio = 1.0) {
    return CreateLayoutImage(static_cast<int32_t>(m.geo.ImageWidth),
                             static_cast<int32_t>(m.geo.ImageHeight), ratio);
}

// A fresh image painted per iteration.
void PaintEachTime(benchmark::State& state, const Model& m, double ratio = 1.0) {
    for (auto _ : state) {
        QImage image = BlankImage(m, ratio);
        benchmark::DoNotOptimize(PaintLayout(image, m.s, m.f, m.g, m.geo));
    }
}

Model& Grid1000() {
    static Model m = MakeModel(20000, 24.0001, 33.9999, 74.0001, 83.9999, MinSheetPixelHeight);
    return m;
}

void BM_PaintLayout_Grid1000(benchmark::State& state) {
    PaintEachTime(state, Grid1000());
    state.counters["cells"] = Grid1000().g.SheetCount;
    state.counters["zoom"] = Grid1000().s.SheetPixelHeight;
}
BENCHMARK(BM_PaintLayout_Grid1000)->Unit(benchmark::kMillisecond);

// What the window does from OK to a painted layout: the computation, the
// geometry, the image and its drawing.
void BM_OkToPaintedLayout_Grid1000(benchmark::State& state) {
    const Model& base = Grid1000();
    for (auto _ : state) {
        Model m;
        m.s = base.s;
        m.s.SheetPixelHeight = 70;
        m.f = base.f;
        ComputeSheets(m.s, m.f, m.g);
        m.s.SheetPixelHeight = MinSheetPixelHeight;
        m.geo = PlanLayout(m.s, m.g.GridCols, m.g.GridRows);
        QImage image = BlankImage(m);
        benchmark::DoNotOptimize(PaintLayout(image, m.s, m.f, m.g, m.geo));
    }
}
BENCHMARK(BM_OkToPaintedLayout_Grid1000)->Unit(benchmark::kMillisecond);

void BM_Floor_BlankImage_Grid1000(benchmark::State& state) {
    Model& m = Grid1000();
    for (auto _ : state) {
        QImage image = BlankImage(m);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_Floor_BlankImage_Grid1000)->Unit(benchmark::kMillisecond);

// The smallest zoom at which numbers are written (4 points at "1:2000"): a
// 2,000-vertex polygon over some 230 x 230 cells at zoom 35, every number
// measured and drawn.
Model& Numbers230() {
    static Model m = MakeModel(2000, 24.0001, 26.3, 74.0001, 76.3, 35);
    return m;
}

void BM_PaintLayout_Numbers230(benchmark::State& state) {
    PaintEachTime(state, Numbers230());
    state.counters["cells"] = Numbers230().g.SheetCount;
    state.counters["zoom"] = Numbers230().s.SheetPixelHeight;
}
BENCHMARK(BM_PaintLayout_Numbers230)->Unit(benchmark::kMillisecond);

void BM_Floor_BlankImage_Numbers230(benchmark::State& state) {
    Model& m = Numbers230();
    for (auto _ : state) {
        QImage image = BlankImage(m);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_Floor_BlankImage_Numbers230)->Unit(benchmark::kMillisecond);

// About the largest grid the window draws at two device pixels per layout pixel
// (some 20,000 cells with the ring), which goes through the painter, beside the
// same grid at one.
Model& Grid138() {
    static Model m = MakeModel(2000, 24.0001, 25.3799, 74.0001, 75.3799, MinSheetPixelHeight);
    return m;
}

void PaintGrid138(benchmark::State& state, double ratio) {
    Model& m = Grid138();
    PaintEachTime(state, m, ratio);
    state.counters["cells"] = (m.g.GridCols + 2) * (m.g.GridRows + 2);
}
void BM_PaintLayout_Grid138_Ratio2(benchmark::State& state) {
    PaintGrid138(state, 2.0);
}
void BM_PaintLayout_Grid138(benchmark::State& state) {
    PaintGrid138(state, 1.0);
}
BENCHMARK(BM_PaintLayout_Grid138_Ratio2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintLayout_Grid138)->Unit(benchmark::kMillisecond);

// One pointer move as the main window handles it: the readout, the old
// highlight taken off and the new one drawn.
void BM_PointerMove_Grid1000(benchmark::State& state) {
    Model& m = Grid1000();
    QImage image = BlankImage(m);
    PaintLayout(image, m.s, m.f, m.g, m.geo);
    int32_t last = -1;
    int32_t x = m.geo.GridOriginX;
    for (auto _ : state) {
        x = x + 3 < m.geo.GridRightX ? x + 3 : m.geo.GridOriginX;
        const PointerReading r = ReadPointer(m.s, m.g, m.geo, x, m.geo.GridOriginY + 2500);
        if (last >= 0) {
            DrawHighlight(image, HighlightRect(m.geo, m.g.GridCols, last));
        }
        DrawHighlight(image, HighlightRect(m.geo, m.g.GridCols, r.Index));
        last = r.Index;
    }
}
BENCHMARK(BM_PointerMove_Grid1000)->Unit(benchmark::kMicrosecond);

void BM_Floor_ReadPointer_Grid1000(benchmark::State& state) {
    Model& m = Grid1000();
    int32_t x = m.geo.GridOriginX;
    for (auto _ : state) {
        x = x + 3 < m.geo.GridRightX ? x + 3 : m.geo.GridOriginX;
        benchmark::DoNotOptimize(ReadPointer(m.s, m.g, m.geo, x, m.geo.GridOriginY + 2500));
    }
}
BENCHMARK(BM_Floor_ReadPointer_Grid1000)->Unit(benchmark::kMicrosecond);

// The report of the same grid's IN sheets (over 600,000) with the window's font.
void BM_ReportTable_Grid1000(benchmark::State& state) {
    Model& m = Grid1000();
    const ReportInput in{m.s, m.g, m.f, "poly20k.txt"};
    const QFont font(QStringLiteral("Tahoma"), 10);
    const QFontMetrics metrics(font);
    const TextMeasure measure = [&](const std::string& t) {
        return metrics.horizontalAdvance(QString::fromLatin1(t.data(), qsizetype(t.size())));
    };
    for (auto _ : state) {
        benchmark::DoNotOptimize(BuildReport(in, measure).Rows.size());
    }
    state.counters["in"] = m.g.InSheetCount;
}
BENCHMARK(BM_ReportTable_Grid1000)->Unit(benchmark::kMillisecond);

void BM_Floor_ReportOrder_Grid1000(benchmark::State& state) {
    Model& m = Grid1000();
    for (auto _ : state) {
        benchmark::DoNotOptimize(InSheetsInReportOrder(m.g.SheetList).data());
    }
}
BENCHMARK(BM_Floor_ReportOrder_Grid1000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
