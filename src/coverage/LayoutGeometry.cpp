#include "coverage/LayoutGeometry.h"

#include "index/CheckedMath.h"

#include <algorithm>

namespace sw {

LayoutGeometry PlanLayout(const Settings& s, int32_t gridCols, int32_t gridRows) {
    LayoutGeometry geo;
    geo.CellHeight = s.SheetPixelHeight;
    geo.CellWidth = SheetPixelWidth(s);
    geo.ImageMargin = s.SheetPixelHeight;
    const int64_t w = geo.CellWidth;
    const int64_t z = geo.CellHeight;
    geo.ImageWidth = w * (static_cast<int64_t>(gridCols) + 2) + geo.ImageMargin;
    geo.ImageHeight = z * (static_cast<int64_t>(gridRows) + 2) + geo.ImageMargin;
    // The unrounded cell width plus half the margin, rounded once (zoom 65 in the
    // open 1:1M series gives round(97.5 + 32.5) = 130, not 98 + 33).
    geo.GridOriginX =
        RoundHalfEven(static_cast<double>(s.SheetWidthSec) / s.SheetHeightSec * geo.CellHeight +
                      geo.ImageMargin / 2.0);
    geo.GridOriginY = RoundHalfEven(geo.CellHeight + geo.ImageMargin / 2.0);
    geo.GridRightX = CheckedAdd(geo.GridOriginX, CheckedMul(geo.CellWidth, gridCols));
    geo.GridBottomY = CheckedAdd(geo.GridOriginY, CheckedMul(geo.CellHeight, gridRows));
    return geo;
}

SheetGrid LayoutFrame(const SheetGrid& g, const LayoutGeometry& geo) {
    SheetGrid frame;
    frame.GridWest = g.GridWest;
    frame.GridEast = g.GridEast;
    frame.GridNorth = g.GridNorth;
    frame.GridSouth = g.GridSouth;
    frame.GridCols = g.GridCols;
    frame.GridRows = g.GridRows;
    frame.SheetCount = g.SheetCount;
    frame.GridWestSec = g.GridWestSec;
    frame.GridNorthSec = g.GridNorthSec;
    frame.GridOriginX = geo.GridOriginX;
    frame.GridOriginY = geo.GridOriginY;
    frame.InSheetCount = g.InSheetCount;
    return frame;
}

int32_t CountInSheets(const SheetGrid& g) {
    const auto cells = static_cast<std::size_t>(
        std::max<int64_t>(0, static_cast<int64_t>(g.GridCols) * std::max(g.GridRows, 0)));
    const std::size_t n = std::min(cells, g.SheetList.size());
    int32_t count = 0;
    for (std::size_t i = 0; i < n; ++i) {
        count += g.SheetList[i].InFlag == 1 ? 1 : 0;
    }
    return count;
}

} // namespace sw
