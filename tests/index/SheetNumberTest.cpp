#include "index/SheetNumber.h"

#include <gtest/gtest.h>

using namespace sw;

namespace {

Settings At(Series series, int32_t scale) {
    return SettingsAt(series, scale);
}

std::string Num(Series series, int32_t scale, DmsAngle lon, DmsAngle lat) {
    return SheetNumber(At(series, scale), lon, lat);
}

const DmsAngle DelhiLon{77, 12, 30};
const DmsAngle DelhiLat{28, 36, 50};

} // namespace

TEST(SheetNumber, OldSeriesWorkedExample) {
    const char* expected[] = {"53", "53H", "53H/NW", "53H/2", "53H/2/SE"};
    for (int32_t i = 1; i <= 5; ++i) {
        EXPECT_EQ(Num(Series::OldSeries, i, DelhiLon, DelhiLat), expected[i - 1]) << i;
    }
}

TEST(SheetNumber, OpenSeriesWorkedExample) {
    const char* expected[] = {"H43", "H43X", "H43X02", "H43X02/SE", "H43X02O", "H43X02O04"};
    for (int32_t i = 1; i <= 6; ++i) {
        EXPECT_EQ(Num(Series::OpenSeries, i, DelhiLon, DelhiLat), expected[i - 1]) << i;
    }
}

TEST(SheetNumber, CoverageEdges) {
    EXPECT_EQ(Num(Series::OldSeries, 1, {64, 0, 0}, {39, 59, 59}), "32");
    EXPECT_EQ(Num(Series::OldSeries, 1, {99, 59, 59}, {4, 0, 0}), "97");
    EXPECT_EQ(Num(Series::OldSeries, 1, {71, 59, 59}, {19, 59, 59}), "#");
    EXPECT_EQ(Num(Series::OldSeries, 1, {71, 59, 59}, {20, 0, 0}), "41");
    EXPECT_EQ(Num(Series::OldSeries, 4, {90, 0, 0}, {20, 59, 59}), "#");
    EXPECT_NE(Num(Series::OldSeries, 4, {90, 0, 0}, {21, 0, 0}), "#");
    EXPECT_EQ(Num(Series::OldSeries, 4, {85, 0, 0}, {15, 59, 59}), "#");
    EXPECT_NE(Num(Series::OldSeries, 4, {85, 0, 0}, {16, 0, 0}), "#");
    EXPECT_NE(Num(Series::OldSeries, 4, {93, 0, 0}, {4, 0, 0}), "#"); // east of 92°E down to 4°N
    for (Series series : {Series::OldSeries, Series::OpenSeries}) {
        for (int32_t scale = 1; scale <= 5; ++scale) {
            EXPECT_EQ(Num(series, scale, {77, 0, 0}, {40, 0, 0}), "#");
            EXPECT_EQ(Num(series, scale, {100, 0, 0}, {28, 0, 0}), "#");
            EXPECT_EQ(Num(series, scale, {63, 59, 59}, {28, 0, 0}), "#");
            EXPECT_EQ(Num(series, scale, {77, 0, 0}, {3, 59, 59}), "#");
        }
    }
    EXPECT_TRUE(InCoverageArea({99, 59, 59}, {39, 59, 59}));
    EXPECT_FALSE(InCoverageArea({91, 59, 59}, {15, 0, 0}));
}

TEST(SheetNumber, UnlistedScaleGivesEmptyText) {
    Settings s = StartSettings();
    s.ScaleIndex = 0;
    EXPECT_EQ(SheetNumber(s, DelhiLon, DelhiLat), "");
    s.ScaleIndex = 6;
    EXPECT_EQ(SheetNumber(s, DelhiLon, DelhiLat), "");
    EXPECT_EQ(SheetNumber(s, {50, 0, 0}, DelhiLat), "#");
    s.MapSeries = Series::OpenSeries;
    s.ScaleIndex = 7;
    EXPECT_EQ(SheetNumber(s, DelhiLon, DelhiLat), "");
}

TEST(SheetNumber, OldFiftyThousandRunsDownColumns) {
    // Within 77°E–78°E, 28°N–29°N: 1 to 4 down the western column, 5 to 8 down the next.
    const char* west[] = {"53H/1", "53H/2", "53H/3", "53H/4"};
    const char* next[] = {"53H/5", "53H/6", "53H/7", "53H/8"};
    for (int32_t k = 0; k < 4; ++k) {
        const DmsAngle lat{28, 45 - 15 * k, 0};
        EXPECT_EQ(Num(Series::OldSeries, 4, {77, 0, 0}, lat), west[k]);
        EXPECT_EQ(Num(Series::OldSeries, 4, {77, 15, 0}, lat), next[k]);
    }
    EXPECT_EQ(Num(Series::OldSeries, 4, {77, 45, 0}, {28, 0, 0}), "53H/16");
    EXPECT_EQ(Num(Series::OldSeries, 5, {77, 52, 30}, {28, 7, 30}), "53H/16/NE");
    EXPECT_EQ(Num(Series::OldSeries, 5, {77, 52, 29}, {28, 7, 29}), "53H/16/SW");
}

