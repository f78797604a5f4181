// A build without the Qt application has no painter and no font metrics: the
// picture, worksheet and report outputs are not offered.

#include "cli/CliCommon.h"
#include "cli/SheetsOutputs.h"

namespace sw::cli {

const std::vector<OutputOption>& LayoutOutputOptions() {
    static const std::vector<OutputOption> none;
    return none;
}

bool ReportAvailable() {
    return false;
}

void PrintReport(const SheetsResult&, std::ostream&) {
    throw UsageError("--report needs a build with the application (this one has none)");
}

} // namespace sw::cli
