#include "cli/SheetsOutputs.h"

#include <ostream>

namespace sw::cli {

void PrintReport(const SheetsResult& r, std::ostream& out) {
    for (const auto& row : SheetsReportTable(r)) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            out << (c == 0 ? "" : "\t") << row[c];
        }
        out << '\n';
    }
}

} // namespace sw::cli
