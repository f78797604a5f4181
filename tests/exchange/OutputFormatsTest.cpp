// The outputs beside the long-standing writers, read back by the programs their
// users open them with: the grid in OGR's vector formats (ogrinfo), world files
// beside pictures, and the report as CSV and as a workbook (openpyxl).

#include "coverage/Coverage.h"
#include "coverage/LayoutGeometry.h"
#include "exchange/FileError.h"
#include "exchange/FormatRegistry.h"
#include "exchange/OgrGridFile.h"
#include "exchange/ReportFiles.h"
#include "exchange/ReportWorkbook.h"
#include "exchange/WorldFile.h"

#include "ClientTools.h"
#include "ExchangeTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace sw {
namespace {

using test::Quote;
using test::Shell;
using test::ToolRun;

SheetGrid OddInGrid(const Settings& s) {
    return test::MakeGrid(s, 77, 29, 3, 2, [](int32_t k) { return k % 2 == 1; });
}

// ---- world files -------------------------------------------------------------

TEST(WorldFile, GridEdgesFallOnTheBlockPixelEdges) {
    for (const int32_t zoom : {70, 75, 13}) {
        const Settings s = test::FifteenMinuteSheets(zoom);
        const SheetGrid g = OddInGrid(s);
        const WorldTransform t = LayoutWorldTransform(s, g);
        const LayoutGeometry geo = PlanLayout(s, g.GridCols, g.GridRows);
        // The pixel edge x is at CentreX + (x - 0.5) * PixelWidth.
        const auto lonAt = [&](double x) { return t.CentreX + (x - 0.5) * t.PixelWidth; };
        const auto latAt = [&](double y) { return t.CentreY + (y - 0.5) * t.PixelHeight; };
        EXPECT_NEAR(lonAt(geo.GridOriginX), 77.0, 1e-9) << zoom;
        EXPECT_NEAR(lonAt(geo.GridRightX), 77.75, 1e-9) << zoom;
        EXPECT_NEAR(latAt(geo.GridOriginY), 29.0, 1e-9) << zoom;
        EXPECT_NEAR(latAt(geo.GridBottomY), 28.5, 1e-9) << zoom;
        EXPECT_LT(t.PixelHeight, 0);
    }
}

TEST(WorldFile, NamesTextAndFilesBesideThePicture) {
    EXPECT_EQ(WorldFileName("/a/layout.jpg"), "/a/layout.jgw");
    EXPECT_EQ(WorldFileName("/a/layout.JPEG"), "/a/layout.jgw");
    EXPECT_EQ(WorldFileName("layout.bmp"), "layout.bpw");
    EXPECT_EQ(WorldFileName("x.y/layout"), "x.y/layout.wld");

    WorldTransform t;
    t.PixelWidth = 0.25;
    t.PixelHeight = -0.125;
    t.CentreX = 76.5;
    t.CentreY = 30;
    EXPECT_EQ(WorldFileText(t), "0.25\n0\n0\n-0.125\n76.5\n30\n");

    test::ScratchDir dir;
    const Settings s = test::FifteenMinuteSheets();
    WriteWorldFiles(dir.File("layout.jpg"), s, OddInGrid(s));
    EXPECT_EQ(test::ReadBytes(dir.File("layout.jgw")).size() > 0, true);
    EXPECT_NE(test::ReadBytes(dir.File("layout.prj")).find("WGS_1984"), std::string::npos);
    EXPECT_NE(test::ReadBytes(dir.File("layout.jpg.aux.xml")).find("&quot;4326&quot;"),
              std::string::npos);
    EXPECT_EQ(dir.EntryCount(), 3u);
    // A folder that cannot be written to is told and leaves nothing behind.
    EXPECT_THROW(WriteWorldFiles(dir.File("missing/layout.jpg"), s, OddInGrid(s)), FileError);
    EXPECT_EQ(dir.EntryCount(), 3u);
}

// ---- the grid through OGR ----------------------------------------------------------

TEST(OgrGrid, FormatsByExtensionOrName) {
    const auto driverFor = [](const std::string& path) {
        const OutputFormat* f = GisFormatForPath(path);
        return f == nullptr ? std::string_view() : OgrDriverOf(*f);
    };
    const auto driverNamed = [](const std::string& name) {
        const OutputFormat* f = GisFormatNamed(name);
        return f == nullptr ? std::string_view() : OgrDriverOf(*f);
    };
    EXPECT_EQ(driverFor("a/grid.GPKG"), "GPKG");
    EXPECT_EQ(driverFor("grid.fgb"), "FlatGeobuf");
    EXPECT_EQ(driverFor("grid.shp"), "ESRI Shapefile");
    EXPECT_EQ(driverFor("grid.kml"), "");
    EXPECT_EQ(driverFor("grid"), "");
    EXPECT_EQ(driverNamed("geojson"), "GeoJSON");
    EXPECT_EQ(driverNamed(".sqlite"), "SQLite");
    EXPECT_EQ(driverNamed("esri shapefile"), "ESRI Shapefile");
    EXPECT_EQ(driverNamed("png"), "");
    EXPECT_EQ(GisFormats().size(), 7u);
}

TEST(OgrGrid, EveryFormatOpensInOgrinfoWithItsCellsAndFields) {
    REQUIRE_TOOL("ogrinfo");
    test::ScratchDir dir;
    const Settings s = test::FifteenMinuteSheets();
    const SheetGrid g = OddInGrid(s);
    const Feature f = MakeVertexFeature({{DmsAngle{28, 40, 0}, DmsAngle{77, 10, 0}},
                                         {DmsAngle{28, 50, 0}, DmsAngle{77, 40, 0}},
                                         {DmsAngle{28, 35, 0}, DmsAngle{77, 20, 0}}},
                                        true);
    for (const OutputFormat* gis : GisFormats()) {
        const OgrFormat format{OgrDriverOf(*gis), gis->Extension};
        for (const bool inOnly : {false, true}) {
            if (inOnly && format.Driver != "GPKG") {
                continue; // the choice of cells is the same for every driver
            }
            const std::string path =
                dir.File(std::string(inOnly ? "in" : "all") + std::string(format.Extension));
            WriteOgrGridFile(path, format, OgrGridRequest{s, g, &f, inOnly});
            const ToolRun run = Shell("ogrinfo -ro -al -so " + Quote(path));
            ASSERT_EQ(run.Status, 0) << format.Driver << run.Output;
            test::ExpectNoWarnings(run.Output);
            EXPECT_NE(run.Output.find("Feature Count: " + std::string(inOnly ? "3" : "6")),
                      std::string::npos)
                << format.Driver << run.Output;
            for (const char* field :
                 {"sheet_no: String", "in: Integer", "series: String", "scale: Integer",
                  "west: Real", "south: Real", "east: Real", "north: Real"}) {
                EXPECT_NE(run.Output.find(field), std::string::npos)
                    << format.Driver << " lacks " << field << "\n"
                    << run.Output;
            }
            // The caption only where a reader keeps it as text, never as a time.
            EXPECT_EQ(run.Output.find("scale_name: String") != std::string::npos,
                      format.Driver != "GeoJSON")
                << format.Driver << run.Output;
            EXPECT_EQ(run.Output.find("Time"), std::string::npos) << format.Driver << run.Output;
            EXPECT_EQ(run.Output.find("Layer name: feature") != std::string::npos,
                      format.Driver == "GPKG")
                << format.Driver << run.Output;
        }
    }
    // One cell read back: its number, flag, names and edges in decimal degrees.
    const ToolRun cell = Shell("ogrinfo -ro -q " + Quote(dir.File("all.gpkg")) +
                               " sheets -where \"sheet_no = 'S5'\"");
    EXPECT_NE(cell.Output.find("in (Integer(Boolean)) = 1"), std::string::npos) << cell.Output;
    EXPECT_NE(cell.Output.find("series (String) = old"), std::string::npos) << cell.Output;
    EXPECT_NE(cell.Output.find("scale (Integer) = 50000"), std::string::npos) << cell.Output;
    EXPECT_NE(cell.Output.find("scale_name (String) = 1:50,000"), std::string::npos) << cell.Output;
    EXPECT_NE(cell.Output.find("west (Real) = 77.5"), std::string::npos) << cell.Output;
    EXPECT_NE(cell.Output.find("north (Real) = 28.75"), std::string::npos) << cell.Output;
    const ToolRun feature = Shell("ogrinfo -ro -q " + Quote(dir.File("all.gpkg")) + " feature");
    EXPECT_NE(feature.Output.find("POLYGON ((77.1666666666667 28.6666666666667"), std::string::npos)
        << feature.Output;
}

TEST(OgrGrid, ScaleDenominatorsOfEveryCaption) {
    EXPECT_EQ(ScaleDenominator("1:50,000"), 50000);
    EXPECT_EQ(ScaleDenominator("1:2,50,000"), 250000);
    EXPECT_EQ(ScaleDenominator("1:1M"), 1000000);
    EXPECT_EQ(ScaleDenominator("1:2000"), 2000);
    EXPECT_EQ(ScaleDenominator("50000"), 0);
    EXPECT_EQ(ScaleDenominator("1:"), 0);
    EXPECT_EQ(ScaleDenominator("1:5x"), 0);
    EXPECT_EQ(ScaleDenominator("1:99999999999999999999"), 0);
}

// The files that only make sense together come together: a CSV file's column
// types and coordinate system, a GML file's schema under the name it gives.
TEST(OgrGrid, SideFilesAreWrittenAndNamedAsTheirFileSays) {
    REQUIRE_TOOL("ogrinfo");
    test::ScratchDir dir;
    const Settings s = test::FifteenMinuteSheets();
    const SheetGrid g = OddInGrid(s);
    WriteOgrGridFile(dir.File("grid.csv"), {"CSV", ".csv"}, OgrGridRequest{s, g});
    EXPECT_EQ(test::ReadBytes(dir.File("grid.csvt")),
              "WKT,String,Integer(Boolean),String,Integer,Real,Real,Real,Real,String\n");
    EXPECT_NE(test::ReadBytes(dir.File("grid.prj")).find("WGS"), std::string::npos);
    const ToolRun csv = Shell("ogrinfo -ro -al -so " + Quote(dir.File("grid.csv")));
    EXPECT_NE(csv.Output.find("scale: Integer"), std::string::npos) << csv.Output;
    EXPECT_NE(csv.Output.find("WGS 84"), std::string::npos) << csv.Output;

    // A name with another extension: the schema follows the name actually written.
    WriteOgrGridFile(dir.File("cells.dat"), {"GML", ".gml"}, OgrGridRequest{s, g});
    const std::string gml = test::ReadBytes(dir.File("cells.dat"));
    EXPECT_NE(gml.find(" cells.xsd\""), std::string::npos) << gml.substr(0, 400);
    EXPECT_TRUE(std::filesystem::exists(dir.File("cells.xsd")));
    const ToolRun read = Shell("ogrinfo -ro -so " + Quote(dir.File("cells.dat")) + " sheets");
    EXPECT_NE(read.Output.find("scale: Integer"), std::string::npos) << read.Output;
    EXPECT_EQ(dir.EntryCount(), 5u) << "no staging folder is left";
}

uint32_t LittleEndianAt(const std::string& bytes, std::size_t at) {
    uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        v |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    }
    return v;
}

