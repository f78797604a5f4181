#pragma once

// The renderer of the command line's drawn outputs (pictures, the layout's and
// the report's PDF) on the application's painter: linked by the tests, and the
// render module (sheetwright-render.so) that the tool's binary loads on first
// use, so that every other command starts without Qt.

#include "exchange/Renderer.h"

namespace sw::cli {

class LayoutRenderer final : public Renderer {
public:
    void WriteLayoutPicture(PictureEncoding encoding, const RenderInput& in,
                            const std::filesystem::path& path) const override;
    void WriteReportPdf(const RenderInput& in, const std::filesystem::path& path) const override;
};

} // namespace sw::cli

// The module's one exported symbol: its renderer, alive until the process ends.
extern "C" const sw::Renderer* SheetwrightRenderModule();
