// Extent: the reverse lookup of a sheet number, with its neighbours.

#include "api/ApiSettings.h"

#include "index/SheetExtent.h"
#include "index/SheetNumber.h"

namespace sheetwright {

SheetInfo Extent(const std::string& number, Series series) {
    const sw::Settings any = detail::SettingsFor(series, "1:1M");
    sw::SheetExtent e;
    try {
        e = sw::FindSheetExtent(any.MapSeries, number);
    } catch (const sw::UnknownSheetError& err) {
        throw Error(err.what());
    }
    SheetInfo info;
    info.Number = number;
    info.Scale = sw::ScaleCaptions(any.MapSeries).at(static_cast<std::size_t>(e.ScaleIndex - 1));
    info.Extent = {detail::SecToDegrees(e.WestSec), detail::SecToDegrees(e.SouthSec),
                   detail::SecToDegrees(e.EastSec), detail::SecToDegrees(e.NorthSec)};
    const auto neighbours = sw::NeighbourSheetNumbers(any.MapSeries, e);
    for (std::size_t i = 0; i < neighbours.size(); ++i) {
        info.Neighbours[i] = neighbours[i] == sw::OutsideSheetNo ? std::string() : neighbours[i];
    }
    return info;
}

} // namespace sheetwright
