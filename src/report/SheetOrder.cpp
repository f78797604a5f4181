#include "report/SheetOrder.h"

#include "coverage/LargeBlock.h"
#include "report/ReportRows.h"

#include <algorithm>
#include <array>
#include <bit>
#include <memory>

namespace sw {

namespace {

unsigned char Folded(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u - 'A' + 'a') : u;
}

struct Keyed {
    uint64_t Key;
    uint32_t Index;
};

// A stable least-significant-digit radix sort on Key, over only the bits in which
// the keys differ (the numbers of one area share their leading characters), in
// digits of at most 11 bits so each pass's counts stay in the first-level cache.
// Writes the indexes in sorted order to `order`.
void RadixSort(std::vector<Keyed>& items, std::vector<uint32_t>& order) {
    const std::size_t n = items.size();
    uint64_t differ = 0;
    for (const Keyed& k : items) {
        differ |= k.Key ^ items.front().Key;
    }
    if (differ == 0) {
        for (const Keyed& k : items) {
            order.push_back(k.Index);
        }
        return;
    }
    const int low = std::countr_zero(differ);
    const int span = 64 - std::countl_zero(differ) - low;
    const int passes = (span + 10) / 11;
    const int digit = (span + passes - 1) / passes;
    const uint64_t mask = (uint64_t{1} << digit) - 1;

    std::unique_ptr<Keyed[]> spare(new Keyed[n]);
    AdviseLargeBlock(spare.get(), n * sizeof(Keyed));
    Keyed* from = items.data();
    Keyed* to = spare.get();
    std::vector<uint32_t> count(std::size_t{1} << digit);
    for (int p = 0; p < passes; ++p) {
        const int shift = low + p * digit;
        std::fill(count.begin(), count.end(), 0);
        for (std::size_t i = 0; i < n; ++i) {
            ++count[(from[i].Key >> shift) & mask];
        }
        uint32_t sum = 0;
        for (uint32_t& c : count) {
            const uint32_t here = c;
            c = sum;
            sum += here;
        }
        for (std::size_t i = 0; i < n; ++i) {
            to[count[(from[i].Key >> shift) & mask]++] = from[i];
        }
        std::swap(from, to);
    }
    for (std::size_t i = 0; i < n; ++i) {
        order.push_back(from[i].Index);
    }
}

} // namespace

std::vector<uint32_t> InSheetsInReportOrder(std::span<const SheetRec> sheets) {
    // The characters that occur, after folding, each get a rank from 1 in byte
    // order; 0 pads a short number, so a prefix sorts first. Sheet numbers use a
    // few dozen characters, so a rank takes 5 or 6 bits and a whole number fits
    // one 64-bit key; where it does not, the numbers are compared as text.
    std::array<bool, 256> seen{};
    std::size_t longest = 0;
    std::size_t inCount = 0;
    for (const SheetRec& rec : sheets) {
        if (rec.InFlag != 0) {
            ++inCount;
            for (const char c : rec.SheetNo.view()) {
                seen[Folded(c)] = true;
            }
            longest = std::max(longest, rec.SheetNo.size());
        }
    }
    std::array<uint8_t, 256> rank{};
    uint32_t distinct = 0;
    for (std::size_t c = 0; c < seen.size(); ++c) {
        if (seen[c]) {
            rank[c] = static_cast<uint8_t>(++distinct);
        }
    }
    const auto bits = static_cast<std::size_t>(std::bit_width(distinct));

    std::vector<uint32_t> order;
    order.reserve(inCount);
    AdviseLargeBlock(order.data(), inCount * sizeof(uint32_t));
    if (bits * longest <= 64) {
        std::vector<Keyed> items;
        items.reserve(inCount);
        AdviseLargeBlock(items.data(), inCount * sizeof(Keyed));
        for (std::size_t i = 0; i < sheets.size(); ++i) {
            const SheetRec& rec = sheets[i];
            if (rec.InFlag == 0) {
                continue;
            }
            uint64_t key = 0;
            std::size_t used = 0;
            for (const char c : rec.SheetNo.view()) {
                key = (key << bits) | rank[Folded(c)];
                used += bits;
            }
            // Left-aligned, so that padding ranks below every character.
            if (used > 0 && used < 64) {
                key <<= 64 - used;
            }
            items.push_back({key, static_cast<uint32_t>(i)});
        }
        RadixSort(items, order);
        return order;
    }

    for (std::size_t i = 0; i < sheets.size(); ++i) {
        if (sheets[i].InFlag != 0) {
            order.push_back(static_cast<uint32_t>(i));
        }
    }
    std::stable_sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
        return SheetNumberLess(sheets[a].SheetNo.view(), sheets[b].SheetNo.view());
    });
    return order;
}

} // namespace sw
