// The files the program writes, each beside the long-standing writer of the same
// data, all to the temporary folder (replace-on-success included):
//
//   GeoPackage, FlatGeobuf, GeoJSON, CSV of the grid  <->  the shapefile of that grid
//   GeoJSON streamed to a discarding sink             <->  the shapefile's bytes in memory
//   the 2,000-vertex report as .xlsx                  <->  the same as a BIFF worksheet
//   the layout as a one-page PDF                       <->  the layout as a JPEG
//
// The grids are the polygons of 2,000 and 20,000 vertices at open "1:2000"
// (about 74 thousand and 945 thousand cells).

#include "coverage/Coverage.h"
#include "exchange/ExcelFile.h"
#include "exchange/OgrGridFile.h"
#include "exchange/ReportFiles.h"
#include "exchange/ReportWorkbook.h"
#include "exchange/ShapeFile.h"
#include "gui/InterfaceFont.h"
#include "report/ReportFont.h"
#include "report/ReportTable.h"
#include "view/JpegFile.h"
#include "view/LayoutPainter.h"
#include "view/PdfFiles.h"

#include "BenchShapes.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <string>
#include <system_error>

namespace {

using namespace sw;
using namespace sw::bench;
using namespace sw::gui;

using Model = ComputedRing;

// 2: 2,000 vertices over 2.7 degrees; 20: 20,000 over 9.7 degrees.
const Model& Polygon(int k) {
    static std::map<int, Model> models;
    auto it = models.find(k);
    if (it == models.end()) {
        const double size = k == 2 ? 2.7 : 9.7;
        Model m = ComputeRing(k == 2 ? 2000 : 20000, 24.0001, 24.0 + size - 0.0001, 74.0001,
                              74.0 + size - 0.0001, k == 2 ? 1 : 2);
        it = models.emplace(k, std::move(m)).first;
    }
    return it->second;
}

std::string TempPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("sheetwright-bench-" + name)).string();
}

std::uintmax_t FileBytes(const std::string& path) {
    std::error_code ec;
    const std::uintmax_t n = std::filesystem::file_size(path, ec);
    return ec ? 0 : n;
}

void Counters(benchmark::State& state, const Model& m, std::uintmax_t bytes) {
    state.counters["cells"] = static_cast<double>(m.g.SheetList.size());
    state.counters["MB_out"] = static_cast<double>(bytes) / 1e6;
}

void Grid(benchmark::State& state, const char* driver, const char* ext) {
    const Model& m = Polygon(static_cast<int>(state.range(0)));
    const std::string path = TempPath(std::string("grid") + ext);
    for (auto _ : state) {
        WriteOgrGridFile(path, OgrFormat{driver, ext}, OgrGridRequest{m.s, m.g, &m.f});
    }
    Counters(state, m, FileBytes(path));
    std::filesystem::remove(path);
    for (const char* side : {".csvt", ".prj"}) { // a CSV file's column types and system
        std::filesystem::remove(std::filesystem::path(path).replace_extension(side));
    }
}

void BM_Grid_GeoPackage(benchmark::State& state) {
    Grid(state, "GPKG", ".gpkg");
}
void BM_Grid_FlatGeobuf(benchmark::State& state) {
    Grid(state, "FlatGeobuf", ".fgb");
}
void BM_Grid_GeoJson(benchmark::State& state) {
    Grid(state, "GeoJSON", ".geojson");
}
void BM_Grid_Csv(benchmark::State& state) {
    Grid(state, "CSV", ".csv");
}
BENCHMARK(BM_Grid_GeoPackage)->Arg(2)->Arg(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Grid_FlatGeobuf)->Arg(2)->Arg(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Grid_GeoJson)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Grid_Csv)->Arg(2)->Unit(benchmark::kMillisecond);

