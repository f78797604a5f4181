// What `--polygon` and `--polyline` read from a vertex file and a KML file,
// value for value: the feature the computation gets must stay exactly this
// whatever road the reading takes, down to the seconds a decimal degree
// rounds to and the fraction of a second it does not keep.

#include "CliTestSupport.h"
#include "cli/CliCommon.h"
#include "cli/SheetsInput.h"
#include "exchange/ByteOrder.h"
#include "exchange/FormatRegistry.h"
#include "exchange/LinkedModules.h"
#include "exchange/OpenVertexFile.h"
#include "exchange/ShapeFile.h"
#include "exchange/VertexConversion.h"
#include "index/Convertions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

using sw::DmsAngle;
using sw::Feature;
using sw::VertexRec;

void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

VertexRec Dms(DmsAngle lat, DmsAngle lon) {
    VertexRec v;
    v.Lat = lat;
    v.Long = lon;
    return v;
}

// A decimal position as these files give it: rounded to whole seconds, no fraction.
VertexRec Decimal(double lat, double lon) {
    return Dms(sw::DecimalToDms(lat), sw::DecimalToDms(lon));
}

TEST(VertexFileRead, TextAndKmlGiveTheSameFeatureAsEver) {
    const sw::clitest::TempDir dir("sheetwright-vertex-read-");
    const sw::Modules modules = sw::LinkedModules();

    // Whole degrees, minutes and seconds, one vertex a line, blanks or commas
    // between, a label first.
    Write(dir / "route.txt", "A\t28\t30\t15\t77\t10\t5\r\nB 28 40 0 77 20 30\nC,-1,2,3,4,5,6\n");
    for (const bool polygon : {false, true}) {
        const Feature f = sw::cli::ReadFeatureFile(dir / "route.txt", polygon, modules);
        EXPECT_EQ(f.Vertices, (std::vector<VertexRec>{Dms({28, 30, 15}, {77, 10, 5}),
                                                      Dms({28, 40, 0}, {77, 20, 30}),
                                                      Dms({-1, 2, 3}, {4, 5, 6})}));
        EXPECT_EQ(f.VertexCount, 3);
        EXPECT_EQ(f.IsPolygon, polygon ? 1 : 0);
        EXPECT_TRUE(f.Parts.empty());
    }

    // Two lists, each its own part, every tuple a vertex (the first ring keeps
    // its closing one); fractions of a second are rounded away.
    Write(dir / "area.kml",
          "<kml><Placemark><Polygon><coordinates>\n"
          "77.123456789,28.987654321,0 77.5,28.5 77.25,28.75,0 77.123456789,28.987654321,0\n"
          "</coordinates></Polygon></Placemark><Placemark><LineString><coordinates>"
          "77.0001234,28.0001234 77.9,28.1"
          "</coordinates></LineString></Placemark></kml>\n");
    const Feature f = sw::cli::ReadFeatureFile(dir / "area.kml", true, modules);
    EXPECT_EQ(f.Vertices,
              (std::vector<VertexRec>{Decimal(28.987654321, 77.123456789), Decimal(28.5, 77.5),
                                      Decimal(28.75, 77.25), Decimal(28.987654321, 77.123456789),
                                      Decimal(28.0001234, 77.0001234), Decimal(28.1, 77.9)}));
    for (const VertexRec& v : f.Vertices) {
        EXPECT_EQ(v.LatFraction, 0.0F);
        EXPECT_EQ(v.LongFraction, 0.0F);
    }
    EXPECT_EQ(f.Vertices[0].Lat, (DmsAngle{28, 59, 16}));
    EXPECT_EQ(f.Vertices[0].Long, (DmsAngle{77, 7, 24}));
    ASSERT_EQ(f.Parts.size(), 2U);
    EXPECT_EQ(f.Parts[0].Start, 0);
    EXPECT_EQ(f.Parts[1].Start, 4);
    EXPECT_EQ(f.IsPolygon, 1);

    // The file's last list, closed, leaves its repeated vertex out.
    Write(dir / "ring.kml", "<coordinates>77.5,28.5 77.6,28.5 77.6,28.6 77.5,28.5</coordinates>");
    const Feature ring = sw::cli::ReadFeatureFile(dir / "ring.kml", true, modules);
    EXPECT_EQ(ring.Vertices, (std::vector<VertexRec>{Decimal(28.5, 77.5), Decimal(28.5, 77.6),
                                                     Decimal(28.6, 77.6)}));
    EXPECT_TRUE(ring.Parts.empty());
}

