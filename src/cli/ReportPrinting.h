#pragma once

// The report as `--report` prints it (the table tab-separated, one row a line),
// written while its numbers are grouped: the body goes straight from the sorted
// sheet numbers into the output, with no table of strings in between, so the
// report costs little more than printing the numbers alone. The report window
// and the report files keep building the table (BuildReport); both roads group
// with the same SheetGrouping and the same headings and tail, so their text is
// the same byte for byte.

#include "cli/OutputBuffer.h"
#include "cli/SheetsOutputs.h"
#include "report/ReportRows.h"
#include "report/ReportTable.h"

#include <cstdint>
#include <ostream>
#include <string_view>

namespace sw::cli {

// The rows of a table, their cells joined by tabs, each ended by a line break.
void AppendTableRows(OutputBuffer& buf, const TextTable& rows);

// Prints the report of `r` whose IN sheet numbers `numberAt(k)` gives for k in
// [0, count) in report order (SheetNumberLess, stable). Each view must stay
// valid until the next call and its storage hold SheetNoText::Capacity
// readable bytes (a record's inline text, or a block of such numbers).
template <typename NumberAt>
void PrintGroupedReport(const SheetsResult& r, uint32_t count, NumberAt numberAt,
                        std::ostream& out) {
    const ReportInput in{r.settings, r.grid, r.feature, r.inputPath};
    const ReportColumns columns = FontReportColumns();
    OutputBuffer buf(out);
    AppendTableRows(buf, TextTable{ReportHeadings(in)});
    SheetGrouping grouping(GroupKeyLength(r.settings), columns.CharsPerLine);
    std::size_t rows = 0;
    int32_t inRow = 0; // the numbers of the row being written
    for (uint32_t k = 0; k < count; ++k) {
        const std::string_view s = numberAt(k);
        if (grouping.Add(s)) {
            if (rows > 0) {
                buf.Append('\t');
                buf.AppendNumber(inRow);
                buf.Append('\n');
            }
            ++rows;
            buf.AppendNumber(rows);
            buf.Append('\t');
        } else {
            buf.Append(',');
        }
        buf.AppendShort<SheetNoText::Capacity>(s);
        inRow = grouping.Count();
    }
    if (rows > 0) {
        buf.Append('\t');
        buf.AppendNumber(inRow);
        buf.Append('\n');
    }
    AppendTableRows(buf, ReportTail(in, rows));
    buf.Flush();
}

} // namespace sw::cli
