#include "coverage/CellTests.h"

namespace sw {

namespace {

// The crossing test over one ring of points[first .. first + count).
bool PointInRing(const PolyPoints& points, std::size_t first, std::size_t count, int32_t x,
                 int32_t y) {
    bool inside = false;
    if (count == 0) {
        return inside;
    }
    std::size_t j = first + count - 1;
    for (std::size_t i = first; i < first + count; ++i) {
        const PixelPoint& pi = points[i];
        const PixelPoint& pj = points[j];
        if (EdgeCrossesLine(pj, pi, y) && static_cast<double>(x) < CrossingX(pj, pi, y)) {
            inside = !inside;
        }
        j = i;
    }
    return inside;
}

} // namespace

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
    const std::vector<FeaturePart> parts = PartsOver(f, vertexCount);
    segments.reserve(static_cast<std::size_t>(std::max(vertexCount, 0)) + parts.size());
    for (std::size_t p = 0; p < parts.size(); ++p) {
        const auto a = static_cast<std::size_t>(parts[p].Start);
        const auto b =
            static_cast<std::size_t>(p + 1 < parts.size() ? parts[p + 1].Start : vertexCount);
        if (parts[p].Kind == PartKind::Point) {
            for (std::size_t k = a; k < b; ++k) {
                segments.push_back({points[k], points[k]});
            }
            continue;
        }
        if (b - a < 2) {
            continue;
        }
        for (std::size_t k = a; k + 1 < b; ++k) {
            segments.push_back({points[k], points[k + 1]});
        }
        if (parts[p].Kind == PartKind::Polygon && !(f.Vertices[b - 1] == f.Vertices[a])) {
            segments.push_back({points[b - 1], points[a]});
        }
    }
    return segments;
}

bool PointInPolygon(const PolyPoints& points, int32_t n, int32_t x, int32_t y) {
    if (n <= 0) {
        return false;
    }
    return PointInRing(points, 0, static_cast<std::size_t>(n), x, y);
}

bool PointInRings(const PolyPoints& points, const std::vector<Ring>& rings, int32_t x, int32_t y) {
    bool inside = false;
    for (const Ring& r : rings) {
        if (r.Count > 0 && PointInRing(points, static_cast<std::size_t>(r.First),
                                       static_cast<std::size_t>(r.Count), x, y)) {
            inside = !inside;
        }
    }
    return inside;
}

} // namespace sw
