// `sheets --input`: a GIS layer's union or each feature's own sheets, layers and
// filters, and the refusals; the vertex-file options keep parts apart.

#include "../gis/LayerSamples.h"
#include "CliTestSupport.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using sw::clitest::Cli;
using sw::clitest::Result;

namespace {

std::vector<std::string> Sheets(std::vector<std::string> extra) {
    std::vector<std::string> args{"sheets", "--series", "old", "--scale", "1:50,000"};
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        out.push_back(line);
    }
    return out;
}

class LayerInput : public ::testing::Test {
protected:
    void SetUp() override {
        if (!sw::test::HaveOgr2Ogr()) {
            GTEST_SKIP() << "ogr2ogr is not installed";
        }
        ASSERT_TRUE(dir.Ogr2Ogr("-f GPKG s.gpkg sample.geojson"));
    }
    sw::test::LayerDir dir;
};

TEST_F(LayerInput, UnionByDefaultPerFeatureOnRequest) {
    const Result all = Cli(Sheets({"--input", dir.File("s.gpkg")}));
    ASSERT_EQ(all.code, 0) << all.err;
    EXPECT_EQ(Lines(all.out).size(), static_cast<std::size_t>(sw::test::SampleUnionSheets));

    const Result text = Cli(Sheets({"--input", dir.File("s.gpkg"), "--per-feature"}));
    ASSERT_EQ(text.code, 0) << text.err;
    const std::vector<std::string> lines = Lines(text.out);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(sw::test::SampleUnionSheets));
    EXPECT_EQ(lines[0].rfind("1\t", 0), 0U);
    EXPECT_EQ(lines[24], "2\t53P/16"); // sheets in the report's order
    EXPECT_EQ(lines[25], "2\t53P/4");
    EXPECT_EQ(lines.back(), "4\t62H/4");

    const Result csv = Cli(Sheets(
        {"--input", dir.File("s.gpkg"), "--per-feature", "--format", "csv", "--id-field", "name"}));
    ASSERT_EQ(csv.code, 0) << csv.err;
    const std::vector<std::string> rows = Lines(csv.out);
    EXPECT_EQ(rows.front(), "feature,sheet");
    EXPECT_EQ(rows.size(), 1U + sw::test::SampleUnionSheets);
    EXPECT_EQ(rows.back(), "tower,62H/4");

    const Result json = Cli(Sheets({"--input", dir.File("s.gpkg"), "--per-feature", "--format",
                                    "json", "--where", "code >= 12"}));
    ASSERT_EQ(json.code, 0) << json.err;
    const auto doc = nlohmann::json::parse(json.out);
    ASSERT_EQ(doc.size(), 3U);
    EXPECT_EQ(doc[0]["feature"], 1); // the position after the filter
    EXPECT_EQ(doc[0]["sheets"], (nlohmann::json{"53P/16", "53P/4"}));
    EXPECT_EQ(doc[2]["sheets"].size(), 1U);
}

TEST_F(LayerInput, RefusalsAndNotes) {
    // An attribute the layer does not have is a usage error.
    EXPECT_EQ(
        Cli(Sheets({"--input", dir.File("s.gpkg"), "--per-feature", "--id-field", "nope"})).code,
        2);
    // ... and with --out too, before the CSV listing has printed its header.
    const Result noField = Cli(Sheets({"--input", dir.File("s.gpkg"), "--per-feature", "--id-field",
                                       "nope", "--format", "csv", "--out", dir.File("nope.gpkg")}));
    EXPECT_EQ(noField.code, 2);
    EXPECT_EQ(noField.out, "");
    EXPECT_FALSE(std::filesystem::exists(dir.File("nope.gpkg")));
    EXPECT_EQ(Cli(Sheets({"--input", dir.File("s.gpkg"), "--per-feature", "--report"})).code, 2);
    EXPECT_EQ(Cli(Sheets({"--layer", "x", "--point", "28", "77"})).code, 2);
    // A damaged file: exit 1 naming it, and nothing written.
    std::ofstream(dir.File("cut.geojson")) << std::string(sw::test::SampleLayer).substr(0, 200);
    const std::string kml = dir.File("out.kml");
    const Result bad = Cli(Sheets({"--input", dir.File("cut.geojson"), "--kml", kml}));
    EXPECT_EQ(bad.code, 1);
    EXPECT_NE(bad.err.find("Cannot read \"" + dir.File("cut.geojson") + "\""), std::string::npos)
        << bad.err;
    EXPECT_FALSE(std::filesystem::exists(kml));
    // Nothing in the index: no sheets, a note, exit 0.
    std::ofstream(dir.File("paris.geojson")) << R"({"type":"Point","coordinates":[2.35,48.85]})";
    const Result away = Cli(Sheets({"--input", dir.File("paris.geojson")}));
    EXPECT_EQ(away.code, 0) << away.err;
    EXPECT_EQ(away.out, "");
    EXPECT_NE(away.err.find("no part of the input lies in the index"), std::string::npos);
}

