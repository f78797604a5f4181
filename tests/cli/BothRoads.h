#pragma once

// One request computed both ways the command line computes sheets: the whole
// grid with its sheet list, and the IN mask alone (the road of large grids).
// The outputs must not tell them apart.

#include "cli/SheetsFormats.h"
#include "coverage/Coverage.h"

#include <utility>

namespace sw::test {

struct BothRoads {
    cli::SheetsResult full;
    cli::SheetsResult fromMask; // its grid is the mask's; the flags are mask.In
    SheetMask mask;
};

// `request` holds what the outputs print besides the sheets (settings, series
// name, input path); its feature is `f`.
inline BothRoads ComputeBothRoads(cli::SheetsResult request, const Feature& f) {
    BothRoads r;
    r.full = std::move(request);
    r.full.feature = f;
    ComputeSheets(r.full.settings, r.full.feature, r.full.grid);
    r.fromMask = r.full;
    r.fromMask.feature = f;
    ComputeSheetMask(r.fromMask.settings, r.fromMask.feature, r.mask);
    r.fromMask.grid = std::move(r.mask.Grid);
    return r;
}

} // namespace sw::test
