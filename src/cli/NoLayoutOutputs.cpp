// A build without the renderer has no painter and no font metrics: the picture,
// worksheet and report outputs are not offered.

#include "cli/CliCommon.h"
#include "cli/SheetsOutputs.h"
#include "exchange/ReportFiles.h"

namespace sw::cli {

bool ReportAvailable() {
    return false;
}

void WriteLayoutPicture(PictureEncoding, const SheetsResult&, const std::string&) {
    throw UsageError("pictures need a build with the application (this one has none)");
}

TextTable SheetsReportTable(const SheetsResult&) {
    throw UsageError("--report needs a build with the application (this one has none)");
}

void WriteReportPdf(const SheetsResult&, const std::string&) {
    throw UsageError("the report needs a build with the application (this one has none)");
}

} // namespace sw::cli

#if defined(SHEETWRIGHT_XLSX_FROM_MODULE)
// Without the render module there is no report, and so no workbook of it.
std::string sw::ReportXlsxBytes(const TextTable&) {
    throw cli::UsageError("the report needs a build with the application (this one has none)");
}
#endif
