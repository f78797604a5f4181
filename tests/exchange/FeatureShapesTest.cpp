// Rings found again as polygons and holes from how they nest, and the kinds of
// the other parts, as the GIS writers store them.

#include "exchange/FeatureShapes.h"
#include "coverage/Feature.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace sw {
namespace {

// A square ring of whole minutes, its south-west corner at (lat, lon).
std::vector<VertexRec> Square(int32_t lat, int32_t lon, int32_t size) {
    auto at = [](int32_t la, int32_t lo) {
        return VertexRec{DmsAngle{28, la, 0}, DmsAngle{77, lo, 0}};
    };
    return {at(lat, lon), at(lat, lon + size), at(lat + size, lon + size), at(lat + size, lon)};
}

Feature Rings(const std::vector<std::vector<VertexRec>>& rings, PartKind kind = PartKind::Polygon) {
    std::vector<VertexRec> vertices;
    std::vector<FeaturePart> parts;
    for (const auto& r : rings) {
        parts.push_back(FeaturePart{static_cast<int32_t>(vertices.size()), kind});
        vertices.insert(vertices.end(), r.begin(), r.end());
    }
    return MakePartsFeature(std::move(vertices), std::move(parts));
}

TEST(FeatureShapes, RingsNestAsPolygonsWithHoles) {
    // An island (ring 2) in the hole (ring 1) of a square, a square of its own
    // beside them (ring 3), and a hole (ring 4) of that one listed last.
    const MemberShapes s = ShapesOf(Rings({Square(0, 0, 30), Square(5, 5, 20), Square(10, 10, 5),
                                           Square(0, 40, 10), Square(2, 42, 3)}));
    ASSERT_EQ(s.Polygons.size(), 3u);
    EXPECT_EQ(s.Polygons[0].Outer.First, 0);
    ASSERT_EQ(s.Polygons[0].Holes.size(), 1u);
    EXPECT_EQ(s.Polygons[0].Holes[0].First, 4);
    EXPECT_EQ(s.Polygons[1].Outer.First, 8);
    EXPECT_TRUE(s.Polygons[1].Holes.empty());
    EXPECT_EQ(s.Polygons[2].Outer.First, 12);
    ASSERT_EQ(s.Polygons[2].Holes.size(), 1u);
    EXPECT_EQ(s.Polygons[2].Holes[0].First, 16);
    EXPECT_EQ(s.Polygons[2].Holes[0].Count, 4);
    EXPECT_TRUE(s.Lines.empty());
    EXPECT_TRUE(s.Points.empty());
}

TEST(FeatureShapes, HoleTouchingItsOuterRingAtCornersStillNests) {
    // The hole shares the outer ring's south-west corner and runs along two of its
    // edges: its vertices off the outer ring decide.
    const MemberShapes s = ShapesOf(Rings({Square(0, 0, 30), Square(0, 0, 10)}));
    ASSERT_EQ(s.Polygons.size(), 1u);
    ASSERT_EQ(s.Polygons[0].Holes.size(), 1u);
    EXPECT_EQ(s.Polygons[0].Holes[0].First, 4);
    // Two equal rings do not nest.
    EXPECT_EQ(ShapesOf(Rings({Square(0, 0, 30), Square(0, 0, 30)})).Polygons.size(), 2u);
}

TEST(FeatureShapes, LinesAndPointsKeepTheirParts) {
    const MemberShapes lines =
        ShapesOf(Rings({Square(0, 0, 30), Square(5, 5, 20)}, PartKind::Polyline));
    EXPECT_TRUE(lines.Polygons.empty());
    ASSERT_EQ(lines.Lines.size(), 2u);
    EXPECT_EQ(lines.Lines[1].First, 4);
    EXPECT_EQ(lines.Lines[1].Count, 4);

    const MemberShapes points = ShapesOf(Rings({Square(0, 0, 30)}, PartKind::Point));
    EXPECT_EQ(points.Points, Square(0, 0, 30));
    // A typed point is two equal vertices of one line: a point.
    const MemberShapes typed = ShapesOf(MakePointFeature(DmsAngle{28, 1, 0}, DmsAngle{77, 2, 0}));
    ASSERT_EQ(typed.Points.size(), 1u);
    EXPECT_EQ(typed.Count(), 1u);
    // A one-ring polygon without parts listed is one polygon of every vertex.
    const MemberShapes plain = ShapesOf(MakeVertexFeature(Square(0, 0, 30), true));
    ASSERT_EQ(plain.Polygons.size(), 1u);
    EXPECT_EQ(plain.Polygons[0].Outer.Count, 4);
}

} // namespace
} // namespace sw
