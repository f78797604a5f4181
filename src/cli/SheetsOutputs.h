#pragma once

// What `sheets` hands to its outputs, and the report (built by the core, with the
// report font's compiled-in widths). The outputs that draw the layout or the
// report's pages go to the program's renderer (exchange/Renderer.h), offered
// only where it has one.

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

// The report as the report window shows it, and its table alone.
Report SheetsReport(const SheetsResult& r);
TextTable SheetsReportTable(const SheetsResult& r);

// The report table as the report window shows it, tab-separated, one row a line.
void PrintReport(const SheetsResult& r, std::ostream& out);

} // namespace sw::cli
