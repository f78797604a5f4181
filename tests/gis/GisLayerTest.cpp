// The GIS-layer reader on files ogr2ogr makes at test time in every format users
// bring: every feature, part, hole and kind comes through, projected layers are
// reprojected, a layer without a coordinate system is taken only when it holds
// longitudes and latitudes, and damaged files are refused naming the file.

#include "LayerSamples.h"

#include "coverage/Coverage.h"
#include "exchange/FileError.h"
#include "exchange/GisLayerReader.h"
#include "exchange/LinkedModules.h"
#include "exchange/ShapeFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

namespace sw::test {
namespace {

std::vector<int> SheetsPerFeature(const GisLayer& layer) {
    const Settings s = StartSettings(); // old series, "1:50,000"
    std::vector<int> out;
    for (const GisFeature& gf : layer.Features) {
        Feature f = gf.Shape;
        SheetGrid g;
        ComputeSheets(s, f, g);
        out.push_back(g.InSheetCount);
    }
    return out;
}

int UnionSheets(const GisLayer& layer) {
    std::vector<Feature> fs;
    for (const GisFeature& gf : layer.Features) {
        fs.push_back(gf.Shape);
    }
    SheetGrid g;
    ComputeUnion(StartSettings(), fs, g);
    return g.InSheetCount;
}

class GisFiles : public ::testing::Test {
protected:
    void SetUp() override {
        if (!HaveOgr2Ogr()) {
            GTEST_SKIP() << "ogr2ogr is not installed";
        }
    }
    LayerDir dir;
};

TEST_F(GisFiles, EveryFormatGivesEveryFeatureWithItsPartsAndHoles) {
    const std::vector<int> all(std::begin(SampleSheets), std::end(SampleSheets));
    const struct {
        const char* file;
        const char* args;
        std::vector<int> sheets;
    } cases[] = {
        {"sample.geojson", nullptr, all},
        {"s.gpkg", "-f GPKG s.gpkg sample.geojson", all},
        {"s.kml", "-f KML s.kml sample.geojson", all},
        {"s.kmz", "-f LIBKML s.kmz sample.geojson", all},
        {"s.gml", "-f GML s.gml sample.geojson", all},
        {"s.fgb", "-f FlatGeobuf s.fgb sample.geojson -lco SPATIAL_INDEX=NO", all},
        {"wkt.csv", "-f CSV wkt.csv sample.geojson -lco GEOMETRY=AS_WKT", all},
        {"xy.csv", "-f CSV xy.csv sample.geojson -where \"name='tower'\" -lco GEOMETRY=AS_XY", {1}},
        {"track.gpx",
         "-f GPX track.gpx sample.geojson -where \"name='route'\" -nlt MULTILINESTRING "
         "-lco FORCE_GPX_TRACK=YES",
         {2}},
        {"poly.shp",
         "poly.shp sample.geojson -where \"name IN ('holed','islands')\" -nlt MULTIPOLYGON",
         {24, 2}},
        {"polyz.shp",
         "polyz.shp sample.geojson -where \"name IN ('holed','islands')\" -nlt MULTIPOLYGON "
         "-dim XYZ",
         {24, 2}},
        {"line.shp", "line.shp sample.geojson -where \"name='route'\"", {2}},
        {"utm.gpkg", "-f GPKG utm.gpkg sample.geojson -t_srs EPSG:32643", all},
        {"utm.shp",
         "utm.shp sample.geojson -where \"name IN ('holed','islands')\" -nlt MULTIPOLYGON "
         "-t_srs EPSG:32643",
         {24, 2}},
    };
    for (const auto& c : cases) {
        if (c.args != nullptr) {
            ASSERT_TRUE(dir.Ogr2Ogr(c.args)) << c.args;
        }
        try {
            const GisLayer layer = ReadGisLayer(dir.File(c.file), {});
            EXPECT_EQ(SheetsPerFeature(layer), c.sheets) << c.file;
        } catch (const FileError& e) {
            ADD_FAILURE() << c.file << ": " << e.what();
        }
    }
    // The union of the whole layer: features never cancel each other.
    EXPECT_EQ(UnionSheets(ReadGisLayer(dir.File("s.gpkg"), {})), SampleUnionSheets);
}

TEST_F(GisFiles, KindsAttributesAndPositions) {
    ASSERT_TRUE(dir.Ogr2Ogr("-f GPKG s.gpkg sample.geojson"));
    const GisLayer layer = ReadGisLayer(dir.File("s.gpkg"), {});
    ASSERT_EQ(layer.Features.size(), 4U);
    const Feature& holed = layer.Features[0].Shape;
    ASSERT_EQ(holed.Parts.size(), 2U);
    EXPECT_EQ(holed.Parts[1].Kind, PartKind::Polygon);
    EXPECT_EQ(layer.Features[1].Shape.Parts.size(), 2U);
    EXPECT_EQ(layer.Features[2].Shape.Parts[0].Kind, PartKind::Polyline);
    EXPECT_EQ(layer.Features[3].Shape.Parts[0].Kind, PartKind::Point);
    EXPECT_EQ(layer.Features[3].Position, 4);
    ASSERT_NE(layer.Features[2].Attribute("NAME"), nullptr);
    EXPECT_EQ(*layer.Features[2].Attribute("NAME"), "route");
    EXPECT_EQ(*layer.Features[2].Attribute("code"), "13");
    EXPECT_EQ(layer.Features[2].Attribute("missing"), nullptr);
    // Whole arc seconds through DecimalToDms, as the vertex dialog's decimal mode.
    EXPECT_EQ(holed.Vertices[0].Long, DecimalToDms(77.1234));
    EXPECT_EQ(holed.Vertices[0].Lat, DecimalToDms(28.1234));
}

TEST_F(GisFiles, LayersFiltersAndEmptyGeometries) {
    ASSERT_TRUE(dir.Ogr2Ogr("-f GPKG two.gpkg sample.geojson -nln areas "
                            "-where \"name IN ('holed','islands')\""));
    ASSERT_TRUE(dir.Ogr2Ogr("-f GPKG -update two.gpkg sample.geojson -nln lines "
                            "-where \"name='route'\""));
    EXPECT_EQ(ReadGisLayer(dir.File("two.gpkg"), {}).Features.size(), 2U);
    GisLayerOptions lines;
    lines.Layer = "lines";
    EXPECT_EQ(SheetsPerFeature(ReadGisLayer(dir.File("two.gpkg"), lines)), (std::vector<int>{2}));
    GisLayerOptions every;
    every.AllLayers = true;
    const GisLayer both = ReadGisLayer(dir.File("two.gpkg"), every);
    EXPECT_EQ(both.LayerNames, (std::vector<std::string>{"areas", "lines"}));
    EXPECT_EQ(SheetsPerFeature(both), (std::vector<int>{24, 2, 2}));
    GisLayerOptions filtered;
    filtered.Where = "name = 'islands'";
    const GisLayer islands = ReadGisLayer(dir.File("two.gpkg"), filtered);
    ASSERT_EQ(islands.Features.size(), 1U);
    EXPECT_EQ(islands.Features[0].Position, 1); // counted after the filter

    // A GPX track file gives its track, not the empty waypoints layer.
    ASSERT_TRUE(dir.Ogr2Ogr("-f GPX t.gpx sample.geojson -where \"name='route'\" "
                            "-nlt MULTILINESTRING -lco FORCE_GPX_TRACK=YES"));
    EXPECT_EQ(ReadGisLayer(dir.File("t.gpx"), {}).LayerNames, (std::vector<std::string>{"tracks"}));

    // Null geometries are skipped and counted.
    std::ofstream(dir.File("nulls.geojson")) << R"({"type":"FeatureCollection","features":[
              {"type":"Feature","properties":{},"geometry":null},
              {"type":"Feature","properties":{},"geometry":{"type":"Point","coordinates":[77.1,28.1]}}]})";
    const GisLayer nulls = ReadGisLayer(dir.File("nulls.geojson"), {});
    EXPECT_EQ(nulls.Features.size(), 1U);
    EXPECT_EQ(nulls.Features[0].Position, 2);
    EXPECT_EQ(SkippedFeaturesNote(nulls), "1 feature without a geometry was skipped");
}

