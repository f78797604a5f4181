// The GIS readers and writers of the command-line tool's binary: each call goes
// to the module, loaded on the first one, so that the commands that read no GIS
// layer never load GDAL.

#include "exchange/GdalModule.h"

#include <dlfcn.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace sw {

namespace {

// Beside the binary in the build tree; under the library folder once installed.
std::filesystem::path ModulePath() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) {
        return {};
    }
    const std::filesystem::path dir = exe.parent_path();
    for (const std::filesystem::path& p :
         {dir / SHEETWRIGHT_GDAL_MODULE_NAME,
          dir / SHEETWRIGHT_GDAL_MODULE_FROM_BIN / SHEETWRIGHT_GDAL_MODULE_NAME}) {
        if (::access(p.c_str(), R_OK) == 0) {
            return p;
        }
    }
    return {};
}

const GdalModule& Module() {
    static const GdalModule* module = []() -> const GdalModule* {
        const std::filesystem::path path = ModulePath();
        void* handle = path.empty() ? nullptr : ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) {
            return nullptr;
        }
        // The module stays loaded until the process ends.
        const auto entry =
            reinterpret_cast<const GdalModule* (*)()>(::dlsym(handle, "SheetwrightGdalModule"));
        return entry != nullptr ? entry() : nullptr;
    }();
    if (module == nullptr) {
        const char* why = ::dlerror();
        throw std::runtime_error(std::string("the GIS formats cannot be loaded (") +
                                 SHEETWRIGHT_GDAL_MODULE_NAME + ")" +
                                 (why != nullptr ? std::string(": ") + why : std::string()));
    }
    return *module;
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

std::string OgrGeoJsonText(const Settings& s, const SheetGrid& g, bool inOnly) {
    return Module().OgrGeoJsonText(s, g, inOnly);
}

void StreamOgrGrid(const OgrFormat& format, const OgrGridRequest& request,
                   const std::function<void(std::string_view)>& put) {
    Module().StreamOgrGrid(format, request, put);
}

} // namespace sw
