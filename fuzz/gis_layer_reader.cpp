// The GIS-layer reader on arbitrary bytes through GDAL's in-memory files: the
// first byte picks the name's extension (and so the format GDAL tries first),
// the rest is the file. A shapefile is four files: the rest is cut into its
// .shp, .shx, .dbf and .prj, each but the last behind its length (4 bytes,
// little-endian). No crash, and whatever is read is a consistent feature of
// longitudes and latitudes.
#include "exchange/FileError.h"
#include "exchange/GisLayerReader.h"

#include <cpl_vsi.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

// New names go at the end: a seed's first byte keeps its meaning.
const char* const Names[] = {"in.geojson", "in.kml",  "in.gpx", "in.csv", "in.gml", "in",
                             "in.json",    "in.gpkg", "in.fgb", "in.kmz", "in.shp"};

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

// The next section of a shapefile set: its length, then its bytes.
std::string_view Section(std::string_view& rest) {
    if (rest.size() < 4) {
        const std::string_view all = rest;
        rest = {};
        return all;
    }
    uint32_t n = 0;
    for (int i = 3; i >= 0; --i) {
        n = n * 256 + static_cast<unsigned char>(rest[static_cast<std::size_t>(i)]);
    }
    rest.remove_prefix(4);
    const std::string_view part = rest.substr(0, n);
    rest.remove_prefix(part.size());
    return part;
}

// The four files of a shapefile in GDAL's memory, removed again at the end.
class MemoryShapefile {
public:
    explicit MemoryShapefile(std::string_view bytes) {
        std::string_view rest = bytes;
        for (const char* ext : {".shp", ".shx", ".dbf"}) {
            Put(ext, Section(rest));
        }
        Put(".prj", rest);
    }
    ~MemoryShapefile() {
        for (const std::string& f : files_) {
            VSIUnlink(f.c_str());
        }
    }
    MemoryShapefile(const MemoryShapefile&) = delete;
    MemoryShapefile& operator=(const MemoryShapefile&) = delete;

    static std::string Path() { return "/vsimem/fuzz/in.shp"; }

private:
    void Put(const char* ext, std::string_view bytes) {
        if (bytes.empty()) {
            return;
        }
        files_.push_back(std::string("/vsimem/fuzz/in") + ext);
        VSILFILE* f = VSIFileFromMemBuffer(
            files_.back().c_str(), reinterpret_cast<GByte*>(const_cast<char*>(bytes.data())),
            bytes.size(), FALSE);
        if (f != nullptr) {
            VSIFCloseL(f);
        }
    }
    std::vector<std::string> files_;
};

sw::GisLayer Read(const std::string& name, std::string_view bytes) {
    if (name != "in.shp") {
        return sw::ReadGisLayerBytes(bytes, name, {});
    }
    const MemoryShapefile set(bytes);
    // A memory path is not a local file: it is read as a name the user allowed.
    sw::GisLayerOptions options;
    options.AllowRemote = true;
    return sw::ReadGisLayer(MemoryShapefile::Path(), options);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::string name = Names[data[0] % (sizeof Names / sizeof Names[0])];
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    try {
        const sw::GisLayer layer = Read(name, bytes);
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
