#include "report/ReportRows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace sw {
namespace {

Settings At(Series series, int32_t scale) {
    return SettingsAt(series, scale);
}

std::vector<SheetRec> Recs(const std::vector<std::pair<std::string, int>>& list) {
    std::vector<SheetRec> out;
    for (const auto& [no, in] : list) {
        SheetRec r;
        r.SheetNo = no;
        r.InFlag = static_cast<uint8_t>(in);
        out.push_back(r);
    }
    return out;
}

TEST(GroupKeyLength, OneMillionScaleUsesTheSheetItselfOtherScalesTheQuarterMillionSheet) {
    EXPECT_EQ(GroupKeyLength(At(Series::OldSeries, 1)), 2);
    EXPECT_EQ(GroupKeyLength(At(Series::OldSeries, 2)), 3);
    EXPECT_EQ(GroupKeyLength(At(Series::OldSeries, 4)), 3);
    EXPECT_EQ(GroupKeyLength(At(Series::OldSeries, 5)), 3);
    EXPECT_EQ(GroupKeyLength(At(Series::OpenSeries, 1)), 3);
    EXPECT_EQ(GroupKeyLength(At(Series::OpenSeries, 3)), 4);
    EXPECT_EQ(GroupKeyLength(At(Series::OpenSeries, 6)), 4);
}

TEST(SortedInSheets, KeepsOnlyInSheetsSortedAsTextIgnoringCaseWithDuplicates) {
    const auto sorted = SortedInSheets(Recs({{"53H/2", 1},
                                             {"53H/10", 1},
                                             {"53H/3", 0},
                                             {"#", 0},
                                             {"53h/1", 1},
                                             {"53H/1", 1},
                                             {"53H/10", 1}}));
    // Text order puts 53H/10 before 53H/2; equal-but-for-case numbers keep list order.
    EXPECT_EQ(sorted, (std::vector<std::string>{"53h/1", "53H/1", "53H/10", "53H/10", "53H/2"}));
}

TEST(SheetNumberLess, FoldsOnlyLetterCase) {
    EXPECT_TRUE(SheetNumberLess("53H/10", "53H/2"));
    EXPECT_FALSE(SheetNumberLess("53h", "53H"));
    EXPECT_FALSE(SheetNumberLess("53H", "53h"));
    EXPECT_TRUE(SheetNumberLess("53", "53H")); // a prefix comes first
    EXPECT_TRUE(SheetNumberLess("53H/9", "53L/1"));
    EXPECT_TRUE(SheetNumberLess("c47", "D01"));
}

TEST(GroupSheetNumbers, FiveSheetExampleOfTheOldSeries) {
    const auto rows = GroupSheetNumbers({"53H/1", "53H/2", "53H/5", "53L/4", "54E/1"}, 3, 87);
    EXPECT_EQ(rows,
              (std::vector<SheetListRec>{{"53H/1,53H/2,53H/5", 3}, {"53L/4", 1}, {"54E/1", 1}}));
}

TEST(GroupSheetNumbers, LongGroupWrapsAfterTheRowHasPassedTheLimit) {
    std::vector<std::string> sorted;
    for (int i = 1; i <= 16; ++i) {
        sorted.push_back("53H/" + std::to_string(i));
    }
    std::stable_sort(sorted.begin(), sorted.end(), SheetNumberLess);
    // "53H/1,53H/10" (12 characters) still takes 53H/11; at 19 characters the row is
    // past 16, so the fourth number wraps.
    const auto rows = GroupSheetNumbers(sorted, 3, 16);
    ASSERT_GE(rows.size(), 2u);
    EXPECT_EQ(rows[0].SheetNumbers, "53H/1,53H/10,53H/11");
    EXPECT_EQ(rows[0].NumberOfSheets, 3);
    EXPECT_EQ(rows[1].SheetNumbers.substr(0, 6), "53H/12");
    int32_t total = 0;
    for (const auto& r : rows) {
        EXPECT_LE(r.SheetNumbers.size(), 16u + 1 + 6) << r.SheetNumbers;
        total += r.NumberOfSheets;
    }
    EXPECT_EQ(total, 16);

    // A limit the rows never reach keeps the group on one row.
    const auto one = GroupSheetNumbers(sorted, 3, 1000);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].NumberOfSheets, 16);
}

