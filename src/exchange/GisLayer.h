#pragma once

// A GIS layer as the program holds it once read: its features, each with its
// parts and their kinds in WGS 84 longitude/latitude, held in whole arc seconds
// as the vertex dialog's decimal mode holds them. Plain data: the reading itself
// (GDAL/OGR) is behind the GIS backend (exchange/GisBackend.h).

#include "coverage/Feature.h"
#include "exchange/InputLimits.h"
#include "index/Error.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sw {

struct GisLayerOptions {
    // By name; empty: every layer of a one-document format (KML, KMZ, GPX), the
    // first layer that holds features of any other source.
    std::string Layer;
    bool AllLayers = false; // every layer, one after the other
    std::string Where;      // one OGR attribute filter expression (no ';', no subquery)
    // URLs, /vsi paths, driver prefixes and the drivers that follow references to
    // other files or the network (VRT, WFS, ...): off unless the user asks.
    bool AllowRemote = false;
    // The most bytes the input may hold on disk, inflated or on standard input.
    uint64_t MaxBytes = DefaultMaxGisInputBytes;
    // Checked between features; when it turns true ReadGisLayer throws
    // GisReadCancelled.
    const std::atomic<bool>* Cancel = nullptr;
};

struct GisFeature {
    Feature Shape;        // parts of their own kinds; IsPolygon when any ring
    std::string Geometry; // its type as WKT names it: "POLYGON", "MULTILINESTRING"
    int32_t Position = 0; // 1-based among the features read, after the filter
    std::string Layer;
    // Every attribute as text, in the layer's field order; null fields empty.
    std::vector<std::pair<std::string, std::string>> Attributes;

    // The value of the named attribute (case-insensitive), or null when the
    // feature has no such field.
    const std::string* Attribute(std::string_view name) const;
};

struct GisLayer {
    std::string Path;
    std::vector<std::string> LayerNames; // the layers read
    // Layers holding features that were not read: the others of a source with
    // several when neither a layer nor every layer was asked for.
    std::vector<std::string> UnreadLayers;
    std::vector<GisFeature> Features; // in layer order; empty geometries left out
    int32_t SkippedEmpty = 0;         // features with an empty or null geometry
};

class GisReadCancelled : public Error {
public:
    GisReadCancelled() : Error(ErrorKind::Cancelled, "Reading cancelled") {}
};

// The sentence a caller prints when some features were left out:
// "2 features without a geometry were skipped", empty when none was.
std::string SkippedFeaturesNote(const GisLayer& layer);

} // namespace sw
