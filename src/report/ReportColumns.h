#pragma once

// Column widths of the sheet report, laid out for a printed A4 page: the serial
// number and count columns take the width of their headings and the sheet
// number column takes the rest of the page. The text measuring is passed in so
// the window can use its real font and a batch run a fixed table.

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace sw {

// Width in pixels of an 8-bit text in the table font (10 points, regular).
using TextMeasure = std::function<int32_t(const std::string& text)>;

struct ReportPage {
    int32_t PageWidth = 794; // an A4 page at 96 pixels per inch
    int32_t LeftMargin = 10;
    int32_t RightMargin = 10;
};

struct ReportColumns {
    std::array<int32_t, 3> Widths{};
    // How many characters of sheet numbers a body row may reach before the next
    // number goes to a new row.
    int32_t CharsPerLine = 0;
};

// The texts whose widths fix columns 0, 1 and 2 (their blanks are part of them).
inline constexpr std::array<const char*, 3> ColumnMeasureTexts{" S.NO. ", " Sheet Numbers ",
                                                               " Number of Sheets"};

// Columns 0 and 2 get the width of their measuring text, column 1 the page width
// less the margins and those two; CharsPerLine is column 1 over the width of "A",
// rounded half to even. A font that measures "A" as nothing (or less) is taken as
// one pixel wide, so the count stays finite.
ReportColumns FitReportColumns(const TextMeasure& measure, const ReportPage& page = {});

// The columns measured with the report font's compiled-in widths (ReportFont.h),
// as every report made without a window is.
ReportColumns FontReportColumns();

} // namespace sw
