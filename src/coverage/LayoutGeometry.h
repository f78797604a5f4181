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

// The north-west corner of the block's cell in `row`, `col` (either may be -1
// or one past the last for the ring): the drawing, the highlight and the
// writers all place cells here, so no position needs to be stored per sheet.
inline PixelPoint CellCorner(const LayoutGeometry& geo, int32_t row, int32_t col) {
    return PixelPoint{geo.GridOriginX + col * geo.CellWidth,
                      geo.GridOriginY + row * geo.CellHeight};
}

// The grid's frame at the geometry's origin, without its sheet list: what
// GeoToPixel and PixelToGeo need to convert positions on that layout. The
// model's own grid is not touched, so any number of views can read it.
SheetGrid LayoutFrame(const SheetGrid& g, const LayoutGeometry& geo);

// The sheets of the block with InFlag 1, the "Total Sheets" of a layout,
// counted from the list whoever set the flags.
int32_t CountInSheets(const SheetGrid& g);

} // namespace sw
