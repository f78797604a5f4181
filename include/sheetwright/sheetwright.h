#pragma once

// libsheetwright: which sheets of the topographic map index cover a point, a
// route or an area, for programs that call the index instead of running
// sheetwright-cli. Plain types only; positions are WGS 84 decimal degrees,
// longitude and latitude, held as the command line and the GIS reader hold them
// (to the whole arc second), so the answers are the command line's answers.
//
// Every refusal (an unknown series or scale, a malformed number, a geometry the
// index cannot take) throws sheetwright::Error with the reason.

#include "sheetwright/export.h"
#include "sheetwright/version.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace sheetwright {

class SHEETWRIGHT_API Error : public std::runtime_error {
public:
    explicit Error(const std::string& what);
};

enum class Series : uint8_t { Old = 1, Open = 2 };

// "old" or "open"; Error otherwise.
SHEETWRIGHT_API Series ParseSeries(const std::string& name);

// The scale captions of a series in the order of the scale box ("1:1M" first).
SHEETWRIGHT_API std::vector<std::string> Scales(Series series);

// The library's version, "major.minor.patch".
SHEETWRIGHT_API const char* VersionText();

// The number of the sheet at `scale` ("1:50,000", or "1:50000") that holds the
// position, or "" when the position lies outside the index (or is not finite).
// Error for a scale the series lacks.
SHEETWRIGHT_API std::string Number(double lat, double lon, Series series, const std::string& scale);

// The same for n positions at once, written into `out` as n fields of `width`
// bytes, each a number padded with NUL bytes ("" outside the index and for NaN).
// Safe to call from several threads. Error when `width` is below NumberWidth.
inline constexpr std::size_t NumberWidth = 12;
SHEETWRIGHT_API void NumberBatch(const double* lat, const double* lon, std::size_t n, Series series,
                                 const std::string& scale, char* out, std::size_t width);

// The same for vectors of equal length.
SHEETWRIGHT_API std::vector<std::string> Number(const std::vector<double>& lat,
                                                const std::vector<double>& lon, Series series,
                                                const std::string& scale);

// A box in degrees.
struct Box {
    double West = 0;
    double South = 0;
    double East = 0;
    double North = 0;
};

struct SheetInfo {
    std::string Number;
    std::string Scale; // the caption, "1:50,000"
    Box Extent;
    // NW, N, NE, W, E, SW, S, SE; "" where the neighbour lies outside the index.
    std::array<std::string, 8> Neighbours;
};

// The sheet that carries `number` in `series`; Error when none does.
SHEETWRIGHT_API SheetInfo Extent(const std::string& number, Series series);

// One part of a geometry: a point (every position touches the sheets that hold
// it), a line through the positions in order, or a ring that also encloses. The
// rings of one feature are filled by the even-odd rule, so a hole is a ring
// inside its outer ring; GeoJSON rings, which repeat their first position, are
// taken as they are.
enum class PartKind : uint8_t { Point = 1, Line = 2, Ring = 3 };

struct LonLat {
    double Lon = 0;
    double Lat = 0;
};

struct Part {
    PartKind Kind = PartKind::Line;
    std::vector<LonLat> Positions;
};

// One feature: every part of a (multi) point, line or polygon, or a collection.
struct Geometry {
    std::vector<Part> Parts;
};

struct SheetsOptions {
    // Only the sheets the geometry touches or encloses; false: every sheet of
    // the grid laid over it, IN or not (outside the index numbered "").
    bool InOnly = true;
    // Each feature on its own (Cell::Feature says which); false: their union.
    bool PerFeature = false;
    // The sheet height in pixels of the frame in which touching is decided (the
    // command line's --zoom), 1 to 140; 0 for the command line's default.
    int32_t TouchResolution = 0;
};

struct Cell {
    std::string Number; // "" outside the index
    bool In = false;
    Box Extent;
    int32_t Feature = -1; // the feature's position (from 0) when per feature
};

// The sheets of the features. In-only cells come in the report's order (by
// number), all cells row by row from the north-west. Error for a feature
// without positions, a position that is not a longitude and latitude, or a grid
// too large to compute.
SHEETWRIGHT_API std::vector<Cell> Sheets(const std::vector<Geometry>& features, Series series,
                                         const std::string& scale,
                                         const SheetsOptions& options = {});

// Every sheet of the index at `scale` that overlaps the box (a sheet only
// touching its edge does not), row by row from the north-west, each with
// In = true. Error when that is more than MaxGridSheets.
inline constexpr std::size_t MaxGridSheets = 10'000'000;
SHEETWRIGHT_API std::vector<Cell> Grid(Series series, const std::string& scale, const Box& box);

} // namespace sheetwright
