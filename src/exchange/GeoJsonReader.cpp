#include "exchange/GeoJsonReader.h"

#include "exchange/FileError.h"
#include "exchange/NumberText.h"

#include <filesystem>
#include <utility>
#include <vector>

namespace sw {

void ReadGeoJsonFile(const std::filesystem::path& path, VertexTable& t, char decimalSeparator,
                     const GisBackend& gis) {
    const GisLayer layer = gis.ReadLayer(path, {});
    const GisFeature& first = layer.Features.front();
    if (first.Geometry != "LINESTRING" && first.Geometry != "POLYGON") {
        throw FileError("Cannot read \"" + path.string() + "\": its first geometry is a " +
                        first.Geometry + "; only a LineString or a Polygon can be read");
    }
    const Feature& f = first.Shape;
    const bool polygon = first.Geometry == "POLYGON";
    // Each part's positions, a ring less its repeated closing one.
    std::vector<std::pair<std::size_t, std::size_t>> spans;
    std::size_t count = 0;
    const std::vector<FeaturePart> parts = PartsOver(f, f.VertexCount);
    for (std::size_t p = 0; p < parts.size(); ++p) {
        const auto from = static_cast<std::size_t>(parts[p].Start);
        std::size_t to =
            p + 1 < parts.size() ? static_cast<std::size_t>(parts[p + 1].Start) : f.Vertices.size();
        if (polygon && to - from >= 2 && f.Vertices[to - 1] == f.Vertices[from]) {
            --to;
        }
        spans.emplace_back(from, to);
        count += to - from;
    }
    // Decimal mode: vertex k in row k, latitude in column 1, longitude in column 2.
    SetGrid(t, true);
    if (t.RowCount() < static_cast<int32_t>(count) + 1) {
        t.SetRowCount(static_cast<int32_t>(count) + 1);
    }
    std::vector<int32_t> starts;
    int32_t row = 1;
    for (const auto& [from, to] : spans) {
        starts.push_back(row);
        for (std::size_t i = from; i < to; ++i, ++row) {
            t.SetCell(0, row, std::to_string(row));
            t.SetCell(1, row, FormatGeneral15(DmsToDecimal(f.Vertices[i].Lat), decimalSeparator));
            t.SetCell(2, row, FormatGeneral15(DmsToDecimal(f.Vertices[i].Long), decimalSeparator));
        }
    }
    t.VertexCount = static_cast<int32_t>(count);
    t.IsPolygon = polygon ? 1 : 0;
    t.PartStartRows = starts.size() > 1 ? std::move(starts) : std::vector<int32_t>{};
}

} // namespace sw
