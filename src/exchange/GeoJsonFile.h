#pragma once

// GeoJSON (RFC 7946) for scripts and GIS programs: the sheet grid as a
// FeatureCollection of one Polygon per cell, and a feature's vertices read from
// the first LineString or Polygon of a file through the GIS-layer reader.
// Coordinates are WGS 84 longitude, latitude in decimal degrees.

#include "coverage/SheetGrid.h"
#include "exchange/VertexTable.h"
#include "index/Settings.h"

#include <functional>
#include <string>

namespace sw {

// The grid as GeoJSON text: each cell a Polygon with its true corners, outer ring
// counter-clockwise (south-west, south-east, north-east, north-west, south-west),
// properties "sheet_no" and "in" (true for IN). With `inOnly` only IN cells.
std::string GeoJsonText(const Settings& s, const SheetGrid& g, bool inOnly);

// The same text handed to `put` a feature at a time, so that a grid of millions
// of cells never stands in memory whole.
void EmitGeoJson(const Settings& s, const SheetGrid& g, bool inOnly,
                 const std::function<void(std::string_view)>& put);

// Writes GeoJsonText to `path` (replace-on-success), streamed; FileError on failure.
void WriteGeoJsonFile(const std::string& path, const Settings& s, const SheetGrid& g, bool inOnly);

// Fills the table in decimal mode from the file's first feature with a geometry:
// a LineString gives every position, a Polygon its rings (holes included), each
// without its repeated closing position and each a part of its own. Sets
// t.VertexCount, t.IsPolygon and t.PartStartRows. Anything else (a file that is
// not GeoJSON, no feature, another geometry type) throws FileError naming the
// file and what is wrong, with the table unchanged.
void ReadGeoJsonFile(const std::string& path, VertexTable& t, char decimalSeparator);

} // namespace sw
