#include "coverage/Feature.h"

#include <utility>

namespace sw {

Feature MakePointFeature(const DmsAngle& lat, const DmsAngle& lon) {
    return MakeVertexFeature({VertexRec{lat, lon}, VertexRec{lat, lon}}, false);
}

Feature MakeVertexFeature(std::vector<VertexRec> vertices, bool isPolygon) {
    Feature f;
    f.VertexCount = static_cast<int32_t>(vertices.size());
    f.Vertices = std::move(vertices);
    f.FeaturePoints.assign(f.Vertices.size(), PixelPoint{});
    f.IsPolygon = isPolygon ? 1 : 0;
    f.FeatureLoaded = 1;
    return f;
}

} // namespace sw
