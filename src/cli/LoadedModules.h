#pragma once

// The optional parts of the tool's binary, each loaded from its module on the
// first use: `number`, `extent` and `sheets` printing text never load GDAL, Qt
// or the workbook's libraries.

#include "exchange/Modules.h"

namespace sw::cli {

// Sets a source in `modules` for each part whose module the binary has (the
// renderer only where its module is found beside the binary or in the library
// folder). Nothing is loaded yet.
void LoadModulesOnFirstUse(Modules& modules);

} // namespace sw::cli
