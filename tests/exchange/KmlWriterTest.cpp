#include "exchange/FileError.h"
#include "exchange/KmlFile.h"

#include "ExchangeTestSupport.h"

#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <vector>

namespace sw {
namespace {

using test::FifteenMinuteSheets;
using test::MakeGrid;

std::vector<std::string> Lines(const std::string& doc) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < doc.size()) {
        const std::size_t end = doc.find("\r\n", pos);
        EXPECT_NE(end, std::string::npos) << "every line ends with CR LF";
        if (end == std::string::npos) {
            break;
        }
        lines.push_back(doc.substr(pos, end - pos));
        pos = end + 2;
    }
    return lines;
}

// The lines of the document that follow the header (after "</StyleMap>").
std::vector<std::string> PlacemarkLines(const std::string& doc) {
    std::vector<std::string> lines = Lines(doc);
    const auto it = std::find(lines.begin(), lines.end(), "</StyleMap>");
    EXPECT_NE(it, lines.end());
    return std::vector<std::string>(it + 1, lines.end());
}

TEST(KmlWriter, HeaderTemplateWithoutInSheets) {
    const Settings s = FifteenMinuteSheets();
    const SheetGrid g = MakeGrid(s, 77, 29, 2, 2, [](int32_t) { return false; });
    const std::string doc = KmlDocument(s, g);
    const std::vector<std::string> lines = Lines(doc);
    ASSERT_EQ(lines.size(), 48u); // items 1 to 32 (item 22 is 15 lines), 34 and 35
    EXPECT_EQ(lines[0], "<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
    EXPECT_EQ(lines[1], "<kml xmlns=\"http://www.opengis.net/kml/2.2\" "
                        "xmlns:gx=\"http://www.google.com/kml/ext/2.2\" "
                        "xmlns:kml=\"http://www.opengis.net/kml/2.2\" "
                        "xmlns:atom=\"http://www.w3.org/2005/Atom\">");
    EXPECT_EQ(lines[3], "<name>test.kml</name>");
    EXPECT_EQ(lines[4], "<Style id=\"sn_ylw-pushpin\">");
    EXPECT_EQ(lines[6], "<scale>1.1</scale>");
    EXPECT_EQ(lines[8], "<href>http://maps.google.com/mapfiles/kml/pushpin/ylw-pushpin.png</href>");
    EXPECT_EQ(lines[19], "</Style>");
    EXPECT_EQ(lines[20], "<Style id=\"sh_ylw-pushpin\">");
    EXPECT_EQ(lines[22], "<scale>1.3</scale>");
    EXPECT_EQ(lines[35], "</Style>");
    EXPECT_EQ(lines[36], "<StyleMap id=\"msn_ylw-pushpin\">");
    EXPECT_EQ(lines[39], "\t<styleUrl>#sn_ylw-pushpin</styleUrl>");
    EXPECT_EQ(lines[43], "<styleUrl>#sh_ylw-pushpin</styleUrl>");
    EXPECT_EQ(lines[45], "</StyleMap>");
    EXPECT_EQ(lines[46], "</Document>");
    EXPECT_EQ(lines[47], "</kml>");
    // The second style repeats the first apart from its scale.
    for (int i = 5; i < 20; ++i) {
        if (i != 6) {
            EXPECT_EQ(lines[i], lines[i + 16]) << i;
        }
    }
    EXPECT_EQ(doc.find('\xEF'), std::string::npos) << "no byte-order mark";
}

const std::vector<std::string> RingAt77E29N = {"77,29,0", "77.25,29,0", "77.25,28.75,0",
                                               "77,28.75,0", "77,29,0"};

std::vector<std::string> ExpectedPlacemarks(const std::string& no, const std::string& point,
                                            const std::vector<std::string>& ring) {
    std::vector<std::string> v = {"<Placemark>",
                                  "<name>" + no + "</name>",
                                  "<styleUrl>#default</styleUrl>",
                                  "<Point>",
                                  "<coordinates>" + point + "</coordinates>",
                                  "</Point>",
                                  "</Placemark>",
                                  "<Placemark>",
                                  "<name>" + no + "</name>",
                                  "<styleUrl>#msn_ylw-pushpin</styleUrl>",
                                  "<Polygon>",
                                  "<outerBoundaryIs>",
                                  "<LinearRing>",
                                  "<coordinates>"};
    v.insert(v.end(), ring.begin(), ring.end());
    for (const char* l :
         {"</coordinates>", "</LinearRing>", "</outerBoundaryIs>", "</Polygon>", "</Placemark>"}) {
        v.push_back(l);
    }
    return v;
}

TEST(KmlWriter, CentreAndRingOfOneSheetAtZoom70And75) {
    for (const auto& [zoom, point] : std::vector<std::pair<int32_t, std::string>>{
             {70, "77.125,28.875,0"}, {75, "77.1233333333333,28.8766666666667,0"}}) {
        const Settings s = FifteenMinuteSheets(zoom);
        const SheetGrid g = MakeGrid(s, 77, 29, 1, 1);
        std::vector<std::string> expected = ExpectedPlacemarks("S0", point, RingAt77E29N);
        expected.push_back("</Document>");
        expected.push_back("</kml>");
        EXPECT_EQ(PlacemarkLines(KmlDocument(s, g)), expected) << "zoom " << zoom;
    }
}

TEST(KmlWriter, OnlyInSheetsInListOrderAtTheirGridPlace) {
    const Settings s = FifteenMinuteSheets();
    // 3 x 2 from 77E 29N; IN are cell 1 (row 0, column 1) and cell 5 (row 1, column 2).
    const SheetGrid g = MakeGrid(s, 77, 29, 3, 2, [](int32_t k) { return k == 1 || k == 5; });
    std::vector<std::string> expected = ExpectedPlacemarks(
        "S1", "77.375,28.875,0",
        {"77.25,29,0", "77.5,29,0", "77.5,28.75,0", "77.25,28.75,0", "77.25,29,0"});
    const std::vector<std::string> second = ExpectedPlacemarks(
        "S5", "77.625,28.625,0",
        {"77.5,28.75,0", "77.75,28.75,0", "77.75,28.5,0", "77.5,28.5,0", "77.5,28.75,0"});
    expected.insert(expected.end(), second.begin(), second.end());
    expected.push_back("</Document>");
    expected.push_back("</kml>");
    EXPECT_EQ(PlacemarkLines(KmlDocument(s, g)), expected);
}

TEST(KmlWriter, OpenSeriesMillionSheetWithOddPixelWidth) {
    Settings s = FifteenMinuteSheets();
    s.SheetWidthSec = 6 * 3600;
    s.SheetHeightSec = 4 * 3600; // pixel width round(1.5 * 70) = 105
    const SheetGrid g = MakeGrid(s, 66, 32, 1, 1);
    const std::vector<std::string> lines = PlacemarkLines(KmlDocument(s, g));
    // 52 of 105 pixels east: 10697 seconds, truncated; 35 of 70 pixels south: 2 degrees.
    EXPECT_EQ(lines[4], "<coordinates>68.9713888888889,30,0</coordinates>");
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 14, lines.begin() + 19),
              (std::vector<std::string>{"66,32,0", "72,32,0", "72,28,0", "66,28,0", "66,32,0"}));
}

