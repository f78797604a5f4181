// The shapefile reader on arbitrary bytes: no crash, no read past the data, and a
// refused file leaves the table exactly as it was. The command line's road, the
// positions straight to a feature, keeps every position or names the one that
// does not convert.
#include "exchange/FileError.h"
#include "exchange/ShapeFile.h"
#include "exchange/VertexConversion.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    sw::VertexTable t;
    sw::SetGrid(t, true);
    t.SetCell(1, 2, "kept");
    t.VertexCount = 11;
    t.IsPolygon = 7;
    try {
        sw::ReadShpData(bytes, "fuzz.shp", t, ',');
    } catch (const sw::FileError&) {
        if (t.VertexCount != 11 || t.IsPolygon != 7 || t.RowCount() != 7 ||
            t.Cell(1, 2) != "kept") {
            std::abort();
        }
        return 0;
    }
    if (t.IsPolygon == 7 ? t.VertexCount != 11 : t.IsPolygon > 1) {
        std::abort();
    }
    if (t.VertexCount != 11 && (t.VertexCount < 0 || t.RowCount() != t.VertexCount + 1 ||
                                static_cast<size_t>(t.VertexCount) * 16 > size)) {
        std::abort();
    }
    const sw::VertexList list = sw::ReadShpPositions(bytes, "fuzz.shp");
    try {
        const sw::Feature f = sw::VertexListToFeature(list, list.IsPolygon.value_or(false));
        if (f.Vertices.size() != list.Positions.size()) {
            std::abort();
        }
    } catch (const sw::ConversionError& e) {
        if (e.Vertex < 1 || static_cast<size_t>(e.Vertex) > list.Positions.size()) {
            std::abort();
        }
    }
    return 0;
}
