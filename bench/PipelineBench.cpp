// The command line from the user's input file to the last output byte, in-process
// (process start is timed by bench/e2e/peers.sh), each case beside its floor:
//
//   sheets, every format   <->  the enumeration alone (ComputeSheets)
//   reading the polygon    <->  reading the file's bytes
//   report order           <->  std::sort of as many 64-bit integers
//   each writer            <->  copying as many bytes
//   batch numbering        <->  SheetNumber alone on the same positions
//   the report table       <->  its order alone
//
// Polygons are written once to the temporary folder; output goes to a stream that
// counts and drops the bytes.

#include "cli/Commands.h"
#include "cli/LinkedCliModules.h"
#include "cli/SheetsFormats.h"
#include "cli/SheetsInput.h"
#include "coverage/Coverage.h"
#include "index/SheetNumber.h"
#include "report/ReportTable.h"
#include "report/SheetOrder.h"

#include "BenchShapes.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <ostream>
#include <random>
#include <sstream>
#include <streambuf>
#include <string>

namespace {

using namespace sw;
using namespace sw::bench;

// The tool with its optional parts linked in, as the tests run it.
cli::CliEnvironment LinkedEnvironment() {
    cli::CliEnvironment env;
    env.modules = cli::LinkedCliModules();
    return env;
}

class DropBuf : public std::streambuf {
public:
    std::size_t bytes = 0;

protected:
    int_type overflow(int_type ch) override {
        ++bytes;
        return traits_type::not_eof(ch);
    }
    std::streamsize xsputn(const char*, std::streamsize n) override {
        bytes += static_cast<std::size_t>(n);
        return n;
    }
};

struct Shape {
    int vertices;
    double lat0;
    double size; // degrees, square
    uint32_t seed;
};

// 2,000, 20,000 and 50,000 vertices over about 270, 970 and 1550 cells square.
const std::map<int, Shape>& Shapes() {
    static const std::map<int, Shape> shapes{
        {2, {2000, 24.0, 2.7, 1}}, {20, {20000, 24.0, 9.7, 2}}, {50, {50000, 20.0, 15.5, 3}}};
    return shapes;
}

// The polygon as a vertex text file, written on first use.
const std::string& PolygonFile(int k) {
    static std::map<int, std::string> files;
    auto it = files.find(k);
    if (it != files.end()) {
        return it->second;
    }
    const Shape& s = Shapes().at(k);
    const Feature f = bench::Ring(s.vertices, s.lat0 + 0.0001, s.lat0 + s.size - 0.0001, 74.0001,
                                  74.0 + s.size - 0.0001, s.seed);
    const auto path = std::filesystem::temp_directory_path() /
                      ("sheetwright-bench-poly" + std::to_string(k) + "k.txt");
    std::ofstream out(path);
    for (std::size_t i = 0; i < f.Vertices.size(); ++i) {
        const VertexRec& v = f.Vertices[i];
        out << i + 1 << '\t' << v.Lat.Deg << '\t' << v.Lat.Min << '\t' << v.Lat.Sec << '\t'
            << v.Long.Deg << '\t' << v.Long.Min << '\t' << v.Long.Sec << '\n';
    }
    return files.emplace(k, path.string()).first->second;
}

// The polygon read and computed, as `sheets` has it before writing.
const cli::SheetsResult& Computed(int k) {
    static std::map<int, cli::SheetsResult> results;
    auto it = results.find(k);
    if (it == results.end()) {
        cli::SheetsResult r;
        r.seriesName = "open";
        r.settings = OpenFinest();
        r.settings.DataType = DataKind::Polygon;
        r.inputPath = PolygonFile(k);
        r.feature = cli::ReadFeatureFile(r.inputPath, true, LinkedEnvironment().modules);
        ComputeSheets(r.settings, r.feature, r.grid);
        it = results.emplace(k, std::move(r)).first;
    }
    return it->second;
}

void Sheets(benchmark::State& state, const std::vector<std::string>& output) {
    const int k = static_cast<int>(state.range(0));
    std::vector<std::string> args{"sheets", "--series",  "open",        "--scale",
                                  "1:2000", "--polygon", PolygonFile(k)};
    args.insert(args.end(), output.begin(), output.end());
    std::size_t bytes = 0;
    for (auto _ : state) {
        DropBuf drop;
        std::ostream out(&drop);
        std::ostringstream err;
        std::istringstream in;
        if (cli::RunCli(args, in, out, err, LinkedEnvironment()) != 0) {
            state.SkipWithError(err.str().c_str());
            return;
        }
        bytes = drop.bytes;
    }
    state.counters["MB_out"] = static_cast<double>(bytes) / 1e6;
    state.counters["cells"] = Computed(k).grid.SheetCount;
    state.counters["in"] = Computed(k).grid.InSheetCount;
}

void BM_Sheets_Text(benchmark::State& state) {
    Sheets(state, {"--format", "text"});
}
void BM_Sheets_Csv(benchmark::State& state) {
    Sheets(state, {"--format", "csv"});
}
void BM_Sheets_Json(benchmark::State& state) {
    Sheets(state, {"--format", "json"});
}
void BM_Sheets_GeoJson(benchmark::State& state) {
    Sheets(state, {"--format", "geojson"});
}
BENCHMARK(BM_Sheets_Text)->Arg(2)->Arg(20)->Arg(50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Sheets_Csv)->Arg(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Sheets_Json)->Arg(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Sheets_GeoJson)->Arg(2)->Unit(benchmark::kMillisecond);

// The printed report, grouped as it is written: its goal is at most 1.2 times
// the text's time (BM_Sheets_Text of the same polygon).
void BM_Sheets_Report(benchmark::State& state) {
    Sheets(state, {"--report"});
}
BENCHMARK(BM_Sheets_Report)->Arg(20)->Unit(benchmark::kMillisecond);

// Floor of every sheets case: the enumeration alone, on the feature already read.
void BM_Floor_Enumeration(benchmark::State& state) {
    const cli::SheetsResult& r = Computed(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Feature f = r.feature;
        SheetGrid g;
        ComputeSheets(r.settings, f, g);
        benchmark::DoNotOptimize(g.SheetList.data());
    }
}
BENCHMARK(BM_Floor_Enumeration)->Arg(2)->Arg(20)->Arg(50)->Unit(benchmark::kMillisecond);

void BM_Stage_Read(benchmark::State& state) {
    const std::string& path = PolygonFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            cli::ReadFeatureFile(path, true, LinkedEnvironment().modules).Vertices.data());
    }
}
BENCHMARK(BM_Stage_Read)->Arg(20)->Unit(benchmark::kMillisecond);

