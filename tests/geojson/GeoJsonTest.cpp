#include "coverage/Coverage.h"
#include "exchange/FileError.h"
#include "exchange/GeoJsonReader.h"
#include "exchange/GisLayerReader.h"
#include "exchange/OgrGridFile.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace sw;
namespace fs = std::filesystem;

namespace {

SheetGrid GridOver(const Settings& s, std::vector<VertexRec> v, bool polygon) {
    Feature f = MakeVertexFeature(std::move(v), polygon);
    SheetGrid g;
    ComputeSheets(s, f, g);
    return g;
}

// The grid as the command line streams it for --format geojson.
std::string OgrGeoJsonText(const Settings& s, const SheetGrid& g, bool inOnly) {
    std::string text;
    StreamOgrGrid(OgrFormat{"GeoJSON", ".geojson"}, OgrGridRequest{s, g, nullptr, inOnly},
                  [&text](std::string_view piece) { text += piece; });
    return text;
}

VertexRec V(int32_t latDeg, int32_t latMin, int32_t lonDeg, int32_t lonMin) {
    return VertexRec{DmsAngle{latDeg, latMin, 0}, DmsAngle{lonDeg, lonMin, 0}};
}

struct TempDir {
    fs::path path;
    TempDir() {
        path = fs::temp_directory_path() /
               ("sw-geojson-" + std::to_string(::getpid()) + "-" + std::to_string(std::rand()));
        fs::create_directories(path);
    }
    ~TempDir() { fs::remove_all(path); }
};

std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool HaveGdal() {
    return std::system("command -v ogr2ogr >/dev/null 2>&1") == 0;
}

} // namespace

TEST(GeoJson, CellsAreCounterClockwisePolygonsWithSheetProperties) {
    const Settings s = StartSettings(); // old 1:50,000
    const SheetGrid g = GridOver(s, {V(28, 36, 77, 12), V(28, 36, 77, 12)}, false);
    const auto doc = nlohmann::json::parse(OgrGeoJsonText(s, g, false));
    ASSERT_EQ(doc["type"], "FeatureCollection");
    ASSERT_EQ(doc["features"].size(), 1u);
    const auto& f = doc["features"][0];
    EXPECT_EQ(f["properties"]["sheet_no"], "53H/2");
    EXPECT_EQ(f["properties"]["in"], true);
    const auto& ring = f["geometry"]["coordinates"][0];
    ASSERT_EQ(ring.size(), 5u);
    EXPECT_EQ(ring[0], nlohmann::json::parse("[77,28.5]"));
    EXPECT_EQ(ring[1], nlohmann::json::parse("[77.25,28.5]"));
    EXPECT_EQ(ring[2], nlohmann::json::parse("[77.25,28.75]"));
    EXPECT_EQ(ring[3], nlohmann::json::parse("[77,28.75]"));
    EXPECT_EQ(ring[4], ring[0]);
    // Shoelace: positive area means counter-clockwise.
    double area = 0;
    for (std::size_t i = 0; i + 1 < ring.size(); ++i) {
        area += ring[i][0].get<double>() * ring[i + 1][1].get<double>() -
                ring[i + 1][0].get<double>() * ring[i][1].get<double>();
    }
    EXPECT_GT(area, 0);
}

TEST(GeoJson, InOnlyKeepsTheTouchedSheets) {
    const Settings s = StartSettings();
    // An L-shaped polyline over a 3 x 3 block leaves some cells untouched.
    const SheetGrid g = GridOver(s, {V(28, 10, 77, 5), V(28, 40, 77, 5), V(28, 40, 77, 35)}, false);
    const auto all = nlohmann::json::parse(OgrGeoJsonText(s, g, false));
    const auto in = nlohmann::json::parse(OgrGeoJsonText(s, g, true));
    EXPECT_EQ(all["features"].size(), static_cast<std::size_t>(g.SheetCount));
    std::size_t inCount = 0;
    for (const auto& rec : g.SheetList) {
        inCount += rec.InFlag;
    }
    EXPECT_EQ(in["features"].size(), inCount);
    EXPECT_LT(inCount, all["features"].size());
    for (const auto& f : in["features"]) {
        EXPECT_EQ(f["properties"]["in"], true);
    }
}

TEST(GeoJson, ReadThroughOgrEveryFeatureWithItsKind) {
    const GisLayer layer = ReadGisLayerBytes(R"({"type":"FeatureCollection","features":[
        {"type":"Feature","properties":{},"geometry":{"type":"Polygon","coordinates":
          [[[77,29],[77.25,29],[77.25,28.75],[77,29]]]}},
        {"type":"Feature","properties":{},"geometry":{"type":"Point","coordinates":[1,2]}}]})",
                                             "a.geojson", {});
    ASSERT_EQ(layer.Features.size(), 2U);
    const Feature& ring = layer.Features[0].Shape;
    EXPECT_EQ(ring.VertexCount, 4);
    EXPECT_EQ(ring.IsPolygon, 1);
    EXPECT_EQ(ring.Vertices[0], (VertexRec{DmsAngle{29, 0, 0}, DmsAngle{77, 0, 0}}));
    EXPECT_EQ(ring.Vertices[1].Long, (DmsAngle{77, 15, 0}));
    EXPECT_EQ(ring.Vertices[2].Lat, (DmsAngle{28, 45, 0}));
    const Feature& point = layer.Features[1].Shape;
    ASSERT_EQ(point.Parts.size(), 1U);
    EXPECT_EQ(point.Parts[0].Kind, PartKind::Point);

    // Heights are dropped.
    const GisLayer line = ReadGisLayerBytes(
        R"({"type":"LineString","coordinates":[[77.5,28.5,12],[78,28]]})", "l.geojson", {});
    ASSERT_EQ(line.Features.size(), 1U);
    EXPECT_EQ(line.Features[0].Shape.VertexCount, 2);
    EXPECT_EQ(line.Features[0].Shape.IsPolygon, 0);
    EXPECT_EQ(line.Features[0].Shape.Vertices[0].Long, (DmsAngle{77, 30, 0}));
    EXPECT_EQ(line.Features[0].Shape.Vertices[1].Lat, (DmsAngle{28, 0, 0}));
}