TEST_F(GisFiles, CoordinateSystemsAndTheirAbsence) {
    // Without a .prj: longitudes and latitudes are taken as WGS 84 ...
    ASSERT_TRUE(dir.Ogr2Ogr(
        "plain.shp sample.geojson -where \"name IN ('holed','islands')\" -nlt MULTIPOLYGON"));
    std::filesystem::remove(dir.File("plain.prj"));
    EXPECT_EQ(SheetsPerFeature(ReadGisLayer(dir.File("plain.shp"), {})), (std::vector<int>{24, 2}));
    // ... metres are refused, saying why.
    ASSERT_TRUE(dir.Ogr2Ogr("metres.shp sample.geojson -where \"name IN ('holed','islands')\" "
                            "-nlt MULTIPOLYGON -t_srs EPSG:32643"));
    std::filesystem::remove(dir.File("metres.prj"));
    const std::string refusal = RefusalOf(dir.File("metres.shp"));
    EXPECT_NE(refusal.find("Cannot read \"" + dir.File("metres.shp") + "\""), std::string::npos)
        << refusal;
    EXPECT_NE(refusal.find("no coordinate system"), std::string::npos) << refusal;
    // Another geographic datum is transformed too.
    ASSERT_TRUE(dir.Ogr2Ogr("-f GPKG everest.gpkg sample.geojson -t_srs EPSG:4240"));
    EXPECT_EQ(SheetsPerFeature(ReadGisLayer(dir.File("everest.gpkg"), {})),
              std::vector<int>(std::begin(SampleSheets), std::end(SampleSheets)));
}