TEST(KmlWriter, PositionsDoNotDependOnADrawnLayout) {
    const Settings s = FifteenMinuteSheets(75);
    SheetGrid g = MakeGrid(s, 77, 29, 3, 2);
    const std::string planned = KmlDocument(s, g);
    // Stale positions from another zoom, or none at all, change nothing.
    for (auto& rec : g.SheetList) {
        rec.X = 12345;
        rec.Y = -999;
    }
    g.GridOriginX = 7;
    g.GridOriginY = 3000;
    EXPECT_EQ(KmlDocument(s, g), planned);
}

TEST(KmlWriter, DecimalCommaLocaleStillWritesPoints) {
    const Settings s = FifteenMinuteSheets(75);
    const SheetGrid g = MakeGrid(s, 77, 29, 1, 1);
    const std::string before = KmlDocument(s, g);
    const char* old = std::setlocale(LC_ALL, nullptr);
    const std::string saved = old != nullptr ? old : "C";
    bool switched = false;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "de_DE", "nl_NL.UTF-8"}) {
        if (std::setlocale(LC_ALL, name) != nullptr) {
            switched = true;
            break;
        }
    }
    const std::string during = KmlDocument(s, g);
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(during, before);
    EXPECT_NE(before.find("77.1233333333333,28.8766666666667,0"), std::string::npos);
    if (!switched) {
        GTEST_SKIP() << "no decimal-comma locale installed; checked in the C locale only";
    }
}

TEST(KmlWriter, FileNameTakesTheKmlExtension) {
    test::ScratchDir dir;
    const Settings s = FifteenMinuteSheets();
    const SheetGrid g = MakeGrid(s, 77, 29, 1, 1);
    WriteKmlFile(dir.File("layout.shp"), s, g);
    WriteKmlFile(dir.File("plain"), s, g);
    EXPECT_EQ(test::ReadBytes(dir.File("layout.kml")), KmlDocument(s, g));
    EXPECT_TRUE(std::filesystem::exists(dir.File("plain.kml")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("layout.shp")));
    EXPECT_EQ(dir.EntryCount(), 2u);
}

TEST(KmlWriter, FailedWriteKeepsTheOldFile) {
    test::ScratchDir dir;
    const Settings s = FifteenMinuteSheets();
    const SheetGrid g = MakeGrid(s, 77, 29, 1, 1);
    // A missing folder: the message names the file and the reason.
    try {
        WriteKmlFile(dir.File("missing/out.kml"), s, g);
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file \"" + dir.File("missing/out.kml") +
                                             "\". No such file or directory");
    }
    // A folder of the target's name is not replaced.
    std::filesystem::create_directory(dir.File("busy.kml"));
    EXPECT_THROW(WriteKmlFile(dir.File("busy"), s, g), FileError);
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("busy.kml")));
    EXPECT_EQ(dir.EntryCount(), 1u) << "no temporary left behind";
}

} // namespace
} // namespace sw
