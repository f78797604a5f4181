// The part boundaries the vertex-file readers keep, and the feature the vertex
// table becomes: parts are never joined, typed rows are one part.

#include "coverage/Coverage.h"
#include "exchange/FormatRegistry.h"
#include "exchange/KmlFile.h"
#include "exchange/OpenVertexFile.h"
#include "exchange/ShapeFile.h"
#include "exchange/VertexConversion.h"

#include "ExchangeTestSupport.h"
#include "exchange/LinkedModules.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

VertexTable DecimalTable() {
    VertexTable t;
    SetGrid(t, true);
    return t;
}

std::vector<int32_t> Starts(const Feature& f) {
    std::vector<int32_t> out;
    for (const FeaturePart& p : f.Parts) {
        out.push_back(p.Start);
    }
    return out;
}

TEST(VertexParts, EachKmlListIsAPartAndItsClosingRowIsNoVertex) {
    VertexTable t = DecimalTable();
    ReadKmlText("<Placemark><coordinates>1,2,0 3,4,0 1,2,0</coordinates></Placemark>\n"
                "<Placemark><coordinates>5,6,0 7,8,0 5,6,0</coordinates></Placemark>\n",
                t);
    EXPECT_EQ(t.PartStartRows, (std::vector<int32_t>{1, 5}));
    // Rows 1..6 are read: the first ring, its closing row, the second ring less
    // its repeated first tuple.
    const Feature f = TableToFeature(t, true, '.', true);
    ASSERT_EQ(f.VertexCount, 5);
    EXPECT_EQ(Starts(f), (std::vector<int32_t>{0, 3}));
    EXPECT_EQ(f.Vertices[3].Long, DecimalToDms(5));
    EXPECT_EQ(TableToVertices(t, true, '.').size(), 5U);

    // One list keeps one part, as before.
    VertexTable one = DecimalTable();
    ReadKmlText("<coordinates>1,2,0 3,4,0 5,6,0 1,2,0</coordinates>", one);
    EXPECT_TRUE(one.PartStartRows.empty());
    EXPECT_TRUE(TableToFeature(one, true, '.', true).Parts.empty());

    // A typed empty row inside a part is still refused: only a closing row goes.
    VertexTable typed = DecimalTable();
    ReadKmlText("<coordinates>1,2,0 3,4,0 5,6,0</coordinates>", typed);
    typed.SetCell(1, 2, "");
    typed.SetCell(2, 2, "");
    EXPECT_THROW(TableToFeature(typed, true, '.', false), ConversionError);
}

TEST(VertexParts, OurOwnKmlExportLoadsAsItsPlacemarks) {
    const Settings s = test::FifteenMinuteSheets();
    const SheetGrid g = test::MakeGrid(s, 77, 29, 2, 1);
    VertexTable t = DecimalTable();
    ReadKmlText(KmlDocument(s, g), t);
    // Per sheet a centre point and an outline ring.
    Feature f = TableToFeature(t, true, '.', true);
    EXPECT_EQ(Starts(f), (std::vector<int32_t>{0, 1, 6, 7}));
    // The outlines run on sheet edges: both sheets and their eight neighbours.
    SheetGrid out;
    ComputeSheets(s, f, out);
    EXPECT_EQ(out.InSheetCount, 12);
    // As a polyline the same file loads as well.
    Feature line = TableToFeature(t, true, '.', false);
    ComputeSheets(s, line, out);
    EXPECT_EQ(out.InSheetCount, 12);
}

TEST(VertexParts, ShapefileRecordPartsAreKept) {
    VertexTable t = DecimalTable();
    ReadShpFile(test::DataFile("shp/two-parts.shp"), t, '.');
    ASSERT_EQ(t.PartStartRows, (std::vector<int32_t>{1, 5}));
    const Feature f = TableToFeature(t, true, '.', false);
    EXPECT_EQ(f.VertexCount, 9);
    EXPECT_EQ(Starts(f), (std::vector<int32_t>{0, 4}));

    // A one-part record and a vertex file leave no part starts behind.
    VertexTable line = t;
    ReadShpFile(test::DataFile("shp/polyline.shp"), line, '.');
    EXPECT_TRUE(line.PartStartRows.empty());
    VertexTable text = t;
    OpenVertexFile(OpenBoxPosition("text"), test::DataFile("text/square.txt"), text, '.',
                   LinkedModules());
    EXPECT_TRUE(text.PartStartRows.empty());
    EXPECT_TRUE(TableToFeature(text, false, '.', true).Parts.empty());
}

TEST(VertexParts, StartsTheTableCannotHaveAreIgnored) {
    VertexTable t = DecimalTable();
    t.SetRowCount(6);
    for (int32_t r = 1; r <= 5; ++r) {
        t.SetCell(1, r, std::to_string(28 + r));
        t.SetCell(2, r, "77");
    }
    t.VertexCount = 5;
    t.PartStartRows = {-4, 0, 3, 3, 2, 99};
    const Feature f = TableToFeature(t, true, '.', false);
    EXPECT_EQ(f.VertexCount, 5);
    EXPECT_EQ(Starts(f), (std::vector<int32_t>{0, 2}));
}

} // namespace
} // namespace sw