// The records of a shapefile set, or -1 when its files disagree.
int64_t RecordsOfOneSet(const std::string& stem) {
    const std::string shx = test::ReadBytes(stem + ".shx");
    const std::string dbf = test::ReadBytes(stem + ".dbf");
    if (shx.size() < 100 || dbf.size() < 32) {
        return -1;
    }
    const auto records = static_cast<int64_t>((shx.size() - 100) / 8);
    return LittleEndianAt(dbf, 4) == records ? records : -1;
}

TEST(OgrGrid, AFailedSetLeavesEveryOldFileAsItWas) {
    test::ScratchDir dir;
    const Settings s = test::FifteenMinuteSheets();
    WriteOgrGridFile(dir.File("grid.shp"), {"ESRI Shapefile", ".shp"},
                     OgrGridRequest{s, OddInGrid(s)});
    ASSERT_EQ(RecordsOfOneSet(dir.File("grid")), 6);
    std::map<std::string, std::string> before;
    for (const char* ext : {".shp", ".shx", ".dbf"}) {
        before[ext] = test::ReadBytes(dir.File(std::string("grid") + ext));
    }
    // The .prj cannot be replaced (a folder took its name): nothing is.
    std::filesystem::remove(dir.File("grid.prj"));
    std::filesystem::create_directory(dir.File("grid.prj"));
    try {
        WriteOgrGridFile(dir.File("grid.shp"), {"ESRI Shapefile", ".shp"},
                         OgrGridRequest{s, OddInGrid(s), nullptr, true});
        ADD_FAILURE() << "a folder was replaced";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("grid.prj\". It is a folder"), std::string::npos)
            << e.what();
    }
    for (const auto& [ext, bytes] : before) {
        EXPECT_EQ(test::ReadBytes(dir.File("grid" + ext)), bytes) << ext;
    }
    EXPECT_EQ(dir.EntryCount(), 4u);
}

