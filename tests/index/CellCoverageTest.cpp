// Sheets that straddle the edge of the index: a cell of the grid is a sheet when
// any part of it is covered, and it carries the number of its covered part.
// Only 1:1M sheets reach over several degree blocks; every finer cell lies in
// one block and keeps the number of its south-west corner.

#include "index/SheetExtent.h"
#include "index/SheetNumber.h"

#include <gtest/gtest.h>

#include <random>

using namespace sw;

namespace {

int32_t Sec(int32_t d, int32_t m = 0, int32_t s = 0) {
    return DmsToSec(d, m, s);
}

std::string Cell(Series series, int32_t scale, int32_t westDeg, int32_t southDeg) {
    return CellSheetNumber(SettingsAt(series, scale), Sec(westDeg), Sec(southDeg));
}

TEST(CellCoverage, MillionSheetsWhoseSouthWestDegreeIsNotCoveredAreNumbered) {
    // Old 79 (88°E-92°E, 20°N-24°N): its south-west degree lies in the cut-out
    // below 21°N, most of the sheet is covered.
    EXPECT_EQ(SheetNumber(SettingsAt(Series::OldSeries, 1), DmsAngle{88, 0, 0}, DmsAngle{20, 0, 0}),
              "#");
    EXPECT_EQ(Cell(Series::OldSeries, 1, 88, 20), "79");
    // Open zone 41 (60°E-66°E) west of the index, from 20°N northwards.
    const char* zone41[] = {"F41", "G41", "H41", "I41", "J41"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(Cell(Series::OpenSeries, 1, 60, 20 + 4 * i), zone41[i]);
    }
    // Open zone 46 (90°E-96°E): the Andaman and Nicobar strip east of 92°E.
    const char* zone46[] = {"B46", "C46", "D46", "E46", "F46"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(Cell(Series::OpenSeries, 1, 90, 4 + 4 * i), zone46[i]);
    }
}

TEST(CellCoverage, CellsWhollyOutsideStayOutside) {
    EXPECT_EQ(Cell(Series::OldSeries, 1, 84, 12), "#");   // the cut-out below 16°N
    EXPECT_EQ(Cell(Series::OldSeries, 1, 64, 16), "#");   // the south-western cut-out
    EXPECT_EQ(Cell(Series::OpenSeries, 1, 60, 16), "#");  // west of 72°E below 20°N
    EXPECT_EQ(Cell(Series::OpenSeries, 1, 102, 28), "#"); // east of the index
    EXPECT_EQ(Cell(Series::OpenSeries, 1, 72, 40), "#");  // north of it
    EXPECT_EQ(Cell(Series::OldSeries, 1, 76, 0), "#");    // south of it
    EXPECT_EQ(Cell(Series::OpenSeries, 1, -6, -4), "#");  // absurd, below zero
    EXPECT_FALSE(CellInCoverageArea(Sec(84), Sec(12), Sec(4), Sec(4)));
    EXPECT_TRUE(CellInCoverageArea(Sec(88), Sec(20), Sec(4), Sec(4)));
    // A covered part of a single second is enough.
    EXPECT_TRUE(CellInCoverageArea(Sec(63, 59, 59), Sec(30), 2, 2));
    EXPECT_FALSE(CellInCoverageArea(Sec(63, 59, 58), Sec(30), 2, 2));
    EXPECT_FALSE(CellInCoverageArea(Sec(70), Sec(30), 0, Sec(1)));
}

TEST(CellCoverage, TheCoveredPointIsTheSouthWestCornerWhenThatIsCovered) {
    int32_t lon = 0;
    int32_t lat = 0;
    ASSERT_TRUE(CoveredPointOfCell(Sec(76), Sec(28), Sec(4), Sec(4), lon, lat));
    EXPECT_EQ(lon, Sec(76));
    EXPECT_EQ(lat, Sec(28));
    // 79: the first covered degree from the south is 21°N, at 88°E.
    ASSERT_TRUE(CoveredPointOfCell(Sec(88), Sec(20), Sec(4), Sec(4), lon, lat));
    EXPECT_EQ(lon, Sec(88));
    EXPECT_EQ(lat, Sec(21));
    // A fine cell starting inside a degree block keeps its own corner.
    ASSERT_TRUE(CoveredPointOfCell(Sec(77, 12, 36), Sec(28, 36, 36), 36, 36, lon, lat));
    EXPECT_EQ(lon, Sec(77, 12, 36));
    EXPECT_EQ(lat, Sec(28, 36, 36));
}

TEST(CellCoverage, EveryCoveredPointOfASheetGivesTheSheetsNumber) {
    // Over every 1:1M cell of both series around the index: each covered degree
    // block of the cell numbers it alike, and the cell is "#" exactly when none is.
    for (Series series : {Series::OldSeries, Series::OpenSeries}) {
        const Settings s = SettingsAt(series, 1);
        for (int32_t south = 0; south < Sec(44); south += s.SheetHeightSec) {
            for (int32_t west = Sec(60); west < Sec(104); west += s.SheetWidthSec) {
                const std::string n = CellSheetNumber(s, west, south);
                bool any = false;
                for (int32_t lat = south; lat < south + s.SheetHeightSec; lat += 3600) {
                    for (int32_t lon = west; lon < west + s.SheetWidthSec; lon += 3600) {
                        const std::string at = SheetNumber(s, SecToDms(lon), SecToDms(lat));
                        if (at != OutsideSheetNo) {
                            any = true;
                            EXPECT_EQ(at, n) << lon / 3600 << "E " << lat / 3600 << "N";
                        }
                    }
                }
                EXPECT_EQ(any, n != OutsideSheetNo) << west / 3600 << "E " << south / 3600 << "N";
            }
        }
    }
}

TEST(CellCoverage, FinerCellsKeepTheNumberOfTheirSouthWestCorner) {
    std::mt19937 rng(3);
    for (Series series : {Series::OldSeries, Series::OpenSeries}) {
        const auto scales = static_cast<int32_t>(ScaleCaptions(series).size());
        for (int32_t scale = 2; scale <= scales; ++scale) {
            const Settings s = SettingsAt(series, scale);
            for (int i = 0; i < 2000; ++i) {
                const int32_t west =
                    std::uniform_int_distribution<int32_t>(Sec(62), Sec(102))(rng) /
                    s.SheetWidthSec * s.SheetWidthSec;
                const int32_t south = std::uniform_int_distribution<int32_t>(Sec(2), Sec(42))(rng) /
                                      s.SheetHeightSec * s.SheetHeightSec;
                ASSERT_EQ(CellSheetNumber(s, west, south),
                          SheetNumber(s, SecToDms(west), SecToDms(south)))
                    << "scale " << scale << " at " << west << ", " << south;
            }
        }
    }
}

TEST(CellCoverage, NeighboursAndLookupReachTheStraddlingSheets) {
    // West of G42 lies G41, a sheet of the index; north of old 87 lies 79.
    const auto g42 =
        NeighbourSheetNumbers(Series::OpenSeries, FindSheetExtent(Series::OpenSeries, "G42"));
    EXPECT_EQ(g42[3], "G41");
    EXPECT_EQ(g42[0], "H41");
    EXPECT_EQ(g42[5], "F41");
    const SheetExtent e79 = FindSheetExtent(Series::OldSeries, "79");
    EXPECT_EQ(e79.WestSec, Sec(88));
    EXPECT_EQ(e79.SouthSec, Sec(20));
    const auto n78 =
        NeighbourSheetNumbers(Series::OldSeries, FindSheetExtent(Series::OldSeries, "78"));
    EXPECT_EQ(n78[6], "79"); // south of 78
    const SheetExtent b46 = FindSheetExtent(Series::OpenSeries, "B46");
    EXPECT_EQ(b46.WestSec, Sec(90));
    EXPECT_EQ(b46.SouthSec, Sec(4));
}

} // namespace
