#include "report/ReportTable.h"

#include "index/Convertions.h"
#include "index/WindowsText.h"

#include <algorithm>

namespace sw {

namespace {

constexpr std::size_t ColumnCount = 3;
constexpr std::size_t MinRowsBeforeTotals = 4;
constexpr std::size_t TotalsRows = 3;

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
    return AssembleReport(in, columns,
                          GroupSheetNumbers(SortedInSheets(in.grid.SheetList),
                                            GroupKeyLength(in.settings), columns.CharsPerLine));
}

Report AssembleReport(const ReportInput& in, const ReportColumns& columns,
                      std::vector<SheetListRec> rows) {
    Report r;
    r.Columns = columns;
    r.Rows = rows;
    r.Caption = ReportCaption(in);
    r.Table = ReportTableOf(in, std::move(rows));
    return r;
}

TextTable ReportTableOf(const ReportInput& in, std::vector<SheetListRec>&& rows) {
    const std::size_t body = rows.size();
    const std::size_t rowCount = std::max(MinRowsBeforeTotals, body + 2) + TotalsRows;
    TextTable table(rowCount, std::vector<std::string>(ColumnCount));

    table[0] = {" S.No.", " Sheet Numbers of " + WindowsToUtf8(in.settings.ScaleText) + " Scale",
                "Number of Sheets"};
    for (std::size_t i = 0; i < body; ++i) {
        auto& cells = table[i + 1];
        cells[0] = std::to_string(i + 1);
        cells[1] = std::move(rows[i].SheetNumbers);
        cells[2] = std::to_string(rows[i].NumberOfSheets);
    }
    const std::size_t total = body + 1;
    table[total][1] = "TOTAL SHEETS";
    table[total][2] = std::to_string(in.grid.InSheetCount);
    table[total + 3][1] = ReportInputLine(in);
    return table;
}

TextTable BuildReportTable(const ReportInput& in, const TextMeasure& measure) {
    return BuildReport(in, measure).Table;
}

} // namespace sw
