#pragma once

// The entered feature: a point (two equal vertices), a polyline or a polygon, or
// several parts of these kinds read from a GIS layer.

#include "index/Convertions.h"

#include <cstdint>
#include <vector>

namespace sw {

struct VertexRec {
    DmsAngle Lat;
    DmsAngle Long;
    // Seconds beyond DmsToSec of Lat and Long (within about half a second either
    // way) for a position read as decimal degrees from a GIS layer or typed so on
    // the command line: the grid box and the touch and interior tests place the
    // vertex at its exact position. Zero for typed D/M/S and the vertex files,
    // which are whole seconds; Lat and Long alone are what is shown. Single
    // precision is ample for a part of a second and keeps the record small for
    // layers of millions of vertices.
    float LatFraction = 0;
    float LongFraction = 0;

    friend bool operator==(const VertexRec&, const VertexRec&) = default;
};

// A vertex at decimal degrees: Lat and Long as DecimalToDms gives them, the rest
// of the exact position in the fractions.
VertexRec DecimalVertex(double latDegrees, double lonDegrees);

struct PixelPoint {
    int32_t X = 0;
    int32_t Y = 0;

    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

using PolyPoints = std::vector<PixelPoint>;

// What the vertices of a part are: points each touching the cells that hold them,
// a line through them in order, or a ring that also encloses.
enum class PartKind : uint8_t { Point = 1, Polyline = 2, Polygon = 3 };

// A part runs from its Start to the next part's Start (or the last vertex).
struct FeaturePart {
    int32_t Start = 0;
    PartKind Kind = PartKind::Polyline;

    friend bool operator==(const FeaturePart&, const FeaturePart&) = default;
};

struct Feature {
    std::vector<VertexRec> Vertices; // input order; a polygon is not closed by us
    int32_t VertexCount = 0;         // always Vertices.size()
    PolyPoints FeaturePoints;        // pixel position of each vertex, same length
    uint8_t IsPolygon = 0;           // 1 when any part is a polygon ring
    uint8_t FeatureLoaded = 0;
    // Empty: one part of every vertex, a polygon ring when IsPolygon is 1, else a
    // polyline. Otherwise the parts in vertex order; their kinds rule.
    std::vector<FeaturePart> Parts;
    // Empty: one feature. Otherwise the union of several (coverage/FeatureUnion.h):
    // the vertex at which each of them starts, ascending, the first 0.
    std::vector<int32_t> MemberStarts;
};

// A point is held as a two-vertex feature whose vertices are equal.
Feature MakePointFeature(const DmsAngle& lat, const DmsAngle& lon);
Feature MakePointFeature(const VertexRec& v);

// A polyline or polygon from vertices in order, one part, or one part from each
// index of `partStarts` (ascending, the first 0) with the same kind.
Feature MakeVertexFeature(std::vector<VertexRec> vertices, bool isPolygon,
                          const std::vector<int32_t>& partStarts = {});

// A feature of parts of their own kinds; IsPolygon follows the parts.
Feature MakePartsFeature(std::vector<VertexRec> vertices, std::vector<FeaturePart> parts);

// The vertices a feature offers: VertexCount, cut to the list's length, so a
// count that disagrees with the list is never read past its end.
int32_t UsableVertexCount(const Feature& f);

// The parts the computation reads over the first `n` vertices: Parts with every
// start outside 0..n-1 or not after the previous one dropped and the first moved
// to 0, or the one implicit part when Parts is empty. Empty when n <= 0.
std::vector<FeaturePart> PartsOver(const Feature& f, int32_t n);

// True when a part of the feature encloses (a polygon ring).
bool HasPolygonPart(const Feature& f);

// The vertices [First, First + Count) of a polygon ring.
struct Ring {
    int32_t First = 0;
    int32_t Count = 0;
};

// The polygon rings among the feature's parts over its first `vertexCount`
// vertices, outer rings and holes alike.
std::vector<Ring> FeatureRings(const Feature& f, int32_t vertexCount);

} // namespace sw
