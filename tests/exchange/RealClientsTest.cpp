// What real GIS and spreadsheet programs make of our files, and what our readers
// make of theirs. Each test is skipped when its tool is not installed; the CI
// image installs them all (scripts/install-deps).

#include "exchange/ExcelFile.h"
#include "exchange/FileError.h"
#include "exchange/KmlFile.h"
#include "exchange/OpenVertexFile.h"
#include "exchange/ShapeFile.h"

#include "ClientTools.h"
#include "ExchangeTestSupport.h"
#include "exchange/LinkedModules.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <regex>
#include <sstream>
#include <vector>

namespace sw {
namespace {

using test::ExpectNoWarnings;
using test::LinesStartingWith;
using test::Numbers;
using test::Quote;
using test::Shell;
using test::ToolRun;

std::string PythonWithXlrd() {
    return test::PythonWith("xlrd");
}

TEST(RealClients, OgrinfoListsOurShapefile) {
    REQUIRE_TOOL("ogrinfo");
    test::ScratchDir dir;
    const Settings s = test::FifteenMinuteSheets();
    const SheetGrid g = test::MakeGrid(s, 77, 29, 3, 2, [](int32_t k) { return k % 2 == 1; });
    WriteShapeFiles(dir.File("grid"), s, g);
    const ToolRun run = Shell("ogrinfo -al " + Quote(dir.File("grid.shp")));
    ASSERT_EQ(run.Status, 0) << run.Output;
    ExpectNoWarnings(run.Output);
    EXPECT_NE(run.Output.find("Geometry: Polygon"), std::string::npos);
    EXPECT_NE(run.Output.find("Feature Count: 6"), std::string::npos);
    EXPECT_NE(run.Output.find("Extent: (77.000000, 28.500000) - (77.750000, 29.000000)"),
              std::string::npos);
    EXPECT_NE(run.Output.find("SHEETNO: String (12.0)"), std::string::npos);
    EXPECT_NE(run.Output.find("INOUT: String (4.0)"), std::string::npos);
    EXPECT_NE(run.Output.find("WGS 84"), std::string::npos) << "the .prj is understood";

    const auto sheets = LinesStartingWith(run.Output, "SHEETNO (String) = ");
    const auto flags = LinesStartingWith(run.Output, "INOUT (String) = ");
    const auto rings = LinesStartingWith(run.Output, "POLYGON ");
    ASSERT_EQ(sheets.size(), 6u);
    ASSERT_EQ(flags.size(), 6u);
    ASSERT_EQ(rings.size(), 6u);
    for (std::size_t k = 0; k < 6; ++k) {
        EXPECT_EQ(sheets[k], "SHEETNO (String) = S" + std::to_string(k));
        EXPECT_EQ(flags[k], k % 2 == 1 ? "INOUT (String) = IN" : "INOUT (String) = OUT");
        const double w = 77.0 + 0.25 * static_cast<double>(k % 3);
        const double n = 29.0 - 0.25 * static_cast<double>(k / 3);
        EXPECT_EQ(Numbers(rings[k]),
                  (std::vector<double>{w, n, w + 0.25, n, w + 0.25, n - 0.25, w, n - 0.25, w, n}))
            << rings[k];
    }
}

TEST(RealClients, OgrinfoListsOurKml) {
    REQUIRE_TOOL("ogrinfo");
    test::ScratchDir dir;
    const Settings s = test::FifteenMinuteSheets(75);
    const SheetGrid g = test::MakeGrid(s, 77, 29, 3, 2, [](int32_t k) { return k == 0 || k == 5; });
    WriteKmlFile(dir.File("sheets.kml"), s, g);
    const ToolRun run = Shell("ogrinfo -al " + Quote(dir.File("sheets.kml")));
    ASSERT_EQ(run.Status, 0) << run.Output;
    ExpectNoWarnings(run.Output);
    EXPECT_NE(run.Output.find("Feature Count: 4"), std::string::npos) << run.Output;
    const auto points = LinesStartingWith(run.Output, "POINT");
    const auto rings = LinesStartingWith(run.Output, "POLYGON");
    ASSERT_EQ(points.size(), 2u) << run.Output;
    ASSERT_EQ(rings.size(), 2u);
    // Zoom 75: the centre lies 444 seconds east and south of the north-west corner.
    EXPECT_EQ(Numbers(points[0]), (std::vector<double>{77.1233333333333, 28.8766666666667, 0}));
    EXPECT_EQ(Numbers(rings[1]), (std::vector<double>{77.5, 28.75, 0, 77.75, 28.75, 0, 77.75, 28.5,
                                                      0, 77.5, 28.5, 0, 77.5, 28.75, 0}));
}

class GdalWrittenFiles : public ::testing::Test {
protected:
    void SetUp() override {
        if (!test::HaveTool("ogr2ogr")) {
            GTEST_SKIP() << "ogr2ogr is not installed";
        }
        test::WriteBytes(dir.File("polygon.geojson"),
                         R"({"type":"FeatureCollection","features":[{"type":"Feature",)"
                         R"("properties":{"name":"a"},"geometry":{"type":"Polygon","coordinates":)"
                         R"([[[77,29],[77.25,29],[77.25,28.75],[77,28.75],[77,29]]]}}]})");
        test::WriteBytes(dir.File("line.geojson"),
                         R"({"type":"FeatureCollection","features":[{"type":"Feature",)"
                         R"("properties":{"name":"b"},"geometry":{"type":"LineString",)"
                         R"("coordinates":[[77.5,28.25],[77.75,28.5],[78,28]]}},)"
                         R"({"type":"Feature","properties":{"name":"c"},"geometry":)"
                         R"({"type":"LineString","coordinates":[[1,1],[2,2]]}}]})");
    }

