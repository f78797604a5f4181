// The rendered outputs of the tool's binary: loaded from the render module on
// first use, so that `number`, `extent` and `sheets` without pictures or the
// report never load Qt.

#include "cli/CliCommon.h"
#include "cli/RenderModule.h"
#include "cli/SheetsOutputs.h"
#include "exchange/ModuleLoader.h"
#include "exchange/ReportFiles.h"

#include <string>

namespace sw::cli {

namespace {

const RenderModule& Module() {
    static const LoadedModule<RenderModule> module =
        LoadModule<RenderModule>(SHEETWRIGHT_RENDER_MODULE_NAME, SHEETWRIGHT_RENDER_MODULE_FROM_BIN,
                                 "SheetwrightRenderModule");
    if (module.table == nullptr) {
        throw InputError("the picture and report outputs cannot be loaded" +
                         (module.why.empty() ? std::string() : ": " + module.why));
    }
    return *module.table;
}

} // namespace

bool ReportAvailable() {
    return !FindModule(SHEETWRIGHT_RENDER_MODULE_NAME, SHEETWRIGHT_RENDER_MODULE_FROM_BIN).empty();
}

void WriteLayoutPicture(PictureEncoding encoding, const SheetsResult& r, const std::string& path) {
    Module().WritePicture(encoding, r, path);
}

TextTable SheetsReportTable(const SheetsResult& r) {
    return Module().ReportTable(r);
}

void WriteReportPdf(const SheetsResult& r, const std::string& path) {
    Module().WriteReportPdf(r, path);
}

} // namespace sw::cli

#if defined(SHEETWRIGHT_XLSX_FROM_MODULE)
// The binary does not link the workbook writer (src/exchange/CMakeLists.txt):
// the report's workbook is written by the render module's copy, which the
// report itself needs anyway.
std::string sw::ReportXlsxBytes(const TextTable& table) {
    return cli::Module().ReportXlsxBytes(table);
}
#endif
