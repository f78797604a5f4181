// The entry of the render module that the command-line tool loads when a
// picture or a PDF is asked for.

#include "cli/RenderModule.h"

extern "C" __attribute__((visibility("default"))) const sw::cli::RenderModule*
SheetwrightRenderModule() {
    static const sw::cli::RenderModule module{sw::cli::RenderLayoutPicture,
                                              sw::cli::RenderReportPdf};
    return &module;
}
