#pragma once

// A table of 8-bit text cells, [row][column]; rows may have fewer cells than the
// widest row. The report window shows one and the worksheet writer saves it.

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

namespace sw {

using TextTable = std::vector<std::vector<std::string>>;

// The number of cells of the widest row.
inline std::size_t WidestRowSize(const TextTable& table) {
    std::size_t cols = 0;
    for (const auto& row : table) {
        cols = std::max(cols, row.size());
    }
    return cols;
}

} // namespace sw
