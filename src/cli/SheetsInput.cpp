#include "cli/SheetsInput.h"

#include "cli/CliCommon.h"

#include "coverage/FeatureUnion.h"
#include "exchange/ByteOrder.h"
#include "exchange/FileError.h"
#include "exchange/FileReading.h"
#include "exchange/FormatRegistry.h"
#include "exchange/GisBackend.h"
#include "exchange/InputLimits.h"
#include "exchange/MessageText.h"
#include "exchange/SafeFile.h"
#include "exchange/ShapeFile.h"
#include "exchange/VertexConversion.h"
#include "exchange/VertexList.h"
#include "exchange/VertexTable.h"

#include <CLI/CLI.hpp>

#include <cstdint>
#include <istream>
#include <map>
#include <utility>
#include <variant>

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

// A file as the vertex dialog opens it in its format and OK takes it, numbers
// read with '.'. A file that stores numbers gives them straight to the feature;
// a text file is converted cell by cell.
Feature ReadFormat(const InputFormat& format, const std::string& path, bool isPolygon,
                   const Modules& modules) {
    if (const auto* text = std::get_if<ReadsText>(&format.Read)) {
        VertexTable t;
        SetGrid(t, format.DecimalMode);
        text->Read(path, t);
        return TableToFeature(t, format.DecimalMode, '.', isPolygon);
    }
    VertexList list;
    if (std::get<ReadsNumbers>(format.Read).Read(path, list, modules) ==
        OpenOutcome::NotReadNoPrj) {
        throw InputError("the shapefile \"" + path +
                         "\" has no \".prj\" beside it; without a geographic coordinate "
                         "system it is not read");
    }
    if (format.Id == "shapefile" && list.Positions.empty()) {
        throw InputError(UnreadShapesText(path));
    }
    return VertexListToFeature(list, isPolygon);
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

Feature ReadFeatureFile(const std::string& path, bool isPolygon, const Modules& modules) {
    const InputFormat* format = InputFormatForPath(path);
    if (format == nullptr) {
        throw UsageError("cannot read '" + path + "': input files must end in " +
                         KnownExtensions());
    }
    try {
        // Missing, a folder, a FIFO or a device: said plainly before any reader
        // (or the shapefile's projection check) looks for something beside it.
        { const InputFile probe(path, ReadFailureText::CannotOpen, SIZE_MAX); }
        return ReadFormat(*format, path, isPolygon, modules);
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
                   "With --input: the layer to read (default: every layer of a KML, KMZ or GPX "
                   "file, the first that holds features of any other source)")
        ->needs(input);
    cmd.add_flag("--all-layers", o.layer.AllLayers, "With --input: read every layer")->needs(input);
    cmd.add_option("--where", o.layer.Where,
                   "With --input: one attribute filter expression in OGR's SQL, e.g. \"STATE = "
                   "'Goa'\" (no ';', no subquery)")
        ->needs(input);
    cmd.add_flag("--allow-remote", o.layer.AllowRemote,
                 "With --input: also read URLs, /vsi paths, driver prefixes and the formats "
                 "that follow references to other files or the network (VRT, WFS, ...); off by "
                 "default, and GDAL makes no network request")
        ->needs(input);
    cmd.add_option("--max-input", o.maxInput,
                   "With --input: the most bytes the input may hold on disk, inflated or on "
                   "standard input, e.g. 500M or 4G (default 2G)")
        ->needs(input)
        ->check([](const std::string& text) {
            return ParseByteSize(text) ? std::string()
                                       : "a size such as 500M, 4G or a number of bytes";
        });
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

namespace {

// Standard input in blocks, stopped at once past the limit or at a NUL byte in
// text: GeoJSON, KML, GPX, GML and CSV never hold one, and /dev/zero or a disk
// image piped in must not be held whole first. A GeoPackage or FlatGeobuf file
// starts with its own signature and is read whole.
std::string ReadStandardInput(std::istream& in, uint64_t limit) {
    std::string bytes;
    std::string block(std::size_t{1} << 16, '\0');
    bool binary = false;
    bool first = true;
    while (in) {
        in.read(block.data(), static_cast<std::streamsize>(block.size()));
        const auto got = static_cast<std::size_t>(in.gcount());
        if (got == 0) {
            break;
        }
        const std::string_view piece(block.data(), got);
        if (first) {
            binary = piece.rfind(std::string_view("SQLite format 3\0", 16), 0) == 0 ||
                     piece.rfind("fgb\x03", 0) == 0 || piece.rfind("PK\x03\x04", 0) == 0;
            first = false;
        }
        if (!binary && piece.find('\0') != std::string_view::npos) {
            throw InputError("Cannot read \"standard input\": it holds binary data (a NUL "
                             "byte); GeoJSON, KML, GPX, GML or CSV text, a GeoPackage, a "
                             "FlatGeobuf or a KMZ file is read from standard input");
        }
        if (bytes.size() + got > limit) {
            throw InputError("Cannot read \"standard input\": it holds more than " +
                             ByteLimitText(limit) +
                             ", the most a GIS input may hold (--max-input changes it)");
        }
        bytes.append(piece);
    }
    return bytes;
}

} // namespace

std::optional<uint64_t> ParseByteSize(const std::string& text) {
    if (text.empty() || text.size() > 20) {
        return std::nullopt;
    }
    uint64_t value = 0;
    std::size_t i = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value > (UINT64_MAX - 9) / 10) {
            return std::nullopt;
        }
        value = value * 10 + static_cast<uint64_t>(text[i] - '0');
    }
    if (i == 0) {
        return std::nullopt;
    }
    int shift = 0;
    if (i + 1 == text.size()) {
        switch (text[i]) {
        case 'K':
        case 'k':
            shift = 10;
            break;
        case 'M':
        case 'm':
            shift = 20;
            break;
        case 'G':
        case 'g':
            shift = 30;
            break;
        default:
            return std::nullopt;
        }
    } else if (i != text.size()) {
        return std::nullopt;
    }
    if (value == 0 || value > (UINT64_MAX >> shift)) {
        return std::nullopt;
    }
    return value << shift;
}

