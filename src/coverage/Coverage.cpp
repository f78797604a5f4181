#include "coverage/Coverage.h"

#include "coverage/CellTests.h"
#include "coverage/Enumeration.h"
#include "coverage/GridBox.h"
#include "coverage/PixelFrame.h"

#include <algorithm>
#include <utility>

namespace sw {

void ComputeSheets(const Settings& s, Feature& f, SheetGrid& grid, const ComputeControl& ctl,
                   Algorithm algorithm) {
    // A count that disagrees with the list is never read past the list's end.
    const int64_t count = std::min<int64_t>(f.VertexCount, static_cast<int64_t>(f.Vertices.size()));
    if (count <= 0) {
        throw ComputeError(NoVerticesMessage);
    }
    const auto n = static_cast<int32_t>(count);
    CheckGridSettings(s);

    // Everything is built in locals and moved out at the end, so a refusal, an
    // overflow or a cancellation leaves the caller's grid and feature untouched.
    SheetGrid g;
    ComputeGridBox(s, f, n, g);
    AllocateSheetList(s, g.GridCols, g.GridRows, g);

    const bool polygon = f.IsPolygon == 1;
    PolyPoints points;
    if (polygon || n >= 2) {
        points.resize(f.Vertices.size());
        for (std::size_t i = 0; i < f.Vertices.size(); ++i) {
            points[i] = GeoToPixel(s, g, f.Vertices[i].Lat, f.Vertices[i].Long);
        }
    }
    const std::vector<Segment> segments = FeatureSegments(f, points, n);

    if (algorithm == Algorithm::Reference) {
        clipp_lines_along_sheets(s, segments, g, ctl);
        if (polygon) {
            MarkInteriorSheets(points, n, g);
        }
    } else {
        FastSheetEnumeration(s, segments, polygon ? &points : nullptr, n, g, ctl);
    }

    g.InSheetCount = static_cast<int32_t>(std::count_if(
        g.SheetList.begin(), g.SheetList.end(), [](const SheetRec& r) { return r.InFlag == 1; }));
    grid = std::move(g);
    if (polygon) {
        f.FeaturePoints = std::move(points);
    }
}

} // namespace sw
