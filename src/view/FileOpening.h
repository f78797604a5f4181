#pragma once

// A file given to the main window, dropped on it or named on the command line,
// takes one of two roads: a vertex text file is read by the vertex dialog's own
// "Open" (the data type becomes Polyline or Polygon and the dialog shows what
// was read); any other file is read as a GIS layer by "Open layer"
// (view/OpenLayer.h), since GDAL knows formats by their content as well as by
// their extensions.

#include "view/FileDrop.h"

#include <filesystem>

namespace sw {
class Session;
struct InputFormat;
} // namespace sw

namespace sw::gui {

class WindowStatus;

// The two roads as the main window offers them.
class GivenFileRoads {
public:
    virtual ~GivenFileRoads() = default;
    virtual Session& TheSession() = 0;
    // "Open layer"'s read of the file, without its open box.
    virtual void OpenLayerFile(const std::filesystem::path& path) = 0;
    // The vertex dialog's "Open" of the file in `format`, without its file box
    // (Refused when there is no vertex dialog).
    virtual DroppedOpen OpenVertexFile(const InputFormat& format,
                                       const std::filesystem::path& path) = 0;
    virtual void ShowVertexDialog() = 0;
};

void OpenGivenFile(WindowStatus& window, GivenFileRoads& roads, const std::filesystem::path& path);

} // namespace sw::gui