// Two writers of one name that have both finished staging commit one after the
// other under the folder's lock: the set is whole, one writer's or the other's.
TEST(OgrGrid, TwoWritersOfOneShapefileLeaveOneWholeSet) {
    test::ScratchDir dir;
    const Settings s = test::FifteenMinuteSheets();
    const SheetGrid small = test::MakeGrid(s, 77, 29, 3, 2);
    const SheetGrid large = test::MakeGrid(s, 77, 29, 40, 30);
    const std::string path = dir.File("x.shp");
    for (int round = 0; round < 3; ++round) {
        // Hold the lock the commits take, so both writers stage in full first.
        const int lock = ::open(dir.Path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ASSERT_GE(lock, 0);
        ASSERT_EQ(::flock(lock, LOCK_EX), 0);
        std::vector<std::thread> writers;
        for (const SheetGrid* g : {&small, &large}) {
            writers.emplace_back([&, g] {
                WriteOgrGridFile(path, {"ESRI Shapefile", ".shp"}, OgrGridRequest{s, *g});
            });
        }
        // Both staging folders hold complete sets before the lock is let go.
        const auto staged = [&] {
            std::size_t complete = 0;
            for (const auto& e : std::filesystem::directory_iterator(dir.Path())) {
                if (e.is_directory() && RecordsOfOneSet((e.path() / "x").string()) > 0 &&
                    std::filesystem::exists(e.path() / "x.prj")) {
                    ++complete;
                }
            }
            return complete;
        };
        for (int wait = 0; wait < 500 && staged() < 2; ++wait) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        EXPECT_EQ(staged(), 2u);
        ::close(lock);
        for (auto& w : writers) {
            w.join();
        }
        const int64_t records = RecordsOfOneSet(dir.File("x"));
        EXPECT_TRUE(records == 6 || records == 1200) << "round " << round << ": " << records;
        const std::string shp = test::ReadBytes(dir.File("x.shp"));
        EXPECT_EQ(shp.size(),
                  100u + static_cast<std::size_t>(records) * (8 + 4 + 32 + 4 + 4 + 4 + 80))
            << "round " << round;
        EXPECT_EQ(dir.EntryCount(), 4u);
    }
}

TEST(OgrGrid, RefusalsNameTheFileAndLeaveNothing) {
    test::ScratchDir dir;
    const Settings s = test::FifteenMinuteSheets();
    const SheetGrid g = OddInGrid(s);
    EXPECT_THROW(WriteOgrGridFile(dir.File("g.png"), {"PNG", ".png"}, OgrGridRequest{s, g}),
                 FileError);
    EXPECT_THROW(WriteOgrGridFile(dir.File("g.x"), {"NoSuchDriver", ".x"}, OgrGridRequest{s, g}),
                 FileError);
    try {
        WriteOgrGridFile(dir.File("missing/g.gpkg"), {"GPKG", ".gpkg"}, OgrGridRequest{s, g});
        ADD_FAILURE() << "wrote into a missing folder";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("missing"), std::string::npos) << e.what();
    }
    EXPECT_EQ(dir.EntryCount(), 0u);
}

