// The outputs of `sheets` beside the long-standing ones, opened by the programs
// their users read them with: gdalinfo for georeferenced pictures, ogrinfo for
// the GIS formats, pdfinfo and pdftotext for PDFs, openpyxl for the workbook;
// standard output as a target; and a report that reads the same whatever fonts
// the machine has.

#include "CliTestSupport.h"

#include "coverage/LayoutGeometry.h"
#include "index/Settings.h"

#include "../exchange/ClientTools.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

using sw::clitest::Bytes;
using sw::clitest::Cli;
using sw::clitest::Data;
using sw::clitest::Result;
using sw::test::Quote;
using sw::test::Shell;
using sw::test::ToolRun;
namespace fs = std::filesystem;

namespace {

// Each test process its own folder.
struct TempDir : sw::clitest::TempDir {
    TempDir() : sw::clitest::TempDir("sw-cli-files-") {}
};

// The page count pdfinfo reports.
int Pages(const std::string& pdfinfo) {
    const auto at = pdfinfo.find("Pages:");
    return at == std::string::npos ? -1 : std::atoi(pdfinfo.c_str() + at + 6);
}

std::vector<std::string> SquarePolygon(const std::string& scale, std::vector<std::string> extra) {
    std::vector<std::string> args{
        "sheets", "--series", "old", "--scale", scale, "--polygon", Data("text/square.txt")};
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
}

} // namespace

TEST(OutputFiles, PicturesArePlacedByGdalOnTheGridEdges) {
    REQUIRE_TOOL("gdalinfo");
    TempDir dir;
    const Result r = Cli(SquarePolygon("1:50,000", {"--zoom", "75", "--format", "json", "--jpeg",
                                                    dir / "l.jpg", "--bmp", dir / "l.bmp"}));
    ASSERT_EQ(r.code, 0) << r.err;
    const auto grid = nlohmann::json::parse(r.out);
    sw::Settings s = sw::StartSettings(); // old 1:50,000: 15' sheets
    s.SheetPixelHeight = 75;
    const sw::LayoutGeometry geo =
        sw::PlanLayout(s, grid["cols"].get<int32_t>(), grid["rows"].get<int32_t>());
    const double west = grid["west_sec"].get<double>() / 3600;
    const double north = grid["north_sec"].get<double>() / 3600;
    const double east = west + grid["cols"].get<double>() * 0.25;
    const double south = north - grid["rows"].get<double>() * 0.25;
    for (const char* name : {"l.jpg", "l.bmp"}) {
        const ToolRun run = Shell("gdalinfo -json " + Quote(dir / name));
        ASSERT_EQ(run.Status, 0) << run.Output;
        const auto info = nlohmann::json::parse(run.Output);
        ASSERT_TRUE(info.contains("geoTransform")) << run.Output;
        const auto& gt = info["geoTransform"];
        EXPECT_NE(info["coordinateSystem"]["wkt"].get<std::string>().find("WGS 84"),
                  std::string::npos)
            << run.Output;
        const double a = gt[1].get<double>();
        const double e = gt[5].get<double>();
        EXPECT_EQ(info["size"][0].get<int64_t>(), geo.ImageWidth) << name;
        // The block's edges lie on the pixel edges the layout drew them on.
        EXPECT_LT(std::abs(gt[0].get<double>() + geo.GridOriginX * a - west), std::abs(a) / 2);
        EXPECT_LT(std::abs(gt[0].get<double>() + geo.GridRightX * a - east), std::abs(a) / 2);
        EXPECT_LT(std::abs(gt[3].get<double>() + geo.GridOriginY * e - north), std::abs(e) / 2);
        EXPECT_LT(std::abs(gt[3].get<double>() + geo.GridBottomY * e - south), std::abs(e) / 2);
    }
}

