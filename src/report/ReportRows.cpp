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

std::vector<SheetListRec> GroupSheetNumbers(const std::vector<std::string>& sorted,
                                            int32_t keyLength, int32_t charsPerLine) {
    std::vector<SheetListRec> rows;
    if (sorted.empty()) {
        return rows;
    }
    const auto keyLen = static_cast<std::size_t>(std::max(keyLength, 0));
    std::string key = sorted.front().substr(0, keyLen);
    rows.emplace_back();
    int32_t count = 0;
    for (const auto& s : sorted) {
        if (s.find(key) != std::string::npos) {
            ++count;
            // Tested before the number is added, so a row may end one number
            // (and its comma) past the limit. A row still empty always takes its
            // number, or a page narrower than the fixed columns would open the
            // report with an empty row.
            const std::string& text = rows.back().SheetNumbers;
            if (!text.empty() && static_cast<int64_t>(text.size()) > charsPerLine) {
                rows.emplace_back();
                count = 1;
            }
            auto& row = rows.back();
            if (count == 1) {
                row.SheetNumbers = s;
            } else {
                row.SheetNumbers += ',';
                row.SheetNumbers += s;
            }
            row.NumberOfSheets = count;
        } else {
            key = s.substr(0, keyLen);
            rows.push_back(SheetListRec{s, 1});
            count = 1;
        }
    }
    return rows;
}

} // namespace sw
