#pragma once

// The command line's optional parts linked into the process: what the in-process
// tests and the benchmarks run the tool with.

#include "exchange/Modules.h"

namespace sw::cli {

// The GIS backend and the workbook writer, and the renderer in a build with the
// application.
Modules LinkedCliModules();

} // namespace sw::cli