// Positions as longitude, latitude, one list a part.
using Parts = std::vector<std::vector<std::pair<double, double>>>;

// A main file of one polyline or polygon record holding the parts, with a
// geographic ".prj" beside it.
void WriteShapefile(const std::filesystem::path& path, int32_t type, const Parts& parts) {
    std::size_t points = 0;
    for (const auto& part : parts) {
        points += part.size();
    }
    const auto contentBytes = static_cast<uint32_t>(44 + 4 * parts.size() + 16 * points);
    std::string b;
    sw::PutBE32(b, 9994);
    b.append(20, '\0');
    sw::PutBE32(b, (100 + 8 + contentBytes) / 2);
    sw::PutLE32(b, 1000);
    sw::PutLE32(b, static_cast<uint32_t>(type));
    b.append(64, '\0');
    sw::PutBE32(b, 1);
    sw::PutBE32(b, contentBytes / 2);
    sw::PutLE32(b, static_cast<uint32_t>(type));
    b.append(32, '\0');
    sw::PutLE32(b, static_cast<uint32_t>(parts.size()));
    sw::PutLE32(b, static_cast<uint32_t>(points));
    uint32_t start = 0;
    for (const auto& part : parts) {
        sw::PutLE32(b, start);
        start += static_cast<uint32_t>(part.size());
    }
    for (const auto& part : parts) {
        for (const auto& [lon, lat] : part) {
            sw::PutDoubleLE(b, lon);
            sw::PutDoubleLE(b, lat);
        }
    }
    Write(path.string(), b);
    std::filesystem::path prj = path;
    Write(prj.replace_extension(".prj").string(), "GEOGCS[\"GCS_WGS_1984\"]\n");
}

std::string Json(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", v);
    return text;
}

void WriteGeoJson(const std::filesystem::path& path, bool polygon, const Parts& parts) {
    std::string coordinates;
    for (const auto& part : parts) {
        std::string list;
        for (const auto& [lon, lat] : part) {
            list += (list.empty() ? "[" : ",[") + Json(lon) + "," + Json(lat) + "]";
        }
        coordinates += (coordinates.empty() ? "[" : ",[") + list + "]";
    }
    if (!polygon) {
        coordinates = coordinates.substr(1, coordinates.size() - 2); // one line
    }
    Write(path.string(),
          std::string("{\"type\":\"FeatureCollection\",\"features\":[{\"type\":\"Feature\","
                      "\"properties\":{},\"geometry\":{\"type\":\"") +
              (polygon ? "Polygon" : "LineString") + "\",\"coordinates\":[" + coordinates +
              "]}}]}");
}

// What the vertex dialog makes of a file: opened into its table, then OK.
Feature DialogFeature(const std::filesystem::path& path, bool polygon, const sw::Modules& modules) {
    const sw::InputFormat* format = sw::InputFormatForPath(path.string());
    sw::VertexTable t;
    sw::OpenVertexFile(*format, path, t, '.', modules);
    return sw::TableToFeature(t, true, '.', polygon);
}

void ExpectSameFeature(const Feature& got, const Feature& want) {
    EXPECT_EQ(got.Vertices, want.Vertices);
    EXPECT_EQ(got.Parts, want.Parts);
    EXPECT_EQ(got.IsPolygon, want.IsPolygon);
    EXPECT_EQ(got.VertexCount, want.VertexCount);
}