    void Convert(const std::string& args) {
        const ToolRun run = Shell("cd " + Quote(dir.Path().string()) + " && ogr2ogr " + args);
        ASSERT_EQ(run.Status, 0) << run.Output;
    }

    test::ScratchDir dir;
};

using Cells = std::vector<std::vector<std::string>>;

Cells LatLonRows(const VertexTable& t, int32_t first, int32_t last) {
    Cells rows;
    for (int32_t r = first; r <= last; ++r) {
        rows.push_back({t.Cell(1, r), t.Cell(2, r)});
    }
    return rows;
}

TEST_F(GdalWrittenFiles, ShapefilesWithGeographicProjection) {
    Convert("-f 'ESRI Shapefile' polygon.shp polygon.geojson");
    Convert("-f 'ESRI Shapefile' line.shp line.geojson");

    VertexTable poly;
    ASSERT_EQ(OpenVertexFile(OpenBoxPosition("shapefile"), dir.File("polygon.shp"), poly, '.',
                             LinkedModules()),
              OpenOutcome::Read);
    EXPECT_EQ(poly.IsPolygon, 1);
    EXPECT_EQ(poly.VertexCount, 5);
    EXPECT_EQ(
        LatLonRows(poly, 1, 5),
        (Cells{{"29", "77"}, {"29", "77.25"}, {"28.75", "77.25"}, {"28.75", "77"}, {"29", "77"}}));

    VertexTable line;
    ASSERT_EQ(OpenVertexFile(OpenBoxPosition("shapefile"), dir.File("line.shp"), line, '.',
                             LinkedModules()),
              OpenOutcome::Read);
    EXPECT_EQ(line.IsPolygon, 0);
    EXPECT_EQ(line.VertexCount, 3) << "the first record only";
    EXPECT_EQ(LatLonRows(line, 1, 3), (Cells{{"28.25", "77.5"}, {"28.5", "77.75"}, {"28", "78"}}));
}

TEST_F(GdalWrittenFiles, ShapefileWithProjectedSystemIsRefused) {
    Convert("-f 'ESRI Shapefile' -t_srs EPSG:32643 utm.shp polygon.geojson");
    VertexTable t;
    try {
        OpenVertexFile(OpenBoxPosition("shapefile"), dir.File("utm.shp"), t, '.', LinkedModules());
        FAIL() << "a projected shapefile was read";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()), "Erro! No geographic coordinates");
    }
    EXPECT_EQ(t.VertexCount, 0);
}

