#pragma once

// Sheet grids built by hand, cell by cell, as the computation would leave them:
// tests of the drawing and the readout do not depend on the computation.

#include "coverage/Feature.h"
#include "coverage/SheetGrid.h"
#include "index/Convertions.h"
#include "index/Settings.h"
#include "index/SheetNumber.h"

#include <vector>

namespace sw::test {

// A grid of cols x rows sheets whose north-west corner is (westSec, northSec);
// `in` lists the IN cells by index.
inline SheetGrid MakeGrid(const Settings& s, int32_t westSec, int32_t northSec, int32_t cols,
                          int32_t rows, const std::vector<int>& in) {
    SheetGrid g;
    g.GridCols = cols;
    g.GridRows = rows;
    g.SheetCount = cols * rows;
    g.GridWestSec = westSec;
    g.GridNorthSec = northSec;
    g.GridWest = SecToDms(westSec);
    g.GridEast = SecToDms(westSec + cols * s.SheetWidthSec);
    g.GridNorth = SecToDms(northSec);
    g.GridSouth = SecToDms(northSec - rows * s.SheetHeightSec);
    g.SheetList.resize(static_cast<std::size_t>(g.SheetCount));
    for (int32_t r = 0; r < rows; ++r) {
        for (int32_t c = 0; c < cols; ++c) {
            SheetRec& rec = g.SheetList[static_cast<std::size_t>(r * cols + c)];
            rec.SheetNo = SheetNumber(s, SecToDms(westSec + c * s.SheetWidthSec),
                                      SecToDms(northSec - (r + 1) * s.SheetHeightSec));
            rec.X = c * SheetPixelWidth(s);
            rec.Y = r * s.SheetPixelHeight;
        }
    }
    for (int i : in) {
        g.SheetList[static_cast<std::size_t>(i)].InFlag = 1;
    }
    return g;
}

inline DmsAngle Dms(int d, int m, int sec = 0) {
    return DmsAngle{d, m, sec};
}

// The old 1:50,000 sheet 24°00'-24°15' N, 72°00'-72°15' E.
inline constexpr int32_t WestSec = 72 * 3600;
inline constexpr int32_t NorthSec = 24 * 3600 + 15 * 60;

} // namespace sw::test
