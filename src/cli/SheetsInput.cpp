#include "cli/SheetsInput.h"

#include "cli/CliCommon.h"

#include "coverage/FeatureUnion.h"
#include "exchange/ByteOrder.h"
#include "exchange/FileError.h"
#include "exchange/FormatRegistry.h"
#include "exchange/OpenVertexFile.h"
#include "exchange/SafeFile.h"
#include "exchange/ShapeFile.h"
#include "exchange/VertexConversion.h"
#include "exchange/VertexTable.h"

#include <CLI/CLI.hpp>

#include <cstdint>
#include <istream>
#include <iterator>
#include <map>
#include <utility>

namespace sw::cli {

namespace {

// Why a shapefile gave no vertex: its shapes are of a type that is not read, or
// its first shape is empty.
std::string UnreadShapesText(const std::string& path) {
    static const std::map<int32_t, const char*> names{
        {0, "null"},         {1, "point"},      {3, "polyline"},   {5, "polygon"},
        {8, "multipoint"},   {11, "PointZ"},    {13, "PolyLineZ"}, {15, "PolygonZ"},
        {18, "MultiPointZ"}, {21, "PointM"},    {23, "PolyLineM"}, {25, "PolygonM"},
        {28, "MultiPointM"}, {31, "MultiPatch"}};
    const InputFile file(path, ReadFailureText::CannotOpen, SIZE_MAX);
    const std::string header = file.Read(32, 4);
    const auto type = header.size() == 4 ? static_cast<int32_t>(GetLE32(header, 0)) : -1;
    const auto name = names.find(type);
    if (type == ShpPolyline || type == ShpPolygon || name == names.end()) {
        return "the shapefile \"" + path + "\" has no points in its first shape";
    }
    return "the shapefile \"" + path + "\" holds " + name->second + " shapes (type " +
           std::to_string(type) + "); only polyline (3) and polygon (5) shapes are read";
}

// A file as the vertex dialog opens it in its format, numbers written and read
// with '.'.
Feature ReadFormat(const InputFormat& format, const std::string& path, bool isPolygon) {
    VertexTable t;
    if (OpenVertexFile(format, path, t, '.') == OpenOutcome::NotReadNoPrj) {
        throw InputError("the shapefile \"" + path +
                         "\" has no \".prj\" beside it; without a geographic coordinate "
                         "system it is not read");
    }
    if (format.Id == "shapefile" && t.VertexCount == 0) {
        throw InputError(UnreadShapesText(path));
    }
    return TableToFeature(t, format.DecimalMode, '.', isPolygon);
}

// Where in the file a cell failed: a vertex file has one vertex a line. A KML
// file without a usable coordinate list leaves a negative count, which the
// dialog reports as a range check; here the reason is said.
std::string ConversionMessage(const std::string& path, const InputFormat& format,
                              const ConversionError& err) {
    if (err.Vertex == 0 && format.Id == "kml") {
        return "the KML file \"" + path +
               "\" holds no list of two or more coordinates (KML is read as UTF-8 or ASCII "
               "text; UTF-16 files are not read)";
    }
    std::string where = path;
    if (err.Vertex > 0) {
        where += (format.DecimalMode ? ", vertex " : ", line ") + std::to_string(err.Vertex);
    }
    return where + ": " + err.what();
}

} // namespace

std::string KnownExtensions() {
    std::string known;
    for (const InputFormat& f : InputFormats()) {
        for (const std::string_view ext : f.Extensions) {
            known += (known.empty() ? "" : ", ") + std::string(ext);
        }
    }
    return known;
}

Feature ReadFeatureFile(const std::string& path, bool isPolygon) {
    const InputFormat* format = InputFormatForPath(path);
    if (format == nullptr) {
        throw UsageError("cannot read '" + path + "': input files must end in " +
                         KnownExtensions());
    }
    try {
        // Missing, a folder, a FIFO or a device: said plainly before any reader
        // (or the shapefile's projection check) looks for something beside it.
        { const InputFile probe(path, ReadFailureText::CannotOpen, SIZE_MAX); }
        return ReadFormat(*format, path, isPolygon);
    } catch (const FileError& err) {
        throw InputError(err.what());
    } catch (const ConversionError& err) {
        throw InputError(ConversionMessage(path, *format, err));
    }
}

CLI::Option* AddLayerInputOptions(CLI::App& cmd, LayerInputOptions& o) {
    CLI::Option* input = cmd.add_option(
        "--input", o.path,
        "Every feature of a GIS file in any format GDAL reads (" + LayerExtensionsText() +
            ", ...; CSV with a WKT or X/Y columns), with its own kinds, reprojected to WGS 84; - "
            "reads GeoJSON, KML or CSV from standard input");
    cmd.add_option("--layer", o.layer.Layer,
                   "With --input: the layer to read (default: the first that holds features)")
        ->needs(input);
    cmd.add_flag("--all-layers", o.layer.AllLayers, "With --input: read every layer")->needs(input);
    cmd.add_option("--where", o.layer.Where,
                   "With --input: an attribute filter in OGR's SQL, e.g. \"STATE = 'Goa'\"")
        ->needs(input);
    cmd.add_option("--id-field", o.idField,
                   "With --per-feature: name each feature by this attribute instead of its "
                   "position")
        ->needs(input);
    cmd.add_flag("--per-feature", o.perFeature,
                 "With --input: each feature's IN sheets on its own grid (text: feature<TAB>sheet, "
                 "csv: feature,sheet, json: [{feature, sheets}]) instead of the union")
        ->needs(input);
    return input;
}

GisLayer ReadLayerInput(const LayerInputOptions& o, std::istream& in) {
    try {
        if (o.path == "-") {
            const std::string bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
            return ReadGisLayerBytes(bytes, "standard input", o.layer);
        }
        return ReadGisLayer(o.path, o.layer);
    } catch (const FileError& err) {
        throw InputError(err.what());
    }
}

Feature MergedFeature(const std::vector<GisFeature>& features) {
    std::vector<const Feature*> shapes;
    shapes.reserve(features.size());
    for (const GisFeature& gf : features) {
        shapes.push_back(&gf.Shape);
    }
    return UnionFeature(shapes);
}

} // namespace sw::cli
