// What `--polygon` and `--polyline` read from a vertex file and a KML file,
// value for value: the feature the computation gets must stay exactly this
// whatever road the reading takes, down to the seconds a decimal degree
// rounds to and the fraction of a second it does not keep.

#include "CliTestSupport.h"
#include "cli/SheetsInput.h"
#include "exchange/LinkedModules.h"
#include "index/Convertions.h"

#include <gtest/gtest.h>

#include <fstream>
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

} // namespace
