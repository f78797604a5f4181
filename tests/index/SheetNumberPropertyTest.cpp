#include "index/SheetNumber.h"

#include <gtest/gtest.h>

#include <random>

using namespace sw;

namespace {

// The scale each scale's number is built on, as a position in the same series'
// list: old numbers extend the next coarser scale, except 1:50,000 which extends
// 1:2,50,000; open 1:10,000 extends 1:50,000, not 1:25,000.
int32_t ParentScale(Series series, int32_t scale) {
    if (series == Series::OldSeries) {
        return scale == 4 ? 2 : scale - 1;
    }
    return scale == 5 ? 3 : scale - 1;
}

struct Cell {
    int32_t west, south, width, height;
};

Cell EnclosingCell(const Settings& s, int32_t lonSec, int32_t latSec) {
    return Cell{lonSec / s.SheetWidthSec * s.SheetWidthSec,
                latSec / s.SheetHeightSec * s.SheetHeightSec, s.SheetWidthSec, s.SheetHeightSec};
}

std::string NumberAt(const Settings& s, int32_t lonSec, int32_t latSec) {
    return SheetNumber(s, SecToDms(lonSec), SecToDms(latSec));
}

} // namespace

TEST(SheetNumberProperty, NumbersNestAndSheetsAreClosedSouthWestOpenNorthEast) {
    std::mt19937 rng(20261208);
    std::uniform_int_distribution<int32_t> lonDist(64 * 3600, 100 * 3600 - 1);
    std::uniform_int_distribution<int32_t> latDist(4 * 3600, 40 * 3600 - 1);
    int checked = 0;
    for (Series series : {Series::OldSeries, Series::OpenSeries}) {
        const auto scaleCount = static_cast<int32_t>(ScaleCaptions(series).size());
        for (int trial = 0; trial < 4000; ++trial) {
            const int32_t lon = lonDist(rng);
            const int32_t lat = latDist(rng);
            for (int32_t scale = 1; scale <= scaleCount; ++scale) {
                Settings s = StartSettings();
                SelectSeries(s, series);
                SelectScale(s, scale);
                const std::string n = NumberAt(s, lon, lat);
                if (n == OutsideSheetNo) {
                    continue;
                }
                ++checked;
                if (scale > 1) {
                    Settings parent = s;
                    SelectScale(parent, ParentScale(series, scale));
                    const std::string p = NumberAt(parent, lon, lat);
                    ASSERT_EQ(n.rfind(p, 0), 0u) << n << " does not start with " << p;
                    ASSERT_GT(n.size(), p.size());
                }
                const Cell c = EnclosingCell(s, lon, lat);
                // Coarse sheets straddle the cut-out edges, which are not sheet-aligned;
                // only sheets whose corners are covered can be compared whole.
                if (NumberAt(s, c.west, c.south) == OutsideSheetNo ||
                    NumberAt(s, c.west + c.width - 1, c.south + c.height - 1) == OutsideSheetNo) {
                    continue;
                }
                ASSERT_EQ(NumberAt(s, c.west, c.south), n);
                ASSERT_EQ(NumberAt(s, c.west + c.width - 1, c.south + c.height - 1), n);
                const std::string east = NumberAt(s, c.west + c.width, c.south);
                const std::string north = NumberAt(s, c.west, c.south + c.height);
                if (east != OutsideSheetNo) {
                    ASSERT_NE(east, n);
                }
                if (north != OutsideSheetNo) {
                    ASSERT_NE(north, n);
                }
            }
        }
    }
    EXPECT_GT(checked, 20000);
}
