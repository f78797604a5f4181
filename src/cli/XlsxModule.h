#pragma once

// The report's workbook writer (libxlsxwriter, with minizip and libcrypto) is a
// module of its own that the tool's binary loads only when a workbook is asked
// for: their relocations alone would cost a few milliseconds at every start, and
// the report itself needs no library at all.

#include "exchange/WorkbookWriter.h"

// The module's one exported symbol: its writer, alive until the process ends.
extern "C" const sw::WorkbookWriter* SheetwrightXlsxModule();
