// Grid: the index itself as cells, every sheet overlapping a box. The cells are
// numbered by the same GridNumberer as the sheets of a feature, so a sheet has
// one number whichever way it is asked for.

#include "api/ApiSettings.h"

#include "coverage/CellNumbering.h"
#include "index/SheetNumber.h"

#include <algorithm>
#include <cmath>

namespace sheetwright {

std::vector<Cell> Grid(Series series, const std::string& scale, const Box& box) {
    const sw::Settings s = detail::SettingsFor(series, scale);
    if (!std::isfinite(box.West) || !std::isfinite(box.South) || !std::isfinite(box.East) ||
        !std::isfinite(box.North)) {
        throw Error("the box has an edge that is not a number");
    }
    if (box.West >= box.East || box.South >= box.North) {
        throw Error("the box is empty: west must lie below east and south below north");
    }
    // Whole sheets from the index's edges (no box reaches beyond them), aligned on
    // multiples of the sheet size from 0°; a sheet that only touches the box's
    // edge is left out.
    const double w = s.SheetWidthSec;
    const double h = s.SheetHeightSec;
    constexpr double IndexWest = sw::IndexWestSec / 3600.0; // whole degrees, exact
    constexpr double IndexEast = sw::IndexEastSec / 3600.0;
    constexpr double IndexSouth = sw::IndexSouthSec / 3600.0;
    constexpr double IndexNorth = sw::IndexNorthSec / 3600.0;
    const double west = std::max(box.West, IndexWest - w / 3600.0) * 3600.0;
    const double east = std::min(box.East, IndexEast + w / 3600.0) * 3600.0;
    const double south = std::max(box.South, IndexSouth - h / 3600.0) * 3600.0;
    const double north = std::min(box.North, IndexNorth + h / 3600.0) * 3600.0;
    if (west >= east || south >= north) {
        return {};
    }
    const auto c0 = static_cast<int64_t>(std::floor(west / w));
    const auto c1 = static_cast<int64_t>(std::ceil(east / w));
    const auto r0 = static_cast<int64_t>(std::floor(south / h));
    const auto r1 = static_cast<int64_t>(std::ceil(north / h));
    const int64_t cols = c1 - c0;
    const int64_t rows = r1 - r0;
    if (cols * rows > static_cast<int64_t>(MaxGridSheets)) {
        throw Error("the box holds " + std::to_string(cols * rows) + " sheets at " + scale +
                    ", more than " + std::to_string(MaxGridSheets) +
                    ": ask for a smaller box or a smaller scale");
    }
    sw::SheetGrid g;
    g.GridWestSec = static_cast<int32_t>(c0 * s.SheetWidthSec);
    g.GridNorthSec = static_cast<int32_t>(r1 * s.SheetHeightSec);
    g.GridCols = static_cast<int32_t>(cols);
    g.GridRows = static_cast<int32_t>(rows);
    const sw::GridNumberer numberer(s, g);
    std::vector<Cell> out;
    for (int32_t r = 0; r < g.GridRows; ++r) {
        for (int32_t c = 0; c < g.GridCols; ++c) {
            if (!numberer.Inside(r, c)) {
                continue;
            }
            Cell cell;
            cell.Number = numberer.Number(r, c);
            cell.In = true;
            cell.Extent = detail::CellBox(s, g, r, c);
            out.push_back(std::move(cell));
        }
    }
    return out;
}

} // namespace sheetwright
