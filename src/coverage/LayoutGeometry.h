#pragma once

// Pixel geometry of the layout image: the block of computed sheets, the ring of
// neighbouring sheets one cell wide around it, and half the margin outside that.
// The drawing and the KML and shapefile writers take sheet positions from here,
// so a saved file always matches what the layout shows.

#include "coverage/Feature.h"
#include "coverage/SheetGrid.h"
#include "index/Settings.h"

#include <cstdint>

namespace sw {

struct LayoutGeometry {
    int32_t CellWidth = 0;   // SheetPixelWidth
    int32_t CellHeight = 0;  // SheetPixelHeight
    int32_t ImageMargin = 0; // equal to SheetPixelHeight whenever an image is planned
    int64_t ImageWidth = 0;  // W * (GridCols + 2) + M
    int64_t ImageHeight = 0; // Z * (GridRows + 2) + M
    int32_t GridOriginX = 0; // round(SheetWidthSec / SheetHeightSec * Z + M / 2)
    int32_t GridOriginY = 0; // round(Z + M / 2)
    int32_t GridRightX = 0;  // GridOriginX + W * GridCols
    int32_t GridBottomY = 0; // GridOriginY + Z * GridRows
};

// Geometry for the grid's columns and rows at the zoom s.SheetPixelHeight. The
// image size is 64-bit so a huge grid is refused by its caller rather than
// overflowing; the origin and edges are overflow-checked.
LayoutGeometry PlanLayout(const Settings& s, int32_t gridCols, int32_t gridRows);

// Moves the grid's origin to the layout's and writes every record's X, Y with the
// same steps the grid drawing uses; also counts InSheetCount. After this the sheet
// positions are those of a drawn layout at this geometry.
void PlaceSheets(const LayoutGeometry& geo, SheetGrid& g);

// The geometry step of a layout image, run once per image before it is drawn:
// plans the layout at the settings' zoom, moves the grid's origin to it, writes
// every sheet's X, Y and InSheetCount (PlaceSheets) and, for a polygon, the
// feature's pixel points. The painter, the pointer readout and the writers then
// read these without changing them.
LayoutGeometry PlaceLayout(const Settings& s, Feature& f, SheetGrid& g);

} // namespace sw
