#pragma once

// The entered feature: a point (two equal vertices), a polyline or a polygon.

#include "index/Convertions.h"

#include <cstdint>
#include <vector>

namespace sw {

struct VertexRec {
    DmsAngle Lat;
    DmsAngle Long;

    friend bool operator==(const VertexRec&, const VertexRec&) = default;
};

struct PixelPoint {
    int32_t X = 0;
    int32_t Y = 0;

    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

using PolyPoints = std::vector<PixelPoint>;

struct Feature {
    std::vector<VertexRec> Vertices; // input order; a polygon is not closed by us
    int32_t VertexCount = 0;         // always Vertices.size()
    PolyPoints FeaturePoints;        // pixel position of each vertex, same length
    uint8_t IsPolygon = 0;
    uint8_t FeatureLoaded = 0;
};

// A point is held as a two-vertex feature whose vertices are equal.
Feature MakePointFeature(const DmsAngle& lat, const DmsAngle& lon);

// A polyline or polygon from vertices in order.
Feature MakeVertexFeature(std::vector<VertexRec> vertices, bool isPolygon);

} // namespace sw
