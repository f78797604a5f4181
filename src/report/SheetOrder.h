#pragma once

// The order in which the report (and the command line's text output) lists the IN
// sheets: by number, ignoring letter case, equal numbers in list order. Each
// number is turned once into an integer key whose order is that text order, and
// the keys are radix sorted, so half a million sheets sort in milliseconds
// instead of through a folding string comparison per step.
//
// The key ranks, at each character position on its own, the (folded) characters
// that occur there, 0 standing for "the number has ended". Sheet numbers share
// their layout, so a position holds only a few distinct characters and a whole
// number takes some thirty bits; the item's index fills the bits below, which
// keeps equal numbers in list order and sorts 8-byte keys only.

#include "coverage/LargeBlock.h"
#include "coverage/SheetGrid.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace sw {

// The indexes of the records whose InFlag is set, in report order: what a stable
// sort of their numbers by SheetNumberLess gives.
std::vector<uint32_t> InSheetsInReportOrder(std::span<const SheetRec> sheets);

// The texts' ranks per position, seen once over every text to be sorted.
class PositionRanks {
public:
    static constexpr std::size_t MaxPositions = 32;

    void See(std::string_view text);
    // Fixes the ranks and says whether a key of them leaves `indexBits` bits free.
    bool Fix(int indexBits);
    // The key of a text seen before, in its high bits.
    uint64_t Key(std::string_view text) const;

private:
    std::array<std::array<bool, 256>, MaxPositions> seen_{};
    std::array<std::array<uint8_t, 256>, MaxPositions> rank_{};
    std::array<std::array<uint64_t, 256>, MaxPositions> part_{}; // rank << its place in the key
    std::size_t longest_ = 0;
};

using IndexList = std::vector<uint32_t, LargeAllocator<uint32_t>>;
using KeyList = std::vector<uint64_t, LargeAllocator<uint64_t>>;

// Sorts keys whose low `indexBits` bits hold their own position in `keys` by
// their high bits, stably, and returns those positions in that order.
IndexList SortIndexedKeys(KeyList& keys, int indexBits);

// The plain comparison sort, for texts whose keys do not fit 64 bits.
IndexList NumberOrderByComparison(uint32_t n, const std::vector<std::string_view>& texts);

// The positions 0..n-1 in the order of a stable sort of textAt(i) by
// SheetNumberLess, for a caller that has already shown every text to `ranks`.
template <typename TextAt> IndexList NumberOrder(PositionRanks& ranks, uint32_t n, TextAt textAt) {
    int indexBits = 0;
    while (indexBits < 32 && (uint64_t{1} << indexBits) < n) {
        ++indexBits;
    }
    if (!ranks.Fix(indexBits)) {
        std::vector<std::string_view> texts;
        texts.reserve(n);
        for (uint32_t i = 0; i < n; ++i) {
            texts.push_back(textAt(i));
        }
        return NumberOrderByComparison(n, texts);
    }
    KeyList keys;
    keys.reserve(n);
    for (uint32_t i = 0; i < n; ++i) {
        keys.push_back(ranks.Key(textAt(i)) | i);
    }
    return SortIndexedKeys(keys, indexBits);
}

} // namespace sw
