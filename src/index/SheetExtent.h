#pragma once

// Reverse lookup: from a sheet number to the sheet's scale and extent. The
// search descends the numbering hierarchy with SheetNumber itself, so a number is
// found exactly when the forward rules produce it.

#include "index/Error.h"
#include "index/Settings.h"

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace sw {

// A sheet number that no sheet of the series carries; the message says which
// part of it does not match.
class UnknownSheetError : public Error {
public:
    explicit UnknownSheetError(const std::string& what) : Error(ErrorKind::Input, what) {}
};

struct SheetExtent {
    int32_t ScaleIndex = 0; // position in the series' scale list
    int32_t SouthSec = 0;
    int32_t WestSec = 0;
    int32_t NorthSec = 0;
    int32_t EastSec = 0;
};

// Finds the sheet `number` of `series`; throws UnknownSheetError otherwise.
SheetExtent FindSheetExtent(Series series, const std::string& number);

// Numbers of the eight neighbours, row by row from the north-west: NW, N, NE, W,
// E, SW, S, SE ("#" where the neighbour lies wholly outside the index). Each is
// numbered as a cell of the grid is (CellSheetNumber), as the layout's ring of
// neighbours is.
std::array<std::string, 8> NeighbourSheetNumbers(Series series, const SheetExtent& e);

} // namespace sw