TEST(OutputFiles, GridInGisFormatsAndOnStandardOutput) {
    REQUIRE_TOOL("ogrinfo");
    TempDir dir;
    // A triangle over a 3 x 3 block leaves cells out.
    std::ofstream(dir / "tri.txt") << "1\t28\t35\t0\t77\t5\t0\n2\t28\t35\t0\t77\t40\t0\n"
                                      "3\t29\t5\t0\t77\t40\t0\n";
    const std::vector<std::string> tri{"sheets",   "--series",  "old",          "--scale",
                                       "1:50,000", "--polygon", dir / "tri.txt"};
    auto with = [&](std::vector<std::string> extra) {
        std::vector<std::string> args = tri;
        args.insert(args.end(), extra.begin(), extra.end());
        return args;
    };
    const Result r = Cli(with({"--out", dir / "grid.gpkg", "--in-only", "--format", "json"}));
    ASSERT_EQ(r.code, 0) << r.err;
    const auto grid = nlohmann::json::parse(r.out);
    ASSERT_LT(grid["in_count"].get<int>(), grid["cols"].get<int>() * grid["rows"].get<int>());
    const ToolRun run = Shell("ogrinfo -ro -so " + Quote(dir / "grid.gpkg") + " sheets feature");
    EXPECT_NE(run.Output.find("Feature Count: " + std::to_string(grid["in_count"].get<int>())),
              std::string::npos)
        << run.Output;
    EXPECT_NE(run.Output.find("Feature Count: 1"), std::string::npos) << run.Output;
    EXPECT_NE(run.Output.find("Geometry: Polygon"), std::string::npos) << run.Output;

    // A forced format whatever the name says, and "-" for standard output.
    ASSERT_EQ(
        Cli(SquarePolygon("1:50,000", {"--out", dir / "grid.dat", "--out-format", "fgb"})).code, 0);
    EXPECT_EQ(Bytes(dir / "grid.dat").substr(0, 3), "fgb");
    const Result csv = Cli(SquarePolygon("1:50,000", {"--out", "-", "--out-format", "csv"}));
    ASSERT_EQ(csv.code, 0) << csv.err;
    EXPECT_EQ(csv.out.rfind("WKT,sheet_no,in,series,scale,west,south,east,north,scale_name\n", 0),
              0u)
        << csv.out;
    EXPECT_FALSE(fs::exists("-"));

    const Result unknown = Cli(SquarePolygon("1:50,000", {"--out", dir / "grid.xyz"}));
    EXPECT_EQ(unknown.code, 2);
    EXPECT_NE(unknown.err.find("gpkg"), std::string::npos) << unknown.err;
    const Result badName =
        Cli(SquarePolygon("1:50,000", {"--out", dir / "g.gpkg", "--out-format", "png"}));
    EXPECT_EQ(badName.code, 2);
    EXPECT_FALSE(fs::exists(dir / "g.gpkg"));
}

// --out alone numbers cells from the IN mask as it writes them; with a picture it
// writes from the sheet list. Both give the same bytes, and the picture and its
// georeferencing are one set.
TEST(OutputFiles, GisFileFromTheMaskEqualsTheOneFromTheSheetList) {
    TempDir dir;
    for (const char* scale : {"1:50,000", "1:25,000"}) {
        for (const char* cells : {"all", "in"}) {
            std::vector<std::string> mask = {"--out", dir / "mask.csv"};
            std::vector<std::string> list = {"--out", dir / "list.csv", "--bmp", dir / "l.bmp"};
            if (std::string(cells) == "in") {
                mask.push_back("--in-only");
                list.push_back("--in-only");
            }
            ASSERT_EQ(Cli(SquarePolygon(scale, mask)).code, 0);
            ASSERT_EQ(Cli(SquarePolygon(scale, list)).code, 0);
            const std::string bytes = Bytes(dir / "mask.csv");
            EXPECT_GT(bytes.size(), 200u);
            EXPECT_EQ(bytes, Bytes(dir / "list.csv")) << scale << " " << cells;
        }
    }
    for (const char* side : {"l.bpw", "l.prj", "l.bmp.aux.xml", "list.csvt", "list.prj"}) {
        EXPECT_TRUE(fs::exists(dir / side)) << side;
    }
}

