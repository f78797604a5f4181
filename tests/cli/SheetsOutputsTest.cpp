#include "CliTestSupport.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

using sw::clitest::Bytes;
using sw::clitest::Cli;
using sw::clitest::Data;
using sw::clitest::Result;
namespace fs = std::filesystem;

namespace {

// Each test process its own folder.
struct TempDir : sw::clitest::TempDir {
    TempDir() : sw::clitest::TempDir("sw-cli-out-") {}
};

std::vector<std::string> PointSheets(std::vector<std::string> extra) {
    std::vector<std::string> args{"sheets",   "--series", "old",      "--scale",
                                  "1:50,000", "--point",  "28:36:50", "77:12:30"};
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
}

} // namespace

TEST(SheetsOutputs, WritesEveryFileFormatOfTheLayout) {
    TempDir dir;
    const Result r =
        Cli(PointSheets({"--kml", dir / "p.bmp", "--shp", dir / "grid", "--jpeg", dir / "p.jpg",
                         "--bmp", dir / "p.bmp", "--xls", dir / "p.xls"}));
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "53H/2\n");
    // The KML writer puts its own extension on the name; the pictures keep theirs.
    const std::string kml = Bytes(dir / "p.kml");
    EXPECT_NE(kml.find("<name>53H/2</name>"), std::string::npos);
    EXPECT_NE(kml.find("77.125,28.625,0"), std::string::npos) << kml;
    EXPECT_EQ(fs::file_size(dir / "grid.shp"), 236u);
    EXPECT_EQ(fs::file_size(dir / "grid.shx"), 108u);
    EXPECT_EQ(fs::file_size(dir / "grid.dbf"), 117u);
    EXPECT_EQ(Bytes(dir / "grid.prj").rfind("GEOGCS[\"GCS_WGS_1984\"", 0), 0u);
    const std::string jpeg = Bytes(dir / "p.jpg");
    ASSERT_GT(jpeg.size(), 4u);
    EXPECT_EQ(jpeg.substr(0, 2), "\xFF\xD8");
    EXPECT_NE(jpeg.find("\xFF\xC0"), std::string::npos); // baseline frame
    EXPECT_EQ(Bytes(dir / "p.bmp").substr(0, 2), "BM");
    EXPECT_GT(fs::file_size(dir / "p.xls"), 49u);
}

TEST(SheetsOutputs, ReportPrintsTheWindowsTable) {
    const Result r = Cli(PointSheets({"--report"}));
    ASSERT_EQ(r.code, 0) << r.err;
    std::vector<std::string> lines;
    std::string line;
    std::istringstream in(r.out);
    while (std::getline(in, line)) {
        lines.push_back(line);
    }
    ASSERT_EQ(lines.size(), 7u) << r.out;
    EXPECT_EQ(lines[0], " S.No.\t Sheet Numbers of 1:50,000 Scale\tNumber of Sheets");
    EXPECT_EQ(lines[1], "1\t53H/2\t1");
    EXPECT_EQ(lines[2], "\tTOTAL SHEETS\t1");
    EXPECT_EQ(lines[5], "\tInput POINT 28\xC2\xB0"
                        "36'50\" 77\xC2\xB0"
                        "12'30\"\t");
}

