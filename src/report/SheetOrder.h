#pragma once

// The order in which the report (and the command line's text output) lists the IN
// sheets: by number, ignoring letter case, equal numbers in list order. Each IN
// sheet is numbered once into an integer key whose order is that text order, so
// half a million sheets sort in milliseconds instead of through a folding string
// comparison per step.

#include "coverage/SheetGrid.h"

#include <cstdint>
#include <span>
#include <vector>

namespace sw {

// The indexes of the records whose InFlag is set, in report order: what a stable
// sort of their numbers by SheetNumberLess gives.
std::vector<uint32_t> InSheetsInReportOrder(std::span<const SheetRec> sheets);

} // namespace sw
