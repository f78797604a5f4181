#include "exchange/VertexTable.h"

#include <algorithm>

namespace sw {

void VertexTable::SetRowCount(int32_t rows) {
    rowCount_ = std::max(rows, 0);
}

void VertexTable::SetColCount(int32_t cols) {
    colCount_ = std::max(cols, 1);
}

const std::string& VertexTable::Cell(int32_t col, int32_t row) const {
    static const std::string empty;
    if (row < 0 || col < 0 || static_cast<std::size_t>(row) >= cells_.size()) {
        return empty;
    }
    const auto& r = cells_[static_cast<std::size_t>(row)];
    if (static_cast<std::size_t>(col) >= r.size()) {
        return empty;
    }
    return r[static_cast<std::size_t>(col)];
}

void VertexTable::SetCell(int32_t col, int32_t row, std::string text) {
    if (row < 0 || col < 0) {
        return;
    }
    const auto ur = static_cast<std::size_t>(row);
    const auto uc = static_cast<std::size_t>(col);
    if (ur >= cells_.size()) {
        if (text.empty()) {
            return;
        }
        cells_.resize(ur + 1);
    }
    auto& r = cells_[ur];
    if (uc >= r.size()) {
        if (text.empty()) {
            return;
        }
        // A row is filled column by column: room for all of them at once,
        // rather than a new block (and moved strings) for each.
        r.reserve(std::max(uc + 1, static_cast<std::size_t>(std::max(colCount_, 0))));
        r.resize(uc + 1);
    }
    r[uc] = std::move(text);
}

void VertexTable::ClearRows(int32_t first, int32_t last) {
    for (int32_t row = std::max(first, 0);
         row <= last && static_cast<std::size_t>(row) < cells_.size(); ++row) {
        for (auto& cell : cells_[static_cast<std::size_t>(row)]) {
            cell.clear();
        }
    }
}

void SetGrid(VertexTable& t, bool decimalMode) {
    if (decimalMode) {
        t.SetColCount(3);
        t.SetCell(1, 0, "Lat.");
        t.SetCell(2, 0, "Long.");
        t.SetCell(1, 1, "Deg. Decimal");
        t.SetCell(2, 1, "Deg. Decimal");
        return;
    }
    t.SetColCount(7);
    const char* row0[] = {"Lat.", "Lat.", "Lat.", "Long.", "Long.", "Long."};
    const char* row1[] = {"Deg.", "Min.", "Sec.", "Deg.", "Min.", "Sec."};
    for (int32_t c = 1; c <= 6; ++c) {
        t.SetCell(c, 0, row0[c - 1]);
        t.SetCell(c, 1, row1[c - 1]);
    }
}

} // namespace sw
