// The entry of the render module that the command-line tool loads when a
// picture or a PDF is asked for.

#include "cli/RenderModule.h"

extern "C" __attribute__((visibility("default"))) const sw::Renderer* SheetwrightRenderModule() {
    static const sw::cli::LayoutRenderer renderer;
    return &renderer;
}