// Files that store numbers reach the command line's feature without becoming
// text, and it is still the feature the dialog makes of the same file: every
// position rounded to the same whole seconds, the same parts.
TEST(VertexFileRead, NumberFilesGiveTheFeatureTheDialogMakes) {
    const sw::clitest::TempDir dir("sheetwright-vertex-numbers-");
    const sw::Modules modules = sw::LinkedModules();
    std::mt19937 random(20261209);
    std::uniform_real_distribution<double> lat(-89.0, 89.0);
    std::uniform_real_distribution<double> lon(-179.0, 179.0);
    std::uniform_int_distribution<int> seconds(0, 7200);
    Parts parts(3);
    for (std::size_t p = 0; p < parts.size(); ++p) {
        for (int i = 0; i < 400; ++i) {
            // Arbitrary doubles, and positions on and near half seconds, where
            // rounding to whole seconds could tip either way.
            const double half = 28.0 + (seconds(random) + 0.5) / 3600.0;
            switch (i % 3) {
            case 0:
                parts[p].emplace_back(lon(random), lat(random));
                break;
            case 1:
                parts[p].emplace_back(77.0 + seconds(random) / 3600.0, half);
                break;
            default:
                parts[p].emplace_back(std::nextafter(half, 90.0), std::nextafter(half, 0.0));
                break;
            }
        }
        parts[p].push_back(parts[p].front());
    }
    for (const bool polygon : {false, true}) {
        const std::filesystem::path shp = dir / (polygon ? "area.shp" : "route.shp");
        WriteShapefile(shp, polygon ? sw::ShpPolygon : sw::ShpPolyline, parts);
        const std::filesystem::path json = dir / (polygon ? "area.geojson" : "route.geojson");
        WriteGeoJson(json, polygon, polygon ? parts : Parts{parts[0]});
        for (const std::filesystem::path& file : {shp, json}) {
            SCOPED_TRACE(file.string());
            const Feature f = sw::cli::ReadFeatureFile(file.string(), polygon, modules);
            ExpectSameFeature(f, DialogFeature(file, polygon, modules));
            EXPECT_EQ(f.Parts.size(), file == json && !polygon ? 0U : 3U);
        }
    }
}

// A position that does not convert is named as the dialog names its cell.
TEST(VertexFileRead, AShapefilePositionThatDoesNotConvertIsNamed) {
    const sw::clitest::TempDir dir("sheetwright-vertex-bad-");
    const sw::Modules modules = sw::LinkedModules();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<std::pair<Parts, std::string>> cases{
        {{{{77.0, 28.0}, {77.5, nan}, {1e300, 28.5}}}, "vertex 2: 'nan'"},
        {{{{77.0, 28.0}, {77.5, 28.5}, {-1e300, 28.5}}}, "vertex 3: '-1e+300'"},
        {{{{std::numeric_limits<double>::infinity(), 1e300}}}, "vertex 1: 'inf'"},
    };
    for (const auto& [parts, where] : cases) {
        const std::filesystem::path shp = dir / "bad.shp";
        WriteShapefile(shp, sw::ShpPolyline, parts);
        try {
            sw::cli::ReadFeatureFile(shp.string(), false, modules);
            ADD_FAILURE() << where << " was read";
        } catch (const sw::cli::InputError& e) {
            EXPECT_EQ(std::string(e.what()),
                      shp.string() + ", " + where + " is not a valid floating point value");
        }
        try {
            DialogFeature(shp, false, modules);
            ADD_FAILURE() << where << " was read by the dialog";
        } catch (const sw::ConversionError& e) {
            EXPECT_EQ("vertex " + std::to_string(e.Vertex) + ": " + e.what(),
                      where + " is not a valid floating point value");
        }
    }
}

} // namespace
