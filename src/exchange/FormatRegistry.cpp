#include "exchange/FormatRegistry.h"

#include "exchange/ExcelFile.h"
#include "exchange/FileError.h"
#include "exchange/FileNames.h"
#include "exchange/GeoJsonReader.h"
#include "exchange/KmlFile.h"
#include "exchange/Modules.h"
#include "exchange/ReportFiles.h"
#include "exchange/ShapeFile.h"
#include "exchange/TabDelimitedFile.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>

namespace sw {

namespace {

void ReadTextFormat(const std::filesystem::path& path, VertexTable& t) {
    ProcessTabDelimitedFile(path, t);
    t.PartStartRows.clear(); // a vertex file holds one part
}

// A shapefile is read only when the ".prj" beside it describes geographic
// coordinates; without one nothing is read, and that is not an error.
OpenOutcome ReadShapefileFormat(const std::filesystem::path& path, VertexList& out,
                                const Modules& modules) {
    switch (CheckShapefileProjection(path, modules)) {
    case ProjectionCheck::Missing:
        return OpenOutcome::NotReadNoPrj;
    case ProjectionCheck::Projected:
        throw FileError(NoGeographicCoordinatesMessage);
    case ProjectionCheck::Geographic:
        break;
    }
    out = ReadShpFilePositions(path);
    return OpenOutcome::Read;
}

// GeoJSON, and the vertex dialog's road for any other GIS file: its first line
// or polygon.
OpenOutcome ReadFirstShape(const std::filesystem::path& path, VertexList& out,
                           const Modules& modules) {
    out = ReadGeoJsonPositions(path, modules.Gis.Get());
    return OpenOutcome::Read;
}

// The report's files; only the workbook needs a module.
void WriteWorksheetFormat(const std::filesystem::path& path, const TextTable& table,
                          const Modules& /*modules*/) {
    WriteReportWorksheet(path, table);
}

void WriteWorkbookFormat(const std::filesystem::path& path, const TextTable& table,
                         const Modules& modules) {
    WriteReportXlsxFile(path, table, modules.Workbook.Get());
}

void WriteCsvFormat(const std::filesystem::path& path, const TextTable& table,
                    const Modules& /*modules*/) {
    WriteReportCsvFile(path, table);
}

// Files whose every cell takes about the same room: the bytes per cell measured
// on a grid of 40,000 open-series 1:2000 sheets, rounded up.
template <uint64_t PerCell>
uint64_t PerCellEstimate(const Settings& /*s*/, const SheetGrid& g,
                         const LayoutGeometry& /*plan*/) {
    constexpr uint64_t fixed = 64 * 1024;
    // The box, not the list: a grid given as a mask of IN flags has no list.
    const uint64_t cells =
        g.GridCols > 0 && g.GridRows > 0
            ? static_cast<uint64_t>(g.GridCols) * static_cast<uint64_t>(g.GridRows)
            : static_cast<uint64_t>(g.SheetList.size());
    return fixed + PerCell * cells;
}

// The files the OGR writer puts beside a dataset (OgrGridFile.h): a shapefile's
// name gets ".shp" unless it has it, the others keep the name as given.
std::vector<std::string> WithSideFiles(const std::filesystem::path& path,
                                       std::initializer_list<std::string_view> sides) {
    std::vector<std::string> files{path.string()};
    for (const std::string_view side : sides) {
        files.push_back(ReplaceExtension(path.string(), side));
    }
    return files;
}

std::vector<std::string> GmlFileNames(const std::filesystem::path& path) {
    return WithSideFiles(path, {".xsd"});
}

std::vector<std::string> CsvGridFileNames(const std::filesystem::path& path) {
    return WithSideFiles(path, {".csvt", ".prj"});
}

std::vector<std::string> OgrShapefileNames(const std::filesystem::path& path) {
    return WithSideFiles(ShapefileMainPath(path), {".shx", ".dbf", ".prj"});
}

// Files of the report, whose rows group the IN sheets: the bytes per IN sheet
// measured on a report of 49,343 open-series 1:2000 sheets, rounded up.
template <uint64_t PerSheet>
uint64_t PerInSheetEstimate(const Settings& /*s*/, const SheetGrid& g,
                            const LayoutGeometry& /*plan*/) {
    constexpr uint64_t fixed = 64 * 1024;
    return fixed + PerSheet * static_cast<uint64_t>(std::max(g.InSheetCount, 0));
}

template <typename Format> std::string FilterText(const Format& f, const auto& extensions) {
    std::string text(f.Caption);
    text += " (";
    bool first = true;
    for (const std::string_view ext : extensions) {
        text += first ? "*" : " *";
        text += ext;
        first = false;
    }
    return text + ")";
}

} // namespace

const std::vector<InputFormat>& InputFormats() {
    // The first three are the open box's filters, in the order and with the
    // captions users have always seen.
    static const std::vector<InputFormat> formats{
        {.Id = "text",
         .Caption = "Tab delimitted text file",
         .Extensions = {".txt"},
         .DecimalMode = false,
         .InOpenBox = true,
         .HoldsRings = false,
         .Read = ReadsText(ReadTextFormat),
         .Reads = "a label and six whole numbers (latitude and longitude degrees, minutes, "
                  "seconds) per line, separated by tabs, blanks or commas"},
        {.Id = "shapefile",
         .Caption = "ESRI ShapeFile",
         .Extensions = {".shp"},
         .DecimalMode = true,
         .InOpenBox = true,
         .HoldsRings = true,
         .Read = ReadsNumbers(ReadShapefileFormat),
         .OpensAsLayer = true,
         .Reads = "the vertex dialog: the first line or polygon record, when the `.prj` beside "
                  "it is geographic; a layer: every record, reprojected to WGS 84"},
        {.Id = "kml",
         .Caption = "Key hole Markup Language (KMLl) file",
         .Extensions = {".kml"},
         .DecimalMode = true,
         .InOpenBox = true,
         .HoldsRings = true,
         .Read = ReadsText(ReadKmlFile),
         .OpensAsLayer = true,
         .Reads = "the vertex dialog: every `<coordinates>` list; a layer: every placemark"},
        {.Id = "geojson",
         .Caption = "GeoJSON file",
         .Extensions = {".geojson", ".json"},
         .DecimalMode = true,
         .InOpenBox = false,
         .HoldsRings = true,
         .Read = ReadsNumbers(ReadFirstShape),
         .OpensAsLayer = true,
         .Reads = "`--polygon`/`--polyline`: the first LineString or Polygon; a layer: every "
                  "feature"},
        {.Id = "gis",
         .Caption = "GIS layer",
         .Extensions = {".gpkg", ".kmz", ".gpx", ".csv", ".fgb", ".gml"},
         .DecimalMode = true,
         .InOpenBox = false,
         .HoldsRings = true,
         .Read = ReadsNumbers(ReadFirstShape),
         .OpensAsLayer = true,
         .Reads = "GeoPackage, KMZ, GPX, CSV (WKT or X/Y columns), FlatGeobuf, GML and any "
                  "other file GDAL reads: every feature of a layer, reprojected to WGS 84; "
                  "`--polygon`/`--polyline` take the first line or polygon"},
    };
    return formats;
}

const InputFormat* InputFormatForPath(std::string_view path) {
    const std::string ext = LowerExtension(path);
    if (ext.empty()) {
        return nullptr;
    }
    for (const InputFormat& f : InputFormats()) {
        if (std::find(f.Extensions.begin(), f.Extensions.end(), ext) != f.Extensions.end()) {
            return &f;
        }
    }
    return nullptr;
}

const InputFormat* InputFormatNamed(std::string_view id) {
    for (const InputFormat& f : InputFormats()) {
        if (f.Id == id) {
            return &f;
        }
    }
    return nullptr;
}

std::vector<std::string> OpenBoxFilters() {
    std::vector<std::string> filters;
    for (const InputFormat& f : InputFormats()) {
        if (f.InOpenBox) {
            filters.push_back(FilterText(f, f.Extensions));
        }
    }
    return filters;
}

const InputFormat* OpenBoxFormat(OpenFilter position) {
    int at = 0;
    for (const InputFormat& f : InputFormats()) {
        if (f.InOpenBox && ++at == static_cast<int>(position)) {
            return &f;
        }
    }
    return nullptr;
}

const InputFormat* OpenBoxFormatForFilter(std::string_view filter) {
    for (const InputFormat& f : InputFormats()) {
        if (f.InOpenBox && FilterText(f, f.Extensions) == filter) {
            return &f;
        }
    }
    return nullptr;
}

OpenFilter OpenBoxPosition(const InputFormat& format) {
    int at = 0;
    for (const InputFormat& f : InputFormats()) {
        if (f.InOpenBox) {
            ++at;
            if (&f == &format) {
                return OpenFilter{at};
            }
        }
    }
    return OpenFilter::None;
}

OpenFilter OpenBoxPosition(std::string_view id) {
    const InputFormat* f = InputFormatNamed(id);
    return f == nullptr ? OpenFilter::None : OpenBoxPosition(*f);
}

std::string LayerExtensionsText() {
    std::string text;
    for (const InputFormat& f : InputFormats()) {
        if (!f.OpensAsLayer) {
            continue;
        }
        for (const std::string_view ext : f.Extensions) {
            text += (text.empty() ? "*" : " *") + std::string(ext);
        }
    }
    return text;
}

std::vector<std::string> LayerBoxFilters() {
    return {"GIS layers (" + LayerExtensionsText() + ")", "All files (*)"};
}

bool OpensAsLayer(std::string_view path) {
    const InputFormat* f = InputFormatForPath(path);
    return f == nullptr || f->OpensAsLayer;
}

std::string ReadableExtensionsText() {
    std::vector<std::string_view> all;
    for (const InputFormat& f : InputFormats()) {
        all.insert(all.end(), f.Extensions.begin(), f.Extensions.end());
    }
    std::string text = "Only ";
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (i > 0) {
            text += i + 1 == all.size() ? " and " : ", ";
        }
        text += all[i];
    }
    return text + " files can be opened";
}

