#include "report/ReportFont.h"

#include "report/ReportFontTable.inc"

namespace sw {

int32_t MeasureReportText(std::string_view text) {
    int64_t sum = 0;
    for (const char ch : text) {
        sum += report_font::Advances64[static_cast<unsigned char>(ch)];
    }
    // 1/64 pixel to whole pixels, a half up; a text of billions of characters
    // would not fit a column anyway.
    const int64_t pixels = (sum + 32) / 64;
    return pixels > INT32_MAX ? INT32_MAX : static_cast<int32_t>(pixels);
}

} // namespace sw
