#pragma once

// What `sheets` hands to its output actions, and the actions that draw the
// layout or build the report with the application's own painter and fonts. Those
// exist only in a build with the Qt application; elsewhere the list is empty and
// the report is unavailable.

#include "coverage/Feature.h"
#include "coverage/SheetGrid.h"
#include "index/Settings.h"

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace sw::cli {

// Everything an output action may need about the computed request.
struct SheetsResult {
    std::string seriesName; // "old" or "open", as given
    std::string inputPath;  // the vertex file, empty for a point
    Settings settings;
    Feature feature;
    SheetGrid grid;
};

// An output chosen on the command line: a flag taking a file name, and what to
// write there once the sheets are computed.
struct OutputOption {
    const char* flag;
    const char* help;
    std::function<void(const SheetsResult&, const std::string& path)> write;
};

// --jpeg, --bmp and --xls.
const std::vector<OutputOption>& LayoutOutputOptions();

// True when the report can be built (the build has the application's fonts).
bool ReportAvailable();

// The report table as the report window shows it, tab-separated, one row a line.
void PrintReport(const SheetsResult& r, std::ostream& out);

} // namespace sw::cli
