#include "exchange/GeoJsonReader.h"

#include "exchange/FileError.h"

#include <filesystem>
#include <utility>
#include <vector>

namespace sw {

VertexList ReadGeoJsonPositions(const std::filesystem::path& path, const GisBackend& gis) {
    const GisLayer layer = gis.ReadLayer(path, {});
    const GisFeature& first = layer.Features.front();
    if (first.Geometry != "LINESTRING" && first.Geometry != "POLYGON") {
        throw FileError("Cannot read \"" + path.string() + "\": its first geometry is a " +
                        first.Geometry + "; only a LineString or a Polygon can be read");
    }
    const Feature& f = first.Shape;
    VertexList list;
    list.IsPolygon = first.Geometry == "POLYGON";
    list.HasShape = true;
    // Each part's positions, a ring less its repeated closing one. The dialog
    // reads whole seconds, so that is what is given.
    const std::vector<FeaturePart> parts = PartsOver(f, f.VertexCount);
    for (std::size_t p = 0; p < parts.size(); ++p) {
        const auto from = static_cast<std::size_t>(parts[p].Start);
        std::size_t to =
            p + 1 < parts.size() ? static_cast<std::size_t>(parts[p + 1].Start) : f.Vertices.size();
        if (*list.IsPolygon && to - from >= 2 && f.Vertices[to - 1] == f.Vertices[from]) {
            --to;
        }
        list.PartStarts.push_back(static_cast<int32_t>(list.Positions.size()));
        for (std::size_t i = from; i < to; ++i) {
            list.Positions.push_back(DecimalPosition{.Lat = DmsToDecimal(f.Vertices[i].Lat),
                                                     .Lon = DmsToDecimal(f.Vertices[i].Long)});
        }
    }
    if (list.PartStarts.size() <= 1) {
        list.PartStarts.clear();
    }
    return list;
}

} // namespace sw
