// The rendered outputs linked into the process itself (the in-process tests).

#include "cli/RenderModule.h"
#include "cli/SheetsOutputs.h"

namespace sw::cli {

bool RendererAvailable() {
    return true;
}

void WriteLayoutPicture(PictureEncoding encoding, const SheetsResult& r, const std::string& path) {
    RenderLayoutPicture(encoding, r, path);
}

void WriteReportPdf(const SheetsResult& r, const std::string& path) {
    RenderReportPdf(r, path);
}

} // namespace sw::cli
