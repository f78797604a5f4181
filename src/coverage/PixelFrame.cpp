#include "coverage/PixelFrame.h"

#include "index/CheckedMath.h"

namespace sw {

PixelPoint GeoToPixel(const Settings& s, const SheetGrid& g, const VertexRec& v) {
    const int32_t w = SheetPixelWidth(s);
    // The whole seconds are subtracted exactly in integers first; a vertex
    // without fractions therefore lands on the very pixel it always has.
    const double dx = (static_cast<double>(CheckedSub(DmsToSec(v.Long), DmsToSec(g.GridWest))) +
                       static_cast<double>(v.LongFraction)) /
                      60.0;
    const double dy = (static_cast<double>(CheckedSub(DmsToSec(g.GridNorth), DmsToSec(v.Lat))) -
                       static_cast<double>(v.LatFraction)) /
                      60.0;
    const double fx = static_cast<double>(w) / (static_cast<double>(s.SheetWidthSec) / 60.0);
    const double fy =
        static_cast<double>(s.SheetPixelHeight) / (static_cast<double>(s.SheetHeightSec) / 60.0);
    return PixelPoint{CheckedAdd(RoundHalfEven(dx * fx), g.GridOriginX),
                      CheckedAdd(RoundHalfEven(dy * fy), g.GridOriginY)};
}

VertexRec PixelToGeo(const Settings& s, const SheetGrid& g, int32_t x, int32_t y) {
    const int32_t w = SheetPixelWidth(s);
    const int32_t lonSec =
        CheckedAdd(CheckedMul(CheckedSub(x, g.GridOriginX), s.SheetWidthSec) / w, g.GridWestSec);
    const int32_t latSec =
        CheckedAdd(CheckedMul(CheckedSub(g.GridOriginY, y), s.SheetHeightSec) / s.SheetPixelHeight,
                   g.GridNorthSec);
    return VertexRec{SecToDms(latSec), SecToDms(lonSec)};
}

} // namespace sw
