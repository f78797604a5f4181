#pragma once

// The optional parts linked into the program itself: the GIS backend on GDAL and
// the workbook writer on libxlsxwriter (the application, the tests, the tools
// built beside them). The renderer is added by whoever links it.

#include "exchange/Modules.h"

namespace sw {

Modules LinkedModules();

} // namespace sw
