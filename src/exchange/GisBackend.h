#pragma once

// GIS vector layers in every format GDAL/OGR knows, read and written, and the
// coordinate-system texts OSR parses. GDAL brings some hundred shared libraries
// whose loading alone takes about ten times as long as the whole of `number`,
// so the core reaches it only through this interface: the application and the
// tests link the implementation (exchange/GdalBackend.h), the command-line tool
// loads it as a module on the first GIS layer read or written
// (exchange/Modules.h).

#include "exchange/GisLayer.h"
#include "exchange/OgrGridRequest.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace sw {

enum class ProjectionKind { Geographic, Projected, Unknown };

class GisBackend {
public:
    virtual ~GisBackend() = default;

    // The layer at `path`; every refusal is a FileError "Cannot read "path": "
    // and what is wrong (exchange/GisLayerReader.h has the whole contract).
    virtual GisLayer ReadLayer(const std::filesystem::path& path,
                               const GisLayerOptions& options) const = 0;
    // The same from bytes in memory; `name` is what the messages call them.
    virtual GisLayer ReadLayerBytes(std::string_view bytes, const std::string& name,
                                    const GisLayerOptions& options) const = 0;

    // The sheet grid as an OGR dataset at `path`, its files put in place as one
    // set (exchange/OgrGridFile.h).
    virtual void WriteGrid(const std::filesystem::path& path, const OgrFormat& format,
                           const OgrGridRequest& request) const = 0;
    // The dataset of a streaming format (StreamsFeatures) handed to `put` in pieces.
    virtual void StreamGrid(const OgrFormat& format, const OgrGridRequest& request,
                            const std::function<void(std::string_view)>& put) const = 0;

    // What a ".prj" text describes, as OSR's user-input parser reads it; Unknown
    // for a text it does not understand. Never reads a file or the network.
    virtual ProjectionKind ClassifyProjection(std::string_view text) const = 0;

protected:
    GisBackend() = default;
    GisBackend(const GisBackend&) = default;
    GisBackend& operator=(const GisBackend&) = default;
};

} // namespace sw
