#pragma once

// Every file format the program reads or writes, listed once. The vertex
// dialog's open box, the save dialog, drag and drop, the command-line options
// and their help texts are all built from these two tables, so a new format is
// one entry here plus its reader or writer.
//
// The order of each table is the order users see: the open box shows the input
// formats marked `InOpenBox` in table order, the save dialog the output formats
// marked `InSaveBox`, and a dialog's one-based filter position is its place in
// that list.

#include "exchange/TextTable.h"
#include "exchange/VertexList.h"
#include "exchange/VertexTable.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace sw {

struct LayoutGeometry;
struct Settings;
struct Modules;
struct SheetGrid;

// A one-based filter position of the vertex dialog's open box, as the dialog
// reports the chosen filter; None (0) is no position of the box.
enum class OpenFilter : int { None = 0 };

// A one-based entry position of the save dialog; None (0) is no entry.
enum class SaveFilter : int { None = 0 };

// ---- inputs ------------------------------------------------------------------

// How a read went when it did not throw.
enum class OpenOutcome {
    Read,         // the file filled the table
    NotReadNoPrj, // a shapefile without a ".prj" beside it: nothing read, the table as it was
};

// How a vertex file is read: one of these per entry.
//
// A file that stores numbers (a shapefile, a GIS layer) gives them as numbers;
// the vertex dialog shows them through FillVertexTable and the command line
// makes its feature of them directly. `modules` has the GIS backend for the
// formats that need it. Every refusal is a FileError carrying the text for the
// user.
using NumberReader = OpenOutcome (*)(const std::filesystem::path& path, VertexList& out,
                                     const Modules& modules);
// A text file (a vertex text file, KML) is laid out in the dialog's cells as it
// is written, in `t` already laid out for the format's mode: OK converts the
// cells, and a cell that does not convert is the dialog's to show and to name.
using TextReader = void (*)(const std::filesystem::path& path, VertexTable& t);

struct ReadsNumbers {
    constexpr explicit ReadsNumbers(NumberReader read) : Read(read) {}
    NumberReader Read;
};
struct ReadsText {
    constexpr explicit ReadsText(TextReader read) : Read(read) {}
    TextReader Read;
};
using VertexReader = std::variant<ReadsNumbers, ReadsText>;

struct InputFormat {
    std::string_view Id;      // short name for the command line and messages: "kml"
    std::string_view Caption; // the open box's filter caption
    // Lower-case, each with its dot; the first is the one shown first.
    std::vector<std::string_view> Extensions;
    bool DecimalMode = true; // the table layout the reader fills
    bool InOpenBox = false;  // offered by the vertex dialog's open box
    // Whether the reader tells a polygon from a line (sets VertexTable::IsPolygon);
    // a vertex text file holds no ring, whatever the table held before.
    bool HoldsRings = false;
    VertexReader Read;
    // Read by "Open layer" as a GIS layer, every feature with its own kinds
    // (exchange/GisLayerReader.h): offered by its open box and taken that way
    // when dropped on the main window.
    bool OpensAsLayer = false;
    // What is read from such a file, for the README's table (exchange/FormatTable.h).
    std::string_view Reads{};
};

const std::vector<InputFormat>& InputFormats();

// The format whose extensions include the path's (case-insensitively); null when
// no format takes it.
const InputFormat* InputFormatForPath(std::string_view path);

// The format named `id`; null when there is none.
const InputFormat* InputFormatNamed(std::string_view id);

// The open box's filters, "Caption (*.ext)", in their order.
std::vector<std::string> OpenBoxFilters();

// The format at a one-based open box position; null outside the list.
const InputFormat* OpenBoxFormat(OpenFilter position);

// The format whose open box filter reads `filter` exactly ("KML file (*.kml)"),
// as the dialog reports the chosen one; null for any other text.
const InputFormat* OpenBoxFormatForFilter(std::string_view filter);

// The open box position of `format`; None when the box does not offer it.
OpenFilter OpenBoxPosition(const InputFormat& format);
OpenFilter OpenBoxPosition(std::string_view id);

// The open box of "Open layer": every extension of the formats read as layers
// under one caption, then every file, since GDAL reads more formats than
// extensions can name.
std::vector<std::string> LayerBoxFilters();

// The extensions of the formats read as layers, "*.shp *.kml ...".
std::string LayerExtensionsText();

// True when a dropped file takes the road of "Open layer": every file but the
// formats only the vertex dialog reads (a vertex text file).
bool OpensAsLayer(std::string_view path);

// "Only .txt, .shp and .kml files can be opened": the extensions of every input
// format, for the message that refuses a file no reader takes.
std::string ReadableExtensionsText();

// ---- outputs -----------------------------------------------------------------

