#pragma once

// Numbers the cells of a sheet grid without building every number from scratch.
// A number is a run of parts of which each depends on the cell's latitude or its
// longitude alone, or on a sum of one row term and one column term; the terms are
// worked out once per row and once per column and joined per cell. The result is
// byte for byte what CellSheetNumber gives for the cell (a test holds the two
// together over the whole index at every scale): the number at the cell's
// south-west corner, or, for a 1:1M sheet whose south-west degree is not
// covered, at a covered point of it.

#include "coverage/SheetGrid.h"
#include "index/Settings.h"
#include "index/SheetNumber.h"

#include <cstdint>
#include <string>
#include <vector>

namespace sw {

// The number of the grid's cell at `row`, `col`, counted from its north-west
// cell, the ring of neighbours around the block included (rows and columns -1
// and GridRows / GridCols): CellSheetNumber at the cell's south-west corner.
std::string GridCellSheetNumber(const Settings& s, const SheetGrid& g, int32_t row, int32_t col);

class GridNumberer {
public:
    // For a grid whose GridWestSec, GridNorthSec, GridCols and GridRows are set.
    GridNumberer(const Settings& s, const SheetGrid& g);

    // Writes SheetNo of the GridCols records of row r, starting at `row`.
    void NumberRow(int32_t r, SheetRec* row) const;

    // The number of cell (r, c) as a text (the grid's CurrentSheetNo).
    std::string Number(int32_t r, int32_t c) const;

    // Writes the number of cell (r, c) to `out`, which has room for MaxLength
    // characters, and returns its length.
    std::size_t Compose(int32_t r, int32_t c, char* out) const {
        return Compose(rows_[static_cast<std::size_t>(r)], cols_[static_cast<std::size_t>(c)], out);
    }
    static constexpr std::size_t MaxLength = 48;

    // False for a cell wholly outside the index (numbered "#"), which is never IN.
    bool Inside(int32_t r, int32_t c) const {
        return Covered(rows_[static_cast<std::size_t>(r)], cols_[static_cast<std::size_t>(c)]);
    }

private:
    struct Column {
        int32_t WestSec;
        DmsAngle Lon;
        int32_t MillionBase; // old: first number of the 4° column
        int32_t Letter;      // old: 4 * (deg mod 4); open: deg mod 6
        int32_t Fifteen;     // 4 * (min div 15)
        int32_t Ten;         // open 1:10,000: (min mod 15) div 3
        int32_t TwoK;        // open 1:2000: 5 * column in the 3' sheet
        char Half;           // 'E' / 'W' of the 30' sheet
        char Quarter;        // 'E' / 'W' of the 7'30" sheet
        char Zone[8];        // open: zone number text
        uint8_t ZoneLen;
    };
    struct Row {
        int32_t SouthSec;
        DmsAngle Lat;
        int32_t Million; // old: (39 - deg) div 4
        int32_t Letter;  // old: 3 - deg mod 4; open: 6 * (3 - deg mod 4)
        int32_t Fifteen; // (59 - min) div 15 + 1
        int32_t Ten;     // open 1:10,000: 5 * (4 - (min mod 15) div 3)
        int32_t TwoK;    // open 1:2000: row in the 3' sheet, from 1
        char Half;       // 'N' / 'S'
        char Quarter;
        char Band; // open: band letter
    };

    std::size_t Compose(const Row& row, const Column& col, char* out) const;

    // A cell within one degree block is covered exactly when its south-west
    // corner is; a larger one when any of its blocks is.
    bool Covered(const Row& row, const Column& col) const {
        return spansDegrees_ ? CellInCoverageArea(col.WestSec, row.SouthSec, widthSec_, heightSec_)
                             : InCoverageArea(col.Lon, row.Lat);
    }

    Series series_;
    int32_t scale_;
    Settings settings_;
    int32_t widthSec_;
    int32_t heightSec_;
    bool spansDegrees_; // cells may reach over more than one degree block (1:1M)
    std::vector<Column> cols_;
    std::vector<Row> rows_;
};

} // namespace sw