TEST_F(GisFiles, DamagedFilesAreRefusedNamingTheFile) {
    ASSERT_TRUE(dir.Ogr2Ogr("-f GPKG s.gpkg sample.geojson"));
    ASSERT_TRUE(dir.Ogr2Ogr("poly.shp sample.geojson -where \"name='holed'\""));
    const auto cut = [&](const std::string& from, const std::string& to, std::size_t bytes) {
        std::ifstream in(dir.File(from), std::ios::binary);
        std::string data(bytes, '\0');
        in.read(data.data(), static_cast<std::streamsize>(bytes));
        data.resize(static_cast<std::size_t>(in.gcount()));
        std::ofstream(dir.File(to), std::ios::binary) << data;
    };
    cut("s.gpkg", "cut.gpkg", 3000);
    cut("sample.geojson", "cut.geojson", 300);
    cut("poly.shp", "cut.shp", 120);
    std::filesystem::copy_file(dir.File("poly.shx"), dir.File("cut.shx"));
    std::ofstream(dir.File("junk.kml")) << "<kml><Placemark><Polygon><outerBoundaryIs>";
    std::ofstream(dir.File("text.gpkg")) << "not a database at all";
    for (const char* name :
         {"cut.gpkg", "cut.geojson", "cut.shp", "junk.kml", "text.gpkg", "missing.gpkg"}) {
        const std::string refusal = RefusalOf(dir.File(name));
        EXPECT_EQ(refusal.rfind("Cannot read \"" + dir.File(name) + "\": ", 0), 0U) << refusal;
    }
    GisLayerOptions noSuchLayer;
    noSuchLayer.Layer = "roads";
    EXPECT_NE(RefusalOf(dir.File("s.gpkg"), noSuchLayer).find("no layer \"roads\""),
              std::string::npos);
    GisLayerOptions badFilter;
    badFilter.Where = "name = = 'x'";
    EXPECT_EQ(RefusalOf(dir.File("s.gpkg"), badFilter).rfind("Cannot read", 0), 0U);
    GisLayerOptions nothing;
    nothing.Where = "name = 'nowhere'";
    EXPECT_NE(RefusalOf(dir.File("s.gpkg"), nothing).find("no feature matches"), std::string::npos);
}

// A file GDAL recognises but will not open is named with the reader and the
// reason that reader gave first, not its closing "Failed to read" line.
TEST_F(GisFiles, ARecognisedFileRefusedGivesTheReadersFirstReason) {
    std::ofstream(dir.File("cut.geojson")) << R"({"type":"FeatureCollection","features":[{"type":)";
    std::string refusal = RefusalOf(dir.File("cut.geojson"));
    EXPECT_NE(refusal.find("GDAL's GeoJSON reader cannot open it ("), std::string::npos) << refusal;
    // One object past the GeoJSON reader's size limit (lowered here to 1 MB): its
    // memory would be many times the text, so the limit stays and is told.
    {
        std::ofstream big(dir.File("big.geojson"));
        big << R"({"type":"FeatureCollection","features":[{"type":"Feature","properties":{},)"
            << R"("geometry":{"type":"LineString","coordinates":[)";
        for (int i = 0; i < 100000; ++i) {
            big << (i == 0 ? "" : ",") << "[80.123456789,20.123456789]";
        }
        big << "]}}]}";
    }
    ::setenv("OGR_GEOJSON_MAX_OBJ_SIZE", "1", 1);
    refusal = RefusalOf(dir.File("big.geojson"));
    ::unsetenv("OGR_GEOJSON_MAX_OBJ_SIZE");
    EXPECT_NE(refusal.find("GDAL's GeoJSON reader cannot open it"), std::string::npos) << refusal;
    EXPECT_NE(refusal.find("too complex/large"), std::string::npos) << refusal;
    EXPECT_EQ(ReadGisLayer(dir.File("big.geojson"), {}).Features.size(), 1U);
}

