#include "exchange/FileError.h"
#include "exchange/KmlFile.h"

#include "ExchangeTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace sw {
namespace {

struct Row {
    std::string No, Lat, Lon;
    friend bool operator==(const Row&, const Row&) = default;
};

std::ostream& operator<<(std::ostream& os, const Row& r) {
    return os << "[" << r.No << "|" << r.Lat << "|" << r.Lon << "]";
}

std::vector<Row> Rows(const VertexTable& t, int32_t first, int32_t last) {
    std::vector<Row> rows;
    for (int32_t r = first; r <= last; ++r) {
        rows.push_back(Row{t.Cell(0, r), t.Cell(1, r), t.Cell(2, r)});
    }
    return rows;
}

VertexTable DecimalTable() {
    VertexTable t;
    SetGrid(t, true);
    return t;
}

const std::vector<Row> RingRows = {{"1", "29", "77"},       {"2", "29", "77.25"},
                                   {"3", "28.75", "77.25"}, {"4", "28.75", "77"},
                                   {"5", "29", "77"},       {"6", "", ""}};

TEST(KmlReader, RingInTheVirtualGlobeLayout) {
    // Closing tag after the tuples on their line, or on a line of its own.
    for (const char* text :
         {"<LinearRing>\r\n<coordinates>\r\n\t\t\t77,29,0 77.25,29,0 77.25,28.75,0 77,28.75,0 "
          "77,29,0 </coordinates>\r\n</LinearRing>\r\n",
          "<coordinates>\n\t77,29,0 77.25,29,0 77.25,28.75,0 77,28.75,0 77,29,0\n"
          "</coordinates>\n"}) {
        VertexTable t = DecimalTable();
        ReadKmlText(text, t);
        EXPECT_EQ(Rows(t, 1, 6), RingRows);
        EXPECT_EQ(t.VertexCount, 4) << "the repeated closing tuple is not a vertex";
        EXPECT_EQ(t.IsPolygon, 1);
        EXPECT_EQ(t.RowCount(), 7);
    }
}

TEST(KmlReader, CoordinatesOnTheTagLineOrSpreadOverLines) {
    // As GDAL writes it: the whole ring between the tags on one line.
    VertexTable oneLine = DecimalTable();
    ReadKmlText("<Polygon><outerBoundaryIs><LinearRing><coordinates>77,29,0 77.25,29,0 "
                "77.25,28.75,0 77,28.75,0 77,29,0</coordinates></LinearRing>",
                oneLine);
    EXPECT_EQ(Rows(oneLine, 1, 6), RingRows);
    EXPECT_EQ(oneLine.VertexCount, 4);

    // One tuple per line with mixed blanks, a namespace prefix on the tags.
    VertexTable spread = DecimalTable();
    ReadKmlText("<kml:coordinates>\r\n  77,29,0\r\n\t77.25,29,0  77.25,28.75,0\n77,28.75,0\n"
                "    77,29,0\r\n  </kml:coordinates>",
                spread);
    EXPECT_EQ(Rows(spread, 1, 6), RingRows);
    EXPECT_EQ(spread.VertexCount, 4);
}

TEST(KmlReader, OpenLineStringKeepsItsLastVertex) {
    VertexTable t = DecimalTable();
    ReadKmlText("<LineString><coordinates>77,29,0 77.5,29.5,0 78,29,0</coordinates></LineString>",
                t);
    EXPECT_EQ(t.VertexCount, 3);
    EXPECT_EQ(Rows(t, 1, 4),
              (std::vector<Row>{
                  {"1", "29", "77"}, {"2", "29.5", "77.5"}, {"3", "29", "78"}, {"4", "", ""}}));
}

TEST(KmlReader, TuplesWithoutAltitudeGiveTheirLatitude) {
    VertexTable t = DecimalTable();
    ReadKmlText("<coordinates>77,29 77.25,29 77.25,28.75</coordinates>", t);
    EXPECT_EQ(Rows(t, 1, 3),
              (std::vector<Row>{{"1", "29", "77"}, {"2", "29", "77.25"}, {"3", "28.75", "77.25"}}));
    EXPECT_EQ(t.VertexCount, 3);
    // Cells are copied as text, not checked: a tuple without a comma gives empty cells.
    VertexTable odd = DecimalTable();
    ReadKmlText("<coordinates>abc 1e1,x,y,z</coordinates>", odd);
    EXPECT_EQ(Rows(odd, 1, 2), (std::vector<Row>{{"1", "", ""}, {"2", "x", "1e1"}}));
}

TEST(KmlReader, RowsRunOnAcrossPlacemarksAndOnlyTheLastListDecidesTheCount) {
    VertexTable t = DecimalTable();
    ReadKmlText("<Placemark><coordinates>1,2,0 3,4,0 1,2,0</coordinates></Placemark>\n"
                "<!-- <coordinates>9,9</coordinates> -->\n"
                "<Placemark><coordinates>5,6,0 7,8,0 5,6,0</coordinates></Placemark>\n",
                t);
    EXPECT_EQ(Rows(t, 1, 8), (std::vector<Row>{{"1", "2", "1"},
                                               {"2", "4", "3"},
                                               {"3", "2", "1"},
                                               {"4", "", ""},
                                               {"5", "6", "5"},
                                               {"6", "8", "7"},
                                               {"7", "6", "5"},
                                               {"8", "", ""}}));
    EXPECT_EQ(t.VertexCount, 6) << "all rows but two";
    EXPECT_EQ(t.RowCount(), 9);
}

TEST(KmlReader, OurOwnExportReadsBack) {
    const Settings s = test::FifteenMinuteSheets();
    const SheetGrid g = test::MakeGrid(s, 77, 29, 1, 1);
    VertexTable t = DecimalTable();
    ReadKmlText(KmlDocument(s, g), t);
    // The point, its closing row, then the ring, its closing row.
    EXPECT_EQ(Rows(t, 1, 8), (std::vector<Row>{{"1", "28.875", "77.125"},
                                               {"2", "", ""},
                                               {"3", "29", "77"},
                                               {"4", "29", "77.25"},
                                               {"5", "28.75", "77.25"},
                                               {"6", "28.75", "77"},
                                               {"7", "29", "77"},
                                               {"8", "", ""}}));
    EXPECT_EQ(t.VertexCount, 6);
}

TEST(KmlReader, WordsThatAreNotTagsAndBrokenFiles) {
    // "coordinates" in a description is not a list; nothing found gives -2.
    VertexTable t = DecimalTable();
    t.SetCell(1, 3, "keep");
    ReadKmlText("<description>the coordinates are below</description>\n77,29,0 78,29,0\n", t);
    EXPECT_EQ(t.VertexCount, -2);
    EXPECT_EQ(t.IsPolygon, 1);
    EXPECT_EQ(t.Cell(1, 3), "keep");
    EXPECT_EQ(t.Cell(1, 1), "Deg. Decimal");

    // A list cut off before its closing tag is not read.
    VertexTable cut = DecimalTable();
    ReadKmlText("<coordinates>1,2,0 3,4,0</coordinates><coordinates>5,6,0 7,8", cut);
    EXPECT_EQ(Rows(cut, 1, 3), (std::vector<Row>{{"1", "2", "1"}, {"2", "4", "3"}, {"3", "", ""}}));
    EXPECT_EQ(cut.Cell(2, 4), "");
    EXPECT_EQ(cut.VertexCount, 2);

    // The text ends at 0x1A; an empty element still closes its list.
    VertexTable eof = DecimalTable();
    ReadKmlText(std::string("<coordinates/><coordinates>1,2</coordinates>\x1A<coordinates>3,4"
                            "</coordinates>"),
                eof);
    EXPECT_EQ(Rows(eof, 1, 3), (std::vector<Row>{{"1", "", ""}, {"2", "2", "1"}, {"3", "", ""}}));
    EXPECT_EQ(eof.VertexCount, 1);
}

TEST(KmlReader, RowCountOnlyGrowsAndLowerRowsKeepTheirText) {
    VertexTable t = DecimalTable();
    t.SetRowCount(20);
    t.SetCell(2, 15, "old");
    ReadKmlText("<coordinates>1,2 3,4</coordinates>", t);
    EXPECT_EQ(t.RowCount(), 20);
    EXPECT_EQ(t.Cell(2, 15), "old");
}

TEST(KmlReader, UnreadableFileChangesNothing) {
    test::ScratchDir dir;
    VertexTable t = DecimalTable();
    t.VertexCount = 7;
    try {
        ReadKmlFile(dir.File("absent.kml"), t);
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()), "File not found");
    }
    EXPECT_EQ(t.VertexCount, 7);
    EXPECT_EQ(t.IsPolygon, 0);
}

TEST(KmlReader, DataFilesWrittenByOtherTools) {
    // tests/data/kml: see the README there for where each file came from.
    VertexTable poly = DecimalTable();
    ReadKmlFile(test::DataFile("kml/polygon-ogr.kml"), poly);
    // Copied as the file spells them: GDAL writes some values with ".0".
    EXPECT_EQ(Rows(poly, 1, 6), (std::vector<Row>{{"1", "29", "77"},
                                                  {"2", "29.0", "77.25"},
                                                  {"3", "28.75", "77.25"},
                                                  {"4", "28.75", "77.0"},
                                                  {"5", "29", "77"},
                                                  {"6", "", ""}}));
    EXPECT_EQ(poly.VertexCount, 4);

    VertexTable line = DecimalTable();
    ReadKmlFile(test::DataFile("kml/linestring-ogr.kml"), line);
    EXPECT_EQ(
        Rows(line, 1, 4),
        (std::vector<Row>{
            {"1", "28.25", "77.5"}, {"2", "28.5", "77.75"}, {"3", "28", "78"}, {"4", "", ""}}));
    EXPECT_EQ(line.VertexCount, 3);
}

} // namespace
} // namespace sw
