// The entry of the render module that the command-line tool loads when a
// picture, the report or its worksheet is asked for.

#include "cli/RenderModule.h"
#include "exchange/ReportFiles.h"

extern "C" __attribute__((visibility("default"))) const sw::cli::RenderModule*
SheetwrightRenderModule() {
    static const sw::cli::RenderModule module{sw::cli::RenderLayoutPicture,
                                              sw::cli::RenderReportTable, sw::cli::RenderReportPdf,
                                              sw::ReportXlsxBytes};
    return &module;
}