// A picture whose georeferencing cannot be put in place is not put in place
// either: the old picture keeps its own world file.
TEST(OutputFiles, PictureAndWorldFilesAreReplacedTogether) {
    TempDir dir;
    ASSERT_EQ(Cli(SquarePolygon("1:50,000", {"--jpeg", dir / "l.jpg"})).code, 0);
    const std::string picture = Bytes(dir / "l.jpg");
    const std::string world = Bytes(dir / "l.jgw");
    fs::remove(dir / "l.prj");
    fs::create_directory(dir / "l.prj");
    const Result r = Cli(SquarePolygon("1:25,000", {"--jpeg", dir / "l.jpg"}));
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("l.prj\". It is a folder"), std::string::npos) << r.err;
    EXPECT_EQ(Bytes(dir / "l.jpg"), picture);
    EXPECT_EQ(Bytes(dir / "l.jgw"), world);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 4);
}

// A GeoPackage's feature layer holds the input as it was read: every part, every
// hole, one row per feature of the input layer.
TEST(OutputFiles, GeoPackageFeatureLayerKeepsPartsAndHoles) {
    REQUIRE_TOOL("ogrinfo");
    TempDir dir;
    auto feature = [](const std::string& geometry) {
        return R"({"type":"FeatureCollection","features":[)" + geometry + "]}";
    };
    auto one = [](const std::string& type, const std::string& coordinates) {
        return R"({"type":"Feature","properties":{},"geometry":{"type":")" + type +
               R"(","coordinates":)" + coordinates + "}}";
    };
    const std::string holed = "[[[77,28],[77.5,28],[77.5,28.5],[77,28.5],[77,28]],"
                              "[[77.1,28.1],[77.1,28.4],[77.4,28.4],[77.4,28.1],[77.1,28.1]]]";
    const std::string triangle = "[[[78,28],[78.25,28],[78.25,28.25],[78,28]]]";
    std::ofstream(dir / "polygons.geojson")
        << feature(one("MultiPolygon", "[" + holed + "," + triangle + "]"));
    std::ofstream(dir / "lines.geojson") << feature(
        one("MultiLineString", "[[[77,28],[77.5,28.3]],[[78,28],[78.2,28.1],[78.3,28.4]]]"));
    std::ofstream(dir / "two.geojson")
        << feature(one("Polygon", holed) + "," + one("Polygon", triangle));
    const struct {
        const char* input;
        std::vector<std::string> expected;
    } cases[] = {
        {"polygons",
         {"Geometry: Multi Polygon", "Feature Count: 1",
          "MULTIPOLYGON (((77 28,77.5 28.0,77.5 28.5,77.0 28.5,77 28),"
          "(77.1 28.1,77.1 28.4,77.4 28.4,77.4 28.1,77.1 28.1)),"
          "((78 28,78.25 28.0,78.25 28.25,78 28)))"}},
        {"lines",
         {"Geometry: Multi Line String", "MULTILINESTRING ((77 28,77.5 28.3),"
                                         "(78 28,78.2 28.1,78.3 28.4))"}},
        {"two",
         {"Geometry: Polygon", "Feature Count: 2",
          "POLYGON ((77 28,77.5 28.0,77.5 28.5,77.0 28.5,77 28),"
          "(77.1 28.1,77.1 28.4,77.4 28.4,77.4 28.1,77.1 28.1))",
          "POLYGON ((78 28,78.25 28.0,78.25 28.25,78 28))"}},
    };
    for (const auto& c : cases) {
        const std::string out = dir / (std::string(c.input) + ".gpkg");
        const Result r = Cli({"sheets", "--series", "old", "--scale", "1:50,000", "--input",
                              dir / (std::string(c.input) + ".geojson"), "--out", out});
        ASSERT_EQ(r.code, 0) << c.input << ": " << r.err;
        const ToolRun run = Shell("ogrinfo -ro " + Quote(out) + " feature");
        ASSERT_EQ(run.Status, 0) << run.Output;
        sw::test::ExpectNoWarnings(run.Output);
        for (const std::string& text : c.expected) {
            EXPECT_NE(run.Output.find(text), std::string::npos) << text << "\n" << run.Output;
        }
    }
}

