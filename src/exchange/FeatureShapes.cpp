#include "exchange/FeatureShapes.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace sw {

namespace {

struct Point {
    int64_t X = 0; // seconds of longitude
    int64_t Y = 0; // seconds of latitude
};

Point At(const VertexRec& v) {
    return Point{DmsToSec(v.Long), DmsToSec(v.Lat)};
}

struct Box {
    int64_t West = std::numeric_limits<int64_t>::max();
    int64_t East = std::numeric_limits<int64_t>::min();
    int64_t South = std::numeric_limits<int64_t>::max();
    int64_t North = std::numeric_limits<int64_t>::min();

    bool Holds(const Point& p) const {
        return p.X >= West && p.X <= East && p.Y >= South && p.Y <= North;
    }
};

struct RingPoints {
    Ring Span;
    std::vector<Point> Points;
    Box Bounds;
};

enum class Side { Inside, Outside, OnEdge };

// The even-odd test of whole-second coordinates, exact in 64 bits; a point on an
// edge or a vertex is told apart, since it says nothing about nesting.
Side SideOf(const Point& p, const RingPoints& r) {
    if (!r.Bounds.Holds(p)) {
        return Side::Outside;
    }
    bool inside = false;
    const std::size_t n = r.Points.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const Point& a = r.Points[i];
        const Point& b = r.Points[j];
        const int64_t cross = (b.X - a.X) * (p.Y - a.Y) - (b.Y - a.Y) * (p.X - a.X);
        if (cross == 0 && p.X >= std::min(a.X, b.X) && p.X <= std::max(a.X, b.X) &&
            p.Y >= std::min(a.Y, b.Y) && p.Y <= std::max(a.Y, b.Y)) {
            return Side::OnEdge;
        }
        if ((a.Y > p.Y) != (b.Y > p.Y)) {
            // The edge crosses the point's row; it is right of the point when the
            // crossing's x exceeds p.X, i.e. when cross has the edge's sign.
            if ((cross > 0) == (b.Y > a.Y)) {
                inside = !inside;
            }
        }
    }
    return inside ? Side::Inside : Side::Outside;
}

// Rings of a valid polygon never cross, so the first vertex of `inner` that is
// not on `outer` decides; rings that share every vertex do not nest.
bool Encloses(const RingPoints& outer, const RingPoints& inner) {
    for (const Point& p : inner.Points) {
        const Side side = SideOf(p, outer);
        if (side != Side::OnEdge) {
            return side == Side::Inside;
        }
    }
    return false;
}

RingPoints PointsOf(const Feature& f, const Ring& span) {
    RingPoints r{span, {}, {}};
    r.Points.reserve(static_cast<std::size_t>(span.Count));
    for (int32_t k = span.First; k < span.First + span.Count; ++k) {
        const Point p = At(f.Vertices[static_cast<std::size_t>(k)]);
        r.Points.push_back(p);
        r.Bounds.West = std::min(r.Bounds.West, p.X);
        r.Bounds.East = std::max(r.Bounds.East, p.X);
        r.Bounds.South = std::min(r.Bounds.South, p.Y);
        r.Bounds.North = std::max(r.Bounds.North, p.Y);
    }
    return r;
}

std::vector<ShapePolygon> NestRings(const Feature& f, const std::vector<Ring>& spans) {
    std::vector<RingPoints> rings;
    rings.reserve(spans.size());
    for (const Ring& span : spans) {
        rings.push_back(PointsOf(f, span));
    }
    // Each ring's enclosing rings; the nesting depth is their number and the
    // innermost of them is the one of the next lower depth.
    const std::size_t n = rings.size();
    std::vector<std::vector<std::size_t>> enclosing(n);
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
            if (i != j && Encloses(rings[j], rings[i])) {
                enclosing[i].push_back(j);
            }
        }
    }
    std::vector<ShapePolygon> polygons;
    std::vector<std::size_t> polygonOf(n, n);
    for (std::size_t i = 0; i < n; ++i) {
        if (enclosing[i].size() % 2 == 0) {
            polygonOf[i] = polygons.size();
            polygons.push_back(ShapePolygon{rings[i].Span, {}});
        }
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (enclosing[i].size() % 2 == 0) {
            continue;
        }
        std::size_t parent = n;
        for (const std::size_t j : enclosing[i]) {
            if (enclosing[j].size() + 1 == enclosing[i].size()) {
                parent = j;
            }
        }
        if (parent < n && polygonOf[parent] < n) {
            polygons[polygonOf[parent]].Holes.push_back(rings[i].Span);
        } else {
            // Only rings that cross each other get here; kept as a polygon of
            // their own rather than lost.
            polygons.push_back(ShapePolygon{rings[i].Span, {}});
        }
    }
    std::sort(polygons.begin(), polygons.end(), [](const ShapePolygon& a, const ShapePolygon& b) {
        return a.Outer.First < b.Outer.First;
    });
    return polygons;
}

bool AllOnePlace(const Feature& f, const Ring& span) {
    const auto first = f.Vertices.begin() + span.First;
    return std::all_of(first, first + span.Count, [&](const VertexRec& v) { return v == *first; });
}

} // namespace

MemberShapes ShapesOf(const Feature& f) {
    MemberShapes shapes;
    const auto n = static_cast<int32_t>(f.Vertices.size());
    const std::vector<FeaturePart> parts = PartsOver(f, n);
    std::vector<Ring> rings;
    for (std::size_t p = 0; p < parts.size(); ++p) {
        const int32_t end = p + 1 < parts.size() ? parts[p + 1].Start : n;
        const Ring span{parts[p].Start, end - parts[p].Start};
        if (span.Count <= 0) {
            continue;
        }
        switch (parts[p].Kind) {
        case PartKind::Polygon:
            rings.push_back(span);
            break;
        case PartKind::Polyline:
            if (AllOnePlace(f, span)) {
                shapes.Points.push_back(f.Vertices[static_cast<std::size_t>(span.First)]);
            } else {
                shapes.Lines.push_back(span);
            }
            break;
        case PartKind::Point:
            for (int32_t k = span.First; k < end; ++k) {
                shapes.Points.push_back(f.Vertices[static_cast<std::size_t>(k)]);
            }
            break;
        }
    }
    shapes.Polygons = NestRings(f, rings);
    return shapes;
}

} // namespace sw
