#pragma once

// The program's state: one instance, owned by the session (session/Session.h)
// and read by the windows through it.

#include "coverage/Feature.h"
#include "coverage/SheetGrid.h"
#include "exchange/VertexTable.h"
#include "index/Settings.h"

#include <filesystem>

namespace sw {

struct AppState {
    Settings settings = StartSettings();
    Feature feature;
    SheetGrid grid;

    // The vertex dialog's table and the file it was last filled from.
    VertexTable vertexTable;
    std::filesystem::path InputFileName; // as the file system named it
    bool InputFileOpened = false;
};

} // namespace sw
