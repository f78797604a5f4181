#include "coverage/Feature.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace sw {

Feature MakePointFeature(const DmsAngle& lat, const DmsAngle& lon) {
    return MakePointFeature(VertexRec{lat, lon});
}

Feature MakePointFeature(const VertexRec& v) {
    return MakeVertexFeature({v, v}, false);
}

VertexRec DecimalVertex(double latDegrees, double lonDegrees) {
    VertexRec v{DecimalToDms(latDegrees), DecimalToDms(lonDegrees)};
    // DecimalToDms keeps its minutes in single precision; the fraction takes up
    // whatever that and the rounding to whole seconds left out.
    v.LatFraction = static_cast<float>(latDegrees * 3600.0 - static_cast<double>(DmsToSec(v.Lat)));
    v.LongFraction =
        static_cast<float>(lonDegrees * 3600.0 - static_cast<double>(DmsToSec(v.Long)));
    return v;
}

Feature MakeVertexFeature(std::vector<VertexRec> vertices, bool isPolygon,
                          const std::vector<int32_t>& partStarts) {
    Feature f;
    f.VertexCount = static_cast<int32_t>(vertices.size());
    f.Vertices = std::move(vertices);
    f.FeaturePoints.assign(f.Vertices.size(), PixelPoint{});
    f.IsPolygon = isPolygon ? 1 : 0;
    f.FeatureLoaded = 1;
    if (partStarts.size() > 1) {
        const PartKind kind = isPolygon ? PartKind::Polygon : PartKind::Polyline;
        for (const int32_t start : partStarts) {
            f.Parts.push_back(FeaturePart{start, kind});
        }
    }
    return f;
}

Feature MakePartsFeature(std::vector<VertexRec> vertices, std::vector<FeaturePart> parts) {
    Feature f = MakeVertexFeature(std::move(vertices), false);
    f.Parts = std::move(parts);
    f.IsPolygon = HasPolygonPart(f) ? 1 : 0;
    return f;
}

std::vector<FeaturePart> PartsOver(const Feature& f, int32_t n) {
    std::vector<FeaturePart> parts;
    if (n <= 0) {
        return parts;
    }
    if (f.Parts.empty()) {
        parts.push_back({0, f.IsPolygon == 1 ? PartKind::Polygon : PartKind::Polyline});
        return parts;
    }
    parts.reserve(f.Parts.size());
    for (const FeaturePart& p : f.Parts) {
        if (parts.empty()) {
            parts.push_back({0, p.Kind});
        } else if (p.Start > parts.back().Start && p.Start < n) {
            parts.push_back(p);
        }
    }
    return parts;
}

int32_t UsableVertexCount(const Feature& f) {
    const int64_t count = std::min<int64_t>(f.VertexCount, static_cast<int64_t>(f.Vertices.size()));
    return static_cast<int32_t>(std::max<int64_t>(count, 0));
}

bool HasPolygonPart(const Feature& f) {
    if (f.Parts.empty()) {
        return f.IsPolygon == 1;
    }
    return std::any_of(f.Parts.begin(), f.Parts.end(),
                       [](const FeaturePart& p) { return p.Kind == PartKind::Polygon; });
}

std::vector<Ring> FeatureRings(const Feature& f, int32_t vertexCount) {
    std::vector<Ring> rings;
    const std::vector<FeaturePart> parts = PartsOver(f, vertexCount);
    for (std::size_t p = 0; p < parts.size(); ++p) {
        if (parts[p].Kind != PartKind::Polygon) {
            continue;
        }
        const int32_t end = p + 1 < parts.size() ? parts[p + 1].Start : vertexCount;
        rings.push_back(Ring{parts[p].Start, end - parts[p].Start});
    }
    return rings;
}

} // namespace sw