void BM_Floor_ReadBytes(benchmark::State& state) {
    const std::string& path = PolygonFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::ifstream in(path, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_Floor_ReadBytes)->Arg(20)->Unit(benchmark::kMillisecond);

void BM_Stage_ReportOrder(benchmark::State& state) {
    const SheetGrid& g = Computed(static_cast<int>(state.range(0))).grid;
    for (auto _ : state) {
        benchmark::DoNotOptimize(InSheetsInReportOrder(g.SheetList).data());
    }
    state.counters["in"] = g.InSheetCount;
}
BENCHMARK(BM_Stage_ReportOrder)->Arg(20)->Unit(benchmark::kMillisecond);

void BM_Floor_SortIntegers(benchmark::State& state) {
    const SheetGrid& g = Computed(static_cast<int>(state.range(0))).grid;
    std::mt19937_64 rng(1);
    std::vector<uint64_t> keys(static_cast<std::size_t>(g.InSheetCount));
    for (uint64_t& k : keys) {
        k = rng();
    }
    for (auto _ : state) {
        std::vector<uint64_t> v = keys;
        std::sort(v.begin(), v.end());
        benchmark::DoNotOptimize(v.data());
    }
}
BENCHMARK(BM_Floor_SortIntegers)->Arg(20)->Unit(benchmark::kMillisecond);

void Writer(benchmark::State& state, void (*write)(const cli::SheetsResult&, std::ostream&)) {
    const cli::SheetsResult& r = Computed(static_cast<int>(state.range(0)));
    std::size_t bytes = 0;
    for (auto _ : state) {
        DropBuf drop;
        std::ostream out(&drop);
        write(r, out);
        bytes = drop.bytes;
    }
    state.counters["MB_out"] = static_cast<double>(bytes) / 1e6;
}
void BM_Stage_WriteText(benchmark::State& state) {
    Writer(state, cli::WriteText);
}
void BM_Stage_WriteCsv(benchmark::State& state) {
    Writer(state, cli::WriteCsv);
}
void BM_Stage_WriteJson(benchmark::State& state) {
    Writer(state, cli::WriteJson);
}
void BM_Stage_PrintReport(benchmark::State& state) {
    Writer(state, cli::PrintReport);
}
BENCHMARK(BM_Stage_WriteText)->Arg(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Stage_PrintReport)->Arg(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Stage_WriteCsv)->Arg(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Stage_WriteJson)->Arg(20)->Unit(benchmark::kMillisecond);

// Floor of the writers: copying the CSV's bytes once more.
void BM_Floor_CopyCsvBytes(benchmark::State& state) {
    const cli::SheetsResult& r = Computed(static_cast<int>(state.range(0)));
    std::ostringstream csv;
    cli::WriteCsv(r, csv);
    const std::string bytes = csv.str();
    std::string copy(bytes.size(), '\0');
    for (auto _ : state) {
        std::copy(bytes.begin(), bytes.end(), copy.begin());
        benchmark::DoNotOptimize(copy.data());
    }
    state.counters["MB_out"] = static_cast<double>(bytes.size()) / 1e6;
}
BENCHMARK(BM_Floor_CopyCsvBytes)->Arg(20)->Unit(benchmark::kMillisecond);

// One million positions over the index, half D:M:S with tabs, half decimal with a
// blank, as a script feeding `number` would send them.
struct Positions {
    std::string text;
    std::vector<std::pair<DmsAngle, DmsAngle>> latLon;
};

const Positions& MillionPositions() {
    static const Positions p = [] {
        Positions out;
        std::mt19937 rng(5);
        std::uniform_int_distribution<int32_t> lat(4 * 3600, 40 * 3600 - 1);
        std::uniform_int_distribution<int32_t> lon(64 * 3600, 100 * 3600 - 1);
        char line[64];
        for (int i = 0; i < 1'000'000; ++i) {
            const int32_t a = lat(rng);
            const int32_t b = lon(rng);
            if (i % 2 == 0) {
                std::snprintf(line, sizeof line, "%d:%02d:%02d\t%d:%02d:%02d\n", a / 3600,
                              a / 60 % 60, a % 60, b / 3600, b / 60 % 60, b % 60);
            } else {
                std::snprintf(line, sizeof line, "%.5f %.5f\n", a / 3600.0, b / 3600.0);
            }
            out.text += line;
            out.latLon.emplace_back(SecToDms(a), SecToDms(b));
        }
        return out;
    }();
    return p;
}

void NumberBatch(benchmark::State& state, std::vector<std::string> args) {
    const Positions& p = MillionPositions();
    for (auto _ : state) {
        std::istringstream in(p.text);
        DropBuf drop;
        std::ostream out(&drop);
        std::ostringstream err;
        if (cli::RunCli(args, in, out, err, LinkedEnvironment()) != 0) {
            state.SkipWithError(err.str().c_str());
            return;
        }
    }
    state.counters["lines"] = static_cast<double>(p.latLon.size());
}

void BM_NumberBatch_1M(benchmark::State& state) {
    NumberBatch(state, {"number", "--series", "open", "--scale", "1:2000"});
}
void BM_NumberBatch_1M_AllScales(benchmark::State& state) {
    NumberBatch(state, {"number", "--series", "open", "--all-scales"});
}
BENCHMARK(BM_NumberBatch_1M)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NumberBatch_1M_AllScales)->Unit(benchmark::kMillisecond);

