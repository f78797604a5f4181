#include "index/SheetExtent.h"
#include "index/SheetNumber.h"

#include <gtest/gtest.h>

#include <random>

using namespace sw;

namespace {

int32_t Sec(int32_t d, int32_t m = 0, int32_t s = 0) {
    return DmsToSec(d, m, s);
}

} // namespace

TEST(SheetExtent, FindsTheWorkedExampleAtEveryScale) {
    const SheetExtent e = FindSheetExtent(Series::OldSeries, "53H/2");
    EXPECT_EQ(e.ScaleIndex, 4);
    EXPECT_EQ(e.WestSec, Sec(77));
    EXPECT_EQ(e.EastSec, Sec(77, 15));
    EXPECT_EQ(e.SouthSec, Sec(28, 30));
    EXPECT_EQ(e.NorthSec, Sec(28, 45));

    const SheetExtent m = FindSheetExtent(Series::OpenSeries, "H43");
    EXPECT_EQ(m.ScaleIndex, 1);
    EXPECT_EQ(m.WestSec, Sec(72));
    EXPECT_EQ(m.EastSec, Sec(78));
    EXPECT_EQ(m.SouthSec, Sec(28));
    EXPECT_EQ(m.NorthSec, Sec(32));

    const SheetExtent fine = FindSheetExtent(Series::OpenSeries, "H43X02O04");
    EXPECT_EQ(fine.ScaleIndex, 6);
    EXPECT_EQ(fine.EastSec - fine.WestSec, 36);
    EXPECT_LE(fine.WestSec, Sec(77, 12, 30));
    EXPECT_GT(fine.EastSec, Sec(77, 12, 30));
    EXPECT_LE(fine.SouthSec, Sec(28, 36, 50));
    EXPECT_GT(fine.NorthSec, Sec(28, 36, 50));
    EXPECT_EQ(FindSheetExtent(Series::OldSeries, "53H/2/SE").ScaleIndex, 5);
    EXPECT_EQ(FindSheetExtent(Series::OldSeries, "53H/NW").ScaleIndex, 3);
}

TEST(SheetExtent, RoundTripsRandomPositions) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int32_t> lon(Sec(64), Sec(100) - 1);
    std::uniform_int_distribution<int32_t> lat(Sec(4), Sec(40) - 1);
    int found = 0;
    for (int i = 0; i < 300; ++i) {
        for (Series series : {Series::OldSeries, Series::OpenSeries}) {
            Settings s = StartSettings();
            SelectSeries(s, series);
            SelectScale(s, 1 + i % static_cast<int32_t>(ScaleCaptions(series).size()));
            const int32_t x = lon(rng);
            const int32_t y = lat(rng);
            const std::string n = SheetNumber(s, SecToDms(x), SecToDms(y));
            if (n == OutsideSheetNo) {
                continue;
            }
            const SheetExtent e = FindSheetExtent(series, n);
            ASSERT_EQ(e.ScaleIndex, s.ScaleIndex) << n;
            ASSERT_LE(e.WestSec, x) << n;
            ASSERT_GT(e.EastSec, x) << n;
            ASSERT_LE(e.SouthSec, y) << n;
            ASSERT_GT(e.NorthSec, y) << n;
            ++found;
        }
    }
    EXPECT_GT(found, 300);
}

TEST(SheetExtent, SheetsStraddlingACutOutAreFound) {
    // 88°E–92°E, 20°N–24°N: its south-west corner lies in the cut-out below 21°N.
    const SheetExtent e = FindSheetExtent(Series::OldSeries, "79");
    EXPECT_EQ(e.WestSec, Sec(88));
    EXPECT_EQ(e.SouthSec, Sec(20));
    // Open 84°E–90°E, 16°N–20°N: its north-east corner is cut out, its north-west is not.
    const SheetExtent o = FindSheetExtent(Series::OpenSeries, "E45");
    EXPECT_EQ(o.WestSec, Sec(84));
    EXPECT_EQ(o.SouthSec, Sec(16));
}

TEST(SheetExtent, UnknownNumbersSayWhatIsWrong) {
    try {
        FindSheetExtent(Series::OldSeries, "53H/17");
        FAIL();
    } catch (const UnknownSheetError& e) {
        EXPECT_NE(std::string(e.what()).find("sheet 53H has no"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("'/17'"), std::string::npos) << e.what();
    }
    EXPECT_THROW(FindSheetExtent(Series::OldSeries, "99"), UnknownSheetError);
    EXPECT_THROW(FindSheetExtent(Series::OldSeries, "53Q"), UnknownSheetError);
    EXPECT_THROW(FindSheetExtent(Series::OldSeries, "53h/2"), UnknownSheetError);
    EXPECT_THROW(FindSheetExtent(Series::OldSeries, ""), UnknownSheetError);
    EXPECT_THROW(FindSheetExtent(Series::OldSeries, std::string(40, '5')), UnknownSheetError);
    EXPECT_THROW(FindSheetExtent(Series::OpenSeries, "53H/2"), UnknownSheetError);
    EXPECT_THROW(FindSheetExtent(Series::OpenSeries, "H43X17"), UnknownSheetError);
    EXPECT_THROW(FindSheetExtent(Series::OpenSeries, "#"), UnknownSheetError);
}

TEST(SheetExtent, NeighboursRunFromNorthWest) {
    const SheetExtent e = FindSheetExtent(Series::OldSeries, "53H/6");
    const auto n = NeighbourSheetNumbers(Series::OldSeries, e);
    const std::array<std::string, 8> expected{"53H/1",  "53H/5", "53H/9", "53H/2",
                                              "53H/10", "53H/3", "53H/7", "53H/11"};
    EXPECT_EQ(n, expected);
    const auto edge =
        NeighbourSheetNumbers(Series::OldSeries, FindSheetExtent(Series::OldSeries, "32"));
    EXPECT_EQ(edge[0], "#");
    EXPECT_EQ(edge[1], "#");
    EXPECT_EQ(edge[4], "37");
}
