#include "exchange/FormatRegistry.h"

#include "exchange/ExcelFile.h"
#include "exchange/FileError.h"
#include "exchange/FileNames.h"
#include "exchange/GeoJsonReader.h"
#include "exchange/KmlFile.h"
#include "exchange/ReportFiles.h"
#include "exchange/ShapeFile.h"
#include "exchange/TabDelimitedFile.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>

namespace sw {

namespace {

OpenOutcome ReadTextFormat(const std::filesystem::path& path, VertexTable& t,
                           char /*decimalSeparator*/) {
    ProcessTabDelimitedFile(path, t);
    t.PartStartRows.clear(); // a vertex file holds one part
    return OpenOutcome::Read;
}

// A shapefile is read only when the ".prj" beside it describes geographic
// coordinates; without one nothing is read, and that is not an error.
OpenOutcome ReadShapefileFormat(const std::filesystem::path& path, VertexTable& t,
                                char decimalSeparator) {
    switch (CheckShapefileProjection(path)) {
    case ProjectionCheck::Missing:
        return OpenOutcome::NotReadNoPrj;
    case ProjectionCheck::Projected:
        throw FileError(NoGeographicCoordinatesMessage);
    case ProjectionCheck::Geographic:
        break;
    }
    ReadShpFile(path, t, decimalSeparator);
    return OpenOutcome::Read;
}

OpenOutcome ReadKmlFormat(const std::filesystem::path& path, VertexTable& t,
                          char /*decimalSeparator*/) {
    ReadKmlFile(path, t);
    return OpenOutcome::Read;
}

OpenOutcome ReadGeoJsonFormat(const std::filesystem::path& path, VertexTable& t,
                              char decimalSeparator) {
    ReadGeoJsonFile(path, t, decimalSeparator);
    return OpenOutcome::Read;
}

// The vertex dialog's road for any other GIS file: its first line or polygon,
// read as a GeoJSON file's is.
OpenOutcome ReadLayerFirstShape(const std::filesystem::path& path, VertexTable& t,
                                char decimalSeparator) {
    ReadGeoJsonFile(path, t, decimalSeparator);
    return OpenOutcome::Read;
}

// Files whose every cell takes about the same room: the bytes per cell measured
// on a grid of 40,000 open-series 1:2000 sheets, rounded up.
template <uint64_t PerCell> uint64_t PerCellEstimate(const Settings& /*s*/, const SheetGrid& g) {
    constexpr uint64_t fixed = 64 * 1024;
    return fixed + PerCell * static_cast<uint64_t>(g.SheetList.size());
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
         .Read = ReadTextFormat},
        {.Id = "shapefile",
         .Caption = "ESRI ShapeFile",
         .Extensions = {".shp"},
         .DecimalMode = true,
         .InOpenBox = true,
         .HoldsRings = true,
         .Read = ReadShapefileFormat,
         .OpensAsLayer = true},
        {.Id = "kml",
         .Caption = "Key hole Markup Language (KMLl) file",
         .Extensions = {".kml"},
         .DecimalMode = true,
         .InOpenBox = true,
         .HoldsRings = true,
         .Read = ReadKmlFormat,
         .OpensAsLayer = true},
        {.Id = "geojson",
         .Caption = "GeoJSON file",
         .Extensions = {".geojson", ".json"},
         .DecimalMode = true,
         .InOpenBox = false,
         .HoldsRings = true,
         .Read = ReadGeoJsonFormat,
         .OpensAsLayer = true},
        {.Id = "gis",
         .Caption = "GIS layer",
         .Extensions = {".gpkg", ".kmz", ".gpx", ".csv", ".fgb", ".gml"},
         .DecimalMode = true,
         .InOpenBox = false,
         .HoldsRings = true,
         .Read = ReadLayerFirstShape,
         .OpensAsLayer = true},
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
         .WriteSheets = WriteKmlFile,
         .Files = KmlFileNames,
         .EstimateBytes = KmlFileBytesEstimate},
        {.Id = "shapefile",
         .Caption = "Shape File",
         .Extension = ".shp",
         .InSaveBox = true,
         .CliOption = "--shp",
         .CliHelp = "Also write the whole grid as an ESRI shapefile: FILE.shp, .shx, .dbf and a "
                    "WGS 84 .prj",
         .WriteSheets = WriteShapeFiles,
         .Files = ShapefileNames,
         .EstimateBytes = ShapefileBytesEstimate},
        {.Id = "jpeg",
         .Caption = "JPG File",
         .Extension = ".jpg",
         .InSaveBox = true,
         .CliOption = "--jpeg",
         .CliHelp = "Also draw the layout and save it as a JPEG picture to FILE (quality 90)",
         .Picture = PictureEncoding::Jpeg},
        {.Id = "bitmap",
         .Caption = "Bitmap File",
         .Extension = ".bmp",
         .InSaveBox = true,
         .CliOption = "--bmp",
         .CliHelp = "Also draw the layout and save it as a Windows bitmap to FILE",
         .Picture = PictureEncoding::Bmp},
        {.Id = "worksheet",
         .Caption = "Excel worksheet",
         .Extension = ".xls",
         .InSaveBox = false,
         .CliOption = "--xls",
         .CliHelp = "Also save the report table as an Excel worksheet to FILE",
         .WriteReport = WriteExcelFile},
        {.Id = "xlsx",
         .Caption = "Excel Workbook",
         .Extension = ".xlsx",
         .CliOption = "--xlsx",
         .CliHelp = "Also save the report table as an Excel workbook (.xlsx) to FILE",
         .WriteReport = WriteReportXlsxFile},
        {.Id = "report-csv",
         .Caption = "CSV File",
         .Extension = ".csv",
         .CliOption = "--report-csv",
         .CliHelp = "Also save the report table as UTF-8 comma-separated text to FILE",
         .WriteReport = WriteReportCsvFile},
        {.Id = "pdf",
         .Caption = "PDF File",
         .Extension = ".pdf",
         .InSaveBox = true,
         .CliOption = "--pdf",
         .CliHelp = "Also draw the layout as vectors on an A4 page, with a title line, and save "
                    "it as PDF to FILE",
         .Picture = PictureEncoding::Pdf,
         .EstimateBytes = PerCellEstimate<60>},
        {.Id = "report-pdf",
         .Caption = "PDF File",
         .Extension = ".pdf",
         .CliOption = "--report-pdf",
         .CliHelp = "Also save the report table as PDF, on A4 pages, to FILE",
         .DrawnReport = true},
        // The GIS formats: on the command line all through --out.
        {.Id = "gpkg",
         .Caption = "GeoPackage",
         .Extension = ".gpkg",
         .InSaveBox = true,
         .OgrDriver = "GPKG",
         .EstimateBytes = PerCellEstimate<280>},
        {.Id = "geojson",
         .Caption = "GeoJSON",
         .Extension = ".geojson",
         .InSaveBox = true,
         .OgrDriver = "GeoJSON",
         .EstimateBytes = PerCellEstimate<330>},
        {.Id = "fgb",
         .Caption = "FlatGeobuf",
         .Extension = ".fgb",
         .InSaveBox = true,
         .OgrDriver = "FlatGeobuf",
         .EstimateBytes = PerCellEstimate<260>},
        {.Id = "csv",
         .Caption = "CSV with WKT",
         .Extension = ".csv",
         .InSaveBox = true,
         .OgrDriver = "CSV",
         .EstimateBytes = PerCellEstimate<125>},
        {.Id = "gml",
         .Caption = "GML",
         .Extension = ".gml",
         .InSaveBox = true,
         .OgrDriver = "GML",
         .EstimateBytes = PerCellEstimate<870>},
        {.Id = "sqlite",
         .Caption = "SQLite",
         .Extension = ".sqlite",
         .InSaveBox = true,
         .OgrDriver = "SQLite",
         .EstimateBytes = PerCellEstimate<170>},
        {.Id = "shp",
         .Caption = "ESRI Shapefile",
         .Extension = ".shp",
         .OgrDriver = "ESRI Shapefile",
         .EstimateBytes = PerCellEstimate<490>},
    };
    return formats;
}

std::vector<std::string> OutputFiles(const OutputFormat& f, const std::filesystem::path& path) {
    return f.Files != nullptr ? f.Files(path) : std::vector<std::string>{path};
}

std::vector<const OutputFormat*> GisFormats() {
    std::vector<const OutputFormat*> gis;
    for (const OutputFormat& f : OutputFormats()) {
        if (!f.OgrDriver.empty()) {
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
        std::string driver(f->OgrDriver);
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
