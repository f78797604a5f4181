#pragma once

// Sheet corners in decimal degrees for the KML and shapefile writers. Positions
// come from the planned layout (PlanLayout), exactly where the grid drawing puts
// each cell, so a file saved before the layout was ever drawn, or after the
// image was refused, still matches the sheet list.

#include "coverage/Feature.h"
#include "coverage/LayoutGeometry.h"
#include "coverage/SheetGrid.h"
#include "index/Settings.h"

#include <cstddef>
#include <cstdint>

namespace sw {

struct DegreePoint {
    double Lon = 0; // X
    double Lat = 0; // Y
};

struct SheetBox {
    double West = 0, South = 0, East = 0, North = 0;
};

class SheetCorners {
public:
    SheetCorners(const Settings& s, const SheetGrid& g);
    // With the layout already planned for this grid and zoom (PlanLayout), so a
    // request that estimates and then writes plans once.
    SheetCorners(const Settings& s, const SheetGrid& g, const LayoutGeometry& plan);

    // For a grid given by its box alone, its sheet list never built (a mask of
    // millions of cells): every cell of the box has its place.
    static SheetCorners OfBox(const Settings& s, const SheetGrid& g);

    // Cells that have both a record and a place in the grid.
    std::size_t Count() const { return count_; }

    // The pixel position of cell k's north-west corner (row-major from the north-west).
    PixelPoint CellOrigin(std::size_t k) const;
    int32_t CellWidth() const { return geo_.CellWidth; }
    int32_t CellHeight() const { return geo_.CellHeight; }

    // PixelToGeo then DmsToDecimal on each axis: the arithmetic of a drawn layout.
    DegreePoint ToDegrees(int32_t x, int32_t y) const;

    SheetBox Box(std::size_t k) const;

private:
    const Settings& s_;
    LayoutGeometry geo_;
    SheetGrid frame_; // the grid's box with the planned origin, no sheet list
    std::size_t count_ = 0;
};

} // namespace sw
