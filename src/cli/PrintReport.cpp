#include "cli/OutputBuffer.h"
#include "cli/SheetsOutputs.h"

#include <ostream>

namespace sw::cli {

void PrintReport(const SheetsResult& r, std::ostream& out) {
    PrintReportTable(SheetsReportTable(r), out);
}

void PrintReportTable(const TextTable& table, std::ostream& out) {
    OutputBuffer buf(out);
    for (const auto& row : table) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (c > 0) {
                buf.Append('\t');
            }
            buf.Append(row[c]);
        }
        buf.Append('\n');
    }
    buf.Flush();
}

} // namespace sw::cli