const std::vector<OutputFormat>& OutputFormats() {
    // The first four are "Save Layout"'s entries, in the order users have always
    // seen; the entries it gained later follow them (PDF, then the GIS formats).
    // The command-line options follow the table's order.
    static const std::vector<OutputFormat> formats{
        {.Id = "kml",
         .Caption = "KML File",
         .Extension = ".kml",
         .InSaveBox = true,
         .CliOption = "--kml",
         .CliHelp = "Also write the IN sheets as KML 2.2 to FILE (its extension becomes .kml)",
         .Writer = WritesSheets{WriteKmlFile},
         .Files = KmlFileNames,
         .EstimateBytes = KmlFileBytesEstimate,
         .Writes = "the IN sheets as a centre point and an outline each",
         .OpensIn = "virtual globes, QGIS, GDAL"},
        {.Id = "shapefile",
         .Caption = "Shape File",
         .Extension = ".shp",
         .InSaveBox = true,
         .CliOption = "--shp",
         .CliHelp = "Also write the whole grid as an ESRI shapefile: FILE.shp, .shx, .dbf and a "
                    "WGS 84 .prj",
         .Writer = WritesSheets{WriteShapeFiles},
         .Files = ShapefileNames,
         .EstimateBytes = ShapefileBytesEstimate,
         .Writes = "the whole grid, one polygon per sheet with `SHEETNO` and `INOUT`, and a WGS "
                   "84 `.prj`",
         .OpensIn = "QGIS, GDAL/OGR, any GIS"},
        {.Id = "jpeg",
         .Caption = "JPG File",
         .Extension = ".jpg",
         .InSaveBox = true,
         .CliOption = "--jpeg",
         .CliHelp = "Also draw the layout and save it as a JPEG picture to FILE (quality 90)",
         .Writer = DrawsPicture{PictureEncoding::Jpeg},
         .Writes = "the layout picture, with a world file `.jgw`, a WGS 84 `.prj` and an "
                   "`.aux.xml`",
         .OpensIn = "any image viewer; QGIS and GDAL place it on the map"},
        {.Id = "bitmap",
         .Caption = "Bitmap File",
         .Extension = ".bmp",
         .InSaveBox = true,
         .CliOption = "--bmp",
         .CliHelp = "Also draw the layout and save it as a Windows bitmap to FILE",
         .Writer = DrawsPicture{PictureEncoding::Bmp},
         .Writes = "the layout picture, with a world file `.bpw`, a WGS 84 `.prj` and an "
                   "`.aux.xml`",
         .OpensIn = "any image viewer; QGIS and GDAL place it on the map"},
        {.Id = "worksheet",
         .Caption = "Excel worksheet",
         .Extension = ".xls",
         .InSaveBox = false,
         .CliOption = "--xls",
         .CliHelp = "Also save the report table as an Excel worksheet to FILE",
         .Writer = WritesReport{WriteWorksheetFormat},
         .Writes = "the report table as a BIFF worksheet in the Windows character set "
                   "(\"Save As Ms Excel\")",
         .OpensIn = "LibreOffice, Excel, xlrd"},
        {.Id = "xlsx",
         .Caption = "Excel Workbook",
         .Extension = ".xlsx",
         .CliOption = "--xlsx",
         .CliHelp = "Also save the report table as an Excel workbook (.xlsx) to FILE",
         .Writer = WritesReport{WriteWorkbookFormat},
         .Writes = "the report table: UTF-8 text, counts as numbers, column widths set (\"Save "
                   "As Excel Workbook (.xlsx)\")",
         .OpensIn = "LibreOffice, Excel, pandas, openpyxl"},
        {.Id = "report-csv",
         .Caption = "CSV File",
         .Extension = ".csv",
         .CliOption = "--report-csv",
         .CliHelp = "Also save the report table as UTF-8 comma-separated text to FILE, with a "
                    "byte order mark unless --no-bom",
         .Writer = WritesReport{WriteCsvFormat},
         .Writes = "the report table as UTF-8 comma-separated text with a byte order mark, CRLF "
                   "line ends (\"Save As CSV\")",
         .OpensIn = "spreadsheets, any CSV reader"},
        {.Id = "pdf",
         .Caption = "PDF File",
         .Extension = ".pdf",
         .InSaveBox = true,
         .CliOption = "--pdf",
         .CliHelp = "Also draw the layout as vectors on an A4 page, with a title line, and save "
                    "it as PDF to FILE",
         .Writer = DrawsPicture{PictureEncoding::Pdf},
         .EstimateBytes = PerCellEstimate<60>,
         .Writes = "the layout as vectors on an A4 page (landscape when wider than tall) with "
                   "a title line of series, scale, input and date",
         .OpensIn = "PDF viewers, pdftotext"},
        {.Id = "report-pdf",
         .Caption = "PDF File",
         .Extension = ".pdf",
         .CliOption = "--report-pdf",
         .CliHelp = "Also save the report table as PDF, on A4 pages, to FILE",
         .Writer = DrawsReport{},
         .EstimateBytes = PerInSheetEstimate<16>,
         .Writes = "the report table on A4 pages, its column headings on each page, numbered "
                   "(\"Save As PDF\")",
         .OpensIn = "PDF viewers, pdftotext"},
        // The GIS formats: on the command line all through --out.
        {.Id = "gpkg",
         .Caption = "GeoPackage",
         .Extension = ".gpkg",
         .InSaveBox = true,
         .Writer = WritesGrid{"GPKG"},
         .EstimateBytes = PerCellEstimate<280>,
         .Writes = "one polygon per cell in layer `sheets` with the fields below, and the "
                   "input in layer `feature`",
         .OpensIn = "QGIS, GDAL/OGR, geopandas"},
        {.Id = "geojson",
         .Caption = "GeoJSON",
         .Extension = ".geojson",
         .InSaveBox = true,
         .Writer = WritesGrid{"GeoJSON"},
         .EstimateBytes = PerCellEstimate<330>,
         .Writes = "one polygon per cell in layer `sheets` with the fields below, RFC 7946 "
                   "(counter-clockwise outer rings); also "
                   "`--format geojson` on standard output",
         .OpensIn = "QGIS, GDAL/OGR, geopandas, web maps"},
        {.Id = "fgb",
         .Caption = "FlatGeobuf",
         .Extension = ".fgb",
         .InSaveBox = true,
         .Writer = WritesGrid{"FlatGeobuf"},
         .EstimateBytes = PerCellEstimate<260>,
         .Writes = "one polygon per cell in layer `sheets` with the fields below; a spatial "
                   "index up to 250,000 cells",
         .OpensIn = "QGIS, GDAL/OGR, geopandas"},
        {.Id = "csv",
         .Caption = "CSV with WKT",
         .Extension = ".csv",
         .InSaveBox = true,
         .Writer = WritesGrid{"CSV"},
         .Files = CsvGridFileNames,
         .EstimateBytes = PerCellEstimate<125>,
         .Writes = "one line per cell, the polygon as WKT in the first column, then the fields "
                   "below; the column types in `.csvt` and a WGS 84 `.prj` beside it",
         .OpensIn = "QGIS, GDAL/OGR, spreadsheets"},
        {.Id = "gml",
         .Caption = "GML",
         .Extension = ".gml",
         .InSaveBox = true,
         .Writer = WritesGrid{"GML"},
         .Files = GmlFileNames,
         .EstimateBytes = PerCellEstimate<870>,
         .Writes = "one polygon per cell in layer `sheets` with the fields below, and the "
                   "schema `.xsd` it names",
         .OpensIn = "QGIS, GDAL/OGR"},
        {.Id = "sqlite",
         .Caption = "SQLite",
         .Extension = ".sqlite",
         .InSaveBox = true,
         .Writer = WritesGrid{"SQLite"},
         .EstimateBytes = PerCellEstimate<170>,
         .Writes = "one polygon per cell in layer `sheets` with the fields below",
         .OpensIn = "QGIS, GDAL/OGR, sqlite3"},
        {.Id = "shp",
         .Caption = "ESRI Shapefile",
         .Extension = ".shp",
         .Writer = WritesGrid{"ESRI Shapefile"},
         .Files = OgrShapefileNames,
         .EstimateBytes = PerCellEstimate<490>,
         .Writes = "one polygon per cell with the fields below, through OGR: `.shp`, "
                   "`.shx`, `.dbf` and `.prj`",
         .OpensIn = "QGIS, GDAL/OGR, any GIS"},
    };
    return formats;
}

