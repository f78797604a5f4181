// Number, its batch form, Extent and Grid of the public library, through its
// exported symbols only.

#include <sheetwright/sheetwright.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace swl = sheetwright;

namespace {

TEST(ApiNumber, WorkedExampleAtEveryScaleOfBothSeries) {
    // 77°12'30"E 28°36'50"N.
    const double lat = 28 + 36 / 60.0 + 50 / 3600.0;
    const double lon = 77 + 12 / 60.0 + 30 / 3600.0;
    const std::vector<std::string> old{"53", "53H", "53H/NW", "53H/2", "53H/2/SE"};
    const std::vector<std::string> open{"H43",       "H43X",    "H43X02",
                                        "H43X02/SE", "H43X02O", "H43X02O04"};
    ASSERT_EQ(swl::Scales(swl::Series::Old).size(), old.size());
    for (std::size_t i = 0; i < old.size(); ++i) {
        EXPECT_EQ(swl::Number(lat, lon, swl::Series::Old, swl::Scales(swl::Series::Old)[i]),
                  old[i]);
    }
    for (std::size_t i = 0; i < open.size(); ++i) {
        EXPECT_EQ(swl::Number(lat, lon, swl::Series::Open, swl::Scales(swl::Series::Open)[i]),
                  open[i]);
    }
    EXPECT_EQ(swl::Number(lat, lon, swl::Series::Old, "1:50000"), "53H/2");
}

TEST(ApiNumber, OutsideTheIndexAndNonNumbersGiveNoNumber) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (const auto& [lat, lon] : std::vector<std::pair<double, double>>{{40.0, 77.0},
                                                                         {19.99, 71.99},
                                                                         {-28.6, 77.2},
                                                                         {28.6, -77.2},
                                                                         {nan, 77.0},
                                                                         {28.6, inf},
                                                                         {1e300, 1e300}}) {
        EXPECT_EQ(swl::Number(lat, lon, swl::Series::Old, "1:50,000"), "") << lat << " " << lon;
    }
    EXPECT_EQ(swl::Number(20.0, 71.5, swl::Series::Old, "1:1M"), "41");
}

TEST(ApiNumber, BatchAnswersAsTheScalarFormDoes) {
    const std::vector<double> lat{28.6139, 40.5, std::nan(""), 8.01, 35.999999, 4.0};
    const std::vector<double> lon{77.2083, 77.0, 77.0, 93.5, 99.999999, 99.5};
    const std::size_t width = swl::NumberWidth + 3;
    std::vector<char> out(lat.size() * width, 'x');
    swl::NumberBatch(lat.data(), lon.data(), lat.size(), swl::Series::Open, "1:2000", out.data(),
                     width);
    const auto numbers = swl::Number(lat, lon, swl::Series::Open, "1:2000");
    for (std::size_t i = 0; i < lat.size(); ++i) {
        const std::string field(out.data() + i * width);
        EXPECT_EQ(field, swl::Number(lat[i], lon[i], swl::Series::Open, "1:2000"));
        EXPECT_EQ(field, numbers[i]);
        EXPECT_LT(field.size(), swl::NumberWidth);
        EXPECT_EQ(out[i * width + width - 1], '\0'); // padded to the end, no stale bytes
    }
    swl::NumberBatch(nullptr, nullptr, 0, swl::Series::Old, "1:1M", nullptr, swl::NumberWidth);
}

// The batch form numbers through the grid numberer, the scalar form through the
// numbering rules themselves: they agree at random positions and on every kind
// of edge (sheet lines, the index's box, the cut-outs), at every scale.
TEST(ApiNumber, BatchAndScalarAgreeEverywhereAtEveryScale) {
    std::vector<double> lat;
    std::vector<double> lon;
    std::mt19937_64 rng(23);
    std::uniform_real_distribution<double> la(3.0, 41.0);
    std::uniform_real_distribution<double> lo(63.0, 101.0);
    for (int i = 0; i < 20000; ++i) {
        lat.push_back(la(rng));
        lon.push_back(lo(rng));
    }
    // Whole degrees, the 36" lines and a hair either side of them.
    for (const double d : {4.0, 8.0, 16.0, 20.0, 21.0, 28.5, 40.0}) {
        for (const double e : {64.0, 71.99, 72.0, 84.0, 88.0, 91.999, 92.0, 99.99, 100.0}) {
            for (const double eps : {0.0, 1e-9, -1e-9, 0.01, -0.01, 36.0 / 3600.0}) {
                lat.push_back(d + eps);
                lon.push_back(e - eps);
            }
        }
    }
    for (const swl::Series series : {swl::Series::Old, swl::Series::Open}) {
        for (const std::string& scale : swl::Scales(series)) {
            std::vector<char> out(lat.size() * swl::NumberWidth);
            swl::NumberBatch(lat.data(), lon.data(), lat.size(), series, scale, out.data(),
                             swl::NumberWidth);
            int differ = 0;
            for (std::size_t i = 0; i < lat.size() && differ < 5; ++i) {
                const std::string field(out.data() + i * swl::NumberWidth);
                const std::string one = swl::Number(lat[i], lon[i], series, scale);
                if (field != one) {
                    ++differ;
                    ADD_FAILURE() << scale << " at " << lat[i] << " " << lon[i] << ": " << field
                                  << " vs " << one;
                }
            }
        }
    }
}