TEST(OutputFiles, DashWritesOneOutputToStandardOutputAndNoFile) {
    const Result kml = Cli(SquarePolygon("1:50,000", {"--kml", "-"}));
    ASSERT_EQ(kml.code, 0) << kml.err;
    EXPECT_EQ(kml.out.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n", 0), 0u);
    EXPECT_EQ(kml.out.find("\n53H/"), std::string::npos) << "the sheet list is not mixed in";
    const Result xls = Cli(SquarePolygon("1:50,000", {"--xls", "-"}));
    ASSERT_EQ(xls.code, 0) << xls.err;
    EXPECT_EQ(xls.out.substr(0, 4), std::string("\x09\x08\x08\x00", 4));
    EXPECT_FALSE(fs::exists("-"));
    EXPECT_FALSE(fs::exists("-.kml"));

    const Result shp = Cli(SquarePolygon("1:50,000", {"--shp", "-"}));
    EXPECT_EQ(shp.code, 2);
    EXPECT_NE(shp.err.find("--shp"), std::string::npos) << shp.err;
    const Result two = Cli(SquarePolygon("1:50,000", {"--kml", "-", "--xls", "-"}));
    EXPECT_EQ(two.code, 2);
    EXPECT_TRUE(two.out.empty());
}

TEST(OutputFiles, PdfsHoldTheSheetNumbersAsTextOnA4Pages) {
    REQUIRE_TOOL("pdfinfo");
    REQUIRE_TOOL("pdftotext");
    TempDir dir;
    ASSERT_EQ(Cli(SquarePolygon("1:50,000", {"--pdf", dir / "layout.pdf"})).code, 0);
    const ToolRun info = Shell("pdfinfo " + Quote(dir / "layout.pdf"));
    ASSERT_EQ(info.Status, 0) << info.Output;
    sw::test::ExpectNoWarnings(info.Output);
    EXPECT_EQ(Pages(info.Output), 1) << info.Output;
    // A 4 x 4 block is as wide as tall: portrait.
    EXPECT_NE(info.Output.find("595 x 842 pts (A4)"), std::string::npos) << info.Output;
    const ToolRun text = Shell("pdftotext -layout " + Quote(dir / "layout.pdf") + " -");
    for (const char* sheet :
         {"53H/1", "53H/5", "53D/13", "OLD MAPS", "Scale 1:50,000", "POLYLINE", "square.txt"}) {
        EXPECT_NE(text.Output.find(sheet), std::string::npos) << sheet << "\n" << text.Output;
    }

    // A wide polyline gives a landscape page.
    std::ofstream(dir / "wide.txt") << "1\t28\t30\t0\t77\t0\t0\n2\t28\t35\t0\t79\t0\t0\n";
    ASSERT_EQ(Cli({"sheets", "--series", "old", "--scale", "1:50,000", "--polyline",
                   dir / "wide.txt", "--pdf", dir / "wide.pdf"})
                  .code,
              0);
    EXPECT_NE(Shell("pdfinfo " + Quote(dir / "wide.pdf")).Output.find("842 x 595 pts (A4)"),
              std::string::npos);

    // The report of many sheets: several pages, each with the headings and its number.
    std::ofstream(dir / "big.txt") << "1\t28\t0\t0\t77\t0\t0\n2\t28\t0\t0\t78\t20\t0\n"
                                      "3\t29\t20\t0\t78\t20\t0\n4\t29\t20\t0\t77\t0\t0\n";
    ASSERT_EQ(Cli({"sheets", "--series", "open", "--scale", "1:10,000", "--polygon",
                   dir / "big.txt", "--report-pdf", dir / "report.pdf"})
                  .code,
              0);
    const int count = Pages(Shell("pdfinfo " + Quote(dir / "report.pdf")).Output);
    EXPECT_GE(count, 2);
    for (int page = 1; page <= count; ++page) {
        const ToolRun t = Shell("pdftotext -f " + std::to_string(page) + " -l " +
                                std::to_string(page) + " " + Quote(dir / "report.pdf") + " -");
        EXPECT_NE(t.Output.find("Number of Sheets"), std::string::npos) << t.Output;
        EXPECT_NE(t.Output.find("Page " + std::to_string(page) + " of " + std::to_string(count)),
                  std::string::npos)
            << t.Output;
    }
    const ToolRun all = Shell("pdftotext " + Quote(dir / "report.pdf") + " -");
    EXPECT_NE(all.Output.find("H43R04A"), std::string::npos) << all.Output;
    EXPECT_NE(all.Output.find("TOTAL SHEETS"), std::string::npos);
}

TEST(OutputFiles, WorkbookAndCsvHoldTheReportCells) {
    const std::string python = sw::test::PythonWith("openpyxl");
    if (python.empty()) {
        GTEST_SKIP() << "openpyxl is not installed";
    }
    TempDir dir;
    const Result report =
        Cli({"sheets", "--series", "old", "--scale", "1:50,000", "--point", "28:36:50", "77:12:30",
             "--report", "--xlsx", dir / "r.xlsx", "--report-csv", dir / "r.csv"});
    ASSERT_EQ(report.code, 0) << report.err;
    // Tab-separated cells of the workbook, as the printed report has them.
    std::ofstream(dir / "read.py") << R"(import sys, openpyxl
ws = openpyxl.load_workbook(sys.argv[1]).active
for row in ws.iter_rows():
    print("\t".join("" if c.value is None else str(c.value) for c in row))
)";
    const ToolRun run = Shell(python + " " + Quote(dir / "read.py") + " " + Quote(dir / "r.xlsx"));
    ASSERT_EQ(run.Status, 0) << run.Output;
    // A row with no text at all is no row of the workbook (the point's table ends in one).
    std::string printed = report.out;
    while (printed.size() >= 3 && printed.compare(printed.size() - 3, 3, "\t\t\n") == 0 &&
           (printed.size() == 3 || printed[printed.size() - 4] == '\n')) {
        printed.resize(printed.size() - 3);
    }
    EXPECT_EQ(run.Output, printed);
    const std::string csv = Bytes(dir / "r.csv");
    EXPECT_NE(csv.find("1,53H/2,1\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("28\xC2\xB0"), std::string::npos) << csv;
}

#ifdef SHEETWRIGHT_CLI_PATH
// The report's wrapping is measured in the font the program brings along, so
// taking every other font away, or pointing Tahoma at another face, changes no row.
TEST(OutputFiles, ReportRowsDoNotDependOnTheInstalledFonts) {
    TempDir dir;
    std::ofstream(dir / "none.conf") << "<?xml version=\"1.0\"?>\n<fontconfig><cachedir>"
                                     << dir.path.string() << "/cache</cachedir></fontconfig>\n";
    std::ofstream(dir / "other.conf")
        << "<?xml version=\"1.0\"?>\n<fontconfig><dir>/usr/share/fonts</dir><cachedir>"
        << dir.path.string()
        << "/cache</cachedir><alias binding=\"same\"><family>Tahoma</family><prefer><family>"
           "DejaVu Sans Mono</family></prefer></alias></fontconfig>\n";
    // Through cat, so Qt's notes on stderr stay out of the compared text.
    std::string command = SHEETWRIGHT_CLI_PATH;
    command += " sheets --series open --scale 1:10,000 --polygon ";
    command += Quote(Data("text/square.txt"));
    command += " --report 2>/dev/null | cat";
    const ToolRun usual = Shell(command);
    ASSERT_EQ(usual.Status, 0) << usual.Output;
    // Wrapped groups: more rows than the nine 1:50,000 groups the sheets fall in.
    EXPECT_GT(std::count(usual.Output.begin(), usual.Output.end(), '\n'), 20) << usual.Output;
    for (const char* conf : {"none.conf", "other.conf"}) {
        const ToolRun run = Shell("FONTCONFIG_FILE=" + Quote(dir / conf) + " " + command);
        EXPECT_EQ(run.Output, usual.Output) << conf;
    }
}
#endif
