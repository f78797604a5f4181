// The edge cases of the grid box, the touch test and the interior test, through
// ComputeSheets with both algorithms.

#include "CoverageTestSupport.h"

#include "coverage/CellTests.h"
#include "coverage/Progress.h"
#include "index/CheckedMath.h"

#include <gtest/gtest.h>

#include <atomic>

namespace sw::test {
namespace {

class BothAlgorithms : public ::testing::TestWithParam<Algorithm> {
protected:
    SheetGrid Run(const Settings& s, Feature f) { return Compute(s, f, GetParam()); }
    const Settings old50 = SettingsFor(Series::OldSeries, 4);
};

TEST_P(BothAlgorithms, PointInsideOnLineAndOnCorner) {
    // Strictly inside: one cell, IN.
    SheetGrid g =
        Run(old50, MakePointFeature(SecToDms(Sec(28, 36, 50)), SecToDms(Sec(77, 12, 30))));
    ASSERT_EQ(g.SheetCount, 1);
    EXPECT_EQ(InSheets(g), (std::vector<std::string>{"53H/2"}));
    EXPECT_EQ(g.CurrentSheetNo, "53H/2");
    EXPECT_EQ(g.InSheetCount, 1);
    // On a sheet meridian: two columns, both IN.
    g = Run(old50, MakePointFeature(SecToDms(Sec(28, 36, 50)), SecToDms(Sec(77, 15))));
    EXPECT_EQ(g.GridCols, 2);
    EXPECT_EQ(g.GridRows, 1);
    EXPECT_EQ(InSheets(g).size(), 2U);
    // On a corner: four cells, all IN, numbered at their south-west corners.
    g = Run(old50, MakePointFeature(SecToDms(Sec(28, 30)), SecToDms(Sec(77, 15))));
    ASSERT_EQ(g.SheetCount, 4);
    EXPECT_EQ(InSheets(g), (std::vector<std::string>{"53H/2", "53H/6", "53H/3", "53H/7"}));
    EXPECT_EQ(g.GridWestSec, Sec(77));
    EXPECT_EQ(g.GridNorthSec, Sec(28, 45));
    EXPECT_EQ(g.GridWest, (DmsAngle{77, 0, 0}));
    EXPECT_EQ(g.GridSouth, (DmsAngle{28, 15, 0}));
    // Positions at origin 0, 0: row by row from the north-west.
    EXPECT_EQ(g.SheetList[1].X, 70);
    EXPECT_EQ(g.SheetList[1].Y, 0);
    EXPECT_EQ(g.SheetList[2].X, 0);
    EXPECT_EQ(g.SheetList[2].Y, 70);
    EXPECT_EQ(g.GridOriginX, 0);
    EXPECT_EQ(g.GridOriginY, 0);
}

TEST_P(BothAlgorithms, OpenMillionSheetIsWiderThanHigh) {
    const Settings s = SettingsFor(Series::OpenSeries, 1, 70);
    const SheetGrid g = Run(s, MakePointFeature(SecToDms(Sec(28)), SecToDms(Sec(72))));
    ASSERT_EQ(g.SheetCount, 4);
    EXPECT_EQ(g.SheetList[1].X, 105); // round(21600 / 14400 * 70)
    EXPECT_EQ(InSheets(g), (std::vector<std::string>{"H42", "H43", "G42", "G43"}));
}

TEST_P(BothAlgorithms, PolylineCases) {
    // All vertices inside one sheet: one cell.
    SheetGrid g =
        Run(old50, MakeVertexFeature({V(Sec(28, 31), Sec(77, 1)), V(Sec(28, 40), Sec(77, 14)),
                                      V(Sec(28, 32), Sec(77, 10))},
                                     false));
    EXPECT_EQ(g.SheetCount, 1);
    EXPECT_EQ(InSheets(g).size(), 1U);
    // Along a grid line: the sheets on both sides.
    g = Run(old50,
            MakeVertexFeature({V(Sec(28, 30), Sec(77, 1)), V(Sec(28, 30), Sec(77, 29))}, false));
    EXPECT_EQ(g.GridRows, 2);
    EXPECT_EQ(InSheets(g), (std::vector<std::string>{"53H/2", "53H/6", "53H/3", "53H/7"}));
    // One vertex: no segment, nothing IN.
    g = Run(old50, MakeVertexFeature({V(Sec(28, 31), Sec(77, 1))}, false));
    EXPECT_EQ(g.SheetCount, 1);
    EXPECT_TRUE(InSheets(g).empty());
    EXPECT_EQ(g.SheetList[0].SheetNo, "53H/2");
}

TEST_P(BothAlgorithms, OutsideCellsStayHashAndOut) {
    // A segment across the 40°N edge of the index.
    const SheetGrid g = Run(
        old50, MakeVertexFeature({V(Sec(39, 50), Sec(77, 5)), V(Sec(40, 10), Sec(77, 5))}, false));
    ASSERT_EQ(g.SheetCount, 2);
    EXPECT_EQ(g.SheetList[0].SheetNo, "#");
    EXPECT_EQ(g.SheetList[0].InFlag, 0);
    EXPECT_EQ(g.SheetList[1].InFlag, 1);
}

TEST_P(BothAlgorithms, PolygonEnclosesInnerSheets) {
    // A 5 x 5 sheet square with its corners mid-sheet: the 9 inner sheets are
    // touched by no edge.
    const std::vector<VertexRec> ring{V(Sec(28, 7), Sec(77, 7)), V(Sec(28, 7), Sec(78, 7)),
                                      V(Sec(29, 7), Sec(78, 7)), V(Sec(29, 7), Sec(77, 7))};
    const SheetGrid poly = Run(old50, MakeVertexFeature(ring, true));
    EXPECT_EQ(poly.SheetCount, 25);
    EXPECT_EQ(poly.InSheetCount, 25);
    const SheetGrid line = Run(old50, MakeVertexFeature(ring, false));
    // Open ring: the west side (last to first) is missing too.
    EXPECT_EQ(line.InSheetCount, 25 - 9 - 3);
}

TEST_P(BothAlgorithms, ClosingEdgeTakesPartInTheTouchTest) {
    // A thin triangle whose closing edge alone crosses the cell to the west of
    // its first vertex, whose north-west corner lies outside.
    const std::vector<VertexRec> ring{V(Sec(28, 20), Sec(77, 20)), V(Sec(28, 20), Sec(77, 40)),
                                      V(Sec(28, 22), Sec(77, 2))};
    Feature f = MakeVertexFeature(ring, true);
    const SheetGrid g = Run(old50, f);
    // Cells: columns 77:00, 77:15, 77:30; the closing edge runs back from 77:02 to 77:20.
    ASSERT_EQ(g.GridCols, 3);
    EXPECT_EQ(g.SheetList[0].InFlag, 1);
    // A closed ring repeating its first vertex gives the same.
    std::vector<VertexRec> closed = ring;
    closed.push_back(ring.front());
    EXPECT_TRUE(SameGrid(Run(old50, MakeVertexFeature(closed, true)), g));
}

TEST_P(BothAlgorithms, SelfOverlappingRingFollowsEvenOdd) {
    // The ring goes round a 7 x 7 block twice over: the middle sheet, wound
    // round twice and touched by no edge, stays OUT.
    std::vector<VertexRec> ring;
    for (int turn = 0; turn < 2; ++turn) {
        const int32_t d = turn * 60; // a second, slightly smaller loop
        ring.push_back(V(Sec(28, 7) + d, Sec(77, 7) + d));
        ring.push_back(V(Sec(28, 7) + d, Sec(78, 37) - d));
        ring.push_back(V(Sec(29, 37) - d, Sec(78, 37) - d));
        ring.push_back(V(Sec(29, 37) - d, Sec(77, 7) + d));
    }
    const SheetGrid g = Run(old50, MakeVertexFeature(ring, true));
    ASSERT_EQ(g.GridCols, 7);
    ASSERT_EQ(g.GridRows, 7);
    EXPECT_EQ(g.SheetList[3 * 7 + 3].InFlag, 0);
    EXPECT_EQ(g.SheetList[0].InFlag, 1);
}

TEST_P(BothAlgorithms, PolygonOverTheCutOutKeepsHashCellsOut) {
    // A polygon around 20°N / 72°E: cells south-west of the corner are "#".
    const std::vector<VertexRec> ring{V(Sec(19, 20), Sec(71, 20)), V(Sec(19, 20), Sec(72, 40)),
                                      V(Sec(20, 40), Sec(72, 40)), V(Sec(20, 40), Sec(71, 20))};
    const SheetGrid g = Run(SettingsFor(Series::OldSeries, 2), MakeVertexFeature(ring, true));
    ASSERT_EQ(g.SheetCount, 4);
    EXPECT_EQ(g.SheetList[2].SheetNo, "#");
    EXPECT_EQ(g.SheetList[2].InFlag, 0);
    EXPECT_EQ(g.InSheetCount, 3);
}

TEST_P(BothAlgorithms, ZoomDecidesWhatHalfAPixelIs) {
    // 5" west of the 77:15 meridian: on the line at zoom 70, not at zoom 140.
    const Feature f =
        MakeVertexFeature({V(Sec(28, 10), Sec(77, 14, 55)), V(Sec(28, 12), Sec(77, 14, 55)),
                           V(Sec(28, 12), Sec(77, 20))},
                          false);
    EXPECT_EQ(Run(SettingsFor(Series::OldSeries, 4, 70), f).InSheetCount, 2);
    EXPECT_EQ(Run(SettingsFor(Series::OldSeries, 4, 140), f).InSheetCount, 2);
    EXPECT_EQ(InSheets(Run(SettingsFor(Series::OldSeries, 4, 70), f)),
              (std::vector<std::string>{"53H/4", "53H/8"}));
    EXPECT_EQ(InSheets(Run(SettingsFor(Series::OldSeries, 4, 140), f)),
              (std::vector<std::string>{"53H/4", "53H/8"}));
}

TEST_P(BothAlgorithms, RefusalsChangeNothing) {
    SheetGrid g = Run(old50, MakePointFeature(SecToDms(Sec(28)), SecToDms(Sec(77, 1))));
    const SheetGrid before = g;
    Feature empty = MakeVertexFeature({}, true);
    try {
        ComputeSheets(old50, empty, g, {}, GetParam());
        FAIL();
    } catch (const ComputeError& e) {
        EXPECT_STREQ(e.what(), "No vertices to compute");
    }
    // 0°N 0°E to 110°N 100°E at 36": 110,000,000 cells, refused before allocating.
    Feature huge = MakeVertexFeature({V(1, 1), V(Sec(110) - 1, Sec(100) - 1)}, false);
    try {
        ComputeSheets(SettingsFor(Series::OpenSeries, 6), huge, g, {}, GetParam());
        FAIL();
    } catch (const ComputeError& e) {
        EXPECT_STREQ(e.what(), "Data extent too large! Try with smaller area or smaller scale");
    }
    Feature absurd = MakeVertexFeature({VertexRec{DmsAngle{600000, 0, 0}, DmsAngle{77, 0, 0}},
                                        VertexRec{DmsAngle{600000, 0, 0}, DmsAngle{77, 0, 0}}},
                                       true);
    EXPECT_THROW(ComputeSheets(old50, absurd, g, {}, GetParam()), IntegerOverflow);
    EXPECT_TRUE(SameGrid(g, before));
    EXPECT_EQ(absurd.FeaturePoints, PolyPoints(2));
}

TEST_P(BothAlgorithms, ProgressAndCancel) {
    const Settings s = SettingsFor(Series::OldSeries, 5);
    Feature f = MakeVertexFeature({V(Sec(28), Sec(77)), V(Sec(29, 1), Sec(78, 1))}, false);
    std::vector<std::string> texts;
    SheetGrid g;
    ComputeControl ctl;
    std::vector<int32_t> percents;
    ctl.progress = [&](int32_t p, const std::string& t) {
        percents.push_back(p);
        texts.push_back(t);
    };
    ComputeSheets(s, f, g, ctl, GetParam());
    ASSERT_FALSE(texts.empty());
    // The number handed over is the one the text shows, rising to 100.
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(texts[i], ProgressText(percents[i]));
        EXPECT_TRUE(i == 0 || percents[i] > percents[i - 1]);
    }
    EXPECT_EQ(percents.back(), 100);
    EXPECT_EQ(texts.back(), "Calculating...100% done");
    for (std::size_t i = 1; i < texts.size(); ++i) {
        EXPECT_NE(texts[i], texts[i - 1]);
    }
    std::atomic<bool> cancel{true};
    ComputeControl stop;
    stop.cancel = &cancel;
    SheetGrid untouched = g;
    EXPECT_THROW(ComputeSheets(s, f, g, stop, GetParam()), ComputeCancelled);
    EXPECT_TRUE(SameGrid(g, untouched));
}

INSTANTIATE_TEST_SUITE_P(Coverage, BothAlgorithms,
                         ::testing::Values(Algorithm::Fast, Algorithm::Reference));

TEST(SegmentTouchesSheet, ClosedRectangleEdgesAndCorners) {
    const CellRect r = CellAt(0, 0, 70, 70);
    EXPECT_TRUE(SegmentTouchesSheet({70, 70}, {70, 70}, r));  // the corner point
    EXPECT_TRUE(SegmentTouchesSheet({70, -5}, {70, 100}, r)); // along the east edge
    EXPECT_TRUE(SegmentTouchesSheet({71, 70}, {70, 71}, r) == false);
    EXPECT_TRUE(SegmentTouchesSheet({140, 0}, {70, 70}, r)); // ends on the corner
    EXPECT_FALSE(SegmentTouchesSheet({71, 0}, {71, 70}, r));
    EXPECT_FALSE(SegmentTouchesSheet({-10, 80}, {80, 71}, r)); // passes below
}

TEST(PointInPolygon, HalfOpenRowsAndStrictX) {
    const PolyPoints square{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    EXPECT_TRUE(PointInPolygon(square, 4, 0, 0)); // the west edge is east of nothing: x < xc fails
    EXPECT_FALSE(PointInPolygon(square, 4, 10, 5)); // on the east edge: not a crossing
    EXPECT_TRUE(PointInPolygon(square, 4, 5, 5));
    EXPECT_FALSE(PointInPolygon(square, 4, 5, 10)); // the bottom row is open
    EXPECT_TRUE(PointInPolygon(square, 4, 5, 0));   // the top row is closed
    // Long edges: the product leaves 32 bits and the crossing is still exact.
    const PolyPoints big{{0, 0}, {200000, 0}, {200000, 200000}, {0, 200000}};
    EXPECT_TRUE(PointInPolygon(big, 4, 199999, 199999));
    EXPECT_DOUBLE_EQ(CrossingX({0, 0}, {200000, 200000}, 150000), 150000.0);
}

} // namespace
} // namespace sw::test