TEST(OgrGrid, ShapefileNameGetsItsExtensionAndAllItsFiles) {
    test::ScratchDir dir;
    const Settings s = test::FifteenMinuteSheets();
    WriteOgrGridFile(dir.File("grid"), {"ESRI Shapefile", ".shp"}, OgrGridRequest{s, OddInGrid(s)});
    // A name without the driver's extension still makes a file, not a folder.
    WriteOgrGridFile(dir.File("grid.dat"), {"FlatGeobuf", ".fgb"}, OgrGridRequest{s, OddInGrid(s)});
    EXPECT_TRUE(std::filesystem::is_regular_file(dir.File("grid.dat")));
    for (const char* ext : {".shp", ".shx", ".dbf", ".prj"}) {
        EXPECT_TRUE(std::filesystem::exists(dir.File(std::string("grid") + ext))) << ext;
    }
}

// ---- the report as CSV and as a workbook -------------------------------------------

TextTable SmallReport() {
    return {{" S.No.", " Sheet Numbers of 1:50,000 Scale", "Number of Sheets"},
            {"1", "53H/1,53H/2", "2"},
            {"", "TOTAL SHEETS", "12"},
            {"", "say \"hi\""},
            {"",
             "Input POINT 28\xC2\xB0"
             "36'50\" 77\xC2\xB0"
             "12'30\"",
             ""}};
}