// What an output is made from. Sheets and report writers live in the core; a
// picture is drawn and encoded by the render library, which knows each
// PictureEncoding.
// Pdf draws the layout as vectors on an A4 page rather than encoding the image.
enum class PictureEncoding { None, Jpeg, Bmp, Pdf };

// `plan` is the layout planned for the grid at the settings' zoom (PlanLayout),
// planned once per request by the caller.
using SheetsWriter = void (*)(const std::filesystem::path& path, const Settings& s,
                              const SheetGrid& g, const LayoutGeometry& plan);
// `modules` has the workbook writer for the workbook.
using ReportWriter = void (*)(const std::filesystem::path& path, const TextTable& table,
                              const Modules& modules);

// The files an output writes for a chosen name, and about how many bytes.
using OutputFileNames = std::vector<std::string> (*)(const std::filesystem::path& path);
using OutputSizeEstimate = uint64_t (*)(const Settings& s, const SheetGrid& g,
                                        const LayoutGeometry& plan);

// How an output is written: one of these per entry, so an entry cannot say
// two ways or none (the table does not compile without one).
struct WritesSheets { // from the settings and the sheet list
    constexpr explicit WritesSheets(SheetsWriter write) : Write(write) {}
    SheetsWriter Write;
};
struct WritesReport { // from the report table
    constexpr explicit WritesReport(ReportWriter write) : Write(write) {}
    ReportWriter Write;
};
struct DrawsPicture { // the layout drawn by the renderer and encoded
    constexpr explicit DrawsPicture(PictureEncoding encoding) : Encoding(encoding) {}
    PictureEncoding Encoding;
};
struct DrawsReport {}; // the report drawn on A4 pages by the renderer (PDF)
struct WritesGrid {    // the grid (and a GeoPackage's feature layer) through OGR
    constexpr explicit WritesGrid(std::string_view driver) : Driver(driver) {}
    std::string_view Driver; // OGR's name of the driver: "GPKG"
};
using OutputWriter =
    std::variant<WritesSheets, WritesReport, DrawsPicture, DrawsReport, WritesGrid>;

struct OutputFormat {
    std::string_view Id;          // "kml"
    std::string_view Caption;     // the save dialog's entry caption, also used in messages
    std::string_view Extension;   // lower-case with its dot: ".kml"
    bool InSaveBox = false;       // offered by "Save Layout"
    std::string_view CliOption{}; // "--kml"; empty when the command line has none
    std::string_view CliHelp{};
    OutputWriter Writer;
    // The files written for a name; null: the name exactly as given.
    OutputFileNames Files = nullptr;
    // About the bytes written, to warn before a huge file; null: always small.
    OutputSizeEstimate EstimateBytes = nullptr;
    // For the README's table (exchange/FormatTable.h): what the file holds, and
    // the programs known to open it.
    std::string_view Writes{};
    std::string_view OpensIn{};
};

// The OGR driver of an entry written through OGR; empty for any other.
std::string_view OgrDriverOf(const OutputFormat& f);

// The encoding of a drawn picture or page of the layout; None for any other entry.
PictureEncoding PictureOf(const OutputFormat& f);

// Whether the renderer makes the file (the layout's pictures and PDF, the report's PDF).
bool DrawnByRenderer(const OutputFormat& f);

// The files `f` writes for the chosen name.
std::vector<std::string> OutputFiles(const OutputFormat& f, const std::filesystem::path& path);

const std::vector<OutputFormat>& OutputFormats();

// The format named `id`; null when there is none.
const OutputFormat* OutputFormatNamed(std::string_view id);

// The GIS vector formats, those written through OGR, in table order.
std::vector<const OutputFormat*> GisFormats();

// The GIS format of the path's extension (any letter case); null when none.
const OutputFormat* GisFormatForPath(std::string_view path);

// The GIS format named by its id, its extension with or without the dot, or its
// OGR driver's name, in any letter case ("gpkg", ".FGB", "ESRI Shapefile"); null
// when none is meant.
const OutputFormat* GisFormatNamed(std::string_view name);

// The save dialog's entries, "Caption (*.ext)", in their order.
std::vector<std::string> SaveBoxFilters();

// The format at a one-based save dialog position; null outside the list.
const OutputFormat* SaveBoxFormat(SaveFilter position);

// The format whose save dialog entry reads `filter` exactly, as the dialog
// reports the chosen one; null for any other text.
const OutputFormat* SaveBoxFormatForFilter(std::string_view filter);

// The save dialog position of the format `id`; None when not offered.
SaveFilter SaveBoxPosition(std::string_view id);

// Outputs estimated over this many bytes are announced before they are written
// (the command line notes them, the application asks).
inline constexpr uint64_t LargeOutputBytes = uint64_t{1} << 30;

// "about 4.5 GB", "about 800 MB".
std::string ApproximateSize(uint64_t bytes);

} // namespace sw
