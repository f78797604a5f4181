#include "report/ReportRows.h"

#include "report/SheetOrder.h"

#include <algorithm>

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

void SheetGrouping::Add(std::string_view s) {
    if (rows_.empty()) {
        // The first number opens the first group with its own key.
        key_ = std::string(s.substr(0, keyLength_));
        rows_.emplace_back();
    }
    // Numbers of one group mostly start with its key (a few characters, compared
    // in place); the search is for the rest.
    bool starts = s.size() >= key_.size();
    for (std::size_t i = 0; starts && i < key_.size(); ++i) {
        starts = s[i] == key_[i];
    }
    if (starts || s.find(key_) != std::string_view::npos) {
        ++count_;
        // Tested before the number is added, so a row may end one number
        // (and its comma) past the limit. A row still empty always takes its
        // number, or a page narrower than the fixed columns would open the
        // report with an empty row.
        const std::string& text = rows_.back().SheetNumbers;
        if (!text.empty() && static_cast<int64_t>(text.size()) > charsPerLine_) {
            rows_.emplace_back();
            count_ = 1;
        }
        auto& row = rows_.back();
        if (count_ == 1) {
            // Room for a full row at once: a report of half a million sheets
            // would otherwise grow each of its rows three or four times.
            row.SheetNumbers.reserve(static_cast<std::size_t>(std::clamp(charsPerLine_, 0, 4096)) +
                                     2 * s.size() + 2);
            row.SheetNumbers = s;
        } else {
            row.SheetNumbers += ',';
            row.SheetNumbers += s;
        }
        row.NumberOfSheets = count_;
    } else {
        key_ = std::string(s.substr(0, keyLength_));
        rows_.push_back(SheetListRec{std::string(s), 1});
        count_ = 1;
    }
}

std::vector<SheetListRec> GroupSheetNumbers(const std::vector<std::string>& sorted,
                                            int32_t keyLength, int32_t charsPerLine) {
    return GroupSortedNumbers(
        static_cast<uint32_t>(sorted.size()),
        [&](uint32_t k) { return std::string_view(sorted[k]); }, keyLength, charsPerLine);
}

} // namespace sw
