#pragma once

// What the status bar shows for the pointer at an image pixel: the position
// under it always, and over the block of computed sheets the sheet, its extent,
// its place in the sheet list and whether the feature touches it. Texts are in
// the core's Windows-1252.

#include "coverage/LayoutGeometry.h"
#include "coverage/SheetGrid.h"
#include "index/Settings.h"

#include <cstdint>
#include <string>

namespace sw {

// Where a pixel lies: on the block of computed sheets, on the ring of
// neighbouring sheets one cell wide around it, or on the margin outside both.
enum class PointerPlace { Block, Ring, Margin };

struct PointerReading {
    PointerPlace Place = PointerPlace::Block;
    std::string Panel2; // " Lat: ... Long: ...", for every pixel
    // Set only over a cell of the block: its index in SheetList and panels 0 and 1.
    int32_t Index = -1;
    std::string Panel0;
    std::string Panel1;
};

// The block's right and bottom edge lines belong to its last column and row, so
// every pixel of the closed block rectangle names a cell of its own row and
// column. Index stays -1 outside the block and for an empty sheet list. Throws
// IntegerOverflow only for positions no image can have.
PointerReading ReadPointer(const Settings& s, const SheetGrid& g, const LayoutGeometry& geo,
                           int32_t x, int32_t y);

// What the window reads out: as ReadPointer over the block; over a ring cell
// its number (CellSheetNumber: at a covered point of it, its south-west corner
// where that is covered, as the grid's own cells are numbered) and extent in panel 0 and
// NeighbourSheetText in panel 1, Index -1; over the margin nothing at all, not even a position,
// since no sheet is there. The ring's outer frame lines belong to the ring.
PointerReading ReadLayoutPointer(const Settings& s, const SheetGrid& g, const LayoutGeometry& geo,
                                 int32_t x, int32_t y);

inline constexpr const char* NeighbourSheetText = " Neighbour sheet";

// The highlight rectangle of a cell, (X + 2, Y + 2, X + W - 1, Y + Z - 1) with the
// right and bottom edge excluded: the cell's inside less one free pixel next to
// its frame on every side.
struct HighlightBox {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;  // excluded
    int32_t Bottom = 0; // excluded
};
// From the record's X, Y (a layout placed at this geometry), or from the cell's
// index in the sheet list, placed by the geometry alone (CellCorner).
HighlightBox HighlightRect(const LayoutGeometry& geo, const SheetRec& sheet);
HighlightBox HighlightRect(const LayoutGeometry& geo, int32_t gridCols, int32_t index);

} // namespace sw
