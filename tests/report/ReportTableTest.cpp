#include "report/ReportTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sw {
namespace {

TextMeasure Monospace7() {
    return [](const std::string& t) { return static_cast<int32_t>(t.size()) * 7; };
}

struct Fixture {
    Settings settings = StartSettings(); // old series, 1:50,000
    SheetGrid grid;
    Feature feature;
    std::string file = "C:\\data\\route.txt";

    void In(std::vector<std::string> numbers, std::vector<std::string> outs = {}) {
        for (const auto& n : numbers) {
            SheetRec r;
            r.SheetNo = n;
            r.InFlag = 1;
            grid.SheetList.push_back(r);
        }
        for (const auto& n : outs) {
            SheetRec r;
            r.SheetNo = n;
            grid.SheetList.push_back(r);
        }
        grid.InSheetCount = static_cast<int32_t>(numbers.size());
    }
    ReportInput Input() const { return ReportInput{settings, grid, feature, file}; }
};

using Row = std::vector<std::string>;

TEST(BuildReport, FiveSheetPolylineExampleExactly) {
    Fixture f;
    f.settings.DataType = DataKind::Polyline;
    f.In({"54E/1", "53H/5", "53L/4", "53H/1", "53H/2"}, {"53H/3", "#"});
    const Report r = BuildReport(f.Input(), Monospace7());
    const TextTable expected{
        {" S.No.", " Sheet Numbers of 1:50,000 Scale", "Number of Sheets"},
        {"1", "53H/1,53H/2,53H/5", "3"},
        {"2", "53L/4", "1"},
        {"3", "54E/1", "1"},
        {"", "TOTAL SHEETS", "5"},
        {"", "", ""},
        {"", "", ""},
        {"", "Input POLYLINE C:\\data\\route.txt", ""},
    };
    EXPECT_EQ(r.Table, expected);
    EXPECT_EQ(r.Caption, "Total Sheets - 5 at scale 1:50,000");
    EXPECT_EQ(r.Columns.CharsPerLine, 87);
}

TEST(BuildReport, PointInOneSheetHasTheTotalInRowTwoAndThePointInRowFive) {
    Fixture f;
    f.feature = MakePointFeature(DmsAngle{24, 1, 0}, DmsAngle{72, 1, 0});
    f.In({"46A/1"}, {"46A/2", "45D/4"});
    const TextTable t = BuildReportTable(f.Input(), Monospace7());
    ASSERT_EQ(t.size(), 7u);
    EXPECT_EQ(t[1], (Row{"1", "46A/1", "1"}));
    EXPECT_EQ(t[2], (Row{"", "TOTAL SHEETS", "1"}));
    EXPECT_EQ(t[5][1], "Input POINT 24\xC2\xB0"
                       "01'00\" 72\xC2\xB0"
                       "01'00\"");
    EXPECT_EQ(t[6], (Row{"", "", ""}));
}

// Points of a GIS layer name their file, as lines and rings do; a point entered
// by hand (one implicit part) keeps its position.
TEST(BuildReport, PointsFromAFileNameTheFile) {
    Fixture f;
    f.file = "/data/towers.gpkg";
    f.feature = MakePartsFeature({VertexRec{DmsAngle{24, 1, 0}, DmsAngle{72, 1, 0}},
                                  VertexRec{DmsAngle{25, 1, 0}, DmsAngle{73, 1, 0}}},
                                 {{0, PartKind::Point}, {1, PartKind::Point}});
    f.In({"46A/1"});
    EXPECT_EQ(ReportInputLine(f.Input()), "Input POINT /data/towers.gpkg");
    f.feature = MakePointFeature(DmsAngle{24, 1, 0}, DmsAngle{72, 1, 0});
    EXPECT_EQ(ReportInputLine(f.Input()), "Input POINT 24\xC2\xB0"
                                          "01'00\" 72\xC2\xB0"
                                          "01'00\"");
}

TEST(BuildReport, TwoBodyRowsEndWithTheInputLine) {
    Fixture f;
    f.settings.DataType = DataKind::Polygon;
    f.In({"53H/1", "53L/4"});
    const TextTable t = BuildReportTable(f.Input(), Monospace7());
    ASSERT_EQ(t.size(), 7u);
    EXPECT_EQ(t[3][1], "TOTAL SHEETS");
    EXPECT_EQ(t[6][1], "Input POLYLINE C:\\data\\route.txt");
}

TEST(BuildReport, NoInSheetShowsHeadingsAZeroTotalAndTheInputLine) {
    Fixture f;
    f.feature = MakePointFeature(DmsAngle{2, 0, 0}, DmsAngle{50, 0, 0});
    f.In({}, {"#", "#", "#", "#"});
    const Report r = BuildReport(f.Input(), Monospace7());
    EXPECT_TRUE(r.Rows.empty());
    ASSERT_EQ(r.Table.size(), 7u);
    EXPECT_EQ(r.Table[0][0], " S.No.");
    EXPECT_EQ(r.Table[1], (Row{"", "TOTAL SHEETS", "0"}));
    EXPECT_EQ(r.Table[4][1], "Input POINT 02\xC2\xB0"
                             "00'00\" 50\xC2\xB0"
                             "00'00\"");
    for (std::size_t i : {2u, 3u, 5u, 6u}) {
        EXPECT_EQ(r.Table[i], (Row{"", "", ""})) << i;
    }
    EXPECT_EQ(r.Caption, "Total Sheets - 0 at scale 1:50,000");
}

TEST(BuildReport, TotalIsTheDrawnCountAndSerialsRunThroughWrappedRows) {
    Fixture f;
    std::vector<std::string> numbers;
    for (int i = 1; i <= 16; ++i) {
        numbers.push_back("53H/" + std::to_string(i));
    }
    f.In(numbers);
    f.grid.InSheetCount = 99; // what the drawing counted, not the rows' sum
    // 200 px per character: 774 - 1400 - 3400 over 200 rounds to -20, so every
    // number after the first of a row wraps.
    const Report r =
        BuildReport(f.Input(), [](const std::string& t) { return int32_t(t.size()) * 200; });
    ASSERT_EQ(r.Rows.size(), 16u);
    ASSERT_EQ(r.Table.size(), 16u + 2 + 3);
    for (std::size_t i = 1; i <= 16; ++i) {
        EXPECT_EQ(r.Table[i][0], std::to_string(i));
        EXPECT_EQ(r.Table[i][2], "1");
    }
    EXPECT_EQ(r.Table[17], (Row{"", "TOTAL SHEETS", "99"}));
    EXPECT_EQ(r.Table[20][1], "Input POINT ");
}

TEST(BuildReport, OpenSeriesHeadingNamesTheScale) {
    Fixture f;
    SelectSeries(f.settings, Series::OpenSeries);
    SelectScale(f.settings, 1);
    f.settings.DataType = DataKind::Polyline;
    f.In({"H43", "G43"});
    const TextTable t = BuildReportTable(f.Input(), Monospace7());
    EXPECT_EQ(t[0][1], " Sheet Numbers of 1:1M Scale");
    EXPECT_EQ(t[1], (Row{"1", "G43", "1"}));
    EXPECT_EQ(t[2], (Row{"2", "H43", "1"}));
}

} // namespace
} // namespace sw