TEST(ReportFiles, CsvIsUtf8WithQuotedFieldsAndEvenRows) {
    EXPECT_EQ(ReportCsvText(SmallReport()),
              " S.No.,\" Sheet Numbers of 1:50,000 Scale\",Number of Sheets\r\n"
              "1,\"53H/1,53H/2\",2\r\n"
              ",TOTAL SHEETS,12\r\n"
              ",\"say \"\"hi\"\"\",\r\n"
              ",\"Input POINT 28\xC2\xB0"
              "36'50\"\" 77\xC2\xB0"
              "12'30\"\"\",\r\n");
    EXPECT_EQ(ReportCsvText({}), "");
}

TEST(ReportFiles, WorkbookHoldsTheTableCellsNumbersAndWidths) {
    const std::string python = test::PythonWith("openpyxl");
    if (python.empty()) {
        GTEST_SKIP() << "openpyxl is not installed";
    }
    test::ScratchDir dir;
    WriteReportXlsxFile(dir.File("report.xlsx"), SmallReport());
    std::ofstream(dir.File("read.py")) << R"(import sys, openpyxl
ws = openpyxl.load_workbook(sys.argv[1]).active
print(ws.title)
for row in ws.iter_rows():
    print("|".join(repr(c.value) for c in row))
print(ws.column_dimensions["B"].width > ws.column_dimensions["A"].width)
)";
    const ToolRun run =
        Shell(python + " " + Quote(dir.File("read.py")) + " " + Quote(dir.File("report.xlsx")));
    ASSERT_EQ(run.Status, 0) << run.Output;
    EXPECT_EQ(run.Output, "Report\n"
                          "' S.No.'|' Sheet Numbers of 1:50,000 Scale'|'Number of Sheets'\n"
                          "1|'53H/1,53H/2'|2\n"
                          "None|'TOTAL SHEETS'|12\n"
                          "None|'say \"hi\"'|None\n"
                          "None|'Input POINT 28\xC2\xB0"
                          "36\\'50\" 77\xC2\xB0"
                          "12\\'30\"'|None\n"
                          "True\n");
}

} // namespace
} // namespace sw
