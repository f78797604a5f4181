#include "report/ReportFont.h"
#include "report/ReportColumns.h"
#include "report/ReportRows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sw {
namespace {

// The widths Tahoma 10 gives at 96 pixels per inch, unhinted: what the report
// window measured wherever the font was installed, now compiled in.
TEST(ReportFont, MeasuresTheReportTextsAsTahomaDoes) {
    EXPECT_EQ(MeasureReportText(" S.NO. "), 41);
    EXPECT_EQ(MeasureReportText(" Sheet Numbers "), 96);
    EXPECT_EQ(MeasureReportText(" Number of Sheets"), 107);
    EXPECT_EQ(MeasureReportText("A"), 8);
    // Advances add up in fractions of a pixel before the one rounding.
    EXPECT_EQ(MeasureReportText("53H/1,53H/2,53H/5"), 113);
    EXPECT_EQ(MeasureReportText("Input POLYLINE /data/route.txt"), 181);
    EXPECT_EQ(MeasureReportText(""), 0);
    // Controls and the soft hyphen take no room.
    EXPECT_EQ(MeasureReportText("A\t\xAD\x01"), 8);
}

TEST(ReportFont, FixesTheColumnsAndTheRowWrappingOfTheReport) {
    const ReportColumns c =
        FitReportColumns([](const std::string& t) { return MeasureReportText(t); });
    EXPECT_EQ(c.Widths[0], 41);
    EXPECT_EQ(c.Widths[1], 774 - 41 - 107);
    EXPECT_EQ(c.Widths[2], 107);
    EXPECT_EQ(c.CharsPerLine, 78); // 626 / 8 = 78.25

    // Sixteen numbers of one group: the row takes numbers until its text is past
    // 78 characters, then the group goes on in a row of its own.
    std::vector<std::string> numbers;
    for (int i = 1; i <= 16; ++i) {
        numbers.push_back("53H/" + std::to_string(i));
    }
    const std::vector<SheetListRec> rows = GroupSheetNumbers(numbers, 3, c.CharsPerLine);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].NumberOfSheets, 13); // 81 characters
    EXPECT_EQ(rows[1].SheetNumbers, "53H/14,53H/15,53H/16");
}

} // namespace
} // namespace sw
