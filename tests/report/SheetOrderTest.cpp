#include "report/SheetOrder.h"
#include "report/ReportRows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace sw {
namespace {

// What the report's order is defined as: a stable sort of the IN numbers by
// SheetNumberLess, as record indexes.
std::vector<uint32_t> StringSortOrder(const std::vector<SheetRec>& recs) {
    std::vector<uint32_t> idx;
    for (uint32_t i = 0; i < recs.size(); ++i) {
        if (recs[i].InFlag != 0) {
            idx.push_back(i);
        }
    }
    std::stable_sort(idx.begin(), idx.end(), [&](uint32_t a, uint32_t b) {
        return SheetNumberLess(recs[a].SheetNo.view(), recs[b].SheetNo.view());
    });
    return idx;
}

std::vector<SheetRec> RandomRecs(std::mt19937& rng, const std::string& alphabet, std::size_t maxLen,
                                 std::size_t count) {
    std::uniform_int_distribution<std::size_t> len(0, maxLen);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> in(0, 3);
    std::vector<SheetRec> recs(count);
    for (SheetRec& r : recs) {
        std::string s(len(rng), ' ');
        for (char& c : s) {
            c = alphabet[pick(rng)];
        }
        r.SheetNo = s;
        r.InFlag = in(rng) == 0 ? 0 : 1;
    }
    return recs;
}

TEST(InSheetsInReportOrder, AgreesWithTheStableFoldingSortOnSeededLists) {
    std::mt19937 rng(7);
    struct Case {
        std::string alphabet;
        std::size_t maxLen;
    };
    const std::vector<Case> cases{
        // Few characters and short numbers: one integer key per number, many
        // duplicates and numbers that differ only in letter case.
        {"53Hh/1", 4},
        {"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ/#", 10},
        // Too many characters for the key: the text comparison takes over.
        {"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghij/#", 20},
        // Bytes above 127 and a NUL, which must still sort as bytes.
        {std::string("ab\xb0\xe9\0Z", 6), 8},
    };
    for (const Case& c : cases) {
        for (std::size_t count : {0, 1, 2, 50, 3000}) {
            const auto recs = RandomRecs(rng, c.alphabet, c.maxLen, count);
            EXPECT_EQ(InSheetsInReportOrder(recs), StringSortOrder(recs))
                << "alphabet " << c.alphabet << ", " << count << " records";
        }
    }
}

TEST(InSheetsInReportOrder, PrefixFirstCaseFoldedTiesInListOrderOutSheetsLeftOut) {
    std::vector<SheetRec> recs(7);
    const char* numbers[] = {"53H/2", "53h/10", "53", "53H/10", "#", "53H/1", ""};
    const uint8_t flags[] = {1, 1, 1, 1, 0, 1, 1};
    for (std::size_t i = 0; i < recs.size(); ++i) {
        recs[i].SheetNo = numbers[i];
        recs[i].InFlag = flags[i];
    }
    // "" < "53" < "53H/1" < "53h/10" = "53H/10" (list order kept) < "53H/2".
    EXPECT_EQ(InSheetsInReportOrder(recs), (std::vector<uint32_t>{6, 2, 5, 1, 3, 0}));
}

TEST(InSheetsInReportOrder, GridOfOneNumberEverywhereKeepsListOrder) {
    std::vector<SheetRec> recs(5);
    for (SheetRec& r : recs) {
        r.SheetNo = "G43X05";
        r.InFlag = 1;
    }
    EXPECT_EQ(InSheetsInReportOrder(recs), (std::vector<uint32_t>{0, 1, 2, 3, 4}));
}

} // namespace
} // namespace sw
