#pragma once

// The two sheet enumerations behind ComputeSheets. Both take a grid whose box and
// zeroed sheet list are already laid (GridBox.h), number every cell, mark IN the
// cells the segments touch and, given polygon points, the cells whose north-west
// corner lies inside; cells numbered "#" are never IN. They give identical
// results; the reference one is kept to prove it.

#include "coverage/CellTests.h"
#include "coverage/Coverage.h"
#include "coverage/SheetGrid.h"
#include "index/Settings.h"

#include <vector>

namespace sw {

// Every cell against every segment, cell by cell in list order, numbering each with
// SheetNumber: the enumeration as plainly as it can be written.
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

// The production enumeration: each segment visits only the cells of the column
// strips it crosses (with a one-cell margin) and runs the same exact test on them;
// the interior is decided row by row, for each feature over its own rows, from
// the sorted crossings of the row's line, computed as PointInPolygon computes
// them; cells are numbered by GridNumberer. `polygons` is empty for points and
// polylines.
void FastSheetEnumeration(const Settings& s, const std::vector<Segment>& segments,
                          const std::vector<RingSet>& polygons, SheetGrid& g,
                          const ComputeControl& ctl);

// Sets InFlag on the cells the segment touches (nothing else). Exposed for tests.
void MarkTouchedCells(const Segment& seg, int32_t cellWidth, int32_t cellHeight, SheetGrid& g);

} // namespace sw
