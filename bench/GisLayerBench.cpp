// Reading a district layer from a file and computing its sheets: 700 features,
// 100,000 vertices, at "1:50,000", each feature on its own grid and as one union.
// The layer is written once as a GeoPackage and as a shapefile by GDAL itself.

#include "DistrictLayer.h"

#include "coverage/Coverage.h"
#include "coverage/FeatureUnion.h"
#include "exchange/GisLayerReader.h"

#include <benchmark/benchmark.h>
#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

using namespace sw;

std::string WriteLayer(const char* driverName, const char* file) {
    GDALAllRegister();
    const std::string path = (std::filesystem::temp_directory_path() / file).string();
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(driverName);
    driver->Delete(path.c_str());
    std::unique_ptr<GDALDataset> ds(driver->Create(path.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
    OGRSpatialReference wgs84;
    wgs84.SetWellKnownGeogCS("WGS84");
    OGRLayer* layer = ds->CreateLayer("districts", &wgs84, wkbPolygon, nullptr);
    OGRFieldDefn name("name", OFTString);
    layer->CreateField(&name);
    for (int k = 0; k < bench::DistrictCount; ++k) {
        OGRLinearRing ring;
        for (const bench::LonLat& p : bench::DistrictRing(k)) {
            ring.addPoint(p.Lon, p.Lat);
        }
        ring.closeRings();
        OGRPolygon polygon;
        polygon.addRing(&ring);
        OGRFeature f(layer->GetLayerDefn());
        f.SetField("name", ("district " + std::to_string(k + 1)).c_str());
        f.SetGeometry(&polygon);
        if (layer->CreateFeature(&f) != OGRERR_NONE) {
            std::abort();
        }
    }
    return path;
}

const std::string& GeoPackage() {
    static const std::string path = WriteLayer("GPKG", "sheetwright-bench-districts.gpkg");
    return path;
}

const std::string& Shapefile() {
    static const std::string path = WriteLayer("ESRI Shapefile", "sheetwright-bench-districts.shp");
    return path;
}

void ReadAndComputePerFeature(benchmark::State& state, const std::string& path) {
    const Settings s = StartSettings(); // old series, "1:50,000"
    for (auto _ : state) {
        GisLayer layer = ReadGisLayer(path, {});
        int64_t in = 0;
        for (GisFeature& gf : layer.Features) {
            SheetGrid g;
            ComputeSheets(s, gf.Shape, g);
            in += g.InSheetCount;
        }
        state.counters["features"] = static_cast<double>(layer.Features.size());
        state.counters["in"] = static_cast<double>(in);
    }
}

void ReadAndComputeUnion(benchmark::State& state, const std::string& path) {
    const Settings s = StartSettings();
    for (auto _ : state) {
        GisLayer layer = ReadGisLayer(path, {});
        std::vector<Feature> fs;
        fs.reserve(layer.Features.size());
        for (GisFeature& gf : layer.Features) {
            fs.push_back(std::move(gf.Shape));
        }
        SheetGrid g;
        ComputeUnion(s, fs, g);
        state.counters["in"] = g.InSheetCount;
    }
}

// What "Open layer" computes for every feature chosen: the features held as one
// feature (drawn as its parts) whose sheets are their union, beside the plain
// union above.
void BM_Districts700_GeoPackage_OpenLayerUnion_50k(benchmark::State& state) {
    const Settings s = StartSettings();
    for (auto _ : state) {
        const GisLayer layer = ReadGisLayer(GeoPackage(), {});
        std::vector<const Feature*> shapes;
        shapes.reserve(layer.Features.size());
        for (const GisFeature& gf : layer.Features) {
            shapes.push_back(&gf.Shape);
        }
        Feature f = UnionFeature(shapes);
        SheetGrid g;
        ComputeSheets(s, f, g);
        state.counters["in"] = g.InSheetCount;
    }
}
BENCHMARK(BM_Districts700_GeoPackage_OpenLayerUnion_50k)->Unit(benchmark::kMillisecond);

void BM_Districts700_GeoPackage_ReadPerFeature_50k(benchmark::State& state) {
    ReadAndComputePerFeature(state, GeoPackage());
}
BENCHMARK(BM_Districts700_GeoPackage_ReadPerFeature_50k)->Unit(benchmark::kMillisecond);

void BM_Districts700_GeoPackage_ReadUnion_50k(benchmark::State& state) {
    ReadAndComputeUnion(state, GeoPackage());
}
BENCHMARK(BM_Districts700_GeoPackage_ReadUnion_50k)->Unit(benchmark::kMillisecond);

void BM_Districts700_Shapefile_ReadPerFeature_50k(benchmark::State& state) {
    ReadAndComputePerFeature(state, Shapefile());
}
BENCHMARK(BM_Districts700_Shapefile_ReadPerFeature_50k)->Unit(benchmark::kMillisecond);

void BM_Districts700_Shapefile_ReadUnion_50k(benchmark::State& state) {
    ReadAndComputeUnion(state, Shapefile());
}
BENCHMARK(BM_Districts700_Shapefile_ReadUnion_50k)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
