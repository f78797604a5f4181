#pragma once

// The vertex dialog's grid of text cells, also the table the file readers fill.
// Rows 0 and 1 are headings and column 0 a label column that is never read.
// DMS mode (7 columns): vertex k (from 1) is row k + 1, columns 1..6 = latitude
// degrees, minutes, seconds, longitude degrees, minutes, seconds. Decimal mode
// (3 columns): vertex k is row k, column 1 latitude, column 2 longitude, so the
// readers write their first vertex over the second heading row. Text is 8-bit.

#include <cstdint>
#include <string>
#include <vector>

namespace sw {

class VertexTable {
public:
    VertexTable() = default;

    int32_t RowCount() const { return rowCount_; }
    int32_t ColCount() const { return colCount_; }
    // Changing a count never drops cells: a cell outside the counts keeps its text
    // and shows again when the counts grow back, as a string grid does.
    void SetRowCount(int32_t rows);
    void SetColCount(int32_t cols);

    // Empty for a cell never written. Negative positions are empty and not writable.
    const std::string& Cell(int32_t col, int32_t row) const;
    void SetCell(int32_t col, int32_t row, std::string text);

    // Empties every stored cell of rows first..last (inclusive).
    void ClearRows(int32_t first, int32_t last);

    // The number of vertex rows OK reads; written by the readers.
    int32_t VertexCount = 0;
    // What the last reader said the file held (1 for a polygon); OK itself
    // decides from the data type.
    uint8_t IsPolygon = 0;
    // The row at which each part of the file starts (its rings, lines or
    // coordinate lists), ascending; empty for one part, as typed rows are. The
    // rows themselves stay as the reader wrote them: a row just before a later
    // part's start whose vertex cells are both empty closes the part before and
    // is no vertex.
    std::vector<int32_t> PartStartRows;

private:
    int32_t rowCount_ = 7;
    int32_t colCount_ = 7;
    std::vector<std::vector<std::string>> cells_; // [row][col], grown on write
};

// Lays the headings out for a mode, touching no other cell: decimal mode has 3
// columns, row 0 "Lat." / "Long.", row 1 "Deg. Decimal" twice; DMS mode 7
// columns, row 0 "Lat." x3, "Long." x3, row 1 "Deg.", "Min.", "Sec." twice.
void SetGrid(VertexTable& t, bool decimalMode);

} // namespace sw