std::string_view OgrDriverOf(const OutputFormat& f) {
    const auto* grid = std::get_if<WritesGrid>(&f.Writer);
    return grid != nullptr ? grid->Driver : std::string_view{};
}

PictureEncoding PictureOf(const OutputFormat& f) {
    const auto* picture = std::get_if<DrawsPicture>(&f.Writer);
    return picture != nullptr ? picture->Encoding : PictureEncoding::None;
}

bool DrawnByRenderer(const OutputFormat& f) {
    return std::holds_alternative<DrawsPicture>(f.Writer) ||
           std::holds_alternative<DrawsReport>(f.Writer);
}

std::vector<std::string> OutputFiles(const OutputFormat& f, const std::filesystem::path& path) {
    return f.Files != nullptr ? f.Files(path) : std::vector<std::string>{path};
}

std::vector<const OutputFormat*> GisFormats() {
    std::vector<const OutputFormat*> gis;
    for (const OutputFormat& f : OutputFormats()) {
        if (std::holds_alternative<WritesGrid>(f.Writer)) {
            gis.push_back(&f);
        }
    }
    return gis;
}

const OutputFormat* GisFormatForPath(std::string_view path) {
    const std::string ext = LowerExtension(path);
    for (const OutputFormat* f : GisFormats()) {
        if (ext == f->Extension) {
            return f;
        }
    }
    return nullptr;
}

