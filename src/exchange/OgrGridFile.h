#pragma once

// The sheet grid in the vector formats GIS programs read, written through OGR:
// one polygon per cell (or per IN cell) in WGS 84 longitude/latitude with the
// fields sheet_no, in (boolean), series, scale, west, south, east, north
// (decimal degrees). A GeoPackage also gets a second layer, "feature", holding
// the entered point, polyline or polygon.

#include "coverage/Feature.h"
#include "coverage/SheetGrid.h"
#include "index/Settings.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sw {

// An OGR driver and the extension its files take (the format registry lists them).
struct OgrFormat {
    std::string_view Driver;    // the driver's short name: "GPKG"
    std::string_view Extension; // lower case, with its dot: ".gpkg"
};

struct OgrGridRequest {
    const Settings& settings;
    const SheetGrid& grid;
    const Feature* feature = nullptr; // the "feature" layer of a GeoPackage; none when null
    bool inOnly = false;
};

// The files the driver makes for a dataset called `fileName` (a bare name, no
// folder, any extension), each as its name and its bytes; a shapefile gives
// several, named after `fileName` with their own extensions. Throws FileError
// with OGR's reason when the driver is unknown or refuses.
std::vector<std::pair<std::string, std::string>> OgrGridFiles(const std::filesystem::path& fileName,
                                                              const OgrFormat& format,
                                                              const OgrGridRequest& request);

// Writes the dataset at `path` (a shapefile's name gets ".shp"), every file
// prepared before any replaces an existing one.
void WriteOgrGridFile(const std::filesystem::path& path, const OgrFormat& format,
                      const OgrGridRequest& request);

// Whether the driver writes feature after feature to a stream without going
// back: GeoJSON and CSV. Those are written with bounded memory, however large.
bool StreamsFeatures(const OgrFormat& format);

// The dataset of a streaming format handed to `put` in pieces as OGR writes it
// (the feature layer is not part of it). An exception from `put` ends the
// writing and is thrown again; a driver that cannot stream throws FileError.
void StreamOgrGrid(const OgrFormat& format, const OgrGridRequest& request,
                   const std::function<void(std::string_view)>& put);

} // namespace sw