TEST(GroupSheetNumbers, ANewGroupAfterAWrappedGroupStartsItsOwnCount) {
    const auto rows = GroupSheetNumbers({"53H/1", "53H/2", "53H/3", "53L/1"}, 3, 5);
    EXPECT_EQ(rows, (std::vector<SheetListRec>{{"53H/1,53H/2", 2}, {"53H/3", 1}, {"53L/1", 1}}));
}

TEST(GroupSheetNumbers, OneMillionScaleGivesEverySheetItsOwnRowInBothSeries) {
    EXPECT_EQ(GroupSheetNumbers({"53", "54", "62"}, 2, 87),
              (std::vector<SheetListRec>{{"53", 1}, {"54", 1}, {"62", 1}}));
    EXPECT_EQ(GroupSheetNumbers({"G43", "G44", "H43"}, 3, 87),
              (std::vector<SheetListRec>{{"G43", 1}, {"G44", 1}, {"H43", 1}}));
}

TEST(GroupSheetNumbers, OpenSeriesGroupsByTheQuarterMillionSheet) {
    EXPECT_EQ(GroupSheetNumbers({"H43X05", "H43X06", "H43Y01"}, 4, 87),
              (std::vector<SheetListRec>{{"H43X05,H43X06", 2}, {"H43Y01", 1}}));
}

TEST(GroupSheetNumbers, NoNumbersGiveNoRowsAndShortNumbersKeyOnWhatTheyHave) {
    EXPECT_TRUE(GroupSheetNumbers({}, 3, 87).empty());
    EXPECT_EQ(GroupSheetNumbers({"5", "53H/1"}, 3, 87),
              (std::vector<SheetListRec>{{"5,53H/1", 2}}));
}

// The grouping as first written: whole strings, the row's text measured and
// the key searched for in every number.
std::vector<SheetListRec> PlainGrouping(const std::vector<std::string>& sorted,
                                        std::size_t keyLength, int32_t charsPerLine) {
    std::vector<SheetListRec> rows;
    std::string key;
    int32_t c = 0;
    for (const std::string& s : sorted) {
        if (!rows.empty() && s.find(key) != std::string::npos) {
            ++c;
            const std::string& text = rows.back().SheetNumbers;
            if (!text.empty() && static_cast<int64_t>(text.size()) > charsPerLine) {
                rows.emplace_back();
                c = 1;
            }
            auto& row = rows.back();
            row.SheetNumbers = c == 1 ? s : row.SheetNumbers + "," + s;
            row.NumberOfSheets = c;
        } else {
            key = s.substr(0, keyLength);
            rows.push_back({s, 1});
            c = 1;
        }
    }
    return rows;
}

TEST(GroupSheetNumbers, AgreesWithPlainGroupingOnNumbersOfEveryLengthAndKey) {
    // Numbers short and long (the key compared as a word from eight characters
    // on), keys up to longer than a word, keys found only further in, empty
    // numbers, and limits from below zero to wider than any row.
    std::mt19937 random(24);
    const std::string letters = "5H/A3x";
    for (int round = 0; round < 400; ++round) {
        std::vector<std::string> numbers(random() % 60);
        for (auto& n : numbers) {
            n.resize(random() % 13);
            for (auto& ch : n) {
                ch = letters[random() % letters.size()];
            }
        }
        std::sort(numbers.begin(), numbers.end(), SheetNumberLess);
        const auto keyLength = static_cast<int32_t>(random() % 11);
        const auto charsPerLine = static_cast<int32_t>(random() % 50) - 5;
        EXPECT_EQ(GroupSheetNumbers(numbers, keyLength, charsPerLine),
                  PlainGrouping(numbers, static_cast<std::size_t>(keyLength), charsPerLine))
            << "round " << round;
    }
}

TEST(SheetGrouping, SaysWhichNumbersOpenARowAndCountsTheRow) {
    SheetGrouping g(4, 20);
    const std::pair<std::string, bool> steps[] = {
        {"H43X05A01", true}, {"H43X05A02", false}, {"H43X05A03", false}, // 29 characters
        {"H43X05A04", true}, {"H43Y01A01", true},  {"XH43Y01", false},   // key further in
        {"H43Y", false},     {"H43", true}};
    const int32_t counts[] = {1, 2, 3, 1, 1, 2, 3, 1};
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        EXPECT_EQ(g.Add(steps[i].first), steps[i].second) << steps[i].first;
        EXPECT_EQ(g.Count(), counts[i]) << steps[i].first;
    }
}

} // namespace
} // namespace sw
