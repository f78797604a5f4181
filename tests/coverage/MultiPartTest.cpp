// Features of several parts and unions of several features, through both
// algorithms: parts are never joined, holes are out, rings of one feature follow
// the even-odd rule together, and features never cancel each other.

#include "CoverageTestSupport.h"

#include "coverage/FeatureUnion.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace sw::test {
namespace {

// A rectangle ring from its south-west to its north-east corner, in seconds.
std::vector<VertexRec> Box(int32_t south, int32_t west, int32_t north, int32_t east) {
    return {V(south, west), V(north, west), V(north, east), V(south, east)};
}

Feature Rings(const std::vector<std::vector<VertexRec>>& rings, PartKind kind) {
    std::vector<VertexRec> vs;
    std::vector<FeaturePart> parts;
    for (const auto& r : rings) {
        parts.push_back({static_cast<int32_t>(vs.size()), kind});
        vs.insert(vs.end(), r.begin(), r.end());
    }
    return MakePartsFeature(std::move(vs), std::move(parts));
}

// The IN flag of the cell whose south-west corner is (lat, lon) seconds.
int CellIn(const Settings& s, const SheetGrid& g, int32_t lat, int32_t lon) {
    const int32_t c = (lon - g.GridWestSec) / s.SheetWidthSec;
    const int32_t r = (g.GridNorthSec - lat) / s.SheetHeightSec - 1;
    return g.SheetList[static_cast<std::size_t>(r * g.GridCols + c)].InFlag;
}

class MultiPart : public ::testing::TestWithParam<Algorithm> {
protected:
    SheetGrid Run(Feature f) { return Compute(s, f, GetParam()); }
    SheetGrid Union(std::vector<Feature> fs) {
        SheetGrid g;
        ComputeUnion(s, fs, g, {}, GetParam());
        return g;
    }
    const Settings s = SettingsFor(Series::OldSeries, 4); // 15' sheets
};

TEST_P(MultiPart, PartsAreNeverJoined) {
    // Two short lines in the first and last sheet of a row of four.
    const std::vector<VertexRec> west{V(Sec(28, 36), Sec(77, 2)), V(Sec(28, 40), Sec(77, 10))};
    const std::vector<VertexRec> east{V(Sec(28, 36), Sec(77, 50)), V(Sec(28, 40), Sec(77, 58))};
    std::vector<VertexRec> both = west;
    both.insert(both.end(), east.begin(), east.end());
    const SheetGrid joined = Run(MakeVertexFeature(both, false));
    EXPECT_EQ(joined.InSheetCount, 4);
    const SheetGrid twoParts = Run(MakeVertexFeature(both, false, {0, 2}));
    EXPECT_EQ(twoParts.GridCols, 4);
    EXPECT_EQ(twoParts.InSheetCount, 2);
    EXPECT_EQ(CellIn(s, twoParts, Sec(28, 30), Sec(77)), 1);
    EXPECT_EQ(CellIn(s, twoParts, Sec(28, 30), Sec(77, 45)), 1);
    // Two rings: each closed on itself, not through the other.
    const SheetGrid rings = Run(MakeVertexFeature(both, true, {0, 2}));
    EXPECT_EQ(rings.InSheetCount, 2);
}

TEST_P(MultiPart, OneStartIsTodaysFeature) {
    const std::vector<VertexRec> ring = Box(Sec(28, 7), Sec(77, 7), Sec(29, 8), Sec(78, 8));
    EXPECT_TRUE(
        SameGrid(Run(MakeVertexFeature(ring, true, {0})), Run(MakeVertexFeature(ring, true))));
    EXPECT_TRUE(
        SameGrid(Run(Rings({ring}, PartKind::Polygon)), Run(MakeVertexFeature(ring, true))));
    EXPECT_TRUE(
        SameGrid(Run(Rings({ring}, PartKind::Polyline)), Run(MakeVertexFeature(ring, false))));
}

TEST_P(MultiPart, HoleCellsNoRingTouchesAreOut) {
    // 5 x 5 sheets; the hole's edges lie in the ring of cells around the middle one.
    const auto outer = Box(Sec(28, 7), Sec(77, 7), Sec(29, 8), Sec(78, 8));
    const auto hole = Box(Sec(28, 22), Sec(77, 22), Sec(28, 53), Sec(77, 53));
    const SheetGrid solid = Run(Rings({outer}, PartKind::Polygon));
    EXPECT_EQ(solid.InSheetCount, 25);
    const SheetGrid holed = Run(Rings({outer, hole}, PartKind::Polygon));
    EXPECT_EQ(holed.InSheetCount, 24);
    EXPECT_EQ(CellIn(s, holed, Sec(28, 30), Sec(77, 30)), 0);
    // The hole's winding does not matter, nor which ring comes first.
    auto reversed = hole;
    std::reverse(reversed.begin(), reversed.end());
    EXPECT_TRUE(SameGrid(Run(Rings({outer, reversed}, PartKind::Polygon)), holed));
    EXPECT_TRUE(SameGrid(Run(Rings({hole, outer}, PartKind::Polygon)), holed));
}

TEST_P(MultiPart, OverlapCancelsWithinAFeatureButNotAcrossFeatures) {
    // Two 5 x 5 blocks overlapping in a 3 x 3 block whose middle cell no edge touches.
    const auto a = Box(Sec(28, 7), Sec(77, 7), Sec(29, 8), Sec(78, 8));
    const auto b = Box(Sec(28, 37), Sec(77, 37), Sec(29, 38), Sec(78, 38));
    const SheetGrid oneFeature = Run(Rings({a, b}, PartKind::Polygon));
    EXPECT_EQ(CellIn(s, oneFeature, Sec(28, 45), Sec(77, 45)), 0);
    const SheetGrid union2 = Union({MakeVertexFeature(a, true), MakeVertexFeature(b, true)});
    EXPECT_EQ(CellIn(s, union2, Sec(28, 45), Sec(77, 45)), 1);
    EXPECT_EQ(union2.InSheetCount, 25 + 25 - 9);
    EXPECT_EQ(oneFeature.InSheetCount, union2.InSheetCount - 1);
}

TEST_P(MultiPart, UnionIsEveryFeatureOnTheCommonGrid) {
    const Feature line =
        MakeVertexFeature({V(Sec(28, 36), Sec(77, 2)), V(Sec(28, 40), Sec(77, 10))}, false);
    const Feature point = MakePointFeature(SecToDms(Sec(29, 20)), SecToDms(Sec(78, 20)));
    const SheetGrid u = Union({line, point});
    // The box over both: 28°30' to 29°30', 77°00' to 78°30'.
    EXPECT_EQ(u.GridNorthSec, Sec(29, 30));
    EXPECT_EQ(u.GridWestSec, Sec(77));
    EXPECT_EQ(u.GridRows, 4);
    EXPECT_EQ(u.GridCols, 6);
    EXPECT_EQ(u.InSheetCount, 2);
    // A union of one feature is that feature alone.
    EXPECT_TRUE(SameGrid(Union({line}), Run(line)));
    // Features without vertices take no part; with none at all nothing changes.
    EXPECT_TRUE(SameGrid(Union({line, MakeVertexFeature({}, true)}), Run(line)));
    std::vector<Feature> empty{MakeVertexFeature({}, false)};
    SheetGrid keep = u;
    EXPECT_THROW(ComputeUnion(s, empty, keep, {}, GetParam()), ComputeError);
    EXPECT_TRUE(SameGrid(keep, u));
}

// A layer's chosen features held as one feature: drawn as every part, computed
// as the union at whatever scale it is recomputed at.
TEST_P(MultiPart, UnionFeatureComputesAsTheUnionOfItsMembers) {
    const auto a = Box(Sec(28, 7), Sec(77, 7), Sec(29, 8), Sec(78, 8));
    const auto b = Box(Sec(28, 37), Sec(77, 37), Sec(29, 38), Sec(78, 38));
    const Feature withHole =
        Rings({a, Box(Sec(28, 20), Sec(77, 20), Sec(28, 55), Sec(77, 55))}, PartKind::Polygon);
    const Feature second = MakeVertexFeature(b, true);
    const Feature line =
        MakeVertexFeature({V(Sec(30, 36), Sec(77, 2)), V(Sec(30, 40), Sec(77, 10))}, false);
    Feature u = UnionFeature({&withHole, &second, &line});
    EXPECT_EQ(u.MemberStarts, (std::vector<int32_t>{0, 8, 12}));
    EXPECT_EQ(u.VertexCount, 14);
    EXPECT_EQ(DataTypeOf(u), DataKind::Polygon);
    for (const Settings& at :
         {s, SettingsFor(Series::OldSeries, 5), SettingsFor(Series::OpenSeries, 3)}) {
        Feature f = u;
        const SheetGrid got = Compute(at, f, GetParam());
        std::vector<Feature> members{withHole, second, line};
        SheetGrid want;
        ComputeUnion(at, members, want, {}, GetParam());
        EXPECT_TRUE(SameGrid(got, want));
        ASSERT_EQ(f.FeaturePoints.size(), 14u);
        EXPECT_EQ(f.FeaturePoints[8], members[1].FeaturePoints[0]);
    }
    // The overlap is IN although the member's rings would cancel in one feature.
    Feature f = u;
    EXPECT_EQ(CellIn(s, Compute(s, f, GetParam()), Sec(28, 45), Sec(77, 45)), 1);

    const std::vector<Feature> back = UnionMembers(u);
    ASSERT_EQ(back.size(), 3u);
    EXPECT_EQ(back[0].Vertices, withHole.Vertices);
    EXPECT_EQ(back[0].Parts, withHole.Parts);
    EXPECT_EQ(back[1].Vertices, second.Vertices);
    EXPECT_EQ(PartsOver(back[1], 4), PartsOver(second, 4));
    EXPECT_EQ(PartsOver(back[2], 2), PartsOver(line, 2));
    EXPECT_EQ(DataTypeOf(back[2]), DataKind::Polyline);
    EXPECT_EQ(DataTypeOf(MakePartsFeature({V(Sec(28), Sec(77))}, {{0, PartKind::Point}})),
              DataKind::Point);

    // One member, or marks that delimit fewer than two, is a plain feature.
    EXPECT_TRUE(UnionFeature({&second}).MemberStarts.empty());
    Feature marks = u;
    marks.MemberStarts = {5, 40, -1};
    EXPECT_EQ(UnionMembers(marks).size(), 1u);
    // A mark inside a part splits it: the later member starts with that part's kind.
    marks.MemberStarts = {0, 2};
    const std::vector<Feature> cut = UnionMembers(marks);
    ASSERT_EQ(cut.size(), 2u);
    EXPECT_EQ(cut[1].VertexCount, 12);
    EXPECT_EQ(cut[1].Parts.front(), (FeaturePart{0, PartKind::Polygon}));
    EXPECT_EQ(cut[1].Parts[1], (FeaturePart{2, PartKind::Polygon}));
}

TEST_P(MultiPart, PointPartsAndMixedKinds) {
    // Three single points: one inside a sheet, one on a meridian, one on a corner.
    const Feature points = MakePartsFeature(
        {V(Sec(28, 36), Sec(77, 5)), V(Sec(28, 36), Sec(77, 30)), V(Sec(29), Sec(78))},
        {{0, PartKind::Point}, {1, PartKind::Point}, {2, PartKind::Point}});
    EXPECT_EQ(Run(points).InSheetCount, 1 + 2 + 4);
    // A ring and a line in one feature: the line is neither closed nor filled.
    const auto ring = Box(Sec(28, 7), Sec(77, 7), Sec(29, 8), Sec(78, 8));
    const std::vector<VertexRec> hook{V(Sec(30, 7), Sec(77, 7)), V(Sec(31, 8), Sec(77, 7)),
                                      V(Sec(31, 8), Sec(78, 8))};
    std::vector<VertexRec> vs = ring;
    vs.insert(vs.end(), hook.begin(), hook.end());
    Feature mixed = MakePartsFeature(vs, {{0, PartKind::Polygon}, {4, PartKind::Polyline}});
    EXPECT_EQ(mixed.IsPolygon, 1);
    const SheetGrid g = Run(mixed);
    EXPECT_EQ(CellIn(s, g, Sec(28, 30), Sec(77, 30)), 1); // inside the ring
    EXPECT_EQ(CellIn(s, g, Sec(30, 30), Sec(77, 30)), 0); // inside the hook's box only
    EXPECT_EQ(CellIn(s, g, Sec(30, 45), Sec(77, 0)), 1);  // on the hook
}

TEST_P(MultiPart, UnusablePartStartsAreIgnored) {
    const std::vector<VertexRec> both{V(Sec(28, 36), Sec(77, 2)), V(Sec(28, 40), Sec(77, 10)),
                                      V(Sec(28, 36), Sec(77, 50)), V(Sec(28, 40), Sec(77, 58))};
    const SheetGrid want = Run(MakeVertexFeature(both, false, {0, 2}));
    // A first start past 0, repeated and falling starts, starts past the end.
    EXPECT_TRUE(SameGrid(Run(MakeVertexFeature(both, false, {1, 2, 2, 1, 4, 99, -3})), want));
    EXPECT_TRUE(SameGrid(Run(MakeVertexFeature(both, false, {-1, 2})), want));
}

INSTANTIATE_TEST_SUITE_P(Coverage, MultiPart,
                         ::testing::Values(Algorithm::Fast, Algorithm::Reference));

} // namespace
} // namespace sw::test
