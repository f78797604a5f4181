#pragma once

// The GIS backend on GDAL/OGR and OSR: what the application and the tests link,
// and what the GIS module hands the command-line tool.

#include "exchange/GisBackend.h"

namespace sw {

class GdalBackend final : public GisBackend {
public:
    GisLayer ReadLayer(const std::filesystem::path& path,
                       const GisLayerOptions& options) const override;
    GisLayer ReadLayerBytes(std::string_view bytes, const std::string& name,
                            const GisLayerOptions& options) const override;
    void WriteGrid(const std::filesystem::path& path, const OgrFormat& format,
                   const OgrGridRequest& request) const override;
    void StreamGrid(const OgrFormat& format, const OgrGridRequest& request,
                    const std::function<void(std::string_view)>& put) const override;
    ProjectionKind ClassifyProjection(std::string_view text) const override;
};

} // namespace sw
