#pragma once

// The block of whole sheets laid over a feature and the empty sheet list that
// fills it. Shared by both enumerations so that they start from the same grid.

#include "coverage/Feature.h"
#include "coverage/SheetGrid.h"
#include "index/Settings.h"

#include <cstdint>
#include <vector>

namespace sw {

// Refuses settings no grid can be laid with: a sheet size or a cell of zero or
// fewer seconds or pixels (every division below would be by zero). Throws
// ComputeError.
void CheckGridSettings(const Settings& s);

// The smallest block of whole sheets holding the first `vertexCount` vertices at
// their exact positions (fractions of a second included), widened by one sheet
// on each side where the extreme coordinate lies exactly on a sheet boundary. Sheets are aligned on
// multiples of the sheet size from 0°, also for negative (absurd) coordinates. Fills
// GridWest..GridSouth, GridCols, GridRows, GridWestSec and GridNorthSec. Needs vertexCount >= 1;
// throws IntegerOverflow when a coordinate or edge leaves the 32-bit range.
void ComputeGridBox(const Settings& s, const Feature& f, int32_t vertexCount, SheetGrid& g);

// The same block over the first counts[i] vertices of every features[i] together
// (a count of 0 leaves that feature out). Needs one count >= 1.
void ComputeGridBox(const Settings& s, const std::vector<const Feature*>& features,
                    const std::vector<int32_t>& counts, SheetGrid& g);

// cols * rows, or ComputeError when that is more than MaxSheetCount cells.
int64_t CheckedSheetCount(int32_t cols, int32_t rows);

// Replaces g.SheetList by cols * rows zeroed records with X = c * SheetPixelWidth,
// Y = r * SheetPixelHeight (origin 0, 0) and sets SheetCount. Refuses a grid of
// more than MaxSheetCount cells, or one whose allocation fails, with ComputeError
// before anything is allocated or changed; a pixel position past the 32-bit range
// throws IntegerOverflow.
void AllocateSheetList(const Settings& s, int32_t cols, int32_t rows, SheetGrid& g);

} // namespace sw