GisLayer ReadLayerInput(const LayerInputOptions& o, std::istream& in, const Modules& modules) {
    GisLayerOptions options = o.layer;
    if (!o.maxInput.empty()) {
        options.MaxBytes = ParseByteSize(o.maxInput).value_or(options.MaxBytes);
    }
    if (o.path == "-") {
        const std::string bytes = ReadStandardInput(in, options.MaxBytes);
        return modules.Gis.Get().ReadLayerBytes(bytes, "standard input", options);
    }
    return modules.Gis.Get().ReadLayer(o.path, options);
}

std::string UnreadLayersNote(const GisLayer& layer) {
    if (layer.UnreadLayers.empty() || layer.LayerNames.empty()) {
        return {};
    }
    std::string others;
    for (const std::string& name : layer.UnreadLayers) {
        others += (others.empty() ? "\"" : ", \"") + QuoteText(name, 200) + "\"";
    }
    const bool one = layer.UnreadLayers.size() == 1;
    return "only layer \"" + QuoteText(layer.LayerNames.front(), 200) + "\" was read; " +
           (one ? "layer " : "layers ") + others + (one ? " also holds" : " also hold") +
           " features (--layer NAME reads another, --all-layers reads every one)";
}

Feature MergedFeature(const std::vector<GisFeature>& features) {
    std::vector<const Feature*> shapes;
    shapes.reserve(features.size());
    for (const GisFeature& gf : features) {
        shapes.push_back(&gf.Shape);
    }
    return UnionFeature(shapes);
}

DataKind MergedDataType(const std::vector<GisFeature>& features) {
    DataKind kind = DataKind::Point;
    for (const GisFeature& gf : features) {
        const DataKind k = DataTypeOf(gf.Shape);
        if (k == DataKind::Polygon) {
            return k;
        }
        if (k == DataKind::Polyline) {
            kind = k;
        }
    }
    return kind;
}

} // namespace sw::cli
