#pragma once

// The vertex table to the feature's vertex list: what OK of the vertex dialog
// does with the cells, in either angle mode.

#include "coverage/Feature.h"
#include "exchange/VertexList.h"
#include "exchange/VertexTable.h"
#include "index/Error.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace sw {

// A cell that does not convert, or a vertex count the table cannot have. The
// message is the one the user sees.
class ConversionError : public Error {
public:
    explicit ConversionError(const std::string& what) : Error(ErrorKind::Input, what) {}
    // The vertex (from 1) whose cell failed; 0 when the error is not a cell's.
    int32_t Vertex = 0;
    // The table column of that cell: 1..6 in DMS mode, 1 (latitude) or 2
    // (longitude) in decimal mode and for a position list; 0 with Vertex 0.
    int32_t Column = 0;
};

// Reads t.VertexCount vertices in table order. DMS mode: vertex k (from 1) is
// row k + 1, columns 1..6, whole numbers with an optional sign, no range check.
// Decimal mode: vertex k is row k, column 1 the latitude, column 2 the longitude,
// decimal degrees with `decimalSeparator` and an optional exponent, through
// DecimalToDms. Cells are trimmed of blanks (codes 0 to 32) first. Throws
// ConversionError "'%s' is not a valid integer value" / "'%s' is not a valid
// floating point value" with the trimmed text (at most 40 characters, control
// characters escaped; also for NaN, infinity and values
// whose degrees leave the 32-bit range), and "Range check error" for a negative
// VertexCount. A count of 0 gives an empty list.
// With t.PartStartRows, the empty row that closes a part before the next part's
// start is passed over.
std::vector<VertexRec> TableToVertices(const VertexTable& t, bool decimalMode,
                                       char decimalSeparator);

// The same vertices as a feature whose parts start where t.PartStartRows says
// (one part without them), every part a polygon ring or every part a polyline.
Feature TableToFeature(const VertexTable& t, bool decimalMode, char decimalSeparator,
                       bool isPolygon);

// The positions of a file that stores numbers as the feature OK makes of them
// once the dialog shows them (FillVertexTable): each rounded to whole seconds by
// DecimalToDms, the parts where the list's starts say, every part a polygon ring
// or every part a polyline. A position that does not convert (not finite, or
// degrees beyond the 32-bit range) throws ConversionError with the text the
// dialog would show for it, its Vertex (from 1) and its Column (1 latitude,
// 2 longitude).
Feature VertexListToFeature(const VertexList& list, bool isPolygon);

// One cell's conversions, as TableToVertices applies them (the trimmed text in
// the message). Exposed for the dialogs and for tests.
int32_t CellToInteger(std::string_view text);
double CellToFloat(std::string_view text, char decimalSeparator);

} // namespace sw