TEST_F(LayerInput, OtherLayersAreNamedAndBoundsHeld) {
    ASSERT_TRUE(dir.Ogr2Ogr("-f GPKG two.gpkg sample.geojson -nln towers -where \"name='tower'\""));
    ASSERT_TRUE(dir.Ogr2Ogr("-f GPKG -update two.gpkg sample.geojson -nln areas "
                            "-where \"name='holed'\""));
    const Result first = Cli(Sheets({"--input", dir.File("two.gpkg")}));
    ASSERT_EQ(first.code, 0) << first.err;
    EXPECT_EQ(Lines(first.out).size(), 1U);
    EXPECT_NE(first.err.find("only layer \"towers\" was read; layer \"areas\" also holds "
                             "features (--layer NAME reads another, --all-layers reads every one)"),
              std::string::npos)
        << first.err;
    const Result all = Cli(Sheets({"--input", dir.File("two.gpkg"), "--all-layers"}));
    EXPECT_EQ(Lines(all.out).size(), 25U);
    EXPECT_EQ(all.err, "");

    // --max-input: a size with its unit; the file past it refused.
    EXPECT_EQ(Cli(Sheets({"--input", dir.File("s.gpkg"), "--max-input", "2X"})).code, 2);
    EXPECT_EQ(Cli(Sheets({"--input", dir.File("s.gpkg"), "--max-input", "0"})).code, 2);
    const Result small = Cli(Sheets({"--input", dir.File("s.gpkg"), "--max-input", "1K"}));
    EXPECT_EQ(small.code, 1);
    EXPECT_NE(small.err.find("larger than 1024 bytes"), std::string::npos) << small.err;
    EXPECT_EQ(Cli(Sheets({"--input", dir.File("s.gpkg"), "--max-input", "1G"})).code, 0);

    // Standard input: binary bytes stop the reading at once; a limit holds.
    const Result zeros =
        sw::clitest::CliWithInput(Sheets({"--input", "-"}), std::string(1 << 20, '\0'));
    EXPECT_EQ(zeros.code, 1);
    EXPECT_NE(zeros.err.find("it holds binary data"), std::string::npos) << zeros.err;
    const Result over = sw::clitest::CliWithInput(Sheets({"--input", "-", "--max-input", "100"}),
                                                  sw::test::SampleLayer);
    EXPECT_EQ(over.code, 1);
    EXPECT_NE(over.err.find("more than 100 bytes"), std::string::npos) << over.err;
    // A URL without --allow-remote.
    const Result url = Cli(Sheets({"--input", "http://127.0.0.1:9/x.geojson"}));
    EXPECT_EQ(url.code, 1);
    EXPECT_NE(url.err.find("--allow-remote"), std::string::npos) << url.err;
}

