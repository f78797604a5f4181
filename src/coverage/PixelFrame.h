#pragma once

// The layout pixel frame: X grows eastward, Y southward, the grid's north-west
// corner at (GridOriginX, GridOriginY), a cell SheetPixelWidth by SheetPixelHeight.
// The IN decision, the drawing, the pointer readout and the exporters all use it.

#include "coverage/Feature.h"
#include "coverage/SheetGrid.h"
#include "index/Settings.h"

namespace sw {

// Rounds to the nearest pixel (a half to even) from the vertex's exact position
// in minutes, fractions of a second included.
PixelPoint GeoToPixel(const Settings& s, const SheetGrid& g, const VertexRec& v);

// Back to whole seconds: the product first, then a division truncating toward zero.
VertexRec PixelToGeo(const Settings& s, const SheetGrid& g, int32_t x, int32_t y);

} // namespace sw
