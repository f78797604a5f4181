#pragma once

// One output of the registry written from a computed request: the one dispatch
// on how an entry is written, shared by the command line's options and the
// application's "Save Layout".

#include "coverage/Feature.h"
#include "coverage/LayoutGeometry.h"
#include "coverage/SheetGrid.h"
#include "exchange/FormatRegistry.h"
#include "exchange/Modules.h"
#include "exchange/TextTable.h"
#include "index/Settings.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace sw {

struct OutputRequest {
    const Settings& settings;
    const Feature& feature; // a GeoPackage's feature layer, the drawn outputs
    const SheetGrid& grid;
    const std::string& inputPath; // the input file as given (UTF-8), empty for a point
    int32_t pictureZoom = 0;      // the pictures' zoom; 0: the settings'
    // The report table, made only when a report file is written; a caller
    // without one leaves it empty and offers no report file.
    std::function<TextTable()> reportTable{};
    // The layout planned for the grid at the settings' zoom, when the caller has
    // already planned it (to estimate the size); null: planned here when needed.
    const LayoutGeometry* plan = nullptr;
};

// Writes `f` at `path`: the sheet writers from the settings and the grid, the
// report's files from the table, the grid through the GIS backend and the
// drawn outputs through the renderer of `modules`. Every refusal is an Error
// (FileError from a writer) with the message to show.
void WriteOutput(const OutputFormat& f, const OutputRequest& r, const std::filesystem::path& path,
                 const Modules& modules);

} // namespace sw