TEST_F(GisFiles, DocumentsAreReadWholeOtherSourcesNameTheLayersLeft) {
    // A KML of two folders and a GPX of waypoints and a track: every layer.
    std::ofstream(dir.File("two.kml")) << R"(<kml xmlns="http://www.opengis.net/kml/2.2"><Document>
<Folder><name>areas</name><Placemark><Polygon><outerBoundaryIs><LinearRing><coordinates>
77.1234,28.1234 78.1234,28.1234 78.1234,29.1234 77.1234,29.1234 77.1234,28.1234
</coordinates></LinearRing></outerBoundaryIs></Polygon></Placemark></Folder>
<Folder><name>towers</name><Placemark><Point><coordinates>81.1234,28.1234</coordinates></Point>
</Placemark></Folder></Document></kml>)";
    const GisLayer kml = ReadGisLayer(dir.File("two.kml"), {});
    EXPECT_EQ(kml.LayerNames, (std::vector<std::string>{"areas", "towers"}));
    EXPECT_EQ(SheetsPerFeature(kml), (std::vector<int>{25, 1}));
    EXPECT_TRUE(kml.UnreadLayers.empty());
    ASSERT_TRUE(dir.Ogr2Ogr("-f LIBKML two.kmz two.kml"));
    EXPECT_EQ(SheetsPerFeature(ReadGisLayer(dir.File("two.kmz"), {})), (std::vector<int>{25, 1}));

    std::ofstream(dir.File("walk.gpx")) << R"(<gpx version="1.1" creator="t"
 xmlns="http://www.topografix.com/GPX/1/1"><wpt lat="28.1234" lon="81.1234"/>
<trk><trkseg><trkpt lat="28.0234" lon="80.0234"/><trkpt lat="28.2234" lon="80.2234"/>
</trkseg><trkseg><trkpt lat="28.0234" lon="80.7734"/><trkpt lat="28.2234" lon="80.9734"/>
</trkseg></trk></gpx>)";
    const GisLayer gpx = ReadGisLayer(dir.File("walk.gpx"), {});
    // Not track_points: they repeat the track's vertices.
    EXPECT_EQ(gpx.LayerNames, (std::vector<std::string>{"waypoints", "tracks"}));
    EXPECT_EQ(SheetsPerFeature(gpx), (std::vector<int>{1, 2}));
    GisLayerOptions trackPoints;
    trackPoints.Layer = "track_points";
    EXPECT_EQ(ReadGisLayer(dir.File("walk.gpx"), trackPoints).Features.size(), 4U);

    // A GeoPackage of three layers, two holding features: the first is read
    // and the other named; an empty layer is not worth a word.
    ASSERT_TRUE(
        dir.Ogr2Ogr("-f GPKG three.gpkg sample.geojson -nln towers -where \"name='tower'\""));
    ASSERT_TRUE(dir.Ogr2Ogr("-f GPKG -update three.gpkg sample.geojson -nln none "
                            "-where \"name='nothing'\""));
    ASSERT_TRUE(dir.Ogr2Ogr("-f GPKG -update three.gpkg sample.geojson -nln areas "
                            "-where \"name='holed'\""));
    const GisLayer first = ReadGisLayer(dir.File("three.gpkg"), {});
    EXPECT_EQ(first.LayerNames, (std::vector<std::string>{"towers"}));
    EXPECT_EQ(first.UnreadLayers, (std::vector<std::string>{"areas"}));
    GisLayerOptions every;
    every.AllLayers = true;
    const GisLayer all = ReadGisLayer(dir.File("three.gpkg"), every);
    EXPECT_EQ(SheetsPerFeature(all), (std::vector<int>{1, 24}));
    EXPECT_TRUE(all.UnreadLayers.empty());
}

