#include "report/ReportRows.h"

#include "report/SheetOrder.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace sw {

int32_t GroupKeyLength(const Settings& s) {
    const int32_t base = s.ScaleIndex == 1 ? 2 : 3;
    return s.MapSeries == Series::OpenSeries ? base + 1 : base;
}

namespace {

unsigned char FoldCase(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u - 'A' + 'a') : u;
}

} // namespace

bool SheetNumberLess(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return FoldCase(x) < FoldCase(y); });
}

std::vector<std::string> SortedInSheets(std::span<const SheetRec> sheets) {
    const std::vector<uint32_t> order = InSheetsInReportOrder(sheets);
    std::vector<std::string> numbers;
    numbers.reserve(order.size());
    for (const uint32_t i : order) {
        numbers.push_back(sheets[i].SheetNo.str());
    }
    return numbers;
}

bool SheetGrouping::AddOther(std::string_view s) {
    // The first number opens the first group with its own key; a number that
    // holds the key anywhere else still belongs to the group.
    if (count_ != 0 && s.find(key_) != std::string_view::npos) {
        return AddToGroup(s);
    }
    SetKey(s.substr(0, keyLength_));
    return OpenRow(s);
}

void SheetGrouping::SetKey(std::string_view key) {
    key_ = key;
    keyInWord_ = key.size() <= sizeof(uint64_t);
    if (keyInWord_) {
        // Bytes copied in, not shifted, so the mask covers the same bytes as the
        // key whatever the machine's byte order.
        const std::array<unsigned char, sizeof(uint64_t)> ones{0xFF, 0xFF, 0xFF, 0xFF,
                                                               0xFF, 0xFF, 0xFF, 0xFF};
        keyWord_ = 0;
        keyMask_ = 0;
        std::memcpy(&keyWord_, key_.data(), key_.size());
        std::memcpy(&keyMask_, ones.data(), key_.size());
    }
}

std::vector<SheetListRec> GroupSheetNumbers(const std::vector<std::string>& sorted,
                                            int32_t keyLength, int32_t charsPerLine) {
    return GroupSortedNumbers(
        static_cast<uint32_t>(sorted.size()),
        [&](uint32_t k) { return std::string_view(sorted[k]); }, keyLength, charsPerLine);
}

} // namespace sw
