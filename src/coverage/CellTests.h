#pragma once

// The two geometric decisions behind IN, on whole-pixel coordinates of the layout
// frame. Both enumerations call exactly these functions so that they agree to the
// last bit.

#include "coverage/Feature.h"

#include <cstdint>
#include <vector>

namespace sw {

// A cell as a closed rectangle: neighbouring cells share their edges.
struct CellRect {
    double XMin = 0;
    double YMin = 0;
    double XMax = 0;
    double YMax = 0;
};

// The cell whose north-west corner is (x, y), `w` by `h` pixels.
inline CellRect CellAt(int32_t x, int32_t y, int32_t w, int32_t h) {
    return CellRect{static_cast<double>(x), static_cast<double>(y),
                    static_cast<double>(x) + static_cast<double>(w),
                    static_cast<double>(y) + static_cast<double>(h)};
}

// Liang–Barsky in double precision: true when the closed segment P–Q meets the
// closed rectangle, edges and corners included. A zero-length segment touches
// every rectangle that holds its point.
bool SegmentTouchesSheet(const PixelPoint& p, const PixelPoint& q, const CellRect& r);

struct Segment {
    PixelPoint P;
    PixelPoint Q;
};

// The segments the touch test uses, part by part and never from one part to the
// next: consecutive points of a polyline or ring, for a ring whose last vertex
// differs from its first also the closing edge (the boundary of the ring includes
// it), and a zero-length segment at each point of a point part. A polyline or
// ring of fewer than two points gives no segment.
std::vector<Segment> FeatureSegments(const Feature& f, const PolyPoints& points,
                                     int32_t vertexCount);

// Where the edge from point a to point b crosses the horizontal line y, for an
// edge that does cross it (a.Y != b.Y): (a.X - b.X) * (y - b.Y) / (a.Y - b.Y) + b.X.
// The product is formed exactly in 64 bits and then divided in floating point, so
// long edges of a large grid cannot overflow it.
inline double CrossingX(const PixelPoint& a, const PixelPoint& b, int32_t y) {
    const int64_t product = (static_cast<int64_t>(a.X) - b.X) * (static_cast<int64_t>(y) - b.Y);
    return static_cast<double>(product) / static_cast<double>(static_cast<int64_t>(a.Y) - b.Y) +
           static_cast<double>(b.X);
}

// True when the edge from a to b counts as crossing the line y: the half-open
// comparison makes a horizontal edge count for nothing and a vertex on the line once.
inline bool EdgeCrossesLine(const PixelPoint& a, const PixelPoint& b, int32_t y) {
    return (b.Y <= y && y < a.Y) || (a.Y <= y && y < b.Y);
}

// The even-odd crossing test of (x, y) against the first `n` points, the ring
// closed implicitly. An edge passing exactly through the point does not count.
bool PointInPolygon(const PolyPoints& points, int32_t n, int32_t x, int32_t y);

// The even-odd rule over all rings together, each closed implicitly: a hole's
// inside is outside, and so is a place two rings both cover.
bool PointInRings(const PolyPoints& points, const std::vector<Ring>& rings, int32_t x, int32_t y);

} // namespace sw