// Floor of batch numbering: SheetNumber alone on the same million positions.
void BM_Floor_SheetNumber_1M(benchmark::State& state) {
    const Positions& p = MillionPositions();
    const Settings s = OpenFinest();
    for (auto _ : state) {
        std::size_t chars = 0;
        for (const auto& [lat, lon] : p.latLon) {
            chars += SheetNumber(s, lon, lat).size();
        }
        benchmark::DoNotOptimize(chars);
    }
}
BENCHMARK(BM_Floor_SheetNumber_1M)->Unit(benchmark::kMillisecond);

// The report of the 20,000-vertex polygon (over 600,000 IN sheets), measured with
// a fixed advance per character in place of the window's font.
void BM_ReportTable(benchmark::State& state) {
    const cli::SheetsResult& r = Computed(static_cast<int>(state.range(0)));
    SheetGrid g = r.grid;
    const ReportInput in{r.settings, g, r.feature, r.inputPath};
    const TextMeasure measure = [](const std::string& t) {
        return static_cast<int32_t>(7 * t.size());
    };
    std::size_t rows = 0;
    for (auto _ : state) {
        const Report rep = BuildReport(in, measure);
        rows = rep.Rows.size();
    }
    state.counters["in"] = g.InSheetCount;
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_ReportTable)->Arg(20)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