// Every feature accounted for: one without a sheet keeps its line, features
// outside the index are counted on stderr, and with --out the rows go to one
// layer with a "feature" field; other files are refused rather than skipped.
TEST_F(LayerInput, PerFeatureListsEveryFeatureAndWritesOneLayer) {
    std::ofstream(dir.File("edge.geojson")) << R"({"type":"FeatureCollection","features":[
{"type":"Feature","properties":{"name":"tower"},"geometry":{"type":"Point","coordinates":[81.1234,28.1234]}},
{"type":"Feature","properties":{"name":"paris"},"geometry":{"type":"Point","coordinates":[2.35,48.85]}},
{"type":"Feature","properties":{"name":"west"},"geometry":{"type":"LineString","coordinates":[[63.6,30.6],[64.1,30.6]]}}
]})";
    const std::string edge = dir.File("edge.geojson");
    const Result text = Cli(Sheets({"--input", edge, "--per-feature"}));
    ASSERT_EQ(text.code, 0) << text.err;
    const std::vector<std::string> lines = Lines(text.out);
    ASSERT_EQ(lines.size(), 3U) << text.out;
    EXPECT_EQ(lines[0], "1\t62H/4");
    EXPECT_EQ(lines[1], "2\t");
    EXPECT_EQ(lines[2].rfind("3\t", 0), 0U);
    EXPECT_NE(text.err.find("2 of 3 features lie wholly or partly outside the index (1 wholly)"),
              std::string::npos)
        << text.err;
    const Result csv =
        Cli(Sheets({"--input", edge, "--per-feature", "--format", "csv", "--id-field", "name"}));
    ASSERT_EQ(csv.code, 0) << csv.err;
    EXPECT_NE(csv.out.find("\nparis,\n"), std::string::npos) << csv.out;

    const Result layer = Cli(Sheets({"--input", dir.File("s.gpkg"), "--per-feature", "--id-field",
                                     "name", "--out", dir.File("per.gpkg")}));
    ASSERT_EQ(layer.code, 0) << layer.err;
    EXPECT_EQ(Lines(layer.out).size(), static_cast<std::size_t>(sw::test::SampleUnionSheets))
        << "the listing is printed as without --out";
    ASSERT_TRUE(dir.Ogr2Ogr("-f CSV -lco STRING_QUOTING=IF_NEEDED per.csv per.gpkg sheets"));
    std::ifstream in(dir.File("per.csv"));
    std::vector<std::string> rows;
    for (std::string row; std::getline(in, row);) {
        rows.push_back(row);
    }
    ASSERT_EQ(rows.size(), 1U + sw::test::SampleUnionSheets);
    EXPECT_EQ(rows.front().rfind("feature,sheet_no,in,series,scale,", 0), 0U) << rows.front();
    EXPECT_EQ(rows[1].rfind("holed,", 0), 0U) << rows[1];
    EXPECT_EQ(rows.back().rfind("tower,62H/4,1,old,50000,", 0), 0U) << rows.back();

    for (const char* flag : {"--kml", "--xlsx", "--shp", "--jpeg"}) {
        const Result refused = Cli(Sheets({"--input", edge, "--per-feature", flag, dir.File("f")}));
        EXPECT_EQ(refused.code, 2) << flag;
        EXPECT_NE(refused.err.find(flag), std::string::npos) << refused.err;
        EXPECT_TRUE(refused.out.empty());
    }
}

TEST_F(LayerInput, VertexFileOptionsKeepPartsApart) {
    ASSERT_TRUE(dir.Ogr2Ogr("islands.shp sample.geojson -where \"name='islands'\" "
                            "-nlt MULTIPOLYGON"));
    ASSERT_TRUE(dir.Ogr2Ogr("route.shp sample.geojson -where \"name='route'\""));
    const Result islands = Cli(Sheets({"--polygon", dir.File("islands.shp")}));
    ASSERT_EQ(islands.code, 0) << islands.err;
    EXPECT_EQ(Lines(islands.out), (std::vector<std::string>{"53P/16", "53P/4"}));
    const Result route = Cli(Sheets({"--polyline", dir.File("route.shp")}));
    ASSERT_EQ(route.code, 0) << route.err;
    EXPECT_EQ(Lines(route.out).size(), 2U);
    // Our own KML export loads as a polygon of its placemarks.
    ASSERT_EQ(Cli(Sheets({"--point", "28:36:50", "77:12:30", "--kml", dir.File("own.kml")})).code,
              0);
    const Result own = Cli(Sheets({"--polygon", dir.File("own.kml")}));
    EXPECT_EQ(own.code, 0) << own.err;
    EXPECT_EQ(Lines(own.out).size(), 9U); // the sheet's outline touches its eight neighbours
}

} // namespace
