#pragma once

// The sheet report as the report window shows it and the worksheet file holds
// it: headings, the grouped body with serial numbers, the total of IN sheets and
// a line naming the input.

#include "coverage/Feature.h"
#include "coverage/SheetGrid.h"
#include "exchange/TextTable.h"
#include "index/Settings.h"
#include "report/ReportColumns.h"
#include "report/ReportRows.h"

#include <string>
#include <vector>

namespace sw {

// What a report is built from; all of it is read, nothing is changed.
struct ReportInput {
    const Settings& settings;
    const SheetGrid& grid;     // SheetList and InSheetCount
    const Feature& feature;    // its first vertex names a point input
    std::string InputFileName; // 8-bit text, for a polyline or polygon input
};

struct Report {
    TextTable Table; // every row has three cells
    std::string Caption;
    std::vector<SheetListRec> Rows;
    ReportColumns Columns;
};

// "Total Sheets - " + InSheetCount + " at scale " + ScaleText.
std::string ReportCaption(const ReportInput& in);

// "Input POINT <lat> <long>" for the point data type, "Input POLYLINE <file>"
// for the other two. A point input without any vertex names no coordinates.
// Points read from a GIS file (a feature with parts) name the file instead:
// "Input POINT " + InputFileName.
std::string ReportInputLine(const ReportInput& in);

// The whole report. The table has max(4, body rows + 2) + 3 rows: row 0 the
// headings, then one row per body row, then "TOTAL SHEETS" with InSheetCount (the
// count of the grid drawing, not a sum of the rows), two empty rows and the input
// line. Without any IN sheet there is no body row and the total reads 0 rows
// later in the same places.
Report BuildReport(const ReportInput& in, const TextMeasure& measure, const ReportPage& page = {});

// The table of BuildReport alone.
TextTable BuildReportTable(const ReportInput& in, const TextMeasure& measure);

} // namespace sw
