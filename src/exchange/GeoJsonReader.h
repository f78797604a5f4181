#pragma once

// A feature's vertices read from a GeoJSON file (WGS 84 longitude, latitude in
// decimal degrees) through the GIS-layer reader.

#include "exchange/GisBackend.h"
#include "exchange/VertexList.h"

#include <filesystem>
#include <string>

namespace sw {

// The file's first feature with a geometry, rounded to whole seconds as the
// vertex files' positions always are (a GIS layer read as one keeps the exact
// positions): a LineString gives every position, a Polygon its rings
// (holes included), each without its repeated closing position and each a part
// of its own. Anything else (a file that is not GeoJSON, no feature, another
// geometry type) throws FileError naming the file and what is wrong.
VertexList ReadGeoJsonPositions(const std::filesystem::path& path, const GisBackend& gis);

} // namespace sw
