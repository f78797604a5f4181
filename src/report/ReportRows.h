#pragma once

// The body of the sheet report: the IN sheets sorted and grouped by the leading
// part of their number, long groups wrapped over several rows.

#include "coverage/SheetGrid.h"
#include "index/Settings.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
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

// Where each of the sorted numbers goes, decided one number at a time without
// holding any text: a caller that prints the rows as they come (the command
// line's --report) or builds them (GroupSortedNumbers) keeps the numbers
// itself. The row's length is counted, not measured, and the key is compared in
// place, so a number costs a few comparisons.
class SheetGrouping {
public:
    SheetGrouping(int32_t keyLength, int32_t charsPerLine)
        : keyLength_(static_cast<std::size_t>(std::max(keyLength, 0))),
          charsPerLine_(charsPerLine) {}
    // True when `s` opens a new body row (the first number always does), false
    // when it is appended to the current row after a comma. Inline for the
    // usual case, a number that starts with the current key.
    bool Add(std::string_view s) {
        if (count_ == 0 || !StartsWithKey(s)) {
            return AddOther(s);
        }
        return AddToGroup(s);
    }
    // How many numbers the current row holds, the last one added included.
    int32_t Count() const { return count_; }

private:
    // The key is a few characters: a number of eight or more compares them as
    // one masked word of its first eight bytes, a shorter one in a loop (a call
    // to memcmp would cost more than either).
    bool StartsWithKey(std::string_view s) const {
        if (s.size() >= sizeof(uint64_t) && keyInWord_) {
            uint64_t word = 0;
            std::memcpy(&word, s.data(), sizeof word);
            return (word & keyMask_) == keyWord_;
        }
        const std::size_t k = key_.size();
        if (s.size() < k) {
            return false;
        }
        for (std::size_t i = 0; i < k; ++i) {
            if (s[i] != key_[i]) {
                return false;
            }
        }
        return true;
    }
    // A number of the current group. The length is tested before the number is
    // added, so a row may end one number (and its comma) past the limit. A row
    // still empty always takes its number, or a page narrower than the fixed
    // columns would open the report with an empty row.
    bool AddToGroup(std::string_view s) {
        if (rowLength_ != 0 && rowLength_ > charsPerLine_) {
            return OpenRow(s);
        }
        rowLength_ += 1 + static_cast<int64_t>(s.size());
        ++count_;
        return false;
    }
    bool OpenRow(std::string_view s) {
        rowLength_ = static_cast<int64_t>(s.size());
        count_ = 1;
        return true;
    }
    // The first number, a number holding the key further in, or a new group.
    bool AddOther(std::string_view s);
    void SetKey(std::string_view key);

    std::size_t keyLength_;
    int32_t charsPerLine_;
    std::string key_;
    // The key as the first bytes of a word, and the mask of those bytes; only
    // for a key of at most eight characters.
    uint64_t keyWord_ = 0;
    uint64_t keyMask_ = 0;
    bool keyInWord_ = false;
    int64_t rowLength_ = 0; // the current row's text with its commas
    int32_t count_ = 0;
};

// The body rows of `count` numbers that `numberAt(k)` gives in sorted order as
// string views, so a caller holding its numbers in one block of text builds no
// string per sheet.
template <typename NumberAt>
std::vector<SheetListRec> GroupSortedNumbers(uint32_t count, NumberAt numberAt, int32_t keyLength,
                                             int32_t charsPerLine) {
    SheetGrouping grouping(keyLength, charsPerLine);
    std::vector<SheetListRec> rows;
    // Room for a full row at once: a report of half a million sheets would
    // otherwise grow each of its rows three or four times.
    const auto rowRoom = static_cast<std::size_t>(std::clamp(charsPerLine, 0, 4096));
    for (uint32_t k = 0; k < count; ++k) {
        const std::string_view s = numberAt(k);
        if (grouping.Add(s)) {
            rows.emplace_back();
            rows.back().SheetNumbers.reserve(rowRoom + 2 * s.size() + 2);
            rows.back().SheetNumbers = s;
        } else {
            rows.back().SheetNumbers += ',';
            rows.back().SheetNumbers += s;
        }
        rows.back().NumberOfSheets = grouping.Count();
    }
    return rows;
}

} // namespace sw
