#pragma once

// The GIS module (sheetwright-gdal.so) that the command-line tool loads on the
// first GIS layer read or written: GDAL and its hundred-odd libraries come with
// it, so the commands that need no layer never load them.

#include "exchange/GisBackend.h"

// The module's one exported symbol: its backend, alive until the process ends.
extern "C" const sw::GisBackend* SheetwrightGdalModule();
