#pragma once

// The outputs of `sheets` that draw with the painter and measure with fonts
// (pictures, the report and its worksheet) need Qt. The tool's binary keeps Qt
// out of every other command by loading them from a module on first use; the
// module hands back this table.

#include "cli/SheetsOutputs.h"

#include "exchange/TextTable.h"

#include <string>

namespace sw::cli {

struct RenderModule {
    void (*WritePicture)(PictureEncoding encoding, const SheetsResult& r, const std::string& path);
    TextTable (*ReportTable)(const SheetsResult& r);
    void (*WriteReportPdf)(const SheetsResult& r, const std::string& path);
    // The report workbook, whose library the binary does not link either.
    std::string (*ReportXlsxBytes)(const TextTable& table);
};

// The renderer's own implementations, which the module exports and which
// in-process callers (the tests) link directly.
void RenderLayoutPicture(PictureEncoding encoding, const SheetsResult& r, const std::string& path);
TextTable RenderReportTable(const SheetsResult& r);
void RenderReportPdf(const SheetsResult& r, const std::string& path);

} // namespace sw::cli

// The module's one exported symbol.
extern "C" const sw::cli::RenderModule* SheetwrightRenderModule();
