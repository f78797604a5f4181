#include "coverage/FeatureUnion.h"

#include "index/Settings.h"

#include <algorithm>
#include <utility>

namespace sw {

namespace {

// The starts that delimit members over the first n vertices, as PartsOver
// treats part starts: the first moved to 0, the rest kept while ascending.
std::vector<int32_t> MemberStartsOver(const Feature& f, int32_t n) {
    std::vector<int32_t> starts;
    for (const int32_t s : f.MemberStarts) {
        if (starts.empty()) {
            starts.push_back(0);
        } else if (s > starts.back() && s < n) {
            starts.push_back(s);
        }
    }
    return starts;
}

} // namespace

Feature UnionFeature(const std::vector<const Feature*>& members) {
    std::vector<VertexRec> vertices;
    std::vector<FeaturePart> parts;
    std::vector<int32_t> starts;
    for (const Feature* m : members) {
        const int32_t n = UsableVertexCount(*m);
        if (n == 0) {
            continue;
        }
        const auto offset = static_cast<int32_t>(vertices.size());
        starts.push_back(offset);
        for (const FeaturePart& p : PartsOver(*m, n)) {
            parts.push_back({offset + p.Start, p.Kind});
        }
        vertices.insert(vertices.end(), m->Vertices.begin(), m->Vertices.begin() + n);
    }
    Feature f = MakePartsFeature(std::move(vertices), std::move(parts));
    if (starts.size() > 1) {
        f.MemberStarts = std::move(starts);
    }
    return f;
}

std::vector<Feature> UnionMembers(const Feature& f) {
    const int32_t n = UsableVertexCount(f);
    const std::vector<int32_t> starts = MemberStartsOver(f, n);
    if (starts.size() < 2) {
        Feature alone = f;
        alone.MemberStarts.clear();
        return {std::move(alone)};
    }
    const std::vector<FeaturePart> parts = PartsOver(f, n);
    std::vector<Feature> members;
    members.reserve(starts.size());
    std::size_t p = 0;
    for (std::size_t k = 0; k < starts.size(); ++k) {
        const int32_t first = starts[k];
        const int32_t end = k + 1 < starts.size() ? starts[k + 1] : n;
        // The part running at the member's first vertex, cut there when it
        // began before it.
        while (p + 1 < parts.size() && parts[p + 1].Start <= first) {
            ++p;
        }
        std::vector<FeaturePart> own{{0, parts[p].Kind}};
        for (std::size_t q = p + 1; q < parts.size() && parts[q].Start < end; ++q) {
            own.push_back({parts[q].Start - first, parts[q].Kind});
        }
        members.push_back(MakePartsFeature(
            std::vector<VertexRec>(f.Vertices.begin() + first, f.Vertices.begin() + end),
            std::move(own)));
        members.back().FeatureLoaded = f.FeatureLoaded;
    }
    return members;
}

DataKind DataTypeOf(const Feature& f) {
    bool line = false;
    for (const FeaturePart& p : PartsOver(f, UsableVertexCount(f))) {
        if (p.Kind == PartKind::Polygon) {
            return DataKind::Polygon;
        }
        line = line || p.Kind == PartKind::Polyline;
    }
    return line ? DataKind::Polyline : DataKind::Point;
}

} // namespace sw
