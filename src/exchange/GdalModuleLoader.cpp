// The GIS readers and writers of the command-line tool's binary: each call goes
// to the module, loaded on the first one, so that the commands that read no GIS
// layer never load GDAL.

#include "exchange/GdalModule.h"
#include "exchange/ModuleLoader.h"

#include <stdexcept>
#include <string>

namespace sw {

namespace {

const GdalModule& Module() {
    static const LoadedModule<GdalModule> module = LoadModule<GdalModule>(
        SHEETWRIGHT_GDAL_MODULE_NAME, SHEETWRIGHT_GDAL_MODULE_FROM_BIN, "SheetwrightGdalModule");
    if (module.table == nullptr) {
        throw std::runtime_error(std::string("the GIS formats cannot be loaded (") +
                                 SHEETWRIGHT_GDAL_MODULE_NAME + ")" +
                                 (module.why.empty() ? std::string() : ": " + module.why));
    }
    return *module.table;
}

} // namespace

GisLayer ReadGisLayer(const std::filesystem::path& path, const GisLayerOptions& options) {
    return Module().ReadGisLayer(path, options);
}

GisLayer ReadGisLayerBytes(std::string_view bytes, const std::string& name,
                           const GisLayerOptions& options) {
    return Module().ReadGisLayerBytes(bytes, name, options);
}

std::string SkippedFeaturesNote(const GisLayer& layer) {
    return Module().SkippedFeaturesNote(layer);
}

bool LooksLikeGisFile(const std::filesystem::path& path) {
    return Module().LooksLikeGisFile(path);
}

const std::string* GisFeature::Attribute(std::string_view name) const {
    return Module().Attribute(*this, name);
}

std::vector<std::pair<std::string, std::string>> OgrGridFiles(const std::filesystem::path& fileName,
                                                              const OgrFormat& format,
                                                              const OgrGridRequest& request) {
    return Module().OgrGridFiles(fileName, format, request);
}

void WriteOgrGridFile(const std::filesystem::path& path, const OgrFormat& format,
                      const OgrGridRequest& request) {
    Module().WriteOgrGridFile(path, format, request);
}

void StreamOgrGrid(const OgrFormat& format, const OgrGridRequest& request,
                   const std::function<void(std::string_view)>& put) {
    Module().StreamOgrGrid(format, request, put);
}

ProjectionKind ClassifyProjectionText(std::string_view text) {
    return Module().ClassifyProjectionText(text);
}

} // namespace sw
