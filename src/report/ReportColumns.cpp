#include "report/ReportColumns.h"

#include "index/CheckedMath.h"
#include "report/ReportFont.h"

#include <algorithm>

namespace sw {

ReportColumns FitReportColumns(const TextMeasure& measure, const ReportPage& page) {
    ReportColumns cols;
    for (std::size_t i = 0; i < cols.Widths.size(); ++i) {
        cols.Widths[i] = measure(ColumnMeasureTexts[i]);
    }
    // Only column 1 is flexible; it takes what the other two leave of the page.
    const int64_t fixed = int64_t{cols.Widths[0]} + cols.Widths[2];
    cols.Widths[1] =
        CheckedNarrow(int64_t{page.PageWidth} - page.LeftMargin - page.RightMargin - fixed);
    const int32_t charWidth = std::max(measure("A"), 1);
    cols.CharsPerLine =
        RoundHalfEven(static_cast<double>(cols.Widths[1]) / static_cast<double>(charWidth));
    return cols;
}

ReportColumns FontReportColumns() {
    return FitReportColumns([](const std::string& text) { return MeasureReportText(text); });
}

} // namespace sw
