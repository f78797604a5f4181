// A build without the renderer has no painter: the pictures and PDFs are not
// offered (the report and its files are the core's own).

#include "cli/CliCommon.h"
#include "cli/SheetsOutputs.h"

namespace sw::cli {

bool RendererAvailable() {
    return false;
}

void WriteLayoutPicture(PictureEncoding, const SheetsResult&, const std::string&) {
    throw UsageError("pictures need a build with the application (this one has none)");
}

void WriteReportPdf(const SheetsResult&, const std::string&) {
    throw UsageError("the report's PDF needs a build with the application (this one has none)");
}

} // namespace sw::cli
