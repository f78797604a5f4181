// The printers of `sheets` against the plainest formatting of the same grid, on
// grids large enough to cross the output buffer's blocks and every decimal carry
// of the CSV counters.

#include "BothRoads.h"

#include "cli/SheetsFormats.h"
#include "coverage/Coverage.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cmath>
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

namespace {

using VertexRecList = std::vector<sw::VertexRec>;

VertexRecList Ring(int32_t lat0, int32_t lon0, int32_t size, int32_t n) {
    // A star-shaped ring with bays, n vertices, in seconds.
    VertexRecList vs;
    for (int32_t i = 0; i < n; ++i) {
        const double a = 6.283185307179586 * i / n;
        const double k = 0.5 + 0.35 * std::sin(5 * a) * std::cos(3 * a);
        vs.push_back(sw::VertexRec{
            sw::SecToDms(lat0 + static_cast<int32_t>(size * (0.5 + k * std::sin(a) / 2))),
            sw::SecToDms(lon0 + static_cast<int32_t>(size * (0.5 + k * std::cos(a) / 2)))});
    }
    return vs;
}

// Every printed form, and the report, from the full grid and from the IN mask alone.
void ExpectSameFromBothRoads(const sw::Settings& s, const sw::Feature& f, const std::string& what) {
    SheetsResult request;
    request.seriesName = s.MapSeries == sw::Series::OldSeries ? "old" : "open";
    request.settings = s;
    const auto [full, fromMask, mask] = sw::test::ComputeBothRoads(std::move(request), f);
    EXPECT_GT(full.grid.InSheetCount, 0) << what;
    using Writer = void (*)(const SheetsResult&, std::ostream&);
    using MaskWriter = void (*)(const SheetsResult&, const sw::CellFlags&, std::ostream&);
    const std::pair<Writer, MaskWriter> writers[] = {{sw::cli::WriteText, sw::cli::WriteText},
                                                     {sw::cli::WriteCsv, sw::cli::WriteCsv},
                                                     {sw::cli::WriteJson, sw::cli::WriteJson}};
    for (const auto& [fromGrid, fromFlags] : writers) {
        std::ostringstream a;
        std::ostringstream b;
        fromGrid(full, a);
        fromFlags(fromMask, mask.In, b);
        EXPECT_TRUE(a.str() == b.str()) << what;
    }
    // The report too, grouped and wrapped alike.
    EXPECT_TRUE(sw::cli::SheetsReportTable(full) == sw::cli::SheetsReportTable(fromMask, mask.In))
        << what;
}

TEST(SheetsFormats, MaskAndFullGridPrintTheSameBytes) {
    // Shapes over the middle of the index, across a cut-out and across its
    // north-east corner (cells numbered "#"), over 1:1M sheets that reach into
    // the index from a corner outside it (old 79, open zones 41 and 46), both
    // series, several scales, and a union of two far-apart features.
    const int32_t centres[][2] = {{24 * 3600, 78 * 3600},  {20 * 3600, 72 * 3600},
                                  {40 * 3600, 100 * 3600}, {21 * 3600, 89 * 3600},
                                  {30 * 3600, 64 * 3600},  {10 * 3600, 92 * 3600}};
    for (const sw::Series series : {sw::Series::OldSeries, sw::Series::OpenSeries}) {
        for (const int32_t scale : {1, 2, 4, 5, 6}) {
            if (series == sw::Series::OldSeries && scale > 5) {
                continue;
            }
            const sw::Settings s = sw::SettingsAt(series, scale);
            const int32_t size = std::min(40 * s.SheetHeightSec, 3 * 3600);
            for (const auto& c : centres) {
                const int32_t p[2] = {c[0] - size / 2, c[1] - size / 2};
                const std::string what = "series " + std::to_string(static_cast<int>(series)) +
                                         " scale " + std::to_string(scale) + " at " +
                                         std::to_string(p[0]) + "," + std::to_string(p[1]);
                ExpectSameFromBothRoads(s, sw::MakeVertexFeature(Ring(p[0], p[1], size, 300), true),
                                        what + " polygon");
                ExpectSameFromBothRoads(s, sw::MakeVertexFeature(Ring(p[0], p[1], size, 40), false),
                                        what + " line");
            }
            VertexRecList both = Ring(centres[0][0], centres[0][1], 6 * s.SheetHeightSec, 50);
            const VertexRecList far =
                Ring(centres[0][0] + 30 * s.SheetHeightSec, centres[0][1] + 20 * s.SheetWidthSec,
                     5 * s.SheetHeightSec, 50);
            both.insert(both.end(), far.begin(), far.end());
            sw::Feature u = sw::MakeVertexFeature(both, true);
            u.MemberStarts = {0, 50};
            ExpectSameFromBothRoads(s, u, "union at scale " + std::to_string(scale));
        }
    }
}

} // namespace
