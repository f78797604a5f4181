#pragma once

// What the GIS backend writes the sheet grid from (exchange/GisBackend.h): the
// OGR driver and what goes into the dataset. Plain data, so the core and the
// command line build a request without GDAL.

#include "coverage/Coverage.h"
#include "coverage/Feature.h"
#include "coverage/LayoutGeometry.h"
#include "coverage/SheetGrid.h"
#include "index/Settings.h"

#include <functional>
#include <string>
#include <string_view>

namespace sw {

// An OGR driver and the extension its files take (the format registry lists them).
struct OgrFormat {
    std::string_view Driver;    // the driver's short name: "GPKG"
    std::string_view Extension; // lower case, with its dot: ".gpkg"
};

// One feature of a layer with the grid computed for it alone.
struct FeatureGrid {
    std::string Name; // what the "feature" field holds: its position or its id attribute
    SheetGrid Grid;
};

// Fills `next` with the following feature and returns true; false after the last.
using FeatureGridSource = std::function<bool(FeatureGrid& next)>;

struct OgrGridRequest {
    const Settings& settings;
    const SheetGrid& grid;
    const Feature* feature = nullptr; // the "feature" layer of a GeoPackage; none when null
    bool inOnly = false;
    // When set, `grid` is a box without a sheet list and these are its cells' IN
    // flags, row by row from the north-west: cells are numbered as they are
    // written, so a grid of millions of cells never has its records built.
    const CellFlags* in = nullptr;
    // When set, the sheet layer holds, feature after feature, the IN sheets of
    // each in the report's order, with a first field "feature"; `grid` is not used.
    FeatureGridSource perFeature{};
    // The layout planned for `grid` at the settings' zoom when the caller has
    // planned it already; null: planned here.
    const LayoutGeometry* plan = nullptr;
};

// Whether the driver writes feature after feature to a stream without going
// back: GeoJSON and CSV. Those are written with bounded memory, however large.
// (Asked before the GIS backend is needed: the command line then loads none.)
inline bool StreamsFeatures(const OgrFormat& format) {
    return format.Driver == "GeoJSON" || format.Driver == "CSV";
}

} // namespace sw
