#include "report/SheetOrder.h"

#include "coverage/LargeBlock.h"
#include "report/ReportRows.h"

#include <algorithm>
#include <bit>

namespace sw {

namespace {

unsigned char Folded(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u - 'A' + 'a') : u;
}

} // namespace

void PositionRanks::See(std::string_view text) {
    const std::size_t n = std::min(text.size(), MaxPositions);
    for (std::size_t p = 0; p < n; ++p) {
        seen_[p][Folded(text[p])] = true;
    }
    longest_ = std::max(longest_, text.size());
}

bool PositionRanks::Fix(int indexBits) {
    if (longest_ > MaxPositions) {
        return false;
    }
    int used = 0;
    for (std::size_t p = 0; p < longest_; ++p) {
        uint32_t distinct = 0;
        for (std::size_t c = 0; c < 256; ++c) {
            if (seen_[p][c]) {
                rank_[p][c] = static_cast<uint8_t>(++distinct);
            }
        }
        used += std::bit_width(distinct);
        if (used + indexBits > 64) {
            return false;
        }
        // Indexed by the character as it stands: its folded rank, in place.
        for (std::size_t c = 0; c < 256; ++c) {
            part_[p][c] = uint64_t{rank_[p][Folded(static_cast<char>(c))]} << (64 - used);
        }
    }
    return true;
}

uint64_t PositionRanks::Key(std::string_view text) const {
    uint64_t key = 0;
    for (std::size_t p = 0; p < text.size(); ++p) {
        key |= part_[p][static_cast<unsigned char>(text[p])];
    }
    return key;
}

// A stable least-significant-digit radix sort over only the bits above the index
// in which the keys differ (the numbers of one area share their leading
// characters), in digits of at most 11 bits so each pass's counts stay in the
// first-level cache.
IndexList SortIndexedKeys(KeyList& keys, int indexBits) {
    const std::size_t n = keys.size();
    if (n == 0) {
        return {};
    }
    const uint64_t indexMask = indexBits >= 64 ? ~uint64_t{0} : (uint64_t{1} << indexBits) - 1;
    uint64_t differ = 0;
    for (const uint64_t k : keys) {
        differ |= k ^ keys.front();
    }
    differ &= ~indexMask;
    if (differ != 0) {
        const int low = std::countr_zero(differ);
        const int span = 64 - std::countl_zero(differ) - low;
        const int passes = (span + 10) / 11;
        const int digit = (span + passes - 1) / passes;
        const uint64_t mask = (uint64_t{1} << digit) - 1;
        LargeArray<uint64_t> spare(n);
        uint64_t* from = keys.data();
        uint64_t* to = spare.data();
        std::vector<uint32_t> count(std::size_t{1} << digit);
        for (int p = 0; p < passes; ++p) {
            const int shift = low + p * digit;
            std::fill(count.begin(), count.end(), 0);
            for (std::size_t i = 0; i < n; ++i) {
                ++count[(from[i] >> shift) & mask];
            }
            uint32_t sum = 0;
            for (uint32_t& c : count) {
                const uint32_t here = c;
                c = sum;
                sum += here;
            }
            for (std::size_t i = 0; i < n; ++i) {
                to[count[(from[i] >> shift) & mask]++] = from[i];
            }
            std::swap(from, to);
        }
        if (from != keys.data()) {
            std::copy(from, from + n, keys.data());
        }
    }
    IndexList order(n);
    for (std::size_t i = 0; i < n; ++i) {
        order[i] = static_cast<uint32_t>(keys[i] & indexMask);
    }
    return order;
}

IndexList NumberOrderByComparison(uint32_t n, const std::vector<std::string_view>& texts) {
    IndexList order(n);
    for (uint32_t i = 0; i < n; ++i) {
        order[i] = i;
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](uint32_t a, uint32_t b) { return SheetNumberLess(texts[a], texts[b]); });
    return order;
}

std::vector<uint32_t> InSheetsInReportOrder(std::span<const SheetRec> sheets) {
    IndexList in;
    PositionRanks ranks;
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        if (sheets[i].InFlag != 0) {
            in.push_back(static_cast<uint32_t>(i));
            ranks.See(sheets[i].SheetNo.view());
        }
    }
    const IndexList order = NumberOrder(ranks, static_cast<uint32_t>(in.size()),
                                        [&](uint32_t i) { return sheets[in[i]].SheetNo.view(); });
    std::vector<uint32_t> records;
    records.reserve(order.size());
    for (const uint32_t i : order) {
        records.push_back(in[i]);
    }
    return records;
}

} // namespace sw
