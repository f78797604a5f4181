// The report of `sheets` (--report and the report files), built by the core with
// the report font's compiled-in widths: no toolkit is loaded for it.

#include "cli/SheetsOutputs.h"

namespace sw::cli {

Report SheetsReport(const SheetsResult& r) {
    // ComputeSheets has counted the IN sheets, as the drawing would. The path
    // came from the command line as UTF-8 and stays so in the report.
    return BuildFontReport(ReportInput{r.settings, r.grid, r.feature, r.inputPath});
}

TextTable SheetsReportTable(const SheetsResult& r) {
    return SheetsReport(r).Table;
}

} // namespace sw::cli
