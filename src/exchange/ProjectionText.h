#pragma once

// A ".prj" file's coordinate system as OSR's user-input parser reads it: WKT1,
// ESRI WKT and WKT2 alike. The parser is part of the GIS backend; the core's
// shapefile reader asks it only for texts its own keyword test does not settle.

#include "exchange/GisBackend.h"

#include <string_view>

class OGRSpatialReference;

namespace sw {

// Geographic or Projected for a text the parser understands (a geocentric or
// engineering system counts as Projected: its coordinates are not degrees),
// Unknown for one it does not. Never reads a file or the network.
ProjectionKind ClassifyProjectionText(std::string_view text);

// The system the text describes into `srs`; false when it is not understood.
bool ParseProjectionText(std::string_view text, OGRSpatialReference& srs);

} // namespace sw
