#pragma once

// The outputs of `sheets` that draw with the painter (pictures, the layout's
// and the report's PDF) need Qt. The tool's binary keeps Qt out of every other
// command, the report included, by loading them from a module on first use;
// the module hands back this table.

#include "cli/SheetsOutputs.h"

#include <string>

namespace sw::cli {

struct RenderModule {
    void (*WritePicture)(PictureEncoding encoding, const SheetsResult& r, const std::string& path);
    void (*WriteReportPdf)(const SheetsResult& r, const std::string& path);
};

// The renderer's own implementations, which the module exports and which
// in-process callers (the tests) link directly.
void RenderLayoutPicture(PictureEncoding encoding, const SheetsResult& r, const std::string& path);
void RenderReportPdf(const SheetsResult& r, const std::string& path);

} // namespace sw::cli

// The module's one exported symbol.
extern "C" const sw::cli::RenderModule* SheetwrightRenderModule();
