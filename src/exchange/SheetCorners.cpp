#include "exchange/SheetCorners.h"

#include "coverage/PixelFrame.h"
#include "index/CheckedMath.h"
#include "index/Convertions.h"

#include <algorithm>

namespace sw {

SheetCorners::SheetCorners(const Settings& s, const SheetGrid& g)
    : SheetCorners(s, g, PlanLayout(s, g.GridCols, g.GridRows)) {}

SheetCorners::SheetCorners(const Settings& s, const SheetGrid& g, const LayoutGeometry& plan)
    : s_(s), geo_(plan), frame_(LayoutFrame(g, plan)) {
    if (g.GridCols > 0 && g.GridRows > 0 && geo_.CellWidth > 0 && geo_.CellHeight > 0) {
        const std::size_t cells =
            static_cast<std::size_t>(g.GridCols) * static_cast<std::size_t>(g.GridRows);
        count_ = std::min(cells, g.SheetList.size());
    }
}

SheetCorners SheetCorners::OfBox(const Settings& s, const SheetGrid& g) {
    SheetCorners corners(s, g);
    if (g.GridCols > 0 && g.GridRows > 0 && corners.geo_.CellWidth > 0 &&
        corners.geo_.CellHeight > 0) {
        corners.count_ =
            static_cast<std::size_t>(g.GridCols) * static_cast<std::size_t>(g.GridRows);
    }
    return corners;
}

PixelPoint SheetCorners::CellOrigin(std::size_t k) const {
    const auto cols = static_cast<std::size_t>(frame_.GridCols);
    const auto c = static_cast<int32_t>(k % cols);
    const auto r = static_cast<int32_t>(k / cols);
    return PixelPoint{CheckedAdd(geo_.GridOriginX, CheckedMul(c, geo_.CellWidth)),
                      CheckedAdd(geo_.GridOriginY, CheckedMul(r, geo_.CellHeight))};
}

DegreePoint SheetCorners::ToDegrees(int32_t x, int32_t y) const {
    const VertexRec v = PixelToGeo(s_, frame_, x, y);
    return DegreePoint{DmsToDecimal(v.Long), DmsToDecimal(v.Lat)};
}

SheetBox SheetCorners::Box(std::size_t k) const {
    const PixelPoint o = CellOrigin(k);
    const DegreePoint nw = ToDegrees(o.X, o.Y);
    const DegreePoint se =
        ToDegrees(CheckedAdd(o.X, geo_.CellWidth), CheckedAdd(o.Y, geo_.CellHeight));
    return SheetBox{nw.Lon, se.Lat, se.Lon, nw.Lat};
}

} // namespace sw
