#pragma once

// The two sheet enumerations behind ComputeSheets. Both take a grid whose box and
// zeroed sheet list are already laid (GridBox.h), number every cell, mark IN the
// cells the segments touch and, given polygon points, the cells whose north-west
// corner lies inside; cells numbered "#" are never IN. They give identical
// results; the reference one is kept to prove it.

#include "coverage/CellNumbering.h"
#include "coverage/CellTests.h"
#include "coverage/Coverage.h"
#include "coverage/SheetGrid.h"
#include "index/Settings.h"

#include <cstdint>
#include <vector>

namespace sw {

// Every cell against every segment, cell by cell in list order, numbering each with
// CellSheetNumber: the enumeration as plainly as it can be written.
void clipp_lines_along_sheets(const Settings& s, const std::vector<Segment>& segments, SheetGrid& g,
                              const ComputeControl& ctl);

// The rings of one feature in the grid's pixel frame. The even-odd rule runs over
// the rings of one feature; features never cancel each other.
struct RingSet {
    const PolyPoints* Points = nullptr;
    std::vector<Ring> Rings;
};

// Reference interior test: every cell still OUT against every edge of the rings.
void MarkInteriorSheets(const RingSet& polygon, SheetGrid& g);

// The west edges of the grid's columns and the north edges of its rows in pixels
// (origin 0, 0), and the cell size. Throws IntegerOverflow where a position
// leaves the 32-bit range.
struct CellFrame {
    CellFrame(const Settings& s, int32_t cols, int32_t rows);

    int32_t Width;
    int32_t Height;
    std::vector<int32_t> Xs;
    std::vector<int32_t> Ys;
};

// The production enumeration, deciding IN without numbering: `in` becomes one
// byte per cell of the grid box g (GridCols, GridRows, GridWestSec, GridNorthSec),
// row r, column c at r * GridCols + c, 1 for IN. Each segment visits only the
// cells of the column strips it crosses (with a one-cell margin) and runs the
// exact touch test on them; the interior is decided row by row, for each
// feature over its own rows, from the sorted crossings of the row's line,
// computed as PointInPolygon computes them. Cells outside the index stay 0.
// Checks ctl.cancel once per row; reports no progress.
void EnumerateInCells(const Settings& s, const std::vector<Segment>& segments,
                      const std::vector<RingSet>& polygons, const SheetGrid& g,
                      const GridNumberer& numberer, CellFlags& in, const ComputeControl& ctl);

// EnumerateInCells on a grid whose sheet list is laid, then every record numbered
// by GridNumberer and given its IN flag, with the progress of that pass.
// `polygons` is empty for points and polylines.
void FastSheetEnumeration(const Settings& s, const std::vector<Segment>& segments,
                          const std::vector<RingSet>& polygons, SheetGrid& g,
                          const ComputeControl& ctl);

// Sets to 1 the flags (one byte per cell, row-major) of the cells the segment
// touches, and nothing else.
void MarkTouchedCells(const Segment& seg, const CellFrame& frame, uint8_t* in);

} // namespace sw
