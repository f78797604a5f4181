#include "coverage/CellTests.h"

namespace sw {

bool SegmentTouchesSheet(const PixelPoint& p, const PixelPoint& q, const CellRect& r) {
    const double px = p.X;
    const double py = p.Y;
    const double dx = static_cast<double>(q.X) - px;
    const double dy = static_cast<double>(q.Y) - py;
    const double ps[4] = {-dx, dx, -dy, dy};
    const double qs[4] = {px - r.XMin, r.XMax - px, py - r.YMin, r.YMax - py};
    double t0 = 0.0;
    double t1 = 1.0;
    for (int k = 0; k < 4; ++k) {
        if (ps[k] < 0) {
            const double t = qs[k] / ps[k];
            if (t > t1) {
                return false;
            }
            if (t > t0) {
                t0 = t;
            }
        } else if (ps[k] > 0) {
            const double t = qs[k] / ps[k];
            if (t < t0) {
                return false;
            }
            if (t < t1) {
                t1 = t;
            }
        } else if (qs[k] < 0) {
            return false;
        }
    }
    return true;
}

std::vector<Segment> FeatureSegments(const Feature& f, const PolyPoints& points,
                                     int32_t vertexCount) {
    std::vector<Segment> segments;
    if (vertexCount < 2) {
        return segments;
    }
    const auto n = static_cast<std::size_t>(vertexCount);
    segments.reserve(n);
    for (std::size_t k = 0; k + 1 < n; ++k) {
        segments.push_back({points[k], points[k + 1]});
    }
    if (f.IsPolygon == 1 && !(f.Vertices[n - 1] == f.Vertices[0])) {
        segments.push_back({points[n - 1], points[0]});
    }
    return segments;
}

bool PointInPolygon(const PolyPoints& points, int32_t n, int32_t x, int32_t y) {
    bool inside = false;
    if (n <= 0) {
        return inside;
    }
    auto j = static_cast<std::size_t>(n - 1);
    for (std::size_t i = 0; i < static_cast<std::size_t>(n); ++i) {
        const PixelPoint& pi = points[i];
        const PixelPoint& pj = points[j];
        if (EdgeCrossesLine(pj, pi, y) && static_cast<double>(x) < CrossingX(pj, pi, y)) {
            inside = !inside;
        }
        j = i;
    }
    return inside;
}

} // namespace sw
