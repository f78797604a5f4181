#pragma once

// The features of a GIS file in any vector format GDAL/OGR reads (shapefile,
// GeoPackage, GeoJSON, KML, KMZ, GPX, CSV with a WKT column or X/Y columns,
// FlatGeobuf, GML, DXF and the rest), each with its parts and their kinds,
// transformed to WGS 84 longitude/latitude and held in whole arc seconds as the
// vertex dialog's decimal mode holds them (through DecimalToDms).

#include "exchange/GisLayer.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace sw {

// Reads the file at `path`. Every refusal is a FileError "Cannot read "path": "
// and what is wrong: not a GIS file, no such layer, a bad filter, a layer
// without a coordinate system whose coordinates are not longitudes and
// latitudes, coordinates that do not transform, no feature with a geometry.
GisLayer ReadGisLayer(const std::filesystem::path& path, const GisLayerOptions& options);

// The same from bytes in memory (standard input, fuzzing); `name` is what the
// messages call it and its extension, when it has one, helps pick the format.
GisLayer ReadGisLayerBytes(std::string_view bytes, const std::string& name,
                           const GisLayerOptions& options);

} // namespace sw
