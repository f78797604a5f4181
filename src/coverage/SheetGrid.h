#pragma once

// The grid of whole sheets laid over a feature and its sheet list.

#include "index/Convertions.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace sw {

// A sheet number as a short string: at most 20 characters, stored inline so a
// grid of millions of cells is one allocation.
class SheetNoText {
public:
    SheetNoText() = default;
    SheetNoText(std::string_view s) { assign(s); } // NOLINT: converts like a string

    void assign(std::string_view s) {
        len_ = static_cast<uint8_t>(std::min<std::size_t>(s.size(), Capacity));
        std::memcpy(chars_, s.data(), len_);
    }
    SheetNoText& operator=(std::string_view s) {
        assign(s);
        return *this;
    }
    std::string_view view() const { return {chars_, len_}; }
    std::string str() const { return std::string(view()); }
    std::size_t size() const { return len_; }
    bool empty() const { return len_ == 0; }
    friend bool operator==(const SheetNoText& a, const SheetNoText& b) {
        return a.view() == b.view();
    }
    friend bool operator==(const SheetNoText& a, std::string_view b) { return a.view() == b; }

    static constexpr std::size_t Capacity = 20;

private:
    uint8_t len_ = 0;
    char chars_[Capacity] = {};
};

struct SheetRec {
    SheetNoText SheetNo; // "#" outside the index
    uint8_t InFlag = 0;  // 1 = IN
    int32_t X = 0;       // pixel position of the cell's north-west corner
    int32_t Y = 0;

    friend bool operator==(const SheetRec&, const SheetRec&) = default;
};

struct SheetGrid {
    DmsAngle GridWest, GridEast, GridNorth, GridSouth;
    int32_t GridCols = 0;
    int32_t GridRows = 0;
    int32_t SheetCount = 0;
    int32_t GridWestSec = 0;
    int32_t GridNorthSec = 0;
    int32_t GridOriginX = 0; // pixel position of the grid's north-west corner
    int32_t GridOriginY = 0;
    std::vector<SheetRec> SheetList; // row r, column c at r * GridCols + c, north-west first
    std::string CurrentSheetNo;
    int32_t InSheetCount = 0; // counted by ComputeSheets
};

} // namespace sw
