// Sheets on the edge of the index and vertices finer than a second, through
// ComputeSheets with both algorithms: a sheet that is partly covered is listed
// under its number, a cell wholly outside stays "#" and OUT, and decimal
// positions keep their fractions through the grid box and the pixel tests.

#include "CoverageTestSupport.h"

#include "coverage/GridBox.h"
#include "coverage/PixelFrame.h"
#include "index/SheetNumber.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace sw::test {
namespace {

class EdgeSheets : public ::testing::TestWithParam<Algorithm> {
protected:
    std::vector<std::string> In(const Settings& s, Feature f) {
        std::vector<std::string> v = InSheets(Compute(s, f, GetParam()));
        std::sort(v.begin(), v.end());
        return v;
    }
    Feature Polygon(const std::vector<std::pair<double, double>>& latLon) {
        std::vector<VertexRec> vs;
        for (const auto& [lat, lon] : latLon) {
            vs.push_back(DecimalVertex(lat, lon));
        }
        return MakeVertexFeature(std::move(vs), true);
    }
    const Settings old1M = SettingsFor(Series::OldSeries, 1);
    const Settings open1M = SettingsFor(Series::OpenSeries, 1);
};

TEST_P(EdgeSheets, MillionSheetsWhoseSouthWestDegreeIsOutsideAreListed) {
    // Kolkata: old 79, whose south-west degree lies in the cut-out below 21°N.
    EXPECT_EQ(In(old1M, MakePointFeature(DecimalVertex(22.57, 88.36))),
              (std::vector<std::string>{"79"}));
    // Andaman and Nicobar, east of 92°E from 6.7°N to 13.7°N: zone 46 from 90°E.
    const Feature islands = Polygon({{13.68, 92.85},
                                     {13.20, 93.10},
                                     {11.50, 92.75},
                                     {10.50, 92.55},
                                     {9.20, 92.80},
                                     {8.00, 93.55},
                                     {6.76, 93.85},
                                     {7.40, 93.60},
                                     {9.10, 92.65},
                                     {11.60, 92.45},
                                     {13.68, 92.85}});
    EXPECT_EQ(In(open1M, islands), (std::vector<std::string>{"B46", "C46", "D46"}));
    // A line down the strip 64°E-66°E, which only zone 41 holds.
    const Feature strip =
        MakeVertexFeature({V(Sec(39, 59), Sec(65)), V(Sec(20, 1), Sec(65, 30))}, false);
    EXPECT_EQ(In(open1M, strip), (std::vector<std::string>{"F41", "G41", "H41", "I41", "J41"}));
    EXPECT_EQ(In(open1M, MakePointFeature(SecToDms(Sec(30)), SecToDms(Sec(64, 30)))),
              (std::vector<std::string>{"H41"}));
}

TEST_P(EdgeSheets, TheWholeEdgeCellGetsItsNumberAndOnlyCoveredCellsAreIn) {
    // A polygon over 80°E-96°E, 8°N-24°N at old 1:1M. 84°E-88°E, 12°N-16°N lies
    // wholly in the cut-out: inside the polygon, yet "#" and OUT. 88°E-92°E,
    // 20°N-24°N is 79, IN from the interior test alone.
    const Feature f =
        MakeVertexFeature({V(Sec(8, 0, 30), Sec(80, 0, 30)), V(Sec(23, 59, 30), Sec(80, 0, 30)),
                           V(Sec(23, 59, 30), Sec(95, 59, 30)), V(Sec(8, 0, 30), Sec(95, 59, 30))},
                          true);
    Feature copy = f;
    const SheetGrid g = Compute(old1M, copy, GetParam());
    ASSERT_EQ(g.GridCols, 4);
    ASSERT_EQ(g.GridRows, 4);
    auto cell = [&g](int r, int c) -> const SheetRec& {
        return g.SheetList[static_cast<std::size_t>(r * g.GridCols + c)];
    };
    EXPECT_EQ(cell(0, 2).SheetNo, "79");
    EXPECT_EQ(cell(0, 2).InFlag, 1);
    EXPECT_EQ(cell(2, 1).SheetNo, "#"); // 84°E-88°E, 12°N-16°N
    EXPECT_EQ(cell(2, 1).InFlag, 0);
    EXPECT_EQ(cell(3, 2).SheetNo, "#"); // 88°E-92°E, 8°N-12°N
    EXPECT_EQ(cell(3, 2).InFlag, 0);
    for (const SheetRec& r : g.SheetList) {
        EXPECT_EQ(r.InFlag, r.SheetNo == "#" ? 0 : 1) << r.SheetNo.str();
    }
}

TEST_P(EdgeSheets, APointOutsideTheIndexInAnEdgeSheetIsInThatSheet) {
    // The sheet is the whole cell: its part west of 64°E is of it too. The
    // number of the point itself stays "#".
    const DmsAngle lat{30, 0, 0};
    const DmsAngle lon{63, 0, 0};
    EXPECT_EQ(SheetNumber(open1M, lon, lat), "#");
    EXPECT_EQ(In(open1M, MakePointFeature(lat, lon)), (std::vector<std::string>{"H41"}));
    EXPECT_TRUE(In(old1M, MakePointFeature(lat, lon)).empty()); // old cells start at 64°E
}

TEST_P(EdgeSheets, APolygonOfAFewTenthsOfASecondStaysInItsSheet) {
    // 0.4" square, 0.3" from the south-west corner of a 1:2000 sheet. Rounded
    // to whole seconds it would sit on the corner and touch four sheets.
    const Settings s = SettingsFor(Series::OpenSeries, 6);
    const double lat0 = 28.0 + 0.3 / 3600.0;
    const double lon0 = 77.0 + 0.3 / 3600.0;
    const double d = 0.4 / 3600.0;
    const Feature f =
        Polygon({{lat0, lon0}, {lat0 + d, lon0}, {lat0 + d, lon0 + d}, {lat0, lon0 + d}});
    const std::string sheet = SheetNumber(s, DmsAngle{77, 0, 1}, DmsAngle{28, 0, 1});
    EXPECT_EQ(In(s, f), (std::vector<std::string>{sheet}));
    Feature copy = f;
    const SheetGrid g = Compute(s, copy, GetParam());
    EXPECT_EQ(g.SheetCount, 1); // the box is the one sheet, not widened at its edges
}

INSTANTIATE_TEST_SUITE_P(Algorithms, EdgeSheets,
                         ::testing::Values(Algorithm::Fast, Algorithm::Reference));

TEST(DecimalVertex, KeepsTheFractionAndShowsTheWholeSeconds) {
    const VertexRec v = DecimalVertex(28.0 + 10.25 / 3600.0, 77.5);
    EXPECT_EQ(v.Lat, (DmsAngle{28, 0, 10}));
    EXPECT_NEAR(v.LatFraction, 0.25, 1e-6);
    EXPECT_EQ(v.Long, (DmsAngle{77, 30, 0}));
    EXPECT_EQ(v.LongFraction, 0.0F);
    // A whole-second position has no fraction, so it is the vertex D/M/S gives.
    EXPECT_EQ(DecimalVertex(24.5, 72.0), (VertexRec{DmsAngle{24, 30, 0}, DmsAngle{72, 0, 0}}));
}

TEST(DecimalVertex, FractionsMoveThePixelAndTheGridBoxOnlyAsFarAsTheyReach) {
    const Settings s = SettingsFor(Series::OpenSeries, 6); // 36" sheets, 70 px
    SheetGrid g;
    // On a sheet corner exactly: widened to 2 x 2. A fraction to the north-east
    // leaves the box at one sheet; one to the south-west too, a sheet further.
    Feature exact = MakePointFeature(V(Sec(28), Sec(77)));
    ComputeGridBox(s, exact, 2, g);
    EXPECT_EQ(g.GridCols, 2);
    EXPECT_EQ(g.GridRows, 2);
    VertexRec ne = V(Sec(28), Sec(77));
    ne.LatFraction = 0.2F;
    ne.LongFraction = 0.2F;
    ComputeGridBox(s, MakePointFeature(ne), 2, g);
    EXPECT_EQ(g.GridCols, 1);
    EXPECT_EQ(g.GridRows, 1);
    EXPECT_EQ(g.GridWestSec, Sec(77));
    EXPECT_EQ(g.GridNorthSec, Sec(28) + 36);
    // 0.2" is 0.39 px: still the corner pixel; 0.3" is 0.58 px, one pixel in.
    EXPECT_EQ(GeoToPixel(s, g, ne), (PixelPoint{0, 70}));
    ne.LatFraction = 0.3F;
    ne.LongFraction = 0.3F;
    EXPECT_EQ(GeoToPixel(s, g, ne), (PixelPoint{1, 69}));
    VertexRec sw = V(Sec(28), Sec(77));
    sw.LatFraction = -0.2F;
    sw.LongFraction = -0.2F;
    ComputeGridBox(s, MakePointFeature(sw), 2, g);
    EXPECT_EQ(g.GridCols, 1);
    EXPECT_EQ(g.GridWestSec, Sec(77) - 36);
    EXPECT_EQ(g.GridNorthSec, Sec(28));
}

} // namespace
} // namespace sw::test