TEST_F(GisFiles, CsvPositionColumnsUsersWrite) {
    // Numbers only: a raster driver would take it if it were not opened as vector.
    std::ofstream(dir.File("ids.csv")) << "id,lon,lat\n1,77.1234,28.1234\n2,81.1234,28.1234\n";
    std::ofstream(dir.File("words.csv")) << "name,Longitude,Latitude\na,77.1234,28.1234\n";
    std::ofstream(dir.File("lng.csv")) << "lng,lat,n\n77.1234,28.1234,1\n";
    std::ofstream(dir.File("en.csv")) << "easting,northing\n77.1234,28.1234\n";
    for (const char* name : {"ids.csv", "words.csv", "lng.csv", "en.csv"}) {
        try {
            const GisLayer layer = ReadGisLayer(dir.File(name), {});
            ASSERT_FALSE(layer.Features.empty()) << name;
            EXPECT_EQ(layer.Features[0].Shape.Parts[0].Kind, PartKind::Point) << name;
            EXPECT_EQ(layer.Features[0].Shape.Vertices[0].Long, DecimalToDms(77.1234)) << name;
        } catch (const FileError& e) {
            ADD_FAILURE() << name << ": " << e.what();
        }
    }
}

TEST_F(GisFiles, ProjectionFilesInEveryWellKnownText) {
    const auto wkt2 = [&](const std::string& crs, const std::string& to) {
        const std::string cmd =
            "gdalsrsinfo -o wkt2_2019 --single-line " + crs + " > '" + dir.File(to) + "'";
        ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
    };
    // A projected shapefile whose .prj is WKT2 (GDAL's shapefile driver reads
    // WKT1 only).
    ASSERT_TRUE(dir.Ogr2Ogr("utm.shp sample.geojson -where \"name IN ('holed','islands')\" "
                            "-nlt MULTIPOLYGON -t_srs EPSG:32643"));
    wkt2("EPSG:32643", "utm.prj");
    EXPECT_EQ(SheetsPerFeature(ReadGisLayer(dir.File("utm.shp"), {})), (std::vector<int>{24, 2}));
    // A geographic one on another datum is transformed, not taken as WGS 84.
    ASSERT_TRUE(dir.Ogr2Ogr("everest.shp sample.geojson -where \"name='tower'\" -t_srs EPSG:4240"));
    const GisLayer wgs = ReadGisLayer(dir.File("everest.shp"), {});
    wkt2("EPSG:4240", "everest.prj");
    const GisLayer moved = ReadGisLayer(dir.File("everest.shp"), {});
    EXPECT_EQ(moved.Features[0].Shape.Vertices[0], wgs.Features[0].Shape.Vertices[0]);
    EXPECT_EQ(moved.Features[0].Shape.Vertices[0].Long, DecimalToDms(81.1234));
    // Text nobody understands is refused, not taken for longitudes and latitudes.
    std::ofstream(dir.File("everest.prj"), std::ios::trunc) << "not a coordinate system";
    EXPECT_NE(RefusalOf(dir.File("everest.shp")).find("\".prj\" is not understood"),
              std::string::npos);

    // The vertex dialog's own reader: WKT2 is classified by the GIS parser.
    wkt2("EPSG:32643", "utm.prj");
    EXPECT_EQ(CheckShapefileProjection(dir.File("utm.shp"), LinkedModules()),
              ProjectionCheck::Projected);
    wkt2("EPSG:4240", "everest.prj");
    EXPECT_EQ(CheckShapefileProjection(dir.File("everest.shp"), LinkedModules()),
              ProjectionCheck::Geographic);
}

TEST(GisBytes, StandardInputFormatsAreRecognisedWithoutAName) {
    const GisLayer json = ReadGisLayerBytes(SampleLayer, "standard input", {});
    EXPECT_EQ(json.Features.size(), 4U);
    const GisLayer csv = ReadGisLayerBytes("name,WKT\na,\"LINESTRING (77.1 28.1,77.2 28.2)\"\n",
                                           "standard input", {});
    ASSERT_EQ(csv.Features.size(), 1U);
    EXPECT_EQ(csv.Features[0].Shape.VertexCount, 2);
    const GisLayer xy =
        ReadGisLayerBytes("name,lon,lat\na,77.1,28.1\nb,77.6,28.6\n", "standard input", {});
    EXPECT_EQ(xy.Features.size(), 2U);
    const GisLayer kml = ReadGisLayerBytes(
        "<kml xmlns=\"http://www.opengis.net/kml/2.2\"><Placemark><LineString><coordinates>"
        "77.1,28.1 77.2,28.2</coordinates></LineString></Placemark></kml>",
        "standard input", {});
    EXPECT_EQ(kml.Features.size(), 1U);
    EXPECT_THROW(ReadGisLayerBytes("\x01\x02garbage", "standard input", {}), FileError);
}

} // namespace
} // namespace sw::test
