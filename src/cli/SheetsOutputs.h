#pragma once

// What `sheets` hands to its outputs, the report (built by the core, with the
// report font's compiled-in widths), and the outputs that draw the layout or the
// report's pages with the application's painter. Those exist only in a build
// with the renderer; elsewhere they are not offered.

#include "coverage/Feature.h"
#include "coverage/SheetGrid.h"
#include "exchange/FormatRegistry.h"
#include "index/Settings.h"
#include "report/ReportTable.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace sw::cli {

// Everything an output action may need about the computed request.
struct SheetsResult {
    std::string seriesName; // "old" or "open", as given
    std::string inputPath;  // the vertex file as given (UTF-8), empty for a point
    Settings settings;
    Feature feature;
    SheetGrid grid;
    int32_t pictureZoom = 0; // the JPEG's and bitmap's zoom; 0: the settings'
};

// True when pictures and the report's PDF can be drawn (the build has the
// renderer).
bool RendererAvailable();

// Draws the layout of the result and writes it as `encoding` to `path`; a JPEG
// or bitmap gets its world file, ".prj" and ".aux.xml" beside it.
void WriteLayoutPicture(PictureEncoding encoding, const SheetsResult& r, const std::string& path);

// The report as the report window shows it, and its table alone.
Report SheetsReport(const SheetsResult& r);
TextTable SheetsReportTable(const SheetsResult& r);

// The report drawn on A4 pages as a PDF document at `path`.
void WriteReportPdf(const SheetsResult& r, const std::string& path);

// The report table as the report window shows it, tab-separated, one row a line.
void PrintReport(const SheetsResult& r, std::ostream& out);

} // namespace sw::cli