TEST(GeoJson, AnythingUnreadableIsRefusedNamingTheFile) {
    const char* bad[] = {
        "",
        "not json",
        R"({"type":"FeatureCollection","features":[]})",
        R"({"type":"Feature","geometry":null})",
        R"({"type":"MultiPolygon","coordinates":[]})",
        R"({"type":"LineString","coordinates":[]})",
        R"({"type":"Polygon","coordinates":[]})",
        R"({"type":"LineString","coordinates":[[500,28],[77,28]]})",
    };
    for (const char* text : bad) {
        try {
            ReadGisLayerBytes(text, "bad.geojson", {});
            ADD_FAILURE() << "accepted: " << text;
        } catch (const FileError& e) {
            EXPECT_NE(std::string(e.what()).find("Cannot read \"bad.geojson\": "),
                      std::string::npos)
                << e.what();
        }
    }
}

TEST(GeoJson, GdalReadsWhatWeWriteAndWeReadWhatGdalWrites) {
    if (!HaveGdal()) {
        GTEST_SKIP() << "ogr2ogr is not installed";
    }
    TempDir dir;
    const Settings s = StartSettings();
    const SheetGrid g = GridOver(s, {V(28, 10, 77, 5), V(28, 40, 77, 35), V(28, 5, 77, 40)}, true);
    const fs::path ours = dir.path / "grid.geojson";
    WriteOgrGridFile(ours.string(), {"GeoJSON", ".geojson"}, OgrGridRequest{s, g});
    const fs::path info = dir.path / "info.txt";
    ASSERT_EQ(
        std::system(
            ("ogrinfo -ro -al -so " + ours.string() + " > " + info.string() + " 2>&1").c_str()),
        0);
    const std::string summary = Slurp(info);
    EXPECT_NE(summary.find("Feature Count: " + std::to_string(g.SheetCount)), std::string::npos)
        << summary;
    EXPECT_NE(summary.find("sheet_no"), std::string::npos) << summary;
    EXPECT_EQ(summary.find("Warning"), std::string::npos) << summary;

    // A polygon written by GDAL from a CSV of WKT comes back with its vertices.
    const fs::path csv = dir.path / "area.csv";
    std::ofstream(csv) << "id,WKT\n1,\"POLYGON ((77.1 28.2,77.6 28.2,77.6 28.7,77.1 28.2))\"\n";
    const fs::path gj = dir.path / "area.geojson";
    ASSERT_EQ(std::system(("ogr2ogr -f GeoJSON " + gj.string() + " " + csv.string() +
                           " -oo GEOM_POSSIBLE_NAMES=WKT -oo KEEP_GEOM_COLUMNS=NO"
                           " -a_srs EPSG:4326 >/dev/null 2>&1")
                              .c_str()),
              0);
    const GisLayer layer = ReadGisLayer(gj.string(), {});
    ASSERT_EQ(layer.Features.size(), 1U);
    const Feature& f = layer.Features[0].Shape;
    ASSERT_EQ(f.VertexCount, 4);
    EXPECT_EQ(f.IsPolygon, 1);
    EXPECT_EQ(f.Vertices[0].Long, DecimalToDms(77.1));
    EXPECT_EQ(f.Vertices[0].Lat, DecimalToDms(28.2));
    EXPECT_EQ(f.Vertices[2].Long, DecimalToDms(77.6));
    EXPECT_EQ(f.Vertices[2].Lat, DecimalToDms(28.7));
}

// A streamed write whose output fails stops at that feature, not after the
// whole grid, and the next stream writes normally.
TEST(GeoJson, AFailingOutputStopsTheStreamAndTheNextOneWorks) {
    const Settings s = StartSettings();
    const SheetGrid g = GridOver(s, {V(28, 10, 77, 5), V(29, 40, 78, 35)}, false);
    ASSERT_GT(g.SheetCount, 20);
    struct Full : std::runtime_error {
        using std::runtime_error::runtime_error;
    };
    std::size_t bytes = 0;
    int calls = 0;
    EXPECT_THROW(StreamOgrGrid({"GeoJSON", ".geojson"}, OgrGridRequest{s, g},
                               [&](std::string_view piece) {
                                   ++calls;
                                   bytes += piece.size();
                                   if (bytes > 1000) {
                                       throw Full("disk full");
                                   }
                               }),
                 Full);
    EXPECT_LT(calls, 200); // the cells after the failure were not formatted
    const auto doc = nlohmann::json::parse(OgrGeoJsonText(s, g, false));
    EXPECT_EQ(doc["features"].size(), static_cast<std::size_t>(g.SheetCount));
    EXPECT_TRUE(StreamsFeatures({"CSV", ".csv"}));
    EXPECT_FALSE(StreamsFeatures({"GPKG", ".gpkg"}));
    EXPECT_THROW(StreamOgrGrid({"GPKG", ".gpkg"}, OgrGridRequest{s, g}, [](std::string_view) {}),
                 FileError);
}
