#pragma once

// GDAL brings some hundred shared libraries with it, whose loading alone takes
// about ten times as long as the whole of `number`. The readers and writers of
// GIS layers are therefore built as a unit of their own: linked into the
// application and the tests, and loaded by the command-line tool as a module on
// the first use of a GIS layer. The module hands back this table.

#include "exchange/GisLayerReader.h"
#include "exchange/OgrGridFile.h"
#include "exchange/ProjectionText.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sw {

struct GdalModule {
    GisLayer (*ReadGisLayer)(const std::filesystem::path& path, const GisLayerOptions& options);
    GisLayer (*ReadGisLayerBytes)(std::string_view bytes, const std::string& name,
                                  const GisLayerOptions& options);
    std::string (*SkippedFeaturesNote)(const GisLayer& layer);
    bool (*LooksLikeGisFile)(const std::filesystem::path& path);
    const std::string* (*Attribute)(const GisFeature& feature, std::string_view name);
    std::vector<std::pair<std::string, std::string>> (*OgrGridFiles)(
        const std::filesystem::path& fileName, const OgrFormat& format,
        const OgrGridRequest& request);
    void (*WriteOgrGridFile)(const std::filesystem::path& path, const OgrFormat& format,
                             const OgrGridRequest& request);
    void (*StreamOgrGrid)(const OgrFormat& format, const OgrGridRequest& request,
                          const std::function<void(std::string_view)>& put);
    ProjectionKind (*ClassifyProjectionText)(std::string_view text);
};

} // namespace sw

// The module's one exported symbol.
extern "C" const sw::GdalModule* SheetwrightGdalModule();
