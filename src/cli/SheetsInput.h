#pragma once

// The inputs of `sheets`: a vertex file read as the vertex dialog reads it, its
// kind forced by --polyline or --polygon, or a GIS layer (--input) whose features
// keep their own kinds.

#include "coverage/Feature.h"
#include "exchange/GisLayer.h"
#include "exchange/Modules.h"
#include "index/Settings.h"

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace CLI {
class App;
class Option;
} // namespace CLI

namespace sw::cli {

// The feature of the file at `path`, read by the registry's reader its extension
// names, a polygon or a polyline as asked, its parts kept apart. A file that cannot be
// read throws InputError naming it; an extension no reader knows throws
// UsageError listing the known ones.
Feature ReadFeatureFile(const std::string& path, bool isPolygon, const Modules& modules);

// ".txt, .shp, ...": the extensions every reader takes, for help and messages.
std::string KnownExtensions();

struct LayerInputOptions {
    std::string path; // "-" for standard input
    GisLayerOptions layer;
    std::string maxInput; // --max-input as given
    std::string idField;
    bool perFeature = false;
};

// --input, --layer, --all-layers, --where, --id-field and --per-feature; returns
// the --input option.
CLI::Option* AddLayerInputOptions(CLI::App& cmd, LayerInputOptions& o);

// The layer at o.path, or read from `in` for "-" (at most o.layer.MaxBytes, and
// text only: a NUL byte ends the reading at once). InputError naming the file
// when it cannot be read.
GisLayer ReadLayerInput(const LayerInputOptions& o, std::istream& in, const Modules& modules);

// The note printed when a source has other layers holding features than the one
// read: their names and the options that read them; empty when there are none.
std::string UnreadLayersNote(const GisLayer& layer);

// "2G", "500M", "64K" or a number of bytes, as --max-input takes it; nullopt for
// anything else or zero.
std::optional<uint64_t> ParseByteSize(const std::string& text);

// Every part of every feature, in order, as one feature: what the layout draws
// and the writers place for the union (coverage/FeatureUnion.h).
Feature MergedFeature(const std::vector<GisFeature>& features);

// DataTypeOf the merged feature, without merging: Polygon when any feature has
// a ring, else Polyline when any has a line, else Point.
DataKind MergedDataType(const std::vector<GisFeature>& features);

} // namespace sw::cli
