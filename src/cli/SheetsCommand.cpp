// `sheetwright-cli sheets`: the sheets of a point, polyline or polygon.
//
// Options are parsed first, then the feature is read and computed, then every
// output chosen on the command line is written from the result. Inputs and
// outputs, with their options and help texts, come from the format registry.

#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "cli/HeapPages.h"
#include "cli/OutputBuffer.h"
#include "cli/OutputChecks.h"
#include "cli/PictureZoom.h"
#include "cli/ProgressLine.h"
#include "cli/SheetsFormats.h"
#include "cli/SheetsInput.h"
#include "cli/SheetsOutputs.h"
#include "cli/SheetsPerFeature.h"
#include "cli/StandardOutput.h"

#include "coverage/Coverage.h"
#include "coverage/FeatureUnion.h"
#include "coverage/LayoutGeometry.h"
#include "exchange/FileError.h"
#include "exchange/FormatRegistry.h"
#include "exchange/GisBackend.h"
#include "exchange/Modules.h"
#include "exchange/OgrGridRequest.h"
#include "exchange/Renderer.h"
#include "exchange/ReportFiles.h"
#include "exchange/WriteOutput.h"
#include "index/CheckedMath.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <iostream>
#include <memory>
#include <optional>
#include <ostream>
#include <variant>