// A path in UTF-8 from the command line reaches the terminal whole and encoded
// once, and the worksheet in the Windows character set ('?' for what it lacks).
TEST(SheetsOutputs, NonAsciiInputPathInTheReportAndWorksheet) {
    TempDir dir;
    const std::string area = dir / "\xC3\xA1rea \xE5\x9C\xB0.txt";
    fs::copy_file(Data("text/square.txt"), area);
    const Result r = Cli({"sheets", "--series", "old", "--scale", "1:50,000", "--polygon", area,
                          "--report", "--xls", dir / "area.xls"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("\xC3\xA1rea \xE5\x9C\xB0.txt"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("\xC3\x83"), std::string::npos) << r.out; // not encoded twice
    const std::string xls = Bytes(dir / "area.xls");
    EXPECT_NE(xls.find("\xE1rea ?.txt"), std::string::npos);
    EXPECT_EQ(xls.find("\xC3\xA1"), std::string::npos);
}

TEST(SheetsOutputs, GeoJsonFormatAndInput) {
    TempDir dir;
    const Result all = Cli({"sheets", "--series", "old", "--scale", "1:50,000", "--polyline",
                            Data("text/square.txt"), "--format", "geojson"});
    ASSERT_EQ(all.code, 0) << all.err;
    const auto doc = nlohmann::json::parse(all.out);
    const Result in = Cli({"sheets", "--series", "old", "--scale", "1:50,000", "--polyline",
                           Data("text/square.txt"), "--format", "geojson", "--in-only"});
    const auto inDoc = nlohmann::json::parse(in.out);
    EXPECT_GT(doc["features"].size(), inDoc["features"].size());

    // Our own output read back as a polygon: the first cell's outline.
    std::ofstream(dir / "grid.geojson") << all.out;
    const Result back = Cli(
        {"sheets", "--series", "old", "--scale", "1:50,000", "--polygon", dir / "grid.geojson"});
    ASSERT_EQ(back.code, 0) << back.err;
    EXPECT_NE(back.out.find(doc["features"][0]["properties"]["sheet_no"].get<std::string>()),
              std::string::npos);

    std::ofstream(dir / "point.geojson") << R"({"type":"Point","coordinates":[77,28]})";
    const Result bad = Cli(
        {"sheets", "--series", "old", "--scale", "1:50,000", "--polygon", dir / "point.geojson"});
    EXPECT_EQ(bad.code, 1);
    EXPECT_NE(bad.err.find("only a LineString or a Polygon"), std::string::npos) << bad.err;
}

TEST(SheetsOutputs, ShapefileAndKmlInputsGoThroughTheDialogsReaders) {
    TempDir dir;
    ASSERT_EQ(Cli(PointSheets({"--shp", dir / "cell"})).code, 0);
    std::ofstream(dir / "line.kml")
        << "<kml><Placemark><LineString><coordinates>77.1,28.6,0 77.2,28.7,0"
           "</coordinates></LineString></Placemark></kml>\n";
    // The one-cell grid's outline read back: the sheet and its neighbours it touches.
    const Result shp =
        Cli({"sheets", "--series", "old", "--scale", "1:50,000", "--polygon", dir / "cell.shp"});
    ASSERT_EQ(shp.code, 0) << shp.err;
    EXPECT_NE(shp.out.find("53H/2\n"), std::string::npos) << shp.out;
    const Result kml =
        Cli({"sheets", "--series", "old", "--scale", "1:50,000", "--polyline", dir / "line.kml"});
    ASSERT_EQ(kml.code, 0) << kml.err;
    EXPECT_NE(kml.out.find("53H/2\n"), std::string::npos) << kml.out;

    fs::remove(dir / "cell.prj");
    const Result noPrj =
        Cli({"sheets", "--series", "old", "--scale", "1:50,000", "--polygon", dir / "cell.shp"});
    EXPECT_EQ(noPrj.code, 1);
    EXPECT_NE(noPrj.err.find(".prj"), std::string::npos) << noPrj.err;
}

TEST(SheetsOutputs, FailedWritesAreInputErrors) {
    const Result r = Cli(PointSheets({"--jpeg", "/nonexistent-dir/p.jpg"}));
    EXPECT_EQ(r.code, 1);
    EXPECT_FALSE(r.err.empty());
    const Result k = Cli(PointSheets({"--kml", "/nonexistent-dir/p.kml"}));
    EXPECT_EQ(k.code, 1);
    EXPECT_NE(k.err.find("/nonexistent-dir/p.kml"), std::string::npos) << k.err;
}
