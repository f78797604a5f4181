#pragma once

// The body of the sheet report: the IN sheets sorted and grouped by the leading
// part of their number, long groups wrapped over several rows.

#include "coverage/SheetGrid.h"
#include "index/Settings.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace sw {

// One body row: the numbers joined by "," without spaces, and how many there are.
struct SheetListRec {
    std::string SheetNumbers;
    int32_t NumberOfSheets = 0;

    friend bool operator==(const SheetListRec&, const SheetListRec&) = default;
};

// How many leading characters of a number name its group: at "1:1M" the sheet's
// own number (2 characters old, 3 open), at every other scale the number of the
// 1:2,50,000 sheet that holds it (3 old, 4 open).
int32_t GroupKeyLength(const Settings& s);

// Sheet-number order of the report, ignoring letter case. The numbers are ASCII
// (digits, capital letters, "/"), so the comparison folds A-Z onto a-z and then
// compares byte by byte; that keeps it the same on every machine and locale,
// unlike a collation that may weigh "/" differently. Text order, not numeric:
// "53H/10" comes before "53H/2".
bool SheetNumberLess(std::string_view a, std::string_view b);

// The SheetNo of every IN record in list order, sorted by SheetNumberLess; the
// sort is stable and keeps duplicates.
std::vector<std::string> SortedInSheets(std::span<const SheetRec> sheets);

// Groups sorted numbers. A number joins the current row when it contains the
// current key (the first `keyLength` characters of the number that opened the
// group); a row whose text has already grown longer than `charsPerLine` is
// continued on a new row with its own count. No numbers give no rows.
std::vector<SheetListRec> GroupSheetNumbers(const std::vector<std::string>& sorted,
                                            int32_t keyLength, int32_t charsPerLine);

// The same over `count` numbers that `numberAt(k)` gives in sorted order as
// string views, so a caller holding its numbers in one block of text (the
// command line's mask road) builds no string per sheet.
class SheetGrouping {
public:
    SheetGrouping(int32_t keyLength, int32_t charsPerLine)
        : keyLength_(static_cast<std::size_t>(std::max(keyLength, 0))),
          charsPerLine_(charsPerLine) {}
    void Add(std::string_view s);
    std::vector<SheetListRec> Take() { return std::move(rows_); }

private:
    std::size_t keyLength_;
    int32_t charsPerLine_;
    std::string key_;
    int32_t count_ = 0;
    std::vector<SheetListRec> rows_;
};

template <typename NumberAt>
std::vector<SheetListRec> GroupSortedNumbers(uint32_t count, NumberAt numberAt, int32_t keyLength,
                                             int32_t charsPerLine) {
    SheetGrouping grouping(keyLength, charsPerLine);
    for (uint32_t k = 0; k < count; ++k) {
        grouping.Add(numberAt(k));
    }
    return grouping.Take();
}

} // namespace sw
