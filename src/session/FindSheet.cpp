#include "session/FindSheet.h"

#include "index/SheetExtent.h"
#include "index/SheetNumber.h"

namespace sw {

SheetRequest PlanFindSheet(const Settings& current, const std::string& number) {
    const SheetExtent e = FindSheetExtent(current.MapSeries, number);
    SheetRequest r;
    r.settings = current;
    SelectScale(r.settings, e.ScaleIndex);
    // Halving the span before adding keeps the sum in range and the point inside
    // the sheet, away from the edges shared with its neighbours.
    const int32_t lat = e.SouthSec + (e.NorthSec - e.SouthSec) / 2;
    const int32_t lon = e.WestSec + (e.EastSec - e.WestSec) / 2;
    r.feature = MakePointFeature(SecToDms(lat), SecToDms(lon));
    return r;
}

std::string ExampleSheetNumber(const Settings& current) {
    return SheetNumber(current, DmsAngle{77, 12, 30}, DmsAngle{28, 36, 30});
}

} // namespace sw
