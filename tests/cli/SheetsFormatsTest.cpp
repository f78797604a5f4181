// The printers of `sheets` against the plainest formatting of the same grid, on
// grids large enough to cross the output buffer's blocks and every decimal carry
// of the CSV counters.

#include "cli/SheetsFormats.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <sstream>
#include <string>

namespace {

using sw::SheetRec;
using sw::cli::SheetsResult;

SheetsResult Grid(int32_t cols, int32_t rows, const std::function<std::string(std::size_t)>& no) {
    SheetsResult r;
    r.seriesName = "open";
    r.settings = sw::SettingsAt(sw::Series::OpenSeries, 6);
    r.grid.GridCols = cols;
    r.grid.GridRows = rows;
    r.grid.SheetCount = cols * rows;
    r.grid.SheetList.resize(static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows));
    for (std::size_t i = 0; i < r.grid.SheetList.size(); ++i) {
        r.grid.SheetList[i].SheetNo = no(i);
        r.grid.SheetList[i].InFlag = i % 3 == 0 ? 0 : 1;
        r.grid.InSheetCount += r.grid.SheetList[i].InFlag;
    }
    return r;
}

TEST(SheetsFormats, CsvCountsIndexRowAndColumnThroughEveryCarry) {
    // 1,234 columns: the column passes 9, 99 and 999; 12 rows: the index passes 9,999.
    const SheetsResult r = Grid(1234, 12, [](std::size_t i) { return std::to_string(i % 97); });
    std::ostringstream out;
    sw::cli::WriteCsv(r, out);
    std::string expected;
    for (std::size_t i = 0; i < r.grid.SheetList.size(); ++i) {
        const SheetRec& rec = r.grid.SheetList[i];
        for (const std::string& field : {std::to_string(i), std::to_string(i / 1234),
                                         std::to_string(i % 1234), rec.SheetNo.str()}) {
            expected.append(field).append(",");
        }
        expected.append(rec.InFlag == 1 ? "IN\n" : "OUT\n");
    }
    EXPECT_EQ(out.str(), expected);
}

TEST(SheetsFormats, NumbersNeedingQuotesOrEscapesAreQuotedAndEscaped) {
    const char* odd[] = {"A,B", "say \"x\"", "back\\slash", "tab\there", "deg\xb0"};
    const SheetsResult r = Grid(5, 1, [&](std::size_t i) { return std::string(odd[i]); });
    std::ostringstream csv;
    sw::cli::WriteCsv(r, csv);
    EXPECT_EQ(csv.str(), "0,0,0,\"A,B\",OUT\n1,0,1,\"say \"\"x\"\"\",IN\n"
                         "2,0,2,back\\slash,IN\n3,0,3,tab\there,OUT\n4,0,4,deg\xb0,IN\n");
    std::ostringstream json;
    sw::cli::WriteJson(r, json);
    const auto doc = nlohmann::json::parse(json.str());
    ASSERT_EQ(doc["sheets"].size(), 5U);
    EXPECT_EQ(doc["sheets"][1][0], "say \"x\"");
    EXPECT_EQ(doc["sheets"][2][0], "back\\slash");
    EXPECT_EQ(doc["sheets"][3][0], "tab\there");
    EXPECT_EQ(doc["sheets"][4][0], "deg\xc2\xb0"); // the degree sign as UTF-8
    EXPECT_EQ(doc["in_count"], 3);
}

TEST(SheetsFormats, TextOfMegabytesOfLongNumbersComesOutWhole) {
    // 20-character numbers, over two megabytes: blocks end in the middle of numbers.
    const SheetsResult r = Grid(1000, 150, [](std::size_t i) {
        std::string s = std::to_string(1000000 + (i * 7919) % 150000);
        s.resize(20, 'x');
        return s;
    });
    std::ostringstream out;
    sw::cli::WriteText(r, out);
    std::vector<std::string> in;
    for (const SheetRec& rec : r.grid.SheetList) {
        if (rec.InFlag == 1) {
            in.push_back(rec.SheetNo.str());
        }
    }
    std::stable_sort(in.begin(), in.end());
    std::string expected;
    for (const auto& s : in) {
        expected.append(s).append("\n");
    }
    EXPECT_EQ(out.str().size(), expected.size());
    EXPECT_TRUE(out.str() == expected);
}

} // namespace
