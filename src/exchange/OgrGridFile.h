#pragma once

// The sheet grid in the vector formats GIS programs read, written through OGR:
// one polygon per cell (or per IN cell) in WGS 84 longitude/latitude with the
// fields sheet_no, in (boolean), series, scale (the denominator, an integer),
// west, south, east, north (decimal degrees) and, where the format keeps text as
// text, scale_name (the caption "1:50,000"; GeoJSON readers take that for a
// time of day). A GeoPackage also gets a second layer, "feature", holding the
// entered point, polyline or polygon.
//
// A dataset is written by OGR straight into a staging folder beside the target,
// in transactions of bounded size, and its files are then put in place as one
// set (SafeFile's FileSet): memory stays small however large the grid, and a
// failure or a second writer never leaves a mix of old and new files.

#include "exchange/OgrGridRequest.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace sw {

// The denominator of a scale caption: "1:50,000" gives 50000, "1:1M" 1000000;
// 0 when the caption is not a scale.
int64_t ScaleDenominator(std::string_view caption);

// Writes the dataset at `path` (a shapefile's name gets ".shp"), every file
// prepared before any replaces an existing one, the files put in place as one
// set. A CSV file gets its column types (".csvt") and coordinate system
// (".prj") beside it; a GML file its schema (".xsd"), which it names.
void WriteOgrGridFile(const std::filesystem::path& path, const OgrFormat& format,
                      const OgrGridRequest& request);

// The dataset of a streaming format handed to `put` in pieces as OGR writes it
// (the feature layer is not part of it). An exception from `put` ends the
// writing and is thrown again; a driver that cannot stream throws FileError.
void StreamOgrGrid(const OgrFormat& format, const OgrGridRequest& request,
                   const std::function<void(std::string_view)>& put);

} // namespace sw