namespace sw::cli {

namespace {

// ---- outputs --------------------------------------------------------------

// The registry's outputs that have a command-line option in this program: those
// drawn by the renderer (pictures, PDFs) only where it has one.
std::vector<const OutputFormat*> OutputOptions(const Modules& modules) {
    std::vector<const OutputFormat*> o;
    for (const OutputFormat& f : OutputFormats()) {
        if (!f.CliOption.empty() && (!DrawnByRenderer(f) || modules.Render.Provided())) {
            o.push_back(&f);
        }
    }
    return o;
}

// Whether an output asked for holds the input's feature itself, not only its
// sheets: a drawing, a PDF, a report file, a GIS file (a GeoPackage keeps the
// feature as a layer of its own), or anything about a point (the report names
// its position).
bool FeatureNeeded(const std::vector<ChosenOutput>& outputs, bool gisOutput, DataKind dataType) {
    return gisOutput || dataType == DataKind::Point ||
           std::any_of(outputs.begin(), outputs.end(), [](const ChosenOutput& o) {
               return !std::holds_alternative<WritesSheets>(o.format->Writer);
           });
}

void WriteChosenOutput(const OutputFormat& f, const SheetsResult& r, const LayoutGeometry& plan,
                       const std::string& path, CsvBom bom, const Modules& modules) {
    if (f.Id == "report-csv") {
        // The one report file with a choice: --no-bom leaves out its byte order mark.
        WriteReportCsvFile(path, SheetsReportTable(r), bom);
        return;
    }
    WriteOutput(f,
                OutputRequest{r.settings, r.feature, r.grid, r.inputPath, r.pictureZoom,
                              [&r] { return SheetsReportTable(r); }, &plan},
                path, modules);
}

// --out: the GIS format from --out-format, or else from the file's extension.
const OutputFormat& GisOutputFormat(const std::string& path, const std::string& formatName) {
    std::string known;
    for (const OutputFormat* f : GisFormats()) {
        known += (known.empty() ? "" : ", ") + std::string(f->Id);
    }
    const OutputFormat* f =
        formatName.empty() ? GisFormatForPath(path) : GisFormatNamed(formatName);
    if (f == nullptr) {
        throw UsageError(formatName.empty()
                             ? "--out '" + path + "': the file must end in ." + known +
                                   " (or name its format with --out-format)"
                             : "--out-format '" + formatName + "': give one of " + known);
    }
    return *f;
}

void WriteGridFile(const OutputFormat& f, const std::string& path, const OgrGridRequest& request,
                   std::ostream& out, const GisBackend& gis) {
    const OgrFormat format{OgrDriverOf(f), f.Extension};
    try {
        if (path == StandardOutputName && StreamsFeatures(format)) {
            // One document of features: streamed as OGR writes it, never staged.
            OutputBuffer buffer(out);
            gis.StreamGrid(format, request,
                           [&buffer](std::string_view piece) { buffer.Append(piece); });
            buffer.Flush();
        } else if (path == StandardOutputName) {
            WriteThroughStream(
                "--out", [&](const std::string& p) { gis.WriteGrid(p, format, request); }, out,
                std::string(f.Extension));
        } else {
            gis.WriteGrid(path, format, request);
        }
    } catch (const FileError& e) {
        // A writer's message that does not name the file gets its name.
        throw Error(ErrorKind::Output, WithFileName(e.what(), path));
    }
}

// --format geojson: RFC 7946 through OGR, streamed in large blocks; a failed
// write stops it at once.
void WriteGeoJson(const SheetsResult& r, bool inOnly, std::ostream& out, const GisBackend& gis) {
    OutputBuffer buffer(out);
    gis.StreamGrid(OgrFormat{"GeoJSON", ".geojson"},
                   OgrGridRequest{r.settings, r.grid, nullptr, inOnly},
                   [&buffer](std::string_view piece) { buffer.Append(piece); });
    buffer.Flush();
}

struct SheetsOptions {
    std::string series;
    std::string scale;
    int32_t zoom = DefaultSheetPixelHeight;
    std::vector<std::string> point;
    std::string polyline;
    std::string polygon;
    std::string format = "text";
    std::string algorithm = "fast";
    bool inOnly = false;
    bool report = false;
    bool noBom = false;
    bool quiet = false;
    int64_t maxPixels = DefaultMaxPicturePixels;
    LayerInputOptions layer;
    std::vector<const OutputFormat*> outputOptions; // OutputOptions() of the program
    std::vector<std::string> outputPaths;           // one per outputOptions entry
    std::string out;                                // the grid in a GIS vector format
    std::string outFormat;
};

// --per-feature: each feature's IN sheets printed, and with --out also written
// as one row per feature and IN sheet.
PerFeatureCounts PerFeature(const Settings& s, const GisLayer& layer, const SheetsOptions& o,
                            const OutputFormat* gis, Algorithm algorithm, std::ostream& out,
                            const Modules& modules) {
    if (gis == nullptr) {
        return PrintPerFeature(s, layer, o.layer.idField, o.format, algorithm, out);
    }
    CheckIdField(layer, o.layer.idField); // before the printer's CSV header
    PerFeatureCounts counts;
    const SheetGrid none;
    OgrGridRequest request{s, none};
    // The file written to standard output leaves no room for the printed list.
    std::optional<PerFeaturePrinter> printer;
    if (o.out != StandardOutputName) {
        printer.emplace(o.format, o.layer.idField, out);
    }
    request.perFeature = PerFeatureGrids(s, layer, o.layer.idField, algorithm, counts,
                                         printer ? &*printer : nullptr);
    WriteGridFile(*gis, o.out, request, out, modules.Gis.Get());
    if (printer) {
        printer->Finish();
    }
    return counts;
}

std::string GisFormatsHelp() {
    std::string text;
    for (const OutputFormat* f : GisFormats()) {
        text += (text.empty() ? "" : ", ") + std::string(f->Extension);
    }
    return text;
}

} // namespace

void RegisterSheetsCommand(CLI::App& app, CommandContext& ctx) {
    auto opts = std::make_shared<SheetsOptions>();
    opts->outputOptions = OutputOptions(ctx.env.modules);
    opts->outputPaths.resize(opts->outputOptions.size());
    CLI::App* cmd = app.add_subcommand(
        "sheets",
        "Compute the grid of sheets around a point, polyline or polygon and print the sheets it "
        "touches (and, for a polygon, encloses).\n\nExamples:\n  sheetwright-cli sheets --series "
        "old --scale 1:50,000 --point 28:36:50 77:12:30   prints 53H/2\n  sheetwright-cli sheets "
        "--series open --scale 1:25,000 --polygon area.shp --format json\n  sheetwright-cli sheets "
        "--series old --scale 1:50,000 --polyline route.kml --kml sheets.kml --report\n\nFILE is a "
        "vertex file (.txt), an ESRI shapefile (.shp, with a geographic .prj beside it), a KML "
        "file (.kml), or a GeoJSON or other GIS file (.geojson, .gpkg, .gpx, ...: its first line "
        "or "
        "polygon), chosen by its extension. A vertex file (.txt) "
        "holds one vertex per line: a label, then latitude degrees, minutes, seconds and "
        "longitude degrees, minutes, seconds, separated by tabs, blanks or commas.\n\nAn output "
        "FILE of - goes to standard output in place of the printed result (one output at a "
        "time).");
    AddSeriesOption(*cmd, opts->series);
    AddScaleOption(*cmd, opts->scale);
    auto* zoom =
        cmd->add_option("--zoom", opts->zoom,
                        "Sheet height in layout pixels, in which the touch test is made and the "
                        "pictures are drawn (default 70; pictures then at most that, to fit "
                        "--max-pixels)")
            ->check(CLI::Range(1, MaxSheetPixelHeight));
    cmd->add_option("--max-pixels", opts->maxPixels,
                    "The most pixels a --jpeg or --bmp picture may have (default 64000000)")
        ->check(CLI::Range(int64_t{1}, INT64_MAX));
    auto* point = cmd->add_option("--point", opts->point,
                                  "A point: LAT LON, each D:M:S (28:36:50) or decimal degrees")
                      ->expected(2);
    auto* polyline = cmd->add_option("--polyline", opts->polyline,
                                     "A polyline from FILE (" + KnownExtensions() + ")");
    auto* polygon = cmd->add_option("--polygon", opts->polygon,
                                    "A polygon from FILE (" + KnownExtensions() + ")");
    auto* input = AddLayerInputOptions(*cmd, opts->layer);
    point->excludes(polyline)->excludes(polygon)->excludes(input);
    polyline->excludes(polygon)->excludes(input);
    polygon->excludes(input);
    cmd->add_option(
           "--format", opts->format,
           "Output: text (IN sheets, sorted), csv (every cell), json (every cell) or geojson (a "
           "FeatureCollection of one polygon per cell, WGS 84 longitude/latitude)")
        ->check(CLI::IsMember({"text", "json", "csv", "geojson"}));
    cmd->add_flag("--in-only", opts->inOnly, "With --format geojson or --out: only the IN sheets");
    cmd->add_flag("--report", opts->report,
                  "Print the report table (serial number, grouped sheet numbers, count, totals "
                  "and input line) as tab-separated text instead of --format");
    cmd->add_option("--algorithm", opts->algorithm,
                    "fast (default) or reference (the plain every-cell algorithm, for checking)")
        ->check(CLI::IsMember({"fast", "reference"}));
    cmd->add_flag("--quiet,-q", opts->quiet,
                  "No progress line (shown on a terminal for work that runs past a second)");
    std::vector<CLI::Option*> outputFlags;
    for (std::size_t i = 0; i < opts->outputOptions.size(); ++i) {
        const OutputFormat& f = *opts->outputOptions[i];
        outputFlags.push_back(cmd->add_option(std::string(f.CliOption), opts->outputPaths[i],
                                              std::string(f.CliHelp)));
    }
    cmd->add_flag("--no-bom", opts->noBom,
                  "Write --report-csv without the UTF-8 byte order mark (for programs that take "
                  "it for text)");
    auto* out =
        cmd->add_option("--out", opts->out,
                        "Also write the grid, one polygon per cell with sheet_no, in, series, "
                        "scale and the edges in degrees (WGS 84), as a GIS vector file chosen "
                        "by its extension: " +
                            GisFormatsHelp() +
                            " (a GeoPackage also holds the feature, layer 'feature'; with "
                            "--per-feature one row per feature and IN sheet)");
    cmd->add_option("--out-format", opts->outFormat,
                    "The format of --out whatever its extension, by its extension or its OGR "
                    "driver's name: gpkg, geojson, fgb, csv, gml, sqlite or shp");

    cmd->callback([opts, &ctx, zoom, point, polyline, polygon, input, out, outputFlags]() {
        if (point->count() + polyline->count() + polygon->count() + input->count() == 0) {
            throw UsageError("sheets: give one of --point LAT LON, --polyline FILE, --polygon "
                             "FILE, --input FILE");
        }
        const Modules& modules = ctx.env.modules;
        std::vector<ChosenOutput> outputs;
        for (std::size_t i = 0; i < opts->outputOptions.size(); ++i) {
            if (outputFlags[i]->count() > 0) {
                outputs.push_back({opts->outputOptions[i], opts->outputPaths[i]});
            }
        }
        // At most one output may take standard output, and it then replaces the
        // printed result.
        int toStream = opts->out == StandardOutputName ? 1 : 0;
        std::vector<ChosenOutput> toFiles;
        for (const ChosenOutput& o : outputs) {
            if (o.path == StandardOutputName) {
                ++toStream;
            } else {
                toFiles.push_back(o);
            }
        }
        if (toStream > 1) {
            throw UsageError("only one output can go to standard output (-)");
        }
        if (out->count() > 0 && opts->out.empty()) {
            throw UsageError("--out needs a file name");
        }
        const OutputFormat* gis =
            opts->out.empty() ? nullptr : &GisOutputFormat(opts->out, opts->outFormat);
        std::vector<ChosenOutput> named = toFiles;
        if (gis != nullptr && opts->out != StandardOutputName) {
            named.push_back({gis, opts->out, "--out"});
        }
        CheckOutputNames(named);
        std::vector<std::string> inputs;
        for (const std::string* in : {&opts->polygon, &opts->polyline, &opts->layer.path}) {
            if (!in->empty() && *in != StandardOutputName) {
                inputs.push_back(*in);
            }
        }
        CheckInputsSpared(named, inputs);
        if (opts->layer.perFeature && input->count() > 0 && !outputs.empty()) {
            throw UsageError("sheets: --per-feature writes files with --out only, not with " +
                             std::string(outputs.front().format->CliOption));
        }
        // From here the command may take long: the progress line counts from now.
        ProgressLine progress(*ctx.err, ctx.env.errIsTerminal && !opts->quiet,
                              ctx.env.progressDelay);
        SheetsResult r;
        r.seriesName = opts->series;
        r.settings = ParseSettings(opts->series, opts->scale);
        r.settings.SheetPixelHeight = opts->zoom;
        const Algorithm algorithm =
            opts->algorithm == "reference" ? Algorithm::Reference : Algorithm::Fast;
        GisLayer layer;
        if (point->count() == 0) {
            UseHugePagesForHeap();
        }
        if (input->count() > 0) {
            if (opts->layer.perFeature && (opts->report || opts->format == "geojson")) {
                throw UsageError("sheets: --per-feature prints text, csv or json");
            }
            layer = ReadLayerInput(opts->layer, *ctx.in, modules);
            if (const std::string note = SkippedFeaturesNote(layer); !note.empty()) {
                *ctx.err << "sheetwright-cli: " << note << '\n';
            }
            if (const std::string note = UnreadLayersNote(layer); !note.empty()) {
                *ctx.err << "sheetwright-cli: " << note << '\n';
            }
            r.inputPath = opts->layer.path;
            r.settings.DataType = MergedDataType(layer.Features);
            if (opts->layer.perFeature) {
                const PerFeatureCounts counts =
                    PerFeature(r.settings, layer, *opts, gis, algorithm, *ctx.out, modules);
                if (counts.sheets == 0) {
                    *ctx.err << "sheetwright-cli: no part of the input lies in the index\n";
                } else if (const std::string note =
                               OutsideFeaturesNote(counts, layer.Features.size());
                           !note.empty()) {
                    *ctx.err << "sheetwright-cli: note: " << note << '\n';
                }
                ctx.exitCode = ExitOk;
                return;
            }
            // The sheets are computed from the features themselves; the merged
            // copy is made only for what holds the feature too.
            if (FeatureNeeded(outputs, gis != nullptr, r.settings.DataType)) {
                r.feature = MergedFeature(layer.Features);
            }
        } else if (point->count() > 0) {
            // Decimal degrees keep their fractions of a second through the tests.
            double latFraction = 0;
            double lonFraction = 0;
            VertexRec v;
            v.Lat = ParseAngle(opts->point[0], "latitude", &latFraction);
            v.Long = ParseAngle(opts->point[1], "longitude", &lonFraction);
            v.LatFraction = static_cast<float>(latFraction);
            v.LongFraction = static_cast<float>(lonFraction);
            r.feature = MakePointFeature(v);
            r.settings.DataType = DataKind::Point;
        } else {
            const bool isPolygon = polygon->count() > 0;
            r.inputPath = isPolygon ? opts->polygon : opts->polyline;
            r.feature = ReadFeatureFile(r.inputPath, isPolygon, modules);
            r.settings.DataType = isPolygon ? DataKind::Polygon : DataKind::Polyline;
        }
        // Printed text, csv, json, the report and --out need only which cells are
        // IN: the cells are then numbered as they are written, and the sheet list
        // of a grid of millions of cells is never built.
        const bool printOnly =
            outputs.empty() && opts->format != "geojson" && algorithm == Algorithm::Fast;
        SheetMask mask;
        ComputeControl control;
        control.progress = [&progress](int32_t percent, const std::string&) {
            progress.Update("computing the sheets", percent);
        };
        if (input->count() > 0) {
            std::vector<Feature> features;
            features.reserve(layer.Features.size());
            for (GisFeature& gf : layer.Features) {
                features.push_back(std::move(gf.Shape));
            }
            if (printOnly) {
                ComputeUnionMask(r.settings, features, mask, control);
            } else {
                ComputeUnion(r.settings, features, r.grid, control, algorithm);
            }
        } else if (printOnly) {
            ComputeSheetMask(r.settings, r.feature, mask, control);
        } else {
            ComputeSheets(r.settings, r.feature, r.grid, control, algorithm);
        }
        if (printOnly) {
            r.grid = std::move(mask.Grid);
        }
        // A point has one sheet or none: with none there is nothing to print or
        // write, and a script must be able to tell that from a sheet.
        if (point->count() > 0 && r.grid.InSheetCount == 0) {
            progress.Finish();
            *ctx.err << "sheetwright-cli: the point " << opts->point[0] << ' ' << opts->point[1]
                     << " lies outside the index\n";
            ctx.exitCode = ExitInputError;
            return;
        }

        if (std::any_of(outputs.begin(), outputs.end(), [](const ChosenOutput& o) {
                return PictureOf(*o.format) == PictureEncoding::Jpeg ||
                       PictureOf(*o.format) == PictureEncoding::Bmp;
            })) {
            r.pictureZoom =
                PictureZoom(r.settings, r.grid, zoom->count() > 0, opts->maxPixels, *ctx.err);
        }
        // Planned once: the size estimates and the sheet writers place the cells alike.
        const LayoutGeometry plan = PlanLayout(r.settings, r.grid.GridCols, r.grid.GridRows);
        NoteLargeOutputs(gis != nullptr ? WithGisOutput(outputs, gis, opts->out) : outputs, r, plan,
                         *ctx.err);
        const CsvBom bom = opts->noBom ? CsvBom::Without : CsvBom::With;
        std::ostream& out = *ctx.out;
        // The files written so far of all to write, the one being written named.
        const std::size_t files = outputs.size() + (opts->out.empty() ? 0 : 1);
        const auto writing = [&](std::size_t done, const std::string& path) {
            progress.Update("writing " + path, static_cast<int32_t>(done * 100 / files));
        };
        for (std::size_t i = 0; i < outputs.size(); ++i) {
            const ChosenOutput& o = outputs[i];
            writing(i, o.path);
            try {
                if (o.path == StandardOutputName) {
                    WriteThroughStream(
                        std::string(o.format->CliOption),
                        [&](const std::string& p) {
                            WriteChosenOutput(*o.format, r, plan, p, bom, modules);
                        },
                        out);
                } else {
                    WriteChosenOutput(*o.format, r, plan, o.path, bom, modules);
                }
            } catch (const FileError& e) {
                throw Error(ErrorKind::Output,
                            WithFileName(e.what(), o.path == StandardOutputName
                                                       ? o.path
                                                       : OutputFiles(*o.format, o.path).front()));
            }
        }
        if (gis != nullptr) {
            writing(outputs.size(), opts->out);
            OgrGridRequest request{r.settings, r.grid, &r.feature, opts->inOnly};
            request.in = printOnly ? &mask.In : nullptr;
            WriteGridFile(*gis, opts->out, request, out, modules.Gis.Get());
        }
        if (files > 0) {
            progress.Update("writing the files", 100);
        }
        // What is printed next starts on a line of its own.
        progress.Finish();
        if (input->count() > 0 && r.grid.InSheetCount == 0) {
            *ctx.err << "sheetwright-cli: no part of the input lies in the index\n";
        }
        if (toStream > 0) {
            ctx.exitCode = ExitOk;
            return;
        }
        if (opts->report && printOnly) {
            PrintReport(r, mask.In, out);
        } else if (opts->report) {
            PrintReport(r, out);
        } else if (opts->format == "geojson") {
            WriteGeoJson(r, opts->inOnly, out, modules.Gis.Get());
        } else if (printOnly) {
            if (opts->format == "json") {
                WriteJson(r, mask.In, out);
            } else if (opts->format == "csv") {
                WriteCsv(r, mask.In, out);
            } else {
                WriteText(r, mask.In, out);
            }
        } else if (opts->format == "json") {
            WriteJson(r, out);
        } else if (opts->format == "csv") {
            WriteCsv(r, out);
        } else {
            WriteText(r, out);
        }
        ctx.exitCode = ExitOk;
    });
}

} // namespace sw::cli
