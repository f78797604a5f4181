#include "cli/PictureZoom.h"

#include "cli/CliCommon.h"
#include "coverage/LayoutGeometry.h"
#include "index/CheckedMath.h"

#include <ostream>

namespace sw::cli {

int64_t PicturePixels(const Settings& s, const SheetGrid& g, int32_t zoom) {
    Settings at = s;
    at.SheetPixelHeight = zoom;
    try {
        const LayoutGeometry geo = PlanLayout(at, g.GridCols, g.GridRows);
        if (geo.ImageWidth <= 0 || geo.ImageHeight <= 0 ||
            geo.ImageHeight > INT64_MAX / geo.ImageWidth) {
            return INT64_MAX;
        }
        return geo.ImageWidth * geo.ImageHeight;
    } catch (const IntegerOverflow&) {
        return INT64_MAX;
    }
}

int32_t LargestFittingZoom(const Settings& s, const SheetGrid& g, int64_t maxPixels, int32_t upTo) {
    for (int32_t zoom = upTo; zoom >= 1; --zoom) {
        if (PicturePixels(s, g, zoom) <= maxPixels) {
            return zoom;
        }
    }
    return 0;
}

namespace {

std::string Size(const Settings& s, const SheetGrid& g, int32_t zoom) {
    Settings at = s;
    at.SheetPixelHeight = zoom;
    try {
        const LayoutGeometry geo = PlanLayout(at, g.GridCols, g.GridRows);
        return std::to_string(geo.ImageWidth) + " x " + std::to_string(geo.ImageHeight) + " pixels";
    } catch (const IntegerOverflow&) {
        return "more pixels than can be counted";
    }
}

} // namespace

int32_t PictureZoom(const Settings& s, const SheetGrid& g, bool zoomGiven, int64_t maxPixels,
                    std::ostream& err) {
    const int32_t zoom = s.SheetPixelHeight;
    const int32_t fits = LargestFittingZoom(s, g, maxPixels, zoom);
    const std::string limit =
        "the limit of " + std::to_string(maxPixels) + " pixels (--max-pixels)";
    if (fits == 0) {
        throw InputError("a picture of this grid is past " + limit + " even at zoom 1 (" +
                         Size(s, g, 1) + ")");
    }
    if (fits == zoom) {
        return zoom;
    }
    if (zoomGiven) {
        throw InputError("a picture at zoom " + std::to_string(zoom) + " would be " +
                         Size(s, g, zoom) + ", past " + limit + "; zoom " + std::to_string(fits) +
                         " fits");
    }
    err << "sheetwright-cli: note: pictures drawn at zoom " << fits << " (" << Size(s, g, fits)
        << "): at zoom " << zoom << " they would be past " << limit << "\n";
    err.flush();
    return fits;
}

} // namespace sw::cli
