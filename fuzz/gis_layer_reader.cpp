// The GIS-layer reader on arbitrary bytes through GDAL's in-memory files: the
// first byte picks the name's extension (and so the format GDAL tries first),
// the rest is the file. No crash, and whatever is read is a consistent feature
// of longitudes and latitudes.
#include "exchange/FileError.h"
#include "exchange/GisLayerReader.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

const char* const Names[] = {"in.geojson", "in.kml", "in.gpx", "in.csv", "in.gml", "in", "in.json"};

bool Consistent(const sw::Feature& f) {
    if (f.VertexCount <= 0 || static_cast<std::size_t>(f.VertexCount) != f.Vertices.size()) {
        return false;
    }
    int32_t previous = -1;
    for (const sw::FeaturePart& p : f.Parts) {
        if (p.Start <= previous || p.Start >= f.VertexCount) {
            return false;
        }
        previous = p.Start;
    }
    for (const sw::VertexRec& v : f.Vertices) {
        if (v.Lat.Deg < -90 || v.Lat.Deg > 90 || v.Long.Deg < -180 || v.Long.Deg > 180) {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::string name = Names[data[0] % (sizeof Names / sizeof Names[0])];
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    try {
        const sw::GisLayer layer = sw::ReadGisLayerBytes(bytes, name, {});
        if (layer.Features.empty()) {
            std::abort();
        }
        for (const sw::GisFeature& f : layer.Features) {
            if (!Consistent(f.Shape) || f.Position <= 0) {
                std::abort();
            }
        }
    } catch (const sw::FileError&) {
        return 0;
    }
    return 0;
}
