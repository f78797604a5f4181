// The rendered outputs of the tool's binary: loaded from the render module on
// first use, so that `number`, `extent` and `sheets` without pictures or PDFs
// never load Qt.

#include "cli/CliCommon.h"
#include "cli/RenderModule.h"
#include "cli/SheetsOutputs.h"
#include "exchange/ModuleLoader.h"

#include <string>

namespace sw::cli {

namespace {

const RenderModule& Module() {
    static const LoadedModule<RenderModule> module =
        LoadModule<RenderModule>(SHEETWRIGHT_RENDER_MODULE_NAME, SHEETWRIGHT_RENDER_MODULE_FROM_BIN,
                                 "SheetwrightRenderModule");
    if (module.table == nullptr) {
        throw InputError("the picture and PDF outputs cannot be loaded" +
                         (module.why.empty() ? std::string() : ": " + module.why));
    }
    return *module.table;
}

} // namespace

bool RendererAvailable() {
    return !FindModule(SHEETWRIGHT_RENDER_MODULE_NAME, SHEETWRIGHT_RENDER_MODULE_FROM_BIN).empty();
}

void WriteLayoutPicture(PictureEncoding encoding, const SheetsResult& r, const std::string& path) {
    Module().WritePicture(encoding, r, path);
}

void WriteReportPdf(const SheetsResult& r, const std::string& path) {
    Module().WriteReportPdf(r, path);
}

} // namespace sw::cli
