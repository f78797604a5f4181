#pragma once

// The body of the sheet report: the IN sheets sorted and grouped by the leading
// part of their number, long groups wrapped over several rows.

#include "coverage/SheetGrid.h"
#include "index/Settings.h"

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

} // namespace sw
