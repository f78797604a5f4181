#pragma once

// ESRI shapefile export of the sheet grid (.shp, .shx, .dbf and a WGS 84 .prj)
// and import of the first polyline or polygon of a .shp.

#include "coverage/LayoutGeometry.h"
#include "coverage/SheetGrid.h"
#include "exchange/VertexList.h"
#include "exchange/VertexTable.h"
#include "index/Settings.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace sw {

struct Modules;

// In-memory records of one polygon shape, in file order.
using partsArray = std::vector<int32_t>;
struct ShpPoint {
    double X = 0; // longitude
    double Y = 0; // latitude
};
using PointsArray = std::vector<ShpPoint>;
struct PolylineData {
    partsArray Parts;
    PointsArray Points;
};
struct PolygonShpInfo {
    int32_t ShapeType = 5;
    double Box[4] = {0, 0, 0, 0}; // Xmin, Ymin, Xmax, Ymax
    int32_t NumParts = 0;
    int32_t NumPoints = 0;
    partsArray Parts;
    PointsArray Points;
};

inline constexpr int32_t ShpFileCode = 9994;
inline constexpr int32_t ShpVersion = 1000;
inline constexpr int32_t ShpPolyline = 3;
inline constexpr int32_t ShpPolygon = 5;
inline constexpr std::size_t ShpHeaderSize = 100;

inline constexpr const char* ShapefileReadOnlyMessage =
    "Shapefile is read-only. I need write access to open it";
inline constexpr const char* NoGeographicCoordinatesMessage = "Erro! No geographic coordinates";

// The geographic WGS 84 system in ESRI well-known text, one line without a line end.
inline constexpr const char* Wgs84PrjText =
    "GEOGCS[\"GCS_WGS_1984\",DATUM[\"D_WGS_1984\",SPHEROID[\"WGS_1984\",6378137.0,"
    "298.257223563]],PRIMEM[\"Greenwich\",0.0],UNIT[\"Degree\",0.0174532925199433]]";

// The value with its four bytes reversed; every big-endian field goes through it.
uint32_t SwapBytes32(uint32_t value);

// The bytes of each file for every cell of the grid (IN and OUT): one clockwise
// five-point polygon per cell at the position the planned layout gives it.
// Throw IntegerOverflow for a grid too large for the 32-bit file lengths.
std::string ShpFileBytes(const Settings& s, const SheetGrid& g);
std::string ShxFileBytes(const Settings& s, const SheetGrid& g);
std::string DbfFileBytes(const SheetGrid& g);

// Each replaces the extension of `path`'s last component (or appends one) with
// ".shp", ".shx", ".dbf" or ".prj" and writes through a temporary file, so a
// failure leaves an existing file untouched. Errors are FileError: "Cannot create
// file "%s". %s" or the runtime's I/O text. WriteShxFile also throws
// ShapefileReadOnlyMessage when the main file beside it may not be written.
void WriteShpFile(const std::filesystem::path& path, const Settings& s, const SheetGrid& g);
void WriteShxFile(const std::filesystem::path& path, const Settings& s, const SheetGrid& g);
void WriteDbfFile(const std::filesystem::path& path, const SheetGrid& g);
void WritePrjFile(const std::filesystem::path& path);

// The most sheets a shapefile can hold: the main file's length is a signed
// 32-bit count of 16-bit words (31,580,641 records of 68 words after the header).
std::size_t MaxShapefileSheets();
// The bytes of the four files of a grid of `sheets` cells, for size warnings.
uint64_t ShapefileBytes(std::size_t sheets);
// The same for a grid (the layout plays no part: a shapefile's sizes are fixed).
uint64_t ShapefileBytesEstimate(const Settings& s, const SheetGrid& g, const LayoutGeometry& plan);
// The four names WriteShapeFiles writes: ".shp", ".shx", ".dbf", ".prj".
std::vector<std::string> ShapefileNames(const std::filesystem::path& path);
// "Cannot write a shapefile of N sheets: ..." naming the limit.
std::string TooManySheetsForShapefileText(std::size_t sheets);

// All four files as one set, streamed to temporary files and renamed into place
// only when all are complete, under a lock on the folder: either every file is
// new or every file is as before, and two writers of one name never mix their
// files. A grid beyond MaxShapefileSheets, and a path naming a pipe or device,
// are refused before anything is written.
void WriteShapeFiles(const std::filesystem::path& path, const Settings& s, const SheetGrid& g);
// The same with the layout already planned for the grid (PlanLayout).
void WriteShapeFiles(const std::filesystem::path& path, const Settings& s, const SheetGrid& g,
                     const LayoutGeometry& plan);

// The ".prj" beside a .shp: Missing when there is none, Projected when its first
// line contains "PROJCS", Geographic when it contains "GEOGCS"; any other text
// (WKT2, a definition over several lines) as the GIS module's parser reads it. A
// .prj that cannot be read throws FileError with the runtime's text, one whose
// system is not understood FileError naming the .prj.
enum class ProjectionCheck { Geographic, Projected, Missing };
// `modules` has the GIS backend, asked only for a text the keywords do not settle.
ProjectionCheck CheckShapefileProjection(const std::filesystem::path& shpPath,
                                         const Modules& modules);

// "The shapefile "<path>" is damaged or incomplete".
std::string DamagedShapefileText(const std::filesystem::path& path);

// The first record of a polyline (3) or polygon (5) main file: its points in
// order (Y the latitude, X the longitude), all parts one sequence whose starts
// are marked, and IsPolygon true for type 5. Any other valid type gives its kind
// and no shape, and so does a first record that is a null shape; an invalid
// type gives nothing. A main file shorter than its header or first record, or
// whose counts or record length do not fit in it, throws FileError with
// DamagedShapefileText(path). The projection is not checked here.
VertexList ReadShpPositions(std::string_view bytes, const std::filesystem::path& path);

// ReadShpPositions on a file, reading only its header and first record; "Cannot
// open file "%s". %s" when it cannot be read.
VertexList ReadShpFilePositions(const std::filesystem::path& path);

// The same into the dialog's table (FillVertexTable): row i + 1 holds point i,
// the row count becomes NumPoints + 1 and VertexCount NumPoints. IsPolygon
// becomes 1 for type 5 and 0 for any other valid type, which then reads
// nothing; an invalid type or a damaged file changes nothing.
void ReadShpData(std::string_view bytes, const std::filesystem::path& path, VertexTable& t,
                 char decimalSeparator);
void ReadShpFile(const std::filesystem::path& path, VertexTable& t, char decimalSeparator);

// Why ReadShpData takes nothing from these bytes, for telling the user; empty
// when it takes the first record's points (or refuses the file as damaged).
std::string ShpNothingReadText(std::string_view bytes, const std::filesystem::path& path);

} // namespace sw