TEST_F(GdalWrittenFiles, KmlPolygonAndLineString) {
    Convert("-f KML polygon.kml polygon.geojson");
    Convert("-f KML line.kml line.geojson");

    VertexTable poly;
    OpenVertexFile(OpenBoxPosition("kml"), dir.File("polygon.kml"), poly, '.', LinkedModules());
    EXPECT_EQ(poly.VertexCount, 4) << "the closing tuple repeats the first";
    ASSERT_EQ(LatLonRows(poly, 1, 6).size(), 6u);
    for (int32_t r = 1; r <= 5; ++r) {
        const double lat = std::stod(poly.Cell(1, r));
        const double lon = std::stod(poly.Cell(2, r));
        const double expected[5][2] = {
            {29, 77}, {29, 77.25}, {28.75, 77.25}, {28.75, 77}, {29, 77}};
        EXPECT_EQ(lat, expected[r - 1][0]) << r;
        EXPECT_EQ(lon, expected[r - 1][1]) << r;
    }

    VertexTable line;
    OpenVertexFile(OpenBoxPosition("kml"), dir.File("line.kml"), line, '.', LinkedModules());
    // Both line strings, each followed by its empty row; the last one is open.
    EXPECT_EQ(LatLonRows(line, 1, 7), (Cells{{"28.25", "77.5"},
                                             {"28.5", "77.75"},
                                             {"28", "78"},
                                             {"", ""},
                                             {"1", "1"},
                                             {"2", "2"},
                                             {"", ""}}));
    EXPECT_EQ(line.VertexCount, 6);
}

TEST(RealClients, XlrdReadsOurWorksheet) {
    const std::string python = PythonWithXlrd();
    if (python.empty()) {
        GTEST_SKIP() << "python3 with xlrd is not installed";
    }
    test::ScratchDir dir;
    const TextTable table = {{" S.No.", "Sheet No.", "Scale"},
                             {"1", "53H/12",
                              "29\xB0"
                              "00'00\""},
                             {"12 ", " 7", ""},
                             {"2.5e1", "-.5", "."}};
    WriteExcelFile(dir.File("report.xls"), table);
    const std::string script =
        "import xlrd\n"
        "b = xlrd.open_workbook(" +
        Quote(dir.File("report.xls")) +
        ", encoding_override='cp1252')\n"
        "s = b.sheet_by_index(0)\n"
        "print(s.nrows, s.ncols)\n"
        "for r in range(s.nrows):\n"
        "    print('|'.join('%d:%r' % (s.cell(r, c).ctype, s.cell(r, c).value)"
        " for c in range(s.ncols)))\n";
    test::WriteBytes(dir.File("read.py"), script);
    const ToolRun run = Shell(python + " " + Quote(dir.File("read.py")));
    ASSERT_EQ(run.Status, 0) << run.Output;
    // Types: 1 text, 2 number. The degree sign arrives through cp1252.
    EXPECT_EQ(run.Output, "4 3\n"
                          "1:' S.No.'|1:'Sheet No.'|1:'Scale'\n"
                          "2:1.0|1:'53H/12'|1:'29\xC2\xB0"
                          "00\\'00\"'\n"
                          "1:'12 '|2:7.0|1:''\n"
                          "2:25.0|2:-0.5|2:0.0\n");
}

TEST(RealClients, SpreadsheetConversionGivesTheSameCells) {
    if (!test::HaveTool("soffice")) {
        GTEST_SKIP() << "soffice is not installed";
    }
    test::ScratchDir dir;
    const TextTable table = {{" S.No.", "Sheet No."}, {"1", "53H/12"}, {"2", "53H/13"}};
    WriteExcelFile(dir.File("report.xls"), table);
    const ToolRun run =
        Shell("cd " + Quote(dir.Path().string()) + " && HOME=" + Quote(dir.Path().string()) +
              " soffice --headless --convert-to csv report.xls >/dev/null");
    ASSERT_EQ(run.Status, 0) << run.Output;
    EXPECT_EQ(test::ReadBytes(dir.File("report.csv")), " S.No.,Sheet No.\n1,53H/12\n2,53H/13\n");
}

} // namespace
} // namespace sw
