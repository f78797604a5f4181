#include "report/ReportColumns.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace sw {
namespace {

// A font in which every character is `w` pixels wide.
TextMeasure Monospace(int32_t w) {
    return [w](const std::string& t) { return static_cast<int32_t>(t.size()) * w; };
}

TEST(FitReportColumns, FixedColumnsTakeTheirHeadingsAndColumnOneTheRestOfThePage) {
    const ReportColumns c = FitReportColumns(Monospace(7));
    EXPECT_EQ(c.Widths[0], 7 * 7);  // " S.NO. "
    EXPECT_EQ(c.Widths[2], 17 * 7); // " Number of Sheets"
    EXPECT_EQ(c.Widths[1], 794 - 10 - 10 - 49 - 119);
    // 606 / 7 = 86.57
    EXPECT_EQ(c.CharsPerLine, 87);
}

TEST(FitReportColumns, CharsPerLineRoundsHalfToEven) {
    std::map<std::string, int32_t> widths{
        {" S.NO. ", 50}, {" Sheet Numbers ", 999}, {" Number of Sheets", 124}, {"A", 48}};
    const auto measure = [&](const std::string& t) { return widths.at(t); };
    ReportColumns c = FitReportColumns(measure);
    ASSERT_EQ(c.Widths[1], 600);   // the measured width of column 1 is not used
    EXPECT_EQ(c.CharsPerLine, 12); // 12.5
    widths["A"] = 80;
    c = FitReportColumns(measure);
    EXPECT_EQ(c.CharsPerLine, 8); // 7.5
}

TEST(FitReportColumns, ZeroWidthLetterAndOtherPagesStayFinite) {
    const ReportColumns c = FitReportColumns([](const std::string&) { return 0; });
    EXPECT_EQ(c.Widths[1], 774);
    EXPECT_EQ(c.CharsPerLine, 774);

    const ReportColumns wide = FitReportColumns(Monospace(100), ReportPage{1000, 0, 0});
    EXPECT_EQ(wide.Widths[1], 1000 - 700 - 1700);
    EXPECT_EQ(wide.CharsPerLine, -14);
}

} // namespace
} // namespace sw
