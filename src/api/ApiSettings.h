#pragma once

// The public series and scale names turned into the core's settings, and the
// core's refusals turned into the one public error type.

#include "sheetwright/sheetwright.h"

#include "coverage/SheetGrid.h"
#include "index/Settings.h"

#include <string>

namespace sheetwright::detail {

// The core settings at `scale` of `series`; Error naming the valid scales.
sw::Settings SettingsFor(Series series, const std::string& scale);

// The degrees of a whole number of arc seconds.
double SecToDegrees(int32_t seconds);

// The extent of the cell at row `r` and column `c` of `g`, in degrees; the edges
// are summed in 64 bits so that no grid's far side can wrap.
Box CellBox(const sw::Settings& s, const sw::SheetGrid& g, int32_t r, int32_t c);

} // namespace sheetwright::detail
