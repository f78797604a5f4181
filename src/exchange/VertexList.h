#pragma once

// What a file that stores its coordinates as numbers (a shapefile, a GeoJSON
// file or another GIS layer) gives the vertex dialog and the command line: the
// numbers themselves. The command line makes its feature of them directly
// (VertexListToFeature); the dialog shows them as text in its table through
// FillVertexTable, the one place where they become text.

#include "exchange/VertexTable.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace sw {

struct DecimalPosition {
    double Lat = 0; // decimal degrees
    double Lon = 0;

    friend bool operator==(const DecimalPosition&, const DecimalPosition&) = default;
};

struct VertexList {
    // What the file says its shapes are (true for polygons); none when it names
    // no kind it knows, and then the table's IsPolygon stays as it was.
    std::optional<bool> IsPolygon;
    // False when the file held no shape to take positions from (a shapefile of
    // points, or whose first shape is null): the table keeps its rows and count.
    bool HasShape = false;
    std::vector<DecimalPosition> Positions;
    // The index of the position each part starts at, ascending, the first 0;
    // empty for one part.
    std::vector<int32_t> PartStarts;
};

// Fills the table, already laid out in decimal mode, as the dialog shows a read
// file: row i + 1 holds position i (column 0 its number, column 1 the latitude,
// column 2 the longitude, at most 15 significant digits with `decimalSeparator`),
// the row count becomes the positions + 1, VertexCount the positions and
// PartStartRows the rows the parts start at (empty for one part). The
// positions run on without a row between parts.
void FillVertexTable(const VertexList& list, VertexTable& t, char decimalSeparator);

} // namespace sw
