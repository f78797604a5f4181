#include "report/ReportTable.h"

#include "index/Convertions.h"
#include "index/WindowsText.h"
#include "report/ReportFont.h"
#include "report/SheetOrder.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace sw {

namespace {

constexpr std::size_t ColumnCount = 3;
constexpr std::size_t MinRowsBeforeTotals = 4;
constexpr std::size_t TotalsRows = 3;

// The report of body rows grouped already.
Report AssembleReport(const ReportInput& in, const ReportColumns& columns,
                      std::vector<SheetListRec> rows) {
    Report r;
    r.Columns = columns;
    r.Rows = rows;
    r.Caption = ReportCaption(in);
    r.Table = ReportTableOf(in, std::move(rows));
    return r;
}

} // namespace

std::string ReportCaption(const ReportInput& in) {
    return "Total Sheets - " + std::to_string(in.grid.InSheetCount) + " at scale " +
           WindowsToUtf8(in.settings.ScaleText);
}

std::string ReportInputLine(const ReportInput& in) {
    std::string line = "Input ";
    if (in.settings.DataType == DataKind::Point && !in.feature.Parts.empty()) {
        // Points read from a GIS file (parts of their own kind): the file says
        // more than the first of them.
        line += "POINT " + in.InputFileName;
    } else if (in.settings.DataType == DataKind::Point) {
        line += "POINT ";
        if (!in.feature.Vertices.empty()) {
            const VertexRec& v = in.feature.Vertices.front();
            line += WindowsToUtf8(DmsToText(v.Lat) + " " + DmsToText(v.Long));
        }
    } else {
        line += "POLYLINE " + in.InputFileName;
    }
    return line;
}

Report BuildReport(const ReportInput& in, const TextMeasure& measure, const ReportPage& page) {
    const ReportColumns columns = FitReportColumns(measure, page);
    // Grouped straight from the records in report order: no copy of every IN
    // number is made on the way.
    const std::vector<SheetRec>& list = in.grid.SheetList;
    const std::vector<uint32_t> order = InSheetsInReportOrder(list);
    return AssembleReport(in, columns,
                          GroupSortedNumbers(
                              static_cast<uint32_t>(order.size()),
                              [&](uint32_t k) { return list[order[k]].SheetNo.view(); },
                              GroupKeyLength(in.settings), columns.CharsPerLine));
}

std::vector<std::string> ReportHeadings(const ReportInput& in) {
    return {" S.No.", " Sheet Numbers of " + WindowsToUtf8(in.settings.ScaleText) + " Scale",
            "Number of Sheets"};
}

TextTable ReportTail(const ReportInput& in, std::size_t bodyRows) {
    // The table has max(4, body rows + 2) + 3 rows; the tail starts after the
    // headings and the body.
    const std::size_t rowCount = std::max(MinRowsBeforeTotals, bodyRows + 2) + TotalsRows;
    TextTable tail(rowCount - bodyRows - 1, std::vector<std::string>(ColumnCount));
    tail[0][1] = "TOTAL SHEETS";
    tail[0][2] = std::to_string(in.grid.InSheetCount);
    tail[3][1] = ReportInputLine(in);
    return tail;
}

TextTable ReportTableOf(const ReportInput& in, std::vector<SheetListRec>&& rows) {
    const std::size_t body = rows.size();
    TextTable table;
    TextTable tail = ReportTail(in, body);
    table.reserve(1 + body + tail.size());
    table.push_back(ReportHeadings(in));
    for (std::size_t i = 0; i < body; ++i) {
        table.push_back({std::to_string(i + 1), std::move(rows[i].SheetNumbers),
                         std::to_string(rows[i].NumberOfSheets)});
    }
    std::move(tail.begin(), tail.end(), std::back_inserter(table));
    return table;
}

TextTable BuildReportTable(const ReportInput& in, const TextMeasure& measure) {
    return BuildReport(in, measure).Table;
}

Report BuildFontReport(const ReportInput& in) {
    return BuildReport(in, [](const std::string& text) { return MeasureReportText(text); });
}

} // namespace sw
