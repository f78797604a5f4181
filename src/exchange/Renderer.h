#pragma once

// The outputs drawn with the application's painter and fonts (Qt Gui): the
// layout as a picture or a PDF page, and the report on A4 pages. The core and
// the command line reach them only through this interface, so every other
// command starts without Qt: the tool loads the renderer as a module on first
// use (exchange/Modules.h), the tests link it.

#include "coverage/Feature.h"
#include "coverage/SheetGrid.h"
#include "exchange/FormatRegistry.h"
#include "index/Settings.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace sw {

// What a drawn output is made from: the computed request, held by the caller.
struct RenderInput {
    const Settings& settings;
    const Feature& feature;
    const SheetGrid& grid;
    const std::string& inputPath; // the input file as given (UTF-8), empty for a point
    int32_t pictureZoom = 0;      // the JPEG's and bitmap's zoom; 0: the settings'
};

class Renderer {
public:
    virtual ~Renderer() = default;

    // The layout drawn and written as `encoding` to `path`; a JPEG or bitmap
    // gets its world file, ".prj" and ".aux.xml" beside it.
    virtual void WriteLayoutPicture(PictureEncoding encoding, const RenderInput& in,
                                    const std::filesystem::path& path) const = 0;
    // The report drawn on A4 pages as a PDF document at `path`.
    virtual void WriteReportPdf(const RenderInput& in, const std::filesystem::path& path) const = 0;

protected:
    Renderer() = default;
    Renderer(const Renderer&) = default;
    Renderer& operator=(const Renderer&) = default;
};

} // namespace sw