TEST(SheetNumber, OldQuarterMillionLetters) {
    // A is the north-west, D the south-west, M the north-east, P the south-east of 53.
    EXPECT_EQ(Num(Series::OldSeries, 2, {76, 0, 0}, {31, 0, 0}), "53A");
    EXPECT_EQ(Num(Series::OldSeries, 2, {76, 0, 0}, {28, 0, 0}), "53D");
    EXPECT_EQ(Num(Series::OldSeries, 2, {79, 0, 0}, {31, 0, 0}), "53M");
    EXPECT_EQ(Num(Series::OldSeries, 2, {79, 0, 0}, {28, 0, 0}), "53P");
    EXPECT_EQ(Num(Series::OldSeries, 3, {79, 30, 0}, {28, 29, 59}), "53P/SE");
}

TEST(SheetNumber, OpenSeriesZonesAndBands) {
    EXPECT_EQ(Num(Series::OpenSeries, 1, {66, 0, 0}, {24, 0, 0}), "G42");
    EXPECT_EQ(Num(Series::OpenSeries, 1, {72, 0, 0}, {24, 0, 0}), "G43");
    EXPECT_EQ(Num(Series::OpenSeries, 1, {65, 59, 59}, {24, 0, 0}), "G41");
    EXPECT_EQ(Num(Series::OpenSeries, 1, {64, 0, 0}, {20, 0, 0}), "F41");
    EXPECT_EQ(Num(Series::OpenSeries, 1, {99, 59, 59}, {39, 59, 59}), "J47");
    // South of 8°N the band takes the letter before C.
    EXPECT_EQ(Num(Series::OpenSeries, 1, {93, 0, 0}, {4, 0, 0}), "B46");
    EXPECT_EQ(Num(Series::OpenSeries, 1, {93, 0, 0}, {7, 59, 59}), "B46");
    EXPECT_EQ(Num(Series::OpenSeries, 1, {93, 0, 0}, {8, 0, 0}), "C46");
    EXPECT_EQ(Num(Series::OpenSeries, 3, {93, 0, 0}, {5, 0, 0}), "B46P04");
    EXPECT_EQ(Num(Series::OpenSeries, 2, {77, 0, 0}, {28, 0, 0}), "H43X");
    EXPECT_EQ(Num(Series::OpenSeries, 2, {72, 0, 0}, {31, 0, 0}), "H43A");
    EXPECT_EQ(Num(Series::OpenSeries, 2, {77, 0, 0}, {31, 0, 0}), "H43F");
    EXPECT_EQ(Num(Series::OpenSeries, 2, {72, 0, 0}, {28, 0, 0}), "H43S");
}

TEST(SheetNumber, OpenFineScales) {
    // Leading zeros at 1:50,000 and 1:2000.
    EXPECT_EQ(Num(Series::OpenSeries, 3, {77, 0, 0}, {28, 45, 0}), "H43X01");
    EXPECT_EQ(Num(Series::OpenSeries, 3, {77, 45, 0}, {28, 0, 0}), "H43X16");
    // 1:10,000: A..E along the northern row, U..Y along the southern.
    EXPECT_EQ(Num(Series::OpenSeries, 5, {77, 0, 0}, {28, 12, 0}), "H43X04A");
    EXPECT_EQ(Num(Series::OpenSeries, 5, {77, 12, 0}, {28, 12, 0}), "H43X04E");
    EXPECT_EQ(Num(Series::OpenSeries, 5, {77, 0, 0}, {28, 0, 0}), "H43X04U");
    EXPECT_EQ(Num(Series::OpenSeries, 5, {77, 12, 0}, {28, 0, 0}), "H43X04Y");
    // 1'48" east and north of a 3' sheet's south-west corner: c = 3, r = 2, n = 17.
    EXPECT_EQ(Num(Series::OpenSeries, 6, {77, 1, 48}, {28, 1, 48}), "H43X04U17");
    EXPECT_EQ(Num(Series::OpenSeries, 6, {77, 0, 0}, {28, 0, 0}), "H43X04U05");
    EXPECT_EQ(Num(Series::OpenSeries, 6, {77, 2, 59}, {28, 2, 59}), "H43X04U21");
}

TEST(SheetNumber, SeriesDecidesTheRules) {
    EXPECT_EQ(Num(Series::OldSeries, 1, DelhiLon, DelhiLat), "53");
    EXPECT_EQ(Num(Series::OpenSeries, 1, DelhiLon, DelhiLat), "H43");
}

TEST(SheetNumber, NumbersFitAShortString) {
    Settings s = StartSettings();
    for (Series series : {Series::OldSeries, Series::OpenSeries}) {
        SelectSeries(s, series);
        for (int32_t scale = 1; scale <= static_cast<int32_t>(ScaleCaptions(series).size());
             ++scale) {
            SelectScale(s, scale);
            for (int32_t lat = 4 * 3600; lat < 40 * 3600; lat += 3607) {
                for (int32_t lon = 64 * 3600; lon < 100 * 3600; lon += 3593) {
                    const std::string n = SheetNumber(s, SecToDms(lon), SecToDms(lat));
                    ASSERT_LE(n.size(), series == Series::OldSeries ? 9u : ShortStringMax) << n;
                    ASSERT_FALSE(n.empty());
                }
            }
        }
    }
}
