#pragma once

// The report's workbook writer (libxlsxwriter, with minizip and libcrypto) is a
// module of its own that the tool's binary loads only when a workbook is asked
// for: their relocations alone would cost a few milliseconds at every start, and
// the report itself needs no library at all.

#include "exchange/TextTable.h"

#include <string>

namespace sw::cli {

struct XlsxModule {
    std::string (*ReportXlsxBytes)(const TextTable& table);
};

} // namespace sw::cli

// The module's one exported symbol.
extern "C" const sw::cli::XlsxModule* SheetwrightXlsxModule();
