// Sheets of the public library: points, lines, polygons with holes and parts,
// the union and each feature, in-only and the whole grid, and the refusals.

#include <sheetwright/sheetwright.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

namespace swl = sheetwright;

namespace {

std::vector<std::string> Numbers(const std::vector<swl::Cell>& cells) {
    std::vector<std::string> out;
    for (const auto& c : cells) {
        out.push_back(c.Number);
    }
    return out;
}

swl::Part Ring(double w, double s, double e, double n) {
    return {swl::PartKind::Ring, {{w, s}, {e, s}, {e, n}, {w, n}, {w, s}}};
}

TEST(ApiSheets, PointInsideASheetIsThatSheetOnCornerFour) {
    swl::Geometry p{{{swl::PartKind::Point, {{77.2083, 28.6139}}}}};
    const auto cells = swl::Sheets({p}, swl::Series::Old, "1:50,000");
    ASSERT_EQ(cells.size(), 1u);
    EXPECT_EQ(cells[0].Number, "53H/2");
    EXPECT_TRUE(cells[0].In);
    EXPECT_EQ(cells[0].Feature, -1);
    EXPECT_DOUBLE_EQ(cells[0].Extent.West, 77.0);
    EXPECT_DOUBLE_EQ(cells[0].Extent.North, 28.75);
    // On a corner of four 1° sheets, all four, in the report's order.
    swl::Geometry corner{{{swl::PartKind::Point, {{77.0, 28.0}}}}};
    EXPECT_EQ(Numbers(swl::Sheets({corner}, swl::Series::Old, "1:2,50,000")),
              (std::vector<std::string>{"53D", "53H", "54A", "54E"}));
}

TEST(ApiSheets, FractionsOfASecondAreKept) {
    // 0.4" near the north-east corner of an open 1:2000 sheet (36" square): held to
    // whole seconds its far corner would lie on the sheet's corner and touch four.
    const double lon = 77.2 + 35.2 / 3600;
    const double lat = 28.6 + 35.2 / 3600;
    const double side = 0.4 / 3600;
    swl::Geometry g{{Ring(lon, lat, lon + side, lat + side)}};
    const auto cells = swl::Sheets({g}, swl::Series::Open, "1:2000");
    ASSERT_EQ(cells.size(), 1u);
    EXPECT_TRUE(cells[0].In);
}

TEST(ApiSheets, HoleLeavesItsInnerSheetsOutAndPartsJoin) {
    // A square over 3 x 3 sheets of 1°, its edges off the grid lines, with a
    // hole inside the middle sheet and then one that holds it whole.
    swl::Geometry g;
    g.Parts.push_back(Ring(76.2, 27.2, 78.8, 29.8));
    g.Parts.push_back(Ring(77.1, 28.1, 77.9, 28.9));
    EXPECT_EQ(swl::Sheets({g}, swl::Series::Old, "1:2,50,000").size(), 9u)
        << "the hole's ring touches the middle sheet";
    g.Parts[1] = Ring(76.9, 27.9, 78.1, 29.1); // a hole that holds the middle sheet whole
    const auto cut = Numbers(swl::Sheets({g}, swl::Series::Old, "1:2,50,000"));
    EXPECT_EQ(cut.size(), 8u);
    EXPECT_EQ(std::count(cut.begin(), cut.end(), "53H"), 0) << "the middle sheet lies in the hole";
    swl::Geometry inner;
    inner.Parts.push_back(Ring(76.2, 27.2, 78.8, 29.8));
    inner.Parts.push_back(Ring(76.6, 27.6, 78.4, 29.4));
    inner.Parts.push_back(Ring(77.55, 28.55, 77.6, 28.6)); // an island in the hole
    const auto island = swl::Sheets({inner}, swl::Series::Old, "1:50,000");
    std::set<std::string> seen;
    for (const auto& c : island) {
        seen.insert(c.Number);
    }
    EXPECT_EQ(seen.count("53H/10"), 1u) << "the island's sheet";
    EXPECT_EQ(seen.count("53H/6"), 0u) << "inside the hole, touched by nothing";
}

TEST(ApiSheets, UnionPerFeatureAndTheWholeGrid) {
    swl::Geometry a{{Ring(77.05, 28.05, 77.1, 28.1)}};
    swl::Geometry b{{{swl::PartKind::Line, {{80.2, 25.2}, {80.3, 25.3}}}}};
    const auto together = swl::Sheets({a, b}, swl::Series::Old, "1:2,50,000");
    EXPECT_EQ(Numbers(together), (std::vector<std::string>{"53H", "63C"}));
    swl::SheetsOptions each;
    each.PerFeature = true;
    const auto apart = swl::Sheets({a, b}, swl::Series::Old, "1:2,50,000", each);
    ASSERT_EQ(apart.size(), 2u);
    EXPECT_EQ(apart[0].Feature, 0);
    EXPECT_EQ(apart[1].Feature, 1);
    // The whole grid over both: every cell of the block, IN or not, row by row.
    swl::SheetsOptions all;
    all.InOnly = false;
    const auto grid = swl::Sheets({a, b}, swl::Series::Old, "1:2,50,000", all);
    ASSERT_EQ(grid.size(), 4u * 4u);
    EXPECT_EQ(std::count_if(grid.begin(), grid.end(), [](const swl::Cell& c) { return c.In; }), 2);
    for (std::size_t i = 1; i < grid.size(); ++i) {
        const bool sameRow = grid[i].Extent.North == grid[i - 1].Extent.North;
        EXPECT_TRUE(sameRow ? grid[i].Extent.West > grid[i - 1].Extent.West
                            : grid[i].Extent.North < grid[i - 1].Extent.North);
    }
}

TEST(ApiSheets, OutsideCellsAreNeverInAndHaveNoNumber) {
    // A line from the index out across its northern edge.
    swl::Geometry g{{{swl::PartKind::Line, {{77.5, 39.5}, {77.5, 41.5}}}}};
    swl::SheetsOptions all;
    all.InOnly = false;
    for (const auto& c : swl::Sheets({g}, swl::Series::Old, "1:2,50,000", all)) {
        EXPECT_EQ(c.In, !c.Number.empty()) << c.Extent.South;
    }
    EXPECT_EQ(swl::Sheets({g}, swl::Series::Old, "1:2,50,000").size(), 1u);
}

TEST(ApiSheets, TouchResolutionDecidesNearGridLines) {
    // A line whose top vertex lies 5 seconds south of the 28°30' line, and a
    // point north of it that widens the grid over that line. At 70 pixels a
    // sheet (12.9" a pixel) the vertex rounds onto the line and touches 53H/2
    // above it; at 140 (6.4") it does not.
    const double lat = 28.5 - 5.0 / 3600.0;
    swl::Geometry g{{{swl::PartKind::Line, {{77.05, 28.45}, {77.1, lat}, {77.15, 28.45}}},
                     {swl::PartKind::Point, {{77.4, 28.6}}}}};
    EXPECT_EQ(Numbers(swl::Sheets({g}, swl::Series::Old, "1:50,000")),
              (std::vector<std::string>{"53H/2", "53H/3", "53H/6"}));
    swl::SheetsOptions fine;
    fine.TouchResolution = 140;
    EXPECT_EQ(Numbers(swl::Sheets({g}, swl::Series::Old, "1:50,000", fine)),
              (std::vector<std::string>{"53H/3", "53H/6"}));
}

TEST(ApiSheets, RefusalsNameTheFeatureAndChangeNothing) {
    swl::Geometry empty;
    swl::Geometry bad{{{swl::PartKind::Point, {{181.0, 28.0}}}}};
    swl::Geometry nan{{{swl::PartKind::Line, {{77.0, 28.0}, {std::nan(""), 28.0}}}}};
    swl::Geometry ok{{{swl::PartKind::Point, {{77.0, 28.0}}}}};
    EXPECT_THROW(swl::Sheets({}, swl::Series::Old, "1:50,000"), swl::Error);
    EXPECT_THROW(swl::Sheets({ok, empty}, swl::Series::Old, "1:50,000"), swl::Error);
    try {
        swl::Sheets({ok, bad}, swl::Series::Old, "1:50,000");
        FAIL();
    } catch (const swl::Error& e) {
        EXPECT_NE(std::string(e.what()).find("feature 1"), std::string::npos) << e.what();
    }
    EXPECT_THROW(swl::Sheets({nan}, swl::Series::Old, "1:50,000"), swl::Error);
    swl::SheetsOptions o;
    o.TouchResolution = 141;
    EXPECT_THROW(swl::Sheets({ok}, swl::Series::Old, "1:50,000", o), swl::Error);
    // A block of sheets past the computation's limit is refused, not allocated.
    swl::Geometry huge{{{swl::PartKind::Line, {{-179.0, -89.0}, {179.0, 89.0}}}}};
    EXPECT_THROW(swl::Sheets({huge}, swl::Series::Open, "1:2000"), swl::Error);
}

} // namespace
