// The report of `sheets` (--report and the report files), built by the core with
// the report font's compiled-in widths: no toolkit is loaded for it.

#include "cli/SheetsOutputs.h"

#include "report/ReportFont.h"

namespace sw::cli {

Report SheetsReport(const SheetsResult& r) {
    // ComputeSheets has counted the IN sheets, as the drawing would. The path
    // came from the command line as UTF-8 and stays so in the report.
    const ReportInput in{r.settings, r.grid, r.feature, r.inputPath};
    return BuildReport(in, [](const std::string& text) { return MeasureReportText(text); });
}

TextTable SheetsReportTable(const SheetsResult& r) {
    return SheetsReport(r).Table;
}

} // namespace sw::cli
