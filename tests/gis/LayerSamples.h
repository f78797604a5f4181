#pragma once

// A small layer as GIS users make them, and the files ogr2ogr makes of it at test
// time. Coordinates keep clear of sheet edges and of half seconds, so a
// reprojection's last bits cannot move a vertex to another second.
//
// At 1:50,000 of the old series (15' sheets):
//   holed   a 5 x 5 block of sheets with a hole whose middle sheet no ring
//           touches: 24 sheets (25 if the hole were lost)
//   islands two small squares three sheets apart: 2 sheets (4 if joined)
//   route   two short lines three sheets apart: 2 sheets (4 if joined)
//   tower   a point inside a sheet: 1 sheet

#include "exchange/FileError.h"
#include "exchange/GisLayerReader.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace sw::test {

inline const char* const SampleLayer = R"({"type":"FeatureCollection","features":[
{"type":"Feature","properties":{"name":"holed","code":11},"geometry":{"type":"Polygon",
 "coordinates":[[[77.1234,28.1234],[78.1234,28.1234],[78.1234,29.1234],[77.1234,29.1234],
 [77.1234,28.1234]],[[77.3734,28.3734],[77.8734,28.3734],[77.8734,28.8734],[77.3734,28.8734],
 [77.3734,28.3734]]]}},
{"type":"Feature","properties":{"name":"islands","code":12},"geometry":{"type":"MultiPolygon",
 "coordinates":[[[[79.0234,28.0234],[79.2234,28.0234],[79.2234,28.2234],[79.0234,28.0234]]],
 [[[79.7734,28.0234],[79.9734,28.0234],[79.9734,28.2234],[79.7734,28.0234]]]]}},
{"type":"Feature","properties":{"name":"route","code":13},"geometry":{"type":"MultiLineString",
 "coordinates":[[[80.0234,28.0234],[80.2234,28.2234]],[[80.7734,28.0234],[80.9734,28.2234]]]}},
{"type":"Feature","properties":{"name":"tower","code":14},"geometry":{"type":"Point",
 "coordinates":[81.1234,28.1234]}}
]})";

// The sheets of each sample feature and of their union at 1:50,000.
inline constexpr int SampleSheets[] = {24, 2, 2, 1};
inline constexpr int SampleUnionSheets = 29;

class LayerDir {
public:
    LayerDir() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() /
                ("sheetwright-gis-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_);
        std::ofstream(File("sample.geojson")) << SampleLayer;
    }
    ~LayerDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    LayerDir(const LayerDir&) = delete;
    LayerDir& operator=(const LayerDir&) = delete;

    std::string File(const std::string& name) const { return (path_ / name).string(); }

    // ogr2ogr run in the folder; true when it made the file.
    bool Ogr2Ogr(const std::string& args) const {
        const std::string cmd =
            "cd '" + path_.string() + "' && ogr2ogr " + args + " >ogr2ogr.log 2>&1";
        return std::system(cmd.c_str()) == 0;
    }

private:
    std::filesystem::path path_;
};

inline bool HaveOgr2Ogr() {
    return std::system("command -v ogr2ogr >/dev/null 2>&1") == 0;
}

// The message a file is refused with, or "accepted".
inline std::string RefusalOf(const std::string& path, const GisLayerOptions& options = {}) {
    try {
        ReadGisLayer(path, options);
    } catch (const FileError& e) {
        return e.what();
    }
    return "accepted";
}

} // namespace sw::test
