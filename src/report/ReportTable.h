#pragma once

// The sheet report as the report window shows it and the worksheet file holds
// it: headings, the grouped body with serial numbers, the total of IN sheets and
// a line naming the input.
//
// Unlike the rest of the core's shown text, the report is UTF-8: its input line
// names a file, and a name in any script stays whole in the window, the printed
// report, CSV, the workbook and PDF. Only the BIFF worksheet, which holds
// Windows text, turns it back (WriteReportWorksheet), with '?' for what that
// character set lacks.

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
    std::string InputFileName; // UTF-8, for a polyline or polygon input
};

struct Report {
    TextTable Table;     // every row has three cells, UTF-8
    std::string Caption; // UTF-8
    std::vector<SheetListRec> Rows;
    ReportColumns Columns;
};

// "Total Sheets - " + InSheetCount + " at scale " + ScaleText, in UTF-8.
std::string ReportCaption(const ReportInput& in);

// "Input POINT <lat> <long>" for the point data type, "Input POLYLINE <file>"
// for the other two, in UTF-8 (the degree sign as two bytes). A point input without any vertex
// names no coordinates. Points read from a GIS file (a feature with parts) name the file instead:
// "Input POINT " + InputFileName.
std::string ReportInputLine(const ReportInput& in);

// The whole report. The table has max(4, body rows + 2) + 3 rows: row 0 the
// headings, then one row per body row, then "TOTAL SHEETS" with InSheetCount (the
// count of the grid drawing, not a sum of the rows), two empty rows and the input
// line. Without any IN sheet there is no body row and the total reads 0 rows
// later in the same places.
Report BuildReport(const ReportInput& in, const TextMeasure& measure, const ReportPage& page = {});

// The report measured with the report font's compiled-in widths (ReportFont.h),
// as every report made without a window is: no toolkit is loaded for it.
Report BuildFontReport(const ReportInput& in);

// The row of headings: " S.No.", " Sheet Numbers of " + ScaleText + " Scale",
// "Number of Sheets".
std::vector<std::string> ReportHeadings(const ReportInput& in);

// The rows that follow `bodyRows` body rows, to the table's end: "TOTAL SHEETS"
// with InSheetCount, two empty rows and the input line, then the empty rows
// that make a short table up to its least size. For a caller that writes the
// body as it groups it (the command line's --report); ReportTableOf is the
// headings, the body and these.
TextTable ReportTail(const ReportInput& in, std::size_t bodyRows);

// The table of body rows grouped already (GroupSortedNumbers with GroupKeyLength
// and the columns' CharsPerLine), its body texts moved out of `rows`.
TextTable ReportTableOf(const ReportInput& in, std::vector<SheetListRec>&& rows);

// The table of BuildReport alone.
TextTable BuildReportTable(const ReportInput& in, const TextMeasure& measure);

} // namespace sw