const OutputFormat* GisFormatNamed(std::string_view name) {
    std::string n(name);
    std::transform(n.begin(), n.end(), n.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    for (const OutputFormat* f : GisFormats()) {
        std::string driver(OgrDriverOf(*f));
        std::transform(driver.begin(), driver.end(), driver.begin(),
                       [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
        if (n == f->Id || n == f->Extension || "." + n == f->Extension || n == driver) {
            return f;
        }
    }
    return nullptr;
}

const OutputFormat* OutputFormatNamed(std::string_view id) {
    for (const OutputFormat& f : OutputFormats()) {
        if (f.Id == id) {
            return &f;
        }
    }
    return nullptr;
}

std::vector<std::string> SaveBoxFilters() {
    std::vector<std::string> filters;
    for (const OutputFormat& f : OutputFormats()) {
        if (f.InSaveBox) {
            filters.push_back(FilterText(f, std::vector<std::string_view>{f.Extension}));
        }
    }
    return filters;
}

const OutputFormat* SaveBoxFormat(SaveFilter position) {
    int at = 0;
    for (const OutputFormat& f : OutputFormats()) {
        if (f.InSaveBox && ++at == static_cast<int>(position)) {
            return &f;
        }
    }
    return nullptr;
}

const OutputFormat* SaveBoxFormatForFilter(std::string_view filter) {
    for (const OutputFormat& f : OutputFormats()) {
        if (f.InSaveBox && FilterText(f, std::vector<std::string_view>{f.Extension}) == filter) {
            return &f;
        }
    }
    return nullptr;
}

std::string ApproximateSize(uint64_t bytes) {
    char text[32];
    if (bytes >= (uint64_t{1} << 30)) {
        std::snprintf(text, sizeof text, "about %.1f GB",
                      static_cast<double>(bytes) / static_cast<double>(uint64_t{1} << 30));
    } else {
        std::snprintf(text, sizeof text, "about %llu MB",
                      static_cast<unsigned long long>((bytes + (1 << 19)) >> 20));
    }
    return text;
}

SaveFilter SaveBoxPosition(std::string_view id) {
    int at = 0;
    for (const OutputFormat& f : OutputFormats()) {
        if (f.InSaveBox) {
            ++at;
            if (f.Id == id) {
                return SaveFilter{at};
            }
        }
    }
    return SaveFilter::None;
}

} // namespace sw
