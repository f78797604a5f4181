#include "exchange/FormatRegistry.h"
#include "exchange/LinkedModules.h"
#include "exchange/OpenVertexFile.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <variant>

namespace sw {
namespace {

// The dialogs' filter lists are what users have always seen: the vertex
// dialog's three entries and the save dialog's four, in this order, before
// anything added later.
TEST(FormatRegistry, DialogFiltersKeepTheirTextsAndOrder) {
    EXPECT_EQ(OpenBoxFilters(), (std::vector<std::string>{
                                    "Tab delimitted text file (*.txt)", "ESRI ShapeFile (*.shp)",
                                    "Key hole Markup Language (KMLl) file (*.kml)"}));
    // The save dialog's four come first; the entries it gained follow them.
    const std::vector<std::string> save = SaveBoxFilters();
    ASSERT_EQ(save.size(), 11u);
    EXPECT_EQ(std::vector<std::string>(save.begin(), save.begin() + 4),
              (std::vector<std::string>{"KML File (*.kml)", "Shape File (*.shp)",
                                        "JPG File (*.jpg)", "Bitmap File (*.bmp)"}));
    EXPECT_EQ(
        std::vector<std::string>(save.begin() + 4, save.end()),
        (std::vector<std::string>{"PDF File (*.pdf)", "GeoPackage (*.gpkg)", "GeoJSON (*.geojson)",
                                  "FlatGeobuf (*.fgb)", "CSV with WKT (*.csv)", "GML (*.gml)",
                                  "SQLite (*.sqlite)"}));
    EXPECT_EQ(OpenBoxPosition("text"), OpenFilter{1});
    EXPECT_EQ(OpenBoxPosition("shapefile"), OpenFilter{2});
    EXPECT_EQ(OpenBoxPosition("kml"), OpenFilter{3});
    EXPECT_EQ(OpenBoxPosition("geojson"), OpenFilter{0});
    EXPECT_EQ(OpenBoxPosition("nothing"), OpenFilter{0});
    EXPECT_EQ(SaveBoxPosition("kml"), SaveFilter{1});
    EXPECT_EQ(SaveBoxPosition("bitmap"), SaveFilter{4});
    EXPECT_EQ(SaveBoxPosition("worksheet"), SaveFilter{0});
    EXPECT_EQ(OpenBoxFormat(OpenFilter{0}), nullptr);
    EXPECT_EQ(OpenBoxFormat(OpenFilter{4}), nullptr);
    EXPECT_EQ(SaveBoxFormat(SaveFilter{5})->Id, "pdf");
    EXPECT_EQ(SaveBoxFormat(SaveFilter{12}), nullptr);
    EXPECT_EQ(SaveBoxPosition("report-pdf"), SaveFilter{0});
    EXPECT_EQ(SaveBoxPosition("shp"), SaveFilter{0}); // "Shape File" is the one shapefile entry
    EXPECT_EQ(SaveBoxFormat(SaveFilter{2})->Id, "shapefile");
    for (int p = 1; p <= 3; ++p) {
        EXPECT_EQ(OpenBoxPosition(*OpenBoxFormat(OpenFilter{p})), OpenFilter{p});
    }
}

TEST(FormatRegistry, ExtensionsChooseTheReader) {
    EXPECT_EQ(InputFormatForPath("/a/route.TXT")->Id, "text");
    EXPECT_EQ(InputFormatForPath("area.Shp")->Id, "shapefile");
    EXPECT_EQ(InputFormatForPath("/x.y/area.kml")->Id, "kml");
    EXPECT_EQ(InputFormatForPath("area.geojson")->Id, "geojson");
    EXPECT_EQ(InputFormatForPath("area.JSON")->Id, "geojson");
    EXPECT_EQ(InputFormatForPath("/a.kml/area"), nullptr);
    EXPECT_EQ(InputFormatForPath("area.xls"), nullptr);
    EXPECT_EQ(InputFormatForPath(""), nullptr);
    EXPECT_EQ(InputFormatForPath("area."), nullptr);
    // Only the text file fills the degrees-minutes-seconds layout.
    EXPECT_FALSE(InputFormatNamed("text")->DecimalMode);
    EXPECT_FALSE(InputFormatNamed("text")->HoldsRings);
    EXPECT_TRUE(InputFormatNamed("geojson")->DecimalMode);
    EXPECT_EQ(ReadableExtensionsText(),
              "Only .txt, .shp, .kml, .geojson, .json, .gpkg, .kmz, .gpx, .csv, .fgb and .gml "
              "files can be opened");
}

// "Open layer" offers every format but the vertex text file, and any file at
// all, since GDAL recognises formats by their content too.
TEST(FormatRegistry, LayersAreEveryFileButAVertexTextFile) {
    EXPECT_EQ(InputFormatForPath("d.GPKG")->Id, "gis");
    EXPECT_EQ(InputFormatForPath("track.gpx")->Id, "gis");
    EXPECT_EQ(LayerBoxFilters(),
              (std::vector<std::string>{"GIS layers (*.shp *.kml *.geojson *.json *.gpkg *.kmz "
                                        "*.gpx *.csv *.fgb *.gml)",
                                        "All files (*)"}));
    EXPECT_FALSE(OpensAsLayer("/a/route.TXT"));
    for (const char* path :
         {"a.shp", "a.kml", "a.json", "a.gpkg", "a.dxf", "a.tab", "noextension", "a."}) {
        EXPECT_TRUE(OpensAsLayer(path)) << path;
    }
    // The vertex dialog's open box keeps its three filters.
    EXPECT_EQ(OpenBoxFilters().size(), 3u);
}

// Every entry is complete: a reader or exactly one way of writing, a unique id
// and extension, and a unique command-line option where it has one.
TEST(FormatRegistry, EveryEntryIsComplete) {
    std::set<std::string_view> ids;
    std::set<std::string_view> extensions;
    for (const InputFormat& f : InputFormats()) {
        EXPECT_TRUE(ids.insert(f.Id).second) << f.Id;
        EXPECT_TRUE(std::visit([](auto way) { return way.Read != nullptr; }, f.Read)) << f.Id;
        EXPECT_FALSE(f.Caption.empty()) << f.Id;
        ASSERT_FALSE(f.Extensions.empty()) << f.Id;
        for (const std::string_view ext : f.Extensions) {
            EXPECT_TRUE(extensions.insert(ext).second) << ext;
            EXPECT_EQ(ext.front(), '.');
        }
    }
    ids.clear();
    std::set<std::string_view> options;
    for (const OutputFormat& f : OutputFormats()) {
        EXPECT_TRUE(ids.insert(f.Id).second) << f.Id;
        EXPECT_EQ(f.Extension.front(), '.') << f.Id;
        if (!f.CliOption.empty()) {
            EXPECT_TRUE(options.insert(f.CliOption).second) << f.CliOption;
            EXPECT_FALSE(f.CliHelp.empty()) << f.Id;
        }
    }
    EXPECT_EQ(OutputFormatNamed("worksheet")->Extension, ".xls");
    EXPECT_EQ(OutputFormatNamed("nothing"), nullptr);
}

TEST(FormatRegistry, UnknownOpenBoxPositionChangesNothing) {
    VertexTable t;
    t.SetCell(1, 3, "kept");
    EXPECT_THROW(
        OpenVertexFile(OpenFilter{4}, "/nonexistent/route.geojson", t, '.', LinkedModules()),
        std::exception);
    EXPECT_EQ(t.Cell(1, 3), "kept");
}

// The dialogs report the chosen filter as its text: each text names the entry
// at its own place, and a text the box does not have names none.
TEST(FormatRegistry, AFilterTextNamesItsFormat) {
    const std::vector<std::string> save = SaveBoxFilters();
    for (std::size_t i = 0; i < save.size(); ++i) {
        EXPECT_EQ(SaveBoxFormatForFilter(save[i]), SaveBoxFormat(SaveFilter{int(i) + 1}))
            << save[i];
    }
    const std::vector<std::string> open = OpenBoxFilters();
    for (std::size_t i = 0; i < open.size(); ++i) {
        EXPECT_EQ(OpenBoxFormatForFilter(open[i]), OpenBoxFormat(OpenFilter{int(i) + 1}))
            << open[i];
    }
    EXPECT_EQ(SaveBoxFormatForFilter(""), nullptr);
    EXPECT_EQ(SaveBoxFormatForFilter(save.front() + " "), nullptr);
    EXPECT_EQ(OpenBoxFormatForFilter("All files (*)"), nullptr);
}

} // namespace
} // namespace sw
