#include "coverage/LayoutGeometry.h"

#include "coverage/PixelFrame.h"
#include "index/CheckedMath.h"

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

void PlaceSheets(const LayoutGeometry& geo, SheetGrid& g) {
    g.GridOriginX = geo.GridOriginX;
    g.GridOriginY = geo.GridOriginY;
    g.InSheetCount = 0;
    std::size_t i = 0;
    int32_t y = geo.GridOriginY;
    for (int32_t r = 0; r < g.GridRows; ++r) {
        int32_t x = geo.GridOriginX;
        for (int32_t c = 0; c < g.GridCols && i < g.SheetList.size(); ++c, ++i) {
            SheetRec& rec = g.SheetList[i];
            rec.X = x;
            rec.Y = y;
            if (rec.InFlag == 1) {
                ++g.InSheetCount;
            }
            x += geo.CellWidth;
        }
        y += geo.CellHeight;
    }
}

LayoutGeometry PlaceLayout(const Settings& s, Feature& f, SheetGrid& g) {
    const LayoutGeometry geo = PlanLayout(s, g.GridCols, g.GridRows);
    PlaceSheets(geo, g);
    // Only a polygon's fill is drawn from the recorded points; a line is drawn
    // from the vertices themselves.
    if (f.IsPolygon == 1) {
        ComputeFeaturePoints(s, f, g);
    }
    return geo;
}

} // namespace sw
