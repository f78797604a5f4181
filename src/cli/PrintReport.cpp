#include "cli/ReportPrinting.h"
#include "report/SheetOrder.h"

#include <ostream>

namespace sw::cli {

void AppendTableRows(OutputBuffer& buf, const TextTable& rows) {
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (c > 0) {
                buf.Append('\t');
            }
            buf.Append(row[c]);
        }
        buf.Append('\n');
    }
}

void PrintReport(const SheetsResult& r, std::ostream& out) {
    const std::vector<SheetRec>& list = r.grid.SheetList;
    const std::vector<uint32_t> order = InSheetsInReportOrder(list);
    PrintGroupedReport(
        r, static_cast<uint32_t>(order.size()),
        [&](uint32_t k) { return list[order[k]].SheetNo.view(); }, out);
}

} // namespace sw::cli
