#include "exchange/GdalBackend.h"

#include "exchange/GisLayerReader.h"
#include "exchange/OgrGridFile.h"
#include "exchange/ProjectionText.h"

namespace sw {

GisLayer GdalBackend::ReadLayer(const std::filesystem::path& path,
                                const GisLayerOptions& options) const {
    return ReadGisLayer(path, options);
}

GisLayer GdalBackend::ReadLayerBytes(std::string_view bytes, const std::string& name,
                                     const GisLayerOptions& options) const {
    return ReadGisLayerBytes(bytes, name, options);
}

void GdalBackend::WriteGrid(const std::filesystem::path& path, const OgrFormat& format,
                            const OgrGridRequest& request) const {
    WriteOgrGridFile(path, format, request);
}

void GdalBackend::StreamGrid(const OgrFormat& format, const OgrGridRequest& request,
                             const std::function<void(std::string_view)>& put) const {
    StreamOgrGrid(format, request, put);
}

ProjectionKind GdalBackend::ClassifyProjection(std::string_view text) const {
    return ClassifyProjectionText(text);
}

} // namespace sw