// The long-standing writer of the same grid: .shp, .shx, .dbf and .prj.
void BM_Grid_Shapefile(benchmark::State& state) {
    const Model& m = Polygon(static_cast<int>(state.range(0)));
    const std::string path = TempPath("grid.shp");
    for (auto _ : state) {
        WriteShapeFiles(path, m.s, m.g);
    }
    Counters(state, m, FileBytes(path));
    for (const std::string& f : ShapefileNames(path)) {
        std::filesystem::remove(f);
    }
}
BENCHMARK(BM_Grid_Shapefile)->Arg(2)->Arg(20)->Unit(benchmark::kMillisecond);

// Standard output's GeoJSON without the disk, beside the shapefile's bytes made
// in memory.
void BM_GeoJsonStream(benchmark::State& state) {
    const Model& m = Polygon(static_cast<int>(state.range(0)));
    std::uintmax_t bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        StreamOgrGrid(OgrFormat{"GeoJSON", ".geojson"}, OgrGridRequest{m.s, m.g},
                      [&bytes](std::string_view piece) { bytes += piece.size(); });
    }
    Counters(state, m, bytes);
}
void BM_Floor_ShpBytes(benchmark::State& state) {
    const Model& m = Polygon(static_cast<int>(state.range(0)));
    std::uintmax_t bytes = 0;
    for (auto _ : state) {
        bytes = ShpFileBytes(m.s, m.g).size();
    }
    Counters(state, m, bytes);
}
BENCHMARK(BM_GeoJsonStream)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Floor_ShpBytes)->Arg(2)->Unit(benchmark::kMillisecond);

// The 2,000-vertex report: the 20,000-vertex one has more rows than a BIFF
// worksheet holds, so the long-standing writer would refuse it.
const TextTable& ReportOf2k() {
    static const TextTable table = [] {
        const Model& m = Polygon(2);
        return BuildReportTable(ReportInput{m.s, m.g, m.f, "area.txt"}, MeasureReportText);
    }();
    return table;
}

void BM_Report_Xlsx(benchmark::State& state) {
    const std::string path = TempPath("report.xlsx");
    for (auto _ : state) {
        WriteReportXlsxFile(path, ReportOf2k());
    }
    state.counters["rows"] = static_cast<double>(ReportOf2k().size());
    state.counters["MB_out"] = static_cast<double>(FileBytes(path)) / 1e6;
    std::filesystem::remove(path);
}
void BM_Report_Xls(benchmark::State& state) {
    const std::string path = TempPath("report.xls");
    for (auto _ : state) {
        WriteExcelFile(path, ReportOf2k());
    }
    state.counters["rows"] = static_cast<double>(ReportOf2k().size());
    state.counters["MB_out"] = static_cast<double>(FileBytes(path)) / 1e6;
    std::filesystem::remove(path);
}
BENCHMARK(BM_Report_Xlsx)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Report_Xls)->Unit(benchmark::kMillisecond);

// The 2,000-vertex layout at zoom 10 (a 2,850 x 1,900 pixel picture).
Model LayoutModel() {
    Model m = Polygon(2);
    m.s.SheetPixelHeight = 10;
    return m;
}

void BM_Layout_Pdf(benchmark::State& state) {
    const Model m = LayoutModel();
    std::size_t bytes = 0;
    for (auto _ : state) {
        bytes = static_cast<std::size_t>(
            LayoutPdfBytes(LayoutPdfInput{m.s, m.f, m.g, "area.txt", "2026-12-08"}).size());
    }
    Counters(state, m, bytes);
}
void BM_Layout_Jpeg(benchmark::State& state) {
    Model m = LayoutModel();
    const std::string path = TempPath("layout.jpg");
    for (auto _ : state) {
        SaveLayoutAsJpeg(RenderLayout(m.s, m.f, m.g), path);
    }
    Counters(state, m, FileBytes(path));
    std::filesystem::remove(path);
}
BENCHMARK(BM_Layout_Pdf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Layout_Jpeg)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    sw::gui::LoadInterfaceFont();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