TEST(ApiNumber, RefusalsAreTheLibrarysErrorWithTheReason) {
    EXPECT_THROW(swl::ParseSeries("new"), swl::Error);
    EXPECT_EQ(swl::ParseSeries("open"), swl::Series::Open);
    try {
        swl::Number(28.0, 77.0, swl::Series::Open, "1:1,25,000");
        FAIL() << "the open series has no 1:1,25,000";
    } catch (const swl::Error& e) {
        EXPECT_NE(std::string(e.what()).find("valid scales: 1:1M"), std::string::npos) << e.what();
    }
    // Word for word what the command line says.
    try {
        swl::ParseSeries("new");
    } catch (const swl::Error& e) {
        EXPECT_STREQ(e.what(), "unknown series 'new': use old or open");
    }
    try {
        swl::Number(28.0, 77.0, swl::Series::Old, "1:10,000");
    } catch (const swl::Error& e) {
        EXPECT_STREQ(e.what(), "unknown scale '1:10,000' for the old series; valid scales: 1:1M, "
                               "1:2,50,000, 1:1,25,000, 1:50,000, 1:25,000");
    }
    std::vector<char> out(8);
    const double v = 28.0;
    EXPECT_THROW(swl::NumberBatch(&v, &v, 1, swl::Series::Old, "1:1M", out.data(), 8), swl::Error);
    EXPECT_THROW(
        swl::Number(std::vector<double>{1.0}, std::vector<double>{}, swl::Series::Old, "1:1M"),
        swl::Error);
}

TEST(ApiExtent, SheetBoxScaleAndNeighbours) {
    const swl::SheetInfo s = swl::Extent("53H/2", swl::Series::Old);
    EXPECT_EQ(s.Scale, "1:50,000");
    EXPECT_DOUBLE_EQ(s.Extent.West, 77.0);
    EXPECT_DOUBLE_EQ(s.Extent.East, 77.25);
    EXPECT_DOUBLE_EQ(s.Extent.South, 28.5);
    EXPECT_DOUBLE_EQ(s.Extent.North, 28.75);
    EXPECT_EQ(s.Neighbours[1], "53H/1"); // north
    EXPECT_EQ(s.Neighbours[6], "53H/3"); // south
    // The north-west corner sheet of the index has no neighbour to its north or west.
    const swl::SheetInfo corner = swl::Extent("32", swl::Series::Old);
    EXPECT_EQ(corner.Neighbours[0], "");
    EXPECT_EQ(corner.Neighbours[1], "");
    EXPECT_EQ(corner.Neighbours[3], "");
    EXPECT_FALSE(corner.Neighbours[4].empty());
    EXPECT_THROW(swl::Extent("53Z/99", swl::Series::Old), swl::Error);
    EXPECT_THROW(swl::Extent("H43X02", swl::Series::Old), swl::Error);
}

TEST(ApiGrid, EverySheetOverlappingTheBoxRowByRowFromTheNorthWest) {
    const auto cells = swl::Grid(swl::Series::Old, "1:50,000", {77.0, 28.0, 78.0, 29.0});
    ASSERT_EQ(cells.size(), 16u); // a sheet only touching the box's edge is left out
    EXPECT_EQ(cells[0].Number, "53H/1");
    EXPECT_EQ(cells[1].Number, "53H/5");
    EXPECT_EQ(cells[4].Number, "53H/2");
    EXPECT_EQ(cells[15].Number, "53H/16");
    EXPECT_DOUBLE_EQ(cells[0].Extent.North, 29.0);
    EXPECT_DOUBLE_EQ(cells[15].Extent.East, 78.0);
    for (const auto& c : cells) {
        const swl::SheetInfo back = swl::Extent(c.Number, swl::Series::Old);
        EXPECT_DOUBLE_EQ(back.Extent.West, c.Extent.West) << c.Number;
        EXPECT_DOUBLE_EQ(back.Extent.South, c.Extent.South) << c.Number;
    }
    // Partly outside: only the index's own sheets.
    const auto edge = swl::Grid(swl::Series::Old, "1:1M", {60.0, 30.0, 70.0, 45.0});
    for (const auto& c : edge) {
        EXPECT_GE(c.Extent.West, 64.0);
        EXPECT_LE(c.Extent.North, 40.0);
    }
    EXPECT_EQ(edge.size(), 6u); // 64-68 and 68-72 by 28-32, 32-36 and 36-40
    EXPECT_TRUE(swl::Grid(swl::Series::Old, "1:1M", {0.0, 50.0, 10.0, 60.0}).empty());
}

TEST(ApiGrid, RefusesEmptyNonNumericAndHugeBoxes) {
    EXPECT_THROW(swl::Grid(swl::Series::Old, "1:1M", {78.0, 28.0, 77.0, 29.0}), swl::Error);
    EXPECT_THROW(swl::Grid(swl::Series::Old, "1:1M", {77.0, 28.0, 77.0, 29.0}), swl::Error);
    EXPECT_THROW(swl::Grid(swl::Series::Old, "1:1M", {std::nan(""), 28.0, 78.0, 29.0}), swl::Error);
    EXPECT_THROW(swl::Grid(swl::Series::Open, "1:2000", {64.0, 4.0, 100.0, 40.0}), swl::Error);
}

} // namespace
