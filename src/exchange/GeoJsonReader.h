#pragma once

// A feature's vertices read from a GeoJSON file (WGS 84 longitude, latitude in
// decimal degrees) through the GIS-layer reader, into the vertex table.

#include "exchange/GisBackend.h"
#include "exchange/VertexTable.h"

#include <filesystem>
#include <string>

namespace sw {

// Fills the table in decimal mode from the file's first feature with a geometry:
// a LineString gives every position, a Polygon its rings (holes included), each
// without its repeated closing position and each a part of its own. Sets
// t.VertexCount, t.IsPolygon and t.PartStartRows. Anything else (a file that is
// not GeoJSON, no feature, another geometry type) throws FileError naming the
// file and what is wrong, with the table unchanged.
void ReadGeoJsonFile(const std::filesystem::path& path, VertexTable& t, char decimalSeparator,
                     const GisBackend& gis);

} // namespace sw
