// --report prints the report as it groups it, from the sheet list or from the IN
// mask; the report window and the report files build the table. The printed
// text must be that table, tab-separated, byte for byte: on shapes of both
// series at every scale, a point, wrapped groups and a request without any IN
// sheet.

#include "BothRoads.h"

#include "cli/ReportPrinting.h"
#include "cli/SheetsFormats.h"
#include "coverage/Coverage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>

namespace {

using sw::cli::SheetsResult;

std::string Joined(const sw::TextTable& table) {
    std::string text;
    for (const auto& row : table) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            text += c > 0 ? "\t" : "";
            text += row[c];
        }
        text += '\n';
    }
    return text;
}

std::vector<sw::VertexRec> Ring(int32_t lat0, int32_t lon0, int32_t size, int32_t n) {
    std::vector<sw::VertexRec> vs;
    for (int32_t i = 0; i < n; ++i) {
        const double a = 6.283185307179586 * i / n;
        const double k = 0.5 + 0.35 * std::sin(7 * a);
        vs.push_back(sw::VertexRec{
            sw::SecToDms(lat0 + static_cast<int32_t>(size * (0.5 + k * std::sin(a) / 2))),
            sw::SecToDms(lon0 + static_cast<int32_t>(size * (0.5 + k * std::cos(a) / 2)))});
    }
    return vs;
}

// The table's text beside what both printing roads give for the same request.
void ExpectPrintedAsTheTable(const sw::Settings& s, const sw::Feature& f, bool dropInSheets,
                             const std::string& what) {
    SheetsResult request;
    request.settings = s;
    request.inputPath = "/data/\xe0\xa4\xa8\xe0\xa4\x95\xe0\xa5\x8d\xe0\xa4\xb6\xe0\xa4\xbe.txt";
    auto [full, fromMask, mask] = sw::test::ComputeBothRoads(std::move(request), f);
    if (dropInSheets) {
        for (auto& rec : full.grid.SheetList) {
            rec.InFlag = 0;
        }
        std::fill(mask.In.begin(), mask.In.end(), uint8_t{0});
        full.grid.InSheetCount = 0;
        fromMask.grid.InSheetCount = 0;
    }
    const std::string table = Joined(sw::cli::SheetsReportTable(full));
    std::ostringstream a;
    std::ostringstream b;
    sw::cli::PrintReport(full, a);
    sw::cli::PrintReport(fromMask, mask.In, b);
    EXPECT_TRUE(a.str() == table) << what << "\n" << a.str() << "\n---\n" << table;
    EXPECT_TRUE(b.str() == table) << what;
}

TEST(ReportPrinting, PrintedReportIsTheTableOnEveryScaleAndShape) {
    for (const sw::Series series : {sw::Series::OldSeries, sw::Series::OpenSeries}) {
        for (int32_t scale = 1; scale <= 6; ++scale) {
            if (series == sw::Series::OldSeries && scale > 5) {
                continue;
            }
            const sw::Settings s = sw::SettingsAt(series, scale);
            // Some 60 by 60 sheets, long groups wrapped over several rows (at
            // "1:1M" capped to the index), and a line across group edges.
            const int32_t size = std::min(60 * s.SheetHeightSec, 8 * 3600);
            const std::string what = "series " + std::to_string(static_cast<int>(series)) +
                                     " scale " + std::to_string(scale);
            ExpectPrintedAsTheTable(
                s, sw::MakeVertexFeature(Ring(20 * 3600, 76 * 3600, size, 400), true), false,
                what + " polygon");
            ExpectPrintedAsTheTable(
                s, sw::MakeVertexFeature(Ring(20 * 3600, 76 * 3600, size, 30), false), false,
                what + " line");
            sw::Settings pointSettings = s;
            pointSettings.DataType = sw::DataKind::Point;
            ExpectPrintedAsTheTable(
                pointSettings,
                sw::MakePointFeature(sw::SecToDms(28 * 3600 + 2210), sw::SecToDms(77 * 3600 + 750)),
                false, what + " point");
        }
    }
}

TEST(ReportPrinting, ReportWithoutInSheetsIsTheEmptyTable) {
    const sw::Settings s = sw::SettingsAt(sw::Series::OpenSeries, 4);
    ExpectPrintedAsTheTable(s, sw::MakeVertexFeature(Ring(20 * 3600, 76 * 3600, 3600, 40), true),
                            true, "no IN sheet");
}

} // namespace
