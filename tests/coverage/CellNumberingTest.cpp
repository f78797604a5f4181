// GridNumberer must give exactly what CellSheetNumber gives for every cell (the
// number of its south-west corner, or of a covered point of a 1:1M sheet that
// straddles the edge of the index): over the whole index and a margin around it
// at every scale of both series, and on odd grids (sheet sizes that are not the
// scale's).

#include "coverage/CellNumbering.h"
#include "coverage/GridBox.h"
#include "index/SheetNumber.h"

#include "CoverageTestSupport.h"

#include <gtest/gtest.h>

#include <random>

namespace sw::test {
namespace {

// Compares rows of the grid with its north-west corner at (north, west); every
// `rowStep`-th row is checked.
void ExpectSameNumbers(const Settings& s, int32_t west, int32_t north, int32_t cols, int32_t rows,
                       int32_t rowStep = 1) {
    SheetGrid g;
    g.GridWestSec = west;
    g.GridNorthSec = north;
    g.GridCols = cols;
    g.GridRows = rows;
    const GridNumberer numberer(s, g);
    std::vector<SheetRec> row(static_cast<std::size_t>(cols));
    for (int32_t r = 0; r < rows; r += rowStep) {
        numberer.NumberRow(r, row.data());
        const int32_t south = north - (r + 1) * s.SheetHeightSec;
        for (int32_t c = 0; c < cols; ++c) {
            const std::string want = CellSheetNumber(s, west + c * s.SheetWidthSec, south);
            ASSERT_EQ(row[static_cast<std::size_t>(c)].SheetNo.view(), want)
                << "series " << int(s.MapSeries) << " scale " << s.ScaleIndex << " row " << r
                << " col " << c;
        }
    }
    EXPECT_EQ(
        numberer.Number(rows - 1, cols - 1),
        CellSheetNumber(s, west + (cols - 1) * s.SheetWidthSec, north - rows * s.SheetHeightSec));
    for (int32_t r = 0; r < rows; r += rowStep) {
        for (int32_t c = 0; c < cols; ++c) {
            ASSERT_EQ(numberer.Inside(r, c), CellInCoverageArea(west + c * s.SheetWidthSec,
                                                                north - (r + 1) * s.SheetHeightSec,
                                                                s.SheetWidthSec, s.SheetHeightSec))
                << "row " << r << " col " << c;
        }
    }
}

// The ring of neighbours around a block is numbered as the cells of a grid one
// cell larger on every side: the row above the block is the row north of it,
// the row below the one south of it. Sheets 78 and 79 at 1:1M straddle a
// cut-out, and the index's corners have "#" neighbours.
TEST(GridCellSheetNumber, RingCellsAreTheCellsOfTheGridAroundTheBlock) {
    struct Case {
        Series series;
        int32_t scale;
        int32_t west, north; // the block's north-west corner
        int32_t cols, rows;
    };
    const Case cases[] = {
        {Series::OldSeries, 3, Sec(77, 15), Sec(28, 45), 1, 1},
        {Series::OldSeries, 1, Sec(84), Sec(24), 1, 1},
        {Series::OldSeries, 1, Sec(88), Sec(24), 2, 3},
        {Series::OpenSeries, 1, Sec(64), Sec(40), 1, 1},
        {Series::OpenSeries, 4, Sec(96), Sec(8), 3, 2},
    };
    for (const Case& k : cases) {
        const Settings s = SettingsFor(k.series, k.scale);
        SheetGrid block;
        block.GridWestSec = k.west;
        block.GridNorthSec = k.north;
        block.GridCols = k.cols;
        block.GridRows = k.rows;
        SheetGrid around = block;
        around.GridWestSec -= s.SheetWidthSec;
        around.GridNorthSec += s.SheetHeightSec;
        around.GridCols += 2;
        around.GridRows += 2;
        const GridNumberer numberer(s, around);
        for (int32_t r = -1; r <= k.rows; ++r) {
            for (int32_t c = -1; c <= k.cols; ++c) {
                EXPECT_EQ(GridCellSheetNumber(s, block, r, c), numberer.Number(r + 1, c + 1))
                    << "series " << int(k.series) << " scale " << k.scale << " row " << r << " col "
                    << c;
            }
        }
    }
}

TEST(GridNumberer, MatchesCellSheetNumberOverTheWholeIndexAtEveryScale) {
    for (Series series : {Series::OldSeries, Series::OpenSeries}) {
        const auto scales = static_cast<int32_t>(ScaleCaptions(series).size());
        for (int32_t scale = 1; scale <= scales; ++scale) {
            const Settings s = SettingsFor(series, scale);
            // 2° beyond the index on every side, "#" cells and cut-outs included.
            const int32_t west = Sec(62);
            const int32_t north = Sec(42);
            const int32_t cols = (Sec(102) - west) / s.SheetWidthSec;
            const int32_t rows = (north - Sec(2)) / s.SheetHeightSec;
            // The finest scales have millions of cells: every row would make the
            // sanitizer run slow, and any row holds every column's parts.
            const int32_t step = rows > 2000 ? 37 : (rows > 500 ? 7 : 1);
            ExpectSameNumbers(s, west, north, cols, rows, step);
            if (HasFatalFailure()) {
                return;
            }
        }
    }
}

TEST(GridNumberer, MatchesCellSheetNumberOnEveryRowOfFineWindows) {
    std::mt19937 rng(11);
    for (int i = 0; i < 40; ++i) {
        const Series series = i % 2 == 0 ? Series::OldSeries : Series::OpenSeries;
        const Settings s = SettingsFor(series, series == Series::OldSeries ? 5 : 6 - i % 4 / 2);
        const int32_t west = Sec(60) + std::uniform_int_distribution<int32_t>(0, 1100)(rng) * 150;
        const int32_t north = Sec(2) + std::uniform_int_distribution<int32_t>(0, 1100)(rng) * 150;
        ExpectSameNumbers(s, west - west % s.SheetWidthSec, north - north % s.SheetHeightSec, 60,
                          60);
        if (HasFatalFailure()) {
            return;
        }
    }
}

TEST(GridNumberer, MatchesCellSheetNumberForUnusualSizesAndScales) {
    // Sheet sizes that are not the scale's own, an unlisted scale position and an
    // unknown series value: whatever CellSheetNumber says, the numberer says.
    std::mt19937 rng(5);
    for (int i = 0; i < 60; ++i) {
        Settings s = SettingsFor(i % 2 == 0 ? Series::OldSeries : Series::OpenSeries, 1 + i % 6);
        s.SheetWidthSec = std::uniform_int_distribution<int32_t>(7, 4000)(rng);
        s.SheetHeightSec = std::uniform_int_distribution<int32_t>(7, 4000)(rng);
        if (i % 10 == 0) {
            s.ScaleIndex = 9;
        }
        if (i % 10 == 1) {
            s.MapSeries = static_cast<Series>(7);
        }
        const int32_t west = Sec(60) + std::uniform_int_distribution<int32_t>(0, Sec(40))(rng);
        const int32_t north = Sec(2) + std::uniform_int_distribution<int32_t>(0, Sec(40))(rng);
        ExpectSameNumbers(s, west, north, 40, 40);
        if (HasFatalFailure()) {
            return;
        }
    }
}

TEST(GridBox, WidensBySheetOnExactBoundariesAndHandlesNegativeCoordinates) {
    const Settings s = SettingsFor(Series::OldSeries, 4);
    SheetGrid g;
    Feature f =
        MakeVertexFeature({V(Sec(28, 30), Sec(77, 15)), V(Sec(28, 31), Sec(77, 16))}, false);
    ComputeGridBox(s, f, 2, g);
    EXPECT_EQ(g.GridWestSec, Sec(77));      // 77:15 exactly: one sheet further west
    EXPECT_EQ(g.GridNorthSec, Sec(28, 45)); // 28:31 rounds up
    EXPECT_EQ(g.GridSouth, (DmsAngle{28, 15, 0}));
    EXPECT_EQ(g.GridEast, (DmsAngle{77, 30, 0}));
    EXPECT_EQ(g.GridCols, 2);
    EXPECT_EQ(g.GridRows, 2);
    // A negative latitude (DMS cells are not range-checked) still aligns on
    // multiples of the sheet size.
    Feature neg = MakeVertexFeature({V(-100, Sec(77, 1))}, false);
    ComputeGridBox(s, neg, 1, g);
    EXPECT_EQ(g.GridNorthSec, 0);
    EXPECT_EQ(DmsToSec(g.GridSouth), -900);
    EXPECT_EQ(g.GridRows, 1);
}

} // namespace
} // namespace sw::test
