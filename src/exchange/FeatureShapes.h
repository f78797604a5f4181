#pragma once

// The feature as the shapes a GIS format stores: polygons with their holes,
// lines and points. A feature holds its rings as flat parts (outer rings and
// holes alike, filled by the even-odd rule), so which ring is a hole of which is
// found again from their nesting: a ring inside an odd number of the member's
// other rings is a hole of the innermost of them, any other ring bounds a
// polygon of its own. Vertices stay in the order and at the values read.

#include "coverage/Feature.h"

#include <vector>

namespace sw {

struct ShapePolygon {
    Ring Outer;
    std::vector<Ring> Holes; // in vertex order
};

// The shapes of one feature, each kind in vertex order (a union's members, from
// UnionMembers in coverage/FeatureUnion.h, one at a time: their rings nest only
// within each member). A line whose vertices are all one place (the way a
// typed point is held) is a point.
struct MemberShapes {
    std::vector<ShapePolygon> Polygons;
    std::vector<Ring> Lines; // the vertices [First, First + Count) of each line
    std::vector<VertexRec> Points;

    std::size_t Count() const { return Polygons.size() + Lines.size() + Points.size(); }
};

MemberShapes ShapesOf(const Feature& f);

} // namespace sw
